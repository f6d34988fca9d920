#include "CommandLine.h"

#include <QCoreApplication>
#include <QFileInfo>

CommandLine ProcessCommandLine(const QStringList &arguments)
{
    return {arguments.value(0), arguments.mid(1).join(u' ')};
}

QString RunningProgramPath()
{
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty())
        return self;
    return QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
}

bool IsPathSeparator(QChar c)
{
    return c == u'/';
}
