#include "DialogLook.h"
#include "FileDialogs.h"
#include "For_ie.h"
#include "For_info.h"
#include "For_such.h"
#include "GermanTexts.h"
#include "MainWindowFixture.h"
#include "Messages.h"
#include "RecordingFileDialogs.h"
#include "TClientDataSet.h"
#include "TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

class Dialogs : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { Open({Game(u"Zork"_s)}, {}, true); }
    void TearDown() override { Close(); }

    RecordingFileDialogs files;
};

QStringList Texts(const QWidget *widget)
{
    QStringList texts;
    for (const QLabel *label : widget->findChildren<QLabel *>())
        texts << label->text().remove(u'&');
    for (const QAbstractButton *button : widget->findChildren<QAbstractButton *>())
        texts << button->text().remove(u'&');
    return texts;
}

} // namespace

TEST_F(Dialogs, EveryCaptionAndHintReadsLetterForLetter)
{
    TFormSuchen search(window.get());
    TFormIE ie(window.get());
    TFormInfo info(window.get());
    const std::pair<QString, QString> cases[] = {
        {search.windowTitle(), u"Spieldex: Suchen"_s},
        {search.Label1->text(), u"Su&chen nach:"_s},
        {search.TasteSuchen->text(), u"&Suchen"_s},
        {search.TasteLoeschen->text(), u"&Löschen"_s},
        {search.TasteSchliessen->text(), u"Schließen"_s},
        {search.GroupBox1->title(), u"Hinweis"_s},
        {search.StaticText1->text(),
         u"Geben Sie einen Begriff oder eine Zeichenfolge ein, die der Anfangszeichenfolge des gesuchten Spiels "
         u"entspricht. Wenn Sie auf \"Suchen\" klicken, zeigt das Programm in der \"Tabelle\" nur noch die Spiele "
         u"mit dieser Anfangszeichenfolge an."_s},
        {search.StaticText2->text(),
         u"Diese Einstellung bleibt solange aktiv - zu Erkennen an der roten Lampe auf der Taste \"Suchen\" - bis "
         u"Sie auf die Taste \"Löschen\" klicken. Dann stellt der Spieldex wieder alle gespeicherten Spiele dar."_s},
        {ie.windowTitle(), u"Spieldex: Importieren/Exportieren"_s},
        {ie.TasteImportieren->text(), u"&Importieren"_s},
        {ie.TasteExportieren->text(), u"&Exportieren"_s},
        {ie.TasteAbbrechen->text(), u"Abbrechen"_s},
        {ie.GroupBox1->title(), u"Hinweis"_s},
        {ie.StaticText1->text(),
         u"Mit dieser Funktion können Sie für Backup-Zwecke Daten aus dem Spieldex exportieren und wieder "
         u"importieren. Die Daten werden als Textdatei mit TABs als Trennzeichen abgelegt."_s},
        {ie.DialogImportieren.title, u"Datei importieren"_s},
        {ie.DialogExportieren.title, u"Datei exportieren"_s},
        {info.windowTitle(), u"Spieldex: Info"_s},
        {info.ButtonSchliessen->text(), u"Schließen"_s},
    };
    for (const auto &[shown, written] : cases)
        EXPECT_EQ(shown, written);
    EXPECT_TRUE(search.GroupBox1->font().bold());
    EXPECT_FALSE(search.StaticText1->font().bold());
}

TEST_F(Dialogs, HintTextsSitInsideTheirBoxesBelowTheCaption)
{
    TFormSuchen search(window.get());
    TFormIE ie(window.get());
    for (QLabel *hint : {search.StaticText1, search.StaticText2, ie.StaticText1}) {
        SCOPED_TRACE(hint->text().left(20).toStdString());
        const auto *box = qobject_cast<QGroupBox *>(hint->parentWidget());
        ASSERT_NE(box, nullptr);
        const QRect inner = box->contentsRect();
        EXPECT_TRUE(inner.contains(hint->geometry())) << inner.top() << " " << hint->geometry().top();
        EXPECT_GT(hint->geometry().top(), QFontMetrics(box->font()).height()); // below the caption
        const QRect text = hint->fontMetrics().boundingRect(QRect(0, 0, hint->width(), 1000), Qt::TextWordWrap,
                                                            hint->text());
        EXPECT_LE(text.height(), hint->height()); // no line cut
    }
    EXPECT_EQ(search.StaticText2->y() - search.StaticText1->y(), 64); // the layout's distance stays
}

