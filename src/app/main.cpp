#include "FileSystem.h"
#include "GermanTexts.h"
#include "ProgramFonts.h"
#include "Startup.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// Without a session bus no screen reader can be listening, yet the window framework's
// accessibility probe asks for one, and libdbus then tries to start a bus of its own
// (dbus-launch, in a forked copy of the program) before the first page is shown. An
// address that leads nowhere ends the probe at once. A bus given in the environment or
// lying in its usual place is used as always.
void SkipAbsentSessionBus()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") || qEnvironmentVariableIsSet("AT_SPI_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null");
}

} // namespace

int main(int argc, char *argv[])
{
    // Taken before the window framework consumes its own options from argv.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    SkipAbsentSessionBus();
    const QString programFolder = QFileInfo(RunningProgramPath()).absolutePath();
    UseProgramFontConfig(programFolder);
    // A reader's start: the game table beside the program is read while the window framework
    // sets itself up. Edit mode reads it only once it holds the folder.
    if (!EditModeAsked(CommandLineTail(arguments)))
        ReadTableFileAhead(programFolder + u'/' + kGameTableFile, kGameTableFile);
    QApplication app(argc, argv);
    LoadGermanTexts(app);
    RegisterProgramFonts();
    return RunSpieldex(app, arguments);
}
