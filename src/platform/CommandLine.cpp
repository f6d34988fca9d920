#include "CommandLine.h"

CommandLine SplitCommandLine(const QString &line)
{
    CommandLine split;
    bool quoted = false;
    qsizetype i = 0;
    for (; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == u' ' || c == u'\t'))
            break;
        split.programName += c;
    }
    while (i < line.size() && (line.at(i) == u' ' || line.at(i) == u'\t'))
        ++i;
    split.tail = line.mid(i);
    return split;
}
