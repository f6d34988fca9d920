#include "CdCheck.h"
#include "PngBuilder.h"
#include "TableSchemas.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Row = std::vector<FieldValue>;
using Severity = Finding::Severity;

QByteArray GoodShot(const PngHeader &header = {})
{
    return PngFile(header, {qRgb(1, 2, 3), qRgb(200, 100, 0)}, [](int x, int) { return x % 2; });
}

// A game of issue 1998-12 with its screenshot a.png; `change` makes it awkward.
Row Game(const QString &title, const std::function<void(Row &)> &change = {})
{
    Row row(kGameFieldCount, FieldValue::null());
    row[kTitel] = FieldValue(title);
    row[kAusgabe] = FieldValue(u"Nr. 1998-12"_s);
    row[kWertung] = FieldValue(qint64(80));
    row[kBildname] = FieldValue(u"a.png"_s);
    if (change)
        change(row);
    return row;
}

Row Tip(const QString &title, const QString &note = u"Tipp"_s)
{
    return {FieldValue(title), FieldValue(u"Nr. 1999-01"_s), FieldValue(qint64(3)), FieldValue(u"Cheat"_s),
            FieldValue(note)};
}

struct Files {
    std::vector<Row> games;
    std::vector<Row> tips = {};
    std::vector<std::pair<QString, QByteArray>> files = {{u"DATA/199812/a.png"_s, GoodShot()}};
    bool writeGames = true;
};

// A CD folder in a temporary directory with the tables and screenshots given.
struct CdFolder {
    explicit CdFolder(const Files &content)
    {
        if (content.writeGames)
            WriteTable(dir.filePath(kGameTableFile), GameTableFields(), content.games);
        WriteTable(dir.filePath(kTipsTableFile), TipsTableFields(), content.tips);
        for (const auto &[path, bytes] : content.files) {
            QDir(dir.path()).mkpath(QFileInfo(path).path());
            WriteBytes(dir.filePath(path), bytes);
        }
    }
    QTemporaryDir dir;
};

// What a finding must say, message aside (nothing: null).
struct Expected {
    Severity severity;
    const char *kind;
    const char *table;
    int record;
    const char16_t *field, *title, *path, *suggestion;
};

std::optional<QString> Text(const char16_t *text)
{
    return text ? std::optional(QString::fromUtf16(text)) : std::nullopt;
}

void ExpectFinding(const Finding &f, const Expected &e)
{
    EXPECT_EQ(f.severity, e.severity);
    EXPECT_EQ(f.kind, QString::fromLatin1(e.kind));
    EXPECT_EQ(f.table, e.table ? std::optional(QString::fromLatin1(e.table)) : std::nullopt);
    EXPECT_EQ(f.record, e.record ? std::optional(e.record) : std::nullopt);
    EXPECT_EQ(f.field, Text(e.field));
    EXPECT_EQ(f.title, Text(e.title));
    EXPECT_EQ(f.path, Text(e.path));
    EXPECT_EQ(f.suggestion, Text(e.suggestion));
    EXPECT_FALSE(f.message.isEmpty());
}

int RunCheck(const QStringList &arguments, QByteArray *out = nullptr, QByteArray *err = nullptr)
{
    QProcess check;
    check.start(QStringLiteral(SPIELDEX_CHECK), arguments);
    EXPECT_TRUE(check.waitForFinished(60000));
    if (out)
        *out = check.readAllStandardOutput();
    if (err)
        *err = check.readAllStandardError();
    return check.exitCode();
}

} // namespace

