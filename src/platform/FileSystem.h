#pragma once

#include <QString>

// Makes a file writable: on Windows its attributes become normal (read-only and every other
// attribute cleared), elsewhere its owner gets the write permission; then checks that it can
// be opened for writing. False for a missing file, a read-only medium or a file that cannot
// be written.
bool MakeFileWritable(const QString &fileName);

// Writes what the system still holds of a file (or, on POSIX, a folder's entries) through
// to the medium. False when the medium refuses.
bool FlushToMedium(const QString &path);

// Puts the file `from` in the place of `to` in one step, replacing it, and makes the new
// name last on the medium: a crash leaves either the old file or the new one under the
// name. Returns 0, or the reason as an errno value (ENOSPC, EACCES, EROFS, EIO, ...).
int ReplaceFileDurably(const QString &from, const QString &to);
