#pragma once

#include <QString>

// The real path of the running program file (links resolved).
QString RunningProgramPath();

// Makes a file writable for its owner and checks that it can be opened for writing.
// False for a missing file, a read-only medium or a file that cannot be written.
bool MakeFileWritable(const QString &fileName);