TEST(CdCheck, EachKindOnCraftedFoldersWithItsExactFinding)
{
    const Row good = Game(u"Gutes Spiel"_s);
    const QByteArray damaged = GoodShot().left(200);
    struct Case {
        const char *what;
        Files files;
        std::vector<Expected> expected;
    };
    const Case cases[] = {
        {"title-empty", {{good, Game(u""_s)}},
         {{Severity::Error, "title-empty", "spdex_d.cds", 2, u"TITEL", u"", nullptr, nullptr}}},
        {"screenshot-missing", {{Game(u"X"_s, [](Row &r) { r[kBildname] = FieldValue(u"fehlt.png"_s); })}},
         {{Severity::Error, "screenshot-missing", "spdex_d.cds", 1, u"BILDNAME", u"X", u"DATA/199812/fehlt.png", nullptr},
          {Severity::Warning, "screenshot-unused", nullptr, 0, nullptr, nullptr, u"DATA/199812/a.png", nullptr}}},
        {"screenshot-not-png", {{good}, {}, {{u"DATA/199812/a.png"_s, "GIF89a, kein PNG"}}},
         {{Severity::Error, "screenshot-not-png", "spdex_d.cds", 1, u"BILDNAME", u"Gutes Spiel", u"DATA/199812/a.png",
           nullptr}}},
        {"screenshot-wrong-kind", {{good}, {}, {{u"DATA/199812/a.png"_s, GoodShot({.width = 100})}}},
         {{Severity::Error, "screenshot-wrong-kind", "spdex_d.cds", 1, u"BILDNAME", u"Gutes Spiel",
           u"DATA/199812/a.png", nullptr}}},
        {"screenshot-damaged", {{good}, {}, {{u"DATA/199812/a.png"_s, damaged}}},
         {{Severity::Error, "screenshot-damaged", "spdex_d.cds", 1, u"BILDNAME", u"Gutes Spiel", u"DATA/199812/a.png",
           nullptr}}},
        {"tip-without-game", {{good}, {Tip(u"Gutes Spiel"_s), Tip(u"gutes spiel "_s), Tip(u"Anderes"_s)}},
         {{Severity::Error, "tip-without-game", "spdex_t.cds", 2, u"Titel", u"gutes spiel ", nullptr, u"Gutes Spiel"},
          {Severity::Error, "tip-without-game", "spdex_t.cds", 3, u"Titel", u"Anderes", nullptr, nullptr}}},
        {"no-screenshot", {{good, Game(u"Ohne Bild"_s, [](Row &r) { r[kBildname] = FieldValue::null(); })}},
         {{Severity::Warning, "no-screenshot", "spdex_d.cds", 2, u"BILDNAME", u"Ohne Bild", nullptr, nullptr}}},
        {"key-not-digits",
         {{Game(u"K"_s, [](Row &r) { r[kAusgabe] = FieldValue(u"Nr. 19x8-12"_s); })}, {},
          {{u"DATA/19x812/a.png"_s, GoodShot()}}},
         {{Severity::Warning, "key-not-digits", "spdex_d.cds", 1, u"AUSGABE", u"K", nullptr, nullptr}}},
        {"title-duplicate", {{good, Game(u"Gutes Spiel"_s)}},
         {{Severity::Warning, "title-duplicate", "spdex_d.cds", 1, u"TITEL", u"Gutes Spiel", nullptr, nullptr},
          {Severity::Warning, "title-duplicate", "spdex_d.cds", 2, u"TITEL", u"Gutes Spiel", nullptr, nullptr}}},
        {"rating-out-of-range", {{Game(u"R"_s, [](Row &r) { r[kGrafik] = FieldValue(qint64(101)); })}},
         {{Severity::Warning, "rating-out-of-range", "spdex_d.cds", 1, u"GRAFIK", u"R", nullptr, nullptr}}},
        {"rating-missing, only for the overall rating",
         {{Game(u"R"_s, [](Row &r) {
             r[kWertung] = FieldValue::null();
             r[kGrafik] = FieldValue::null();
         })}},
         {{Severity::Warning, "rating-missing", "spdex_d.cds", 1, u"WERTUNG", u"R", nullptr, nullptr}}},
        {"text-too-long", {{good}, {Tip(u"Gutes Spiel"_s, QString(256, u'x'))}},
         {{Severity::Warning, "text-too-long", "spdex_t.cds", 1, u"Hinweis", u"Gutes Spiel", nullptr, nullptr}}},
        {"screenshot-unused", {{good}, {}, {{u"DATA/199812/a.png"_s, GoodShot()}, {u"DATA/000000/b.png"_s, GoodShot()}}},
         {{Severity::Warning, "screenshot-unused", nullptr, 0, nullptr, nullptr, u"DATA/000000/b.png", nullptr}}},
        {"table-unreadable, the tips still checked", {{}, {Tip(u"Gutes Spiel"_s, QString(256, u'x'))}, {}, false},
         {{Severity::Error, "table-unreadable", "spdex_d.cds", 0, nullptr, nullptr, u"spdex_d.cds", nullptr},
          {Severity::Warning, "text-too-long", "spdex_t.cds", 1, u"Hinweis", u"Gutes Spiel", nullptr, nullptr}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CdFolder folder(c.files);
        const CheckReport report = CheckCd(folder.dir.path());
        ASSERT_EQ(report.findings.size(), c.expected.size());
        for (size_t i = 0; i < c.expected.size(); ++i)
            ExpectFinding(report.findings[i], c.expected[i]);
    }
}

TEST(CdCheck, TheSameFindingsWithOneThreadAndWithSeveral)
{
    Files files;
    for (int g = 0; g < 40; ++g) {
        const QString name = u"s%1.png"_s.arg(g);
        files.games.push_back(Game(u"Spiel %1"_s.arg(g), [&name](Row &r) { r[kBildname] = FieldValue(name); }));
        if (g % 4 != 3)
            files.files.push_back({u"DATA/199812/"_s + name, g % 4 == 1 ? GoodShot().left(300) : GoodShot()});
    }
    CdFolder folder(files);
    const QJsonObject one = ReportJson(CheckCd(folder.dir.path(), {1, {}}));
    const QJsonObject several = ReportJson(CheckCd(folder.dir.path(), {4, {}}));
    EXPECT_EQ(one, several);
    EXPECT_EQ(one[u"errors"_s].toInt(), 20); // ten damaged, ten missing
}

TEST(CdCheck, ExitStatusAndJsonOfTheProgram)
{
    const Files clean{{Game(u"Gutes Spiel"_s)}, {Tip(u"Gutes Spiel"_s)}};
    Files warningsOnly = clean;
    warningsOnly.games.push_back(Game(u"Ohne Bild"_s, [](Row &r) { r[kBildname] = FieldValue::null(); }));
    Files withError = clean;
    withError.tips.push_back(Tip(u"gutes spiel"_s));
    struct Case {
        const char *what;
        const Files *files;
        int status;
    };
    for (const Case &c : {Case{"clean", &clean, 0}, Case{"warnings only", &warningsOnly, 0},
                          Case{"an error", &withError, 1}}) {
        SCOPED_TRACE(c.what);
        CdFolder folder(*c.files);
        QByteArray out;
        EXPECT_EQ(RunCheck({folder.dir.path()}, &out), c.status);
        EXPECT_TRUE(out.contains("Geprüft: ")) << out.constData();
    }

    CdFolder folder(withError);
    QByteArray out;
    EXPECT_EQ(RunCheck({u"--json"_s, folder.dir.path()}, &out), 1);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << out.constData();
    EXPECT_EQ(json[u"folder"_s].toString(), folder.dir.path());
    EXPECT_EQ(json[u"games"_s].toInt(), 1);
    EXPECT_EQ(json[u"tips"_s].toInt(), 2);
    EXPECT_EQ(json[u"screenshots"_s].toInt(), 1);
    EXPECT_EQ(json[u"errors"_s].toInt(), 1);
    EXPECT_EQ(json[u"warnings"_s].toInt(), 0);
    const QJsonObject finding = json[u"findings"_s].toArray().at(0).toObject();
    EXPECT_EQ(finding[u"severity"_s].toString(), u"error"_s);
    EXPECT_EQ(finding[u"kind"_s].toString(), u"tip-without-game"_s);
    EXPECT_EQ(finding[u"table"_s].toString(), u"spdex_t.cds"_s);
    EXPECT_EQ(finding[u"record"_s].toInt(), 2);
    EXPECT_EQ(finding[u"field"_s].toString(), u"Titel"_s);
    EXPECT_EQ(finding[u"title"_s].toString(), u"gutes spiel"_s);
    EXPECT_TRUE(finding[u"path"_s].isNull());
    EXPECT_EQ(finding[u"suggestion"_s].toString(), u"Gutes Spiel"_s);
    EXPECT_FALSE(finding[u"message"_s].toString().isEmpty());

    QByteArray err;
    EXPECT_EQ(RunCheck({folder.dir.filePath(u"gibt-es-nicht"_s)}, nullptr, &err), 2);
    EXPECT_TRUE(QString::fromUtf8(err).contains(u"gibt es nicht"_s)) << err.constData();
    EXPECT_EQ(RunCheck({u"--unbekannt"_s}, nullptr, &err), 2);
    EXPECT_TRUE(err.startsWith("Aufruf: ")) << err.constData();
}

TEST(CdCheck, FindingsNameTheRecordAsAnEditorFindsItAndDamageInGerman)
{
    CdFolder folder({{Game(u"Gutes Spiel"_s), Game(u"Ohne Ausgabe"_s, [](Row &r) {
                          r[kAusgabe] = FieldValue::null();
                          r[kBildname] = FieldValue::null();
                      })},
                     {Tip(u"Gutes Spiel"_s), Tip(u"Niemandes Spiel"_s)},
                     {{u"DATA/199812/a.png"_s, GoodShot().left(200)}}});
    int progressTotal = -1;
    const CheckReport report = CheckCd(folder.dir.path(), {1, [&](int, int total) { progressTotal = total; }});
    EXPECT_EQ(progressTotal, report.screenshotsNamed) << "the progress line and the summary count alike";
    EXPECT_EQ(report.screenshotsNamed, 1);
    const QString text = ReportText(report);
    for (const QString &line :
         {u"Fehler:   spdex_d.cds, Spiel „Gutes Spiel“ (Ausgabe „Nr. 1998-12“), Zeile 1 der gespeicherten "
          u"Reihenfolge: Das Bild DATA/199812/a.png ist beschädigt: die Datei endet vorzeitig (Meldung von "
          u"libpng: „Read Error“)."_s,
          u"Warnung:  spdex_d.cds, Spiel „Ohne Ausgabe“ (ohne Ausgabe), Zeile 2 der gespeicherten Reihenfolge: "_s,
          u"Fehler:   spdex_t.cds, Tipp zu „Niemandes Spiel“ (Art „Cheat“, Seite 3), Zeile 2 der gespeicherten "
          u"Reihenfolge: "_s,
          u"Geprüft: 2 Spiele, 2 Tipps, 1 genanntes Bild (1 Datei unter DATA) – 2 Fehler, 2 Warnungen\n"_s})
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << "\nin\n" << text.toStdString();
    EXPECT_FALSE(text.contains(u"Nr. 1 "_s) || text.contains(u"Nr. 2 "_s)) << "records named like issues";

    const QJsonObject tip = ReportJson(report)[u"findings"_s].toArray().last().toObject();
    EXPECT_EQ(tip[u"tipType"_s].toString(), u"Cheat"_s);
    EXPECT_EQ(tip[u"page"_s].toString(), u"3"_s);
    EXPECT_TRUE(tip[u"issue"_s].isNull());
    EXPECT_EQ(tip[u"where"_s].toString(),
              u"Tipp zu „Niemandes Spiel“ (Art „Cheat“, Seite 3), Zeile 2 der gespeicherten Reihenfolge"_s);
}

TEST(CdCheck, HelpAndAFolderThatIsNoCd)
{
    QByteArray out, err;
    EXPECT_EQ(RunCheck({u"--help"_s}, &out, &err), 0);
    for (const char *option : {"Aufruf: spdexcheck [--json] [ORDNER]", "ORDNER", "--json", "--help", "Rückgabewert"})
        EXPECT_TRUE(out.contains(option)) << option;
    EXPECT_TRUE(err.isEmpty());

    QTemporaryDir notACd;
    WriteTable(notACd.filePath(kTipsTableFile), TipsTableFields(), {});
    for (const QStringList &arguments : {QStringList{notACd.path()}, QStringList{u"--json"_s, notACd.path()}}) {
        EXPECT_EQ(RunCheck(arguments, &out, &err), 2);
        EXPECT_TRUE(out.isEmpty()) << out.constData();
        const QString message = QString::fromUtf8(err).trimmed();
        EXPECT_EQ(message.count(u'\n'), 0) << "one message";
        EXPECT_EQ(message.count(notACd.path()), 1) << message.toStdString();
        EXPECT_TRUE(message.contains(u"spdex_d.cds"_s)) << message.toStdString();
    }
}