TEST_F(Dialogs, EnterAndSpacePressTheFocusedButton)
{
    struct Case {
        const char *what;
        std::function<QDialog *()> make;
        std::function<QPushButton *(QDialog *)> button;
        std::function<bool(QDialog *)> pressed;
    };
    const auto suchen = [this] { return new TFormSuchen(window.get()); };
    const auto ie = [this] { return new TFormIE(window.get()); };
    const auto closed = [](QDialog *d) { return !d->isVisible(); };
    const Case cases[] = {
        {"Löschen", [&] {
             auto *d = new TFormSuchen(window.get());
             d->Edit1->setText(u"z"_s);
             d->TasteSuchenClick();
             return d;
         },
         [](QDialog *d) { return static_cast<TFormSuchen *>(d)->TasteLoeschen; },
         [this](QDialog *) { return !window->ClientDataSet1->Filtered(); }},
        {"Suchen", [&] {
             auto *d = new TFormSuchen(window.get());
             d->Edit1->setText(u"z"_s);
             return d;
         },
         [](QDialog *d) { return static_cast<TFormSuchen *>(d)->TasteSuchen; },
         [this](QDialog *) { return window->ClientDataSet1->Filtered(); }},
        {"Schließen (search)", suchen, [](QDialog *d) { return static_cast<TFormSuchen *>(d)->TasteSchliessen; },
         closed},
        {"Importieren", ie, [](QDialog *d) { return static_cast<TFormIE *>(d)->TasteImportieren; },
         [this](QDialog *) { return boxes.shown.size() == 1 && boxes.shown[0].title == u"Spieldex: Warnung"_s; }},
        {"Exportieren", ie, [](QDialog *d) { return static_cast<TFormIE *>(d)->TasteExportieren; },
         [this](QDialog *) { return files.asked.size() == 1 && files.asked[0].title == u"Datei exportieren"_s; }},
        {"Abbrechen", ie, [](QDialog *d) { return static_cast<TFormIE *>(d)->TasteAbbrechen; }, closed},
        {"Schließen (info)", [this] { return new TFormInfo(window.get()); },
         [](QDialog *d) { return static_cast<TFormInfo *>(d)->ButtonSchliessen; }, closed},
    };
    for (const Case &c : cases) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            SCOPED_TRACE(std::string(c.what) + " key " + std::to_string(key));
            window->ClientDataSet1->SetFiltered(false);
            boxes.shown.clear();
            files.asked.clear();
            std::unique_ptr<QDialog> dialog(c.make());
            dialog->show();
            QPushButton *button = c.button(dialog.get());
            button->setFocus();
            EXPECT_FALSE(c.pressed(dialog.get()));
            QTest::keyClick(button, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            EXPECT_TRUE(c.pressed(dialog.get()));
        }
    }
}

TEST(GermanTexts, TheFrameworksOwnBoxesAndFileDialogsSpeakGerman)
{
    ASSERT_TRUE(LoadGermanTexts(*qApp));
    QMessageBox yesNo(QMessageBox::Question, u"t"_s, u"t"_s, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(Texts(&yesNo).contains(u"Ja"_s));
    EXPECT_TRUE(Texts(&yesNo).contains(u"Nein"_s));

    const MessageRequest confirm{u"Spieldex: Datensatz löschen"_s, u"Datensatz löschen?"_s, MessageIcon::Error,
                                 MessageButtons::OkCancel, MessageAnswer::Cancel};
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(confirm);
    EXPECT_TRUE(Texts(box.get()).contains(u"OK"_s));
    EXPECT_TRUE(Texts(box.get()).contains(u"Abbrechen"_s));
    box->show();
    QFont bold = box->font();
    bold.setBold(true);
    EXPECT_GT(box->width(), QFontMetrics(bold).horizontalAdvance(confirm.title) + 60); // the title and the bar's buttons
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));

    const FileDialogRequest request{u"Datei importieren"_s, u"Textdateien (*.txt)"_s, u"txt"_s, u"spdex_d.txt"_s};
    for (const bool saving : {false, true}) {
        const QStringList texts = Texts(MakeFileDialog(nullptr, request, saving).get());
        for (const QString &text : {u"Suchen in:"_s, u"Dateiname:"_s, u"Abbrechen"_s,
                                    saving ? u"Speichern"_s : u"Öffnen"_s})
            EXPECT_TRUE(texts.contains(text)) << text.toStdString() << " in " << texts.join(u'|').toStdString();
    }
}

TEST(GermanTexts, FileDialogsShowTheirLabelsTypesAndGermanDatesWhole)
{
    ASSERT_TRUE(LoadGermanTexts(*qApp));
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Verzeichnis mit Bildern"_s));
    WriteBytes(dir.filePath(u"spdex_d.txt"_s), "TITEL\r\n");
    ScopedCurrentDir here(dir.path());
    // The framework keeps a file dialog's column widths in the user's settings: none here.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const FileDialogRequest request{u"Datei exportieren"_s, u"Textdateien (*.txt)"_s, u"txt"_s, u"spdex_d.txt"_s};
    for (const bool saving : {false, true}) {
        SCOPED_TRACE(saving ? "save" : "open");
        const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(nullptr, request, saving);
        dialog->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot);
        dialog->setNameFilter(u"*"_s);
        dialog->show();
        auto *list = dialog->findChild<QTreeView *>(u"treeView"_s);
        ASSERT_TRUE(list);
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) == 2; }));
        QCoreApplication::processEvents();

        for (const QLabel *label : dialog->findChildren<QLabel *>()) {
            if (label->isVisible())
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text().remove(u'&')), label->width())
                    << label->text().toStdString();
        }
        const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        for (int row = 0; row < 2; ++row) {
            for (int column = 1; column < list->header()->count(); ++column) {
                const QString text = list->model()->index(row, column, list->rootIndex()).data().toString();
                EXPECT_LE(list->fontMetrics().horizontalAdvance(text) + 2 * margin, list->columnWidth(column))
                    << text.toStdString() << " is cut";
            }
            const QString date = list->model()->index(row, 3, list->rootIndex()).data().toString();
            EXPECT_TRUE(QRegularExpression(u"^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d$"_s).match(date).hasMatch())
                << date.toStdString();
        }
        auto *places = dialog->findChild<QListView *>(u"sidebar"_s);
        ASSERT_TRUE(places);
        EXPECT_LE(places->sizeHintForColumn(0), places->viewport()->width());
    }
}
