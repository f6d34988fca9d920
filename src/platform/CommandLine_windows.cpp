#include "CommandLine.h"

#include <windows.h>

#include <vector>

namespace {

QString SystemCommandLine()
{
    return QString::fromWCharArray(GetCommandLineW());
}

QString ProgramFilePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return QString::fromWCharArray(buffer.data(), int(length));
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

CommandLine ProcessCommandLine(const QStringList &)
{
    return SplitCommandLine(SystemCommandLine());
}

QString RunningProgramPath()
{
    const QString named = SplitCommandLine(SystemCommandLine()).programName;
    for (const QChar c : named) {
        if (IsPathSeparator(c))
            return named;
    }
    // A bare name, as typed in a console in the program's folder: the line names no folder
    // to find the tables in, the program file's own path does.
    const QString file = ProgramFilePath();
    return file.isEmpty() ? named : file;
}

bool IsPathSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}
