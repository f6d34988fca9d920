#include "Startup.h"

#include "CommandLine.h"
#include "Detail.h"
#include "ErrorDisplay.h"
#include "EditLock.h"
#include "FileSystem.h"
#include "FirstPaintProbe.h"
#include "Messages.h"
#include "Misc.h"
#include "Paintlog.h"
#include "Paintpic.h"
#include "TableFile.h"
#include "TableSchemas.h"
#include "TerminateSignal.h"

#include <QApplication>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

void RunMainWindow(QApplication &app)
{
    RunGuarded([&app] {
        std::unique_ptr<TDetailansicht> window;
        try {
            window = std::make_unique<TDetailansicht>();
        } catch (...) {
            Detailansicht = nullptr;
            throw;
        }
        CloseOnTerminateSignal(window.get());
        ReportFirstPaint(window.get());
        window->show();
        app.exec();
    });
}

} // namespace

QString CommandLineTail(const QStringList &arguments)
{
    return ProcessCommandLine(arguments).tail;
}

bool EditModeAsked(const QString &commandLineTail)
{
    return commandLineTail.startsWith(u"/e"_s, Qt::CaseSensitive);
}

bool CaptureProgramFolder()
{
    if (ProgramFolder(pfCapture) != 0)
        return true;
    ShowErrorBox(
        u"Spieldex: Kommandozeile zu lang"_s,
        u"Der Pfad, mit dem der Spieldex gestartet wird, ist zu lang. Bitte verkürzen Sie den Pfad (zum Beispiel, "
        u"indem Sie den Spieldex in der Verzeichnishirarchie in einem weiter oben liegenden Verzeichnis unterbringen) "
        u"und starten Sie das Programm erneut."_s);
    return false;
}

bool FixOperatingMode(const QString &commandLineTail)
{
    if (!EditModeAsked(commandLineTail)) {
        EditModeFlag(emNormal);
        return true;
    }
    if (MakeFileWritable(kGameTableFile) && MakeFileWritable(kTipsTableFile)) {
        // Two editors on one folder would each save over the other's edits at their end.
        const EditLock lock = TakeEditLock(kEditLockFile);
        if (lock == EditLock::Busy) {
            ShowErrorBox(u"Spieldex: Edit-Modus bereits aktiv"_s,
                         u"Der Spieldex läuft in diesem Ordner bereits im Edit-Modus. Damit keine Änderungen verloren "
                         u"gehen, startet er jetzt nur zum Lesen. Beenden Sie zuerst das andere Programm, um hier "
                         u"zu bearbeiten."_s);
            EditModeFlag(emNormal);
            return true;
        }
        if (lock == EditLock::Taken) { // no other editor is saving: what a killed save left can go
            RemoveSaveLeftovers(kGameTableFile);
            RemoveSaveLeftovers(kTipsTableFile);
        }
        EditModeFlag(emEdit);
        return true;
    }
    ShowErrorBox(
        u"Spieldex: Edit-Modus nicht ausführbar"_s,
        u"Sie haben den Spieldex im Edit-Modus gestartet. Der Datenträger mit der Datenbank ist allerdings "
        u"schreibgeschützt (z.B. Diskette) oder kann nicht beschrieben werden (CD-ROM). Bitte kopieren Sie den "
        u"Spieldex auf einen beschreibbaren Datenträger und starten Sie ihn erneut im Edit-Modus."_s);
    return false;
}

int RunSpieldex(QApplication &app, const QStringList &arguments)
{
    if (!CaptureProgramFolder())
        return 0;
    ProgramFolder(pfEnter);
    if (!FixOperatingMode(CommandLineTail(arguments)))
        return 0;
    Screenshot(ssInit);
    Screenshot(ssSwitch, nullptr, 1);
    BadgeOverlay(boInit);
    SearchTextStore(stClear);
    RunMainWindow(app);
    ReleaseEditLock(); // the tables are saved: the folder is left as the editor found it
    return 0;
}
