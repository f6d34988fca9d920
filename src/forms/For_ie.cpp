#include "For_ie.h"

#include "Detail.h"
#include "DialogLook.h"
#include "ErrorDisplay.h"
#include "Messages.h"
#include "Misc.h"
#include "Paintpic.h"
#include "TClientDataSet.h"
#include "TabText.h"
#include "WorkProgress.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

const QString kFilter = u"Textdateien (*.txt);;Alle Dateien (*.*)"_s;

bool Confirmed(const QString &title, const QString &text, MessageAnswer defaultAnswer)
{
    return ShowMessage({title, text, MessageIcon::Error, MessageButtons::OkCancel, defaultAnswer}) == MessageAnswer::Ok;
}

// One message for both: an export file that cannot be created, an import file that cannot be opened.
void ReportUnusableFile()
{
    ShowErrorBox(u"Spieldex: FEHLER beim Erzeugen der Datei"_s, u"Die Datei konnte nicht erzeugt werden"_s);
}

// Pictures stay unloaded while the work walks the table; afterwards the program folder
// is current again, whatever folder the file dialog went to.
auto PicturesOffMeanwhile()
{
    Screenshot(ssSwitch, nullptr, 0);
    return qScopeGuard([] {
        Screenshot(ssSwitch, nullptr, 1);
        ProgramFolder(pfEnter);
    });
}

} // namespace

TFormIE::TFormIE(QWidget *owner) : QDialog(owner)
{
    SetFixedDialogLook(this, u"Spieldex: Importieren/Exportieren"_s, {361, 145});

    TasteImportieren = new QPushButton(u"&Importieren"_s, this);
    TasteImportieren->setGeometry(248, 8, 105, 25);
    TasteExportieren = new QPushButton(u"&Exportieren"_s, this);
    TasteExportieren->setGeometry(248, 40, 105, 25);
    TasteAbbrechen = new QPushButton(u"Abbrechen"_s, this);
    TasteAbbrechen->setGeometry(248, 112, 105, 25);
    for (QPushButton *button : {TasteImportieren, TasteExportieren, TasteAbbrechen})
        button->setAutoDefault(false);
    GroupBox1 = new QGroupBox(u"Hinweis"_s, this);
    GroupBox1->setGeometry(8, 8, 225, 129);
    GroupBox1->setFont(DialogFont(true));
    StaticText1 = AddHint(GroupBox1,
                          u"Mit dieser Funktion können Sie für Backup-Zwecke Daten aus dem Spieldex exportieren und "
                          u"wieder importieren. Die Daten werden als Textdatei mit TABs als Trennzeichen abgelegt."_s,
                          {8, 16, 209, 105});
    setTabOrder(TasteImportieren, TasteExportieren);
    setTabOrder(TasteExportieren, TasteAbbrechen);
    LetEnterPressFocusedButtons(this);

    DialogImportieren = {u"Datei importieren"_s, kFilter, u"txt"_s, u"spdex_d.txt"_s};
    DialogExportieren = {u"Datei exportieren"_s, kFilter, u"txt"_s, u"spdex_d.txt"_s};

    ConnectGuarded(TasteImportieren, &QPushButton::clicked, this, &TFormIE::TasteImportierenClick);
    ConnectGuarded(TasteExportieren, &QPushButton::clicked, this, &TFormIE::TasteExportierenClick);
    connect(TasteAbbrechen, &QPushButton::clicked, this, &QDialog::reject); // also Esc
}

void TFormIE::TasteImportierenClick()
{
    const auto restore = PicturesOffMeanwhile();
    if (!Confirmed(u"Spieldex: Warnung"_s,
                   u"Vor dem Import werden alle vorhandenen Datensätze gelöscht. Wenn Sie diese Operation fortsetzen "
                   u"gehen die bereits in der Datenbank gespeicherten Daten verloren und werden komplett durch die "
                   u"importierten Daten ersetzt."_s,
                   MessageAnswer::Ok))
        return;
    const std::optional<QString> path = AskFileToOpen(this, DialogImportieren);
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportUnusableFile(); // outcome 2
        accept();
        return;
    }
    TClientDataSet *games = Detailansicht->ClientDataSet1;
    TabImportResult result;
    {
        WorkProgress progress(this, u"Die Datei wird importiert …"_s);
        result = ReadTabText(file, games->FieldDefs(), progress.Callback());
    }
    file.close();
    switch (result.outcome) {
    case TabImportOutcome::Success:
        games->ReplaceRecords(std::move(result.records)); // the table changes only now, and whole
        break;
    case TabImportOutcome::EndsInsideRecord:
    case TabImportOutcome::ValueTooLong:
    case TabImportOutcome::NoRecords:
        ShowErrorBox(kTabImportErrorTitle, result.message);
        break;
    default: // a value a field cannot take, or the medium failed: the engine's or the system's words
        ShowErrorDisplay(result.message);
        break;
    }
    accept();
}

void TFormIE::TasteExportierenClick()
{
    const auto restore = PicturesOffMeanwhile();
    const std::optional<QString> path = AskFileToSave(this, DialogExportieren);
    if (!path)
        return;
    if (QFile existing(*path); existing.open(QIODevice::ReadOnly)) {
        existing.close();
        if (!Confirmed(u"Spieldex: Datei bereits vorhanden"_s,
                       u"Die Datei existiert bereits. Wenn Sie den Vorgang fortsetzen, wird die Datei überschrieben."_s,
                       MessageAnswer::Cancel))
            return;
    }
    // Written beside the old file and put in its place only when complete: a failed export
    // leaves an earlier backup as it was.
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly)) {
        ReportUnusableFile();
        accept();
        return;
    }
    TClientDataSet *games = Detailansicht->ClientDataSet1;
    games->First(); // the walk starts at the first record: a pending change is posted, an untouched new row dropped
    TabExportResult result;
    {
        WorkProgress progress(this, u"Die Datei wird exportiert …"_s);
        result = WriteTabText(file, *games, progress.Callback());
    }
    if (result.ok && file.commit()) {
        games->Last(); // as after walking the table to its end
    } else {
        file.cancelWriting();
        ShowErrorBox(u"FEHLER beim Schreiben in die Datei"_s, u"Beim exportieren der Daten trat ein Fehler auf"_s);
    }
    accept();
}
