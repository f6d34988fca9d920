#include "For_ie.h"
#include "MainWindowFixture.h"
#include "Paintpic.h"
#include "RecordingFileDialogs.h"
#include "TClientDataSet.h"
#include "TableSchemas.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ImportExport : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        Open({Game(u"Zeta"_s, {{u"SEITE", qint64(12)}, {u"HERSTELLER", u"Zündkerze Software"_s}}),
              Game(u"Anno"_s, {{u"WERTUNG", qint64(88)}, {u"EXTRAS", u"GA"_s}}),
              Game(u"Sternenwacht"_s, {{u"AUSGABE", u"Nr. 1998-12"_s}})},
             {}, true);
        Screenshot(ssSwitch, nullptr, 1);
        elsewhere = QDir::tempPath();
        files.wanderTo = elsewhere;
    }
    void TearDown() override
    {
        Close();
        Screenshot(ssSwitch, nullptr, 0);
    }

    // Runs one handler of a fresh dialog; true when the dialog closed itself.
    bool Run(void (TFormIE::*handler)())
    {
        TFormIE dialog(window.get());
        dialog.show();
        (dialog.*handler)();
        return !dialog.isVisible();
    }

    // The game table as rows of text, in its current order, for comparing before and after.
    QStringList Rows()
    {
        TClientDataSet &t = *window->ClientDataSet1;
        QStringList rows;
        for (int r = 0; r < t.RecordCount(); ++r) {
            QStringList values;
            for (int f = 0; f < t.FieldCount(); ++f) {
                const FieldValue v = t.ValueAtRow(r, f);
                values << (v.isNull() ? u"<null>"_s : v.toText());
            }
            rows << values.join(u'|');
        }
        return rows;
    }

    // The picture switch is back on and the program folder current again.
    void ExpectRestored()
    {
        EXPECT_EQ(Screenshot(ssShow, nullptr, 0, {}, "000000"), int(ssNoName));
        EXPECT_EQ(QDir::current().canonicalPath(), QDir(dir.path()).canonicalPath());
    }

    RecordingFileDialogs files;
    QString elsewhere;
};

} // namespace

TEST_F(ImportExport, ExportThenImportGivesBackTheSameRecordsInTheSameOrder)
{
    const QStringList before = Rows();
    files.answers = {Path(u"backup.txt"_s)};
    EXPECT_TRUE(Run(&TFormIE::TasteExportierenClick));
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].title, u"Datei exportieren"_s);
    EXPECT_EQ(files.asked[0].initialName, u"spdex_d.txt"_s);
    EXPECT_EQ(window->ClientDataSet1->RecNo(), 2); // the cursor ends on the last record
    const QByteArray bytes = ReadBytes(Path(u"backup.txt"_s));
    EXPECT_TRUE(bytes.startsWith("TITEL\tAUSGABE\tSEITE\t"));
    EXPECT_TRUE(bytes.contains("Z\xFCndkerze Software")); // Windows-1252
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    ExpectRestored();

    files.answers = {Path(u"backup.txt"_s)};
    EXPECT_TRUE(Run(&TFormIE::TasteImportierenClick));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"Spieldex: Warnung"_s);
    EXPECT_EQ(boxes.shown[0].defaultAnswer, MessageAnswer::Ok);
    // Null texts come back as empty texts: the file writes both alike.
    QStringList expected = before;
    for (QString &row : expected) {
        QStringList values = row.split(u'|');
        const auto fields = GameTableFields();
        for (size_t f = 0; f < fields.size(); ++f)
            if (fields[f].type == FieldType::Text && values[f] == u"<null>"_s)
                values[f] = QString();
        row = values.join(u'|');
    }
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(window->ClientDataSet1->RecNo(), 2);
    ExpectRestored();
}

TEST_F(ImportExport, AnInsertedRecordIsExportedWhereItWasInserted)
{
    TClientDataSet &games = *window->ClientDataSet1;
    games.First();
    games.Next();
    games.Insert();
    games.SetFieldText(u"TITEL"_s, u"Neu"_s); // left pending: the export posts it
    files.answers = {Path(u"mit-neu.txt"_s)};
    EXPECT_TRUE(Run(&TFormIE::TasteExportierenClick));
    QStringList titles;
    for (const QByteArray &line : ReadBytes(Path(u"mit-neu.txt"_s)).split('\n').mid(1))
        if (!line.isEmpty())
            titles << QString::fromLatin1(line.left(line.indexOf('\t')));
    EXPECT_EQ(titles, (QStringList{u"Zeta"_s, u"Neu"_s, u"Anno"_s, u"Sternenwacht"_s}));
}

TEST_F(ImportExport, ExportWritesOnlyTheGamesOfAnActiveTitleSearch)
{
    window->ClientDataSet1->SetFilter(u"TITEL = 'S*'"_s);
    window->ClientDataSet1->SetFiltered(true);
    files.answers = {Path(u"s.txt"_s)};
    Run(&TFormIE::TasteExportierenClick);
    const QList<QByteArray> lines = ReadBytes(Path(u"s.txt"_s)).split('\n');
    ASSERT_EQ(lines.size(), 3); // header, one record, and nothing after the last line end
    EXPECT_TRUE(lines[1].startsWith("Sternenwacht\tNr. 1998-12\t"));
}

