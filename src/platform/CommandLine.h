#pragma once

#include <QString>
#include <QStringList>

// How the program was started: its own name as the command line gives it, and the tail,
// what follows the name after the blanks and tabs behind it.
struct CommandLine {
    QString programName;
    QString tail;
};

// A command line as Windows keeps it, split: the name runs up to the first blank or tab
// outside double quotes, and quotes are dropped from it wherever they stand, so
// "C:\Program Files\Spieldex\spieldex.exe" /e names the whole path.
CommandLine SplitCommandLine(const QString &line);

// The process's command line: on Windows the system's own, which keeps the program's
// path as it was started; elsewhere main's arguments, the tail their rest joined by blanks.
CommandLine ProcessCommandLine(const QStringList &arguments);

// The path of the running program file, the one the program folder is cut from: on Windows
// the name on the command line (the program file's own path where the line names no folder),
// elsewhere the real path of the program file, links resolved.
QString RunningProgramPath();

// Whether c separates the parts of a path on this system.
bool IsPathSeparator(QChar c);
