#include "ProcessSetup.h"

#include "ProgramFonts.h"

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

void PrepareProcess(const QString &programFolder)
{
    SkipAbsentSessionBus();
    UseProgramFontConfig(programFolder);
}