TEST_F(ImportExport, AnExistingFileIsOverwrittenOnlyAfterConfirming)
{
    WriteBytes(Path(u"alt.txt"_s), "alte Sicherung");
    files.answers = {Path(u"alt.txt"_s), Path(u"alt.txt"_s)};
    boxes.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    EXPECT_FALSE(Run(&TFormIE::TasteExportierenClick)); // cancelled: the dialog stays open
    EXPECT_EQ(ReadBytes(Path(u"alt.txt"_s)), QByteArray("alte Sicherung"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"Spieldex: Datei bereits vorhanden"_s);
    EXPECT_EQ(boxes.shown[0].defaultAnswer, MessageAnswer::Cancel);
    ExpectRestored();
    EXPECT_TRUE(Run(&TFormIE::TasteExportierenClick));
    EXPECT_TRUE(ReadBytes(Path(u"alt.txt"_s)).startsWith("TITEL\t"));
}

TEST_F(ImportExport, CancellingTheWarningOrTheFileDialogChangesNothing)
{
    const QStringList before = Rows();
    boxes.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(Run(&TFormIE::TasteImportierenClick));
    EXPECT_TRUE(files.asked.empty());
    EXPECT_FALSE(Run(&TFormIE::TasteImportierenClick)); // the file dialog answers "cancelled"
    EXPECT_FALSE(Run(&TFormIE::TasteExportierenClick));
    EXPECT_EQ(Rows(), before);
    ExpectRestored();
}

TEST_F(ImportExport, EveryFailedImportLeavesTheTableAsItWas)
{
    struct Case {
        QByteArray file;
        QString title, text;
    };
    const Case cases[] = {
        {"TITEL\r\n", u"Spieldex: FEHLER beim Importieren"_s, u"Die Datei enthält keine Datensätze"_s},
        {"TITEL\r\nEins\tNr. 1\t3\r\nZwei", u"Spieldex: FEHLER beim Importieren"_s,
         u"Die Datei enthält zu wenig Datensätze"_s},
        {"TITEL\r\n" + QByteArray(65, 'x') + "\r\n", u"Spieldex: FEHLER beim Importieren"_s,
         u"Die Datei besitzt einen Datensatz mit mehr als 64 Zeichen"_s},
        {"TITEL\r\nEins\tNr. 1\tdrei\r\n", u"Spieldex 2.0"_s, u"SEITE"_s}, // the engine's message, in the error display
    };
    const QStringList before = Rows();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        boxes.shown.clear();
        WriteBytes(Path(u"in.txt"_s), c.file);
        files.answers = {Path(u"in.txt"_s)};
        EXPECT_TRUE(Run(&TFormIE::TasteImportierenClick));
        ASSERT_EQ(boxes.shown.size(), 2u); // the warning, then the fault
        EXPECT_EQ(boxes.shown[1].title, c.title);
        EXPECT_TRUE(boxes.shown[1].text.contains(c.text)) << boxes.shown[1].text.toStdString();
        EXPECT_EQ(Rows(), before);
        ExpectRestored();
    }

    boxes.shown.clear();
    files.answers = {Path(u"fehlt.txt"_s)};
    EXPECT_TRUE(Run(&TFormIE::TasteImportierenClick));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].title, u"Spieldex: FEHLER beim Erzeugen der Datei"_s);
    EXPECT_EQ(Rows(), before);
    window.reset(); // edit mode saves the table as it was
    EXPECT_EQ(QueryText(Path(kGameTableFile), u"SELECT group_concat(TITEL) FROM records"_s), u"Zeta,Anno,Sternenwacht"_s);
}

TEST_F(ImportExport, AFailedExportLeavesAnEarlierFileAsItWas)
{
    WriteBytes(Path(u"alt.txt"_s), "alte Sicherung");
    window->ClientDataSet1->Edit();
    window->ClientDataSet1->SetFieldText(u"TITEL"_s, u"Ā ist kein Zeichen von Windows-1252"_s);
    window->ClientDataSet1->Post();
    files.answers = {Path(u"alt.txt"_s)};
    boxes.answers = {MessageAnswer::Ok};
    EXPECT_TRUE(Run(&TFormIE::TasteExportierenClick));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].title, u"FEHLER beim Schreiben in die Datei"_s);
    EXPECT_EQ(boxes.shown[1].text, u"Beim exportieren der Daten trat ein Fehler auf"_s);
    EXPECT_EQ(ReadBytes(Path(u"alt.txt"_s)), QByteArray("alte Sicherung"));
    ExpectRestored();
}

TEST_F(ImportExport, ALargeFileGivesTheSameResultAsASmallOne)
{
    QByteArray file = "TITEL\tAUSGABE\tSEITE\r\n";
    for (int i = 0; i < 50000; ++i)
        file += "Spiel " + QByteArray::number(i) + "\tNr. 1999-01\t" + QByteArray::number(i % 300) + "\r\n";
    WriteBytes(Path(u"gross.txt"_s), file);
    files.answers = {Path(u"gross.txt"_s), Path(u"a.txt"_s), Path(u"a.txt"_s), Path(u"b.txt"_s)};
    EXPECT_TRUE(Run(&TFormIE::TasteImportierenClick));
    EXPECT_TRUE(Run(&TFormIE::TasteExportierenClick));
    EXPECT_TRUE(Run(&TFormIE::TasteImportierenClick));
    EXPECT_TRUE(Run(&TFormIE::TasteExportierenClick));
    EXPECT_EQ(ReadBytes(Path(u"b.txt"_s)), ReadBytes(Path(u"a.txt"_s)));
    TClientDataSet &t = *window->ClientDataSet1;
    ASSERT_EQ(t.RecordCount(), 50000);
    EXPECT_EQ(t.ValueAtRow(49999, 0).toText(), u"Spiel 49999"_s);
    EXPECT_EQ(t.ValueAtRow(299, 2), FieldValue(qint64(299)));
    EXPECT_EQ(t.RecNo(), 49999);
}
