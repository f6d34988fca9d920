#pragma once

#include <QString>

// The real path of the running program file (links resolved).
QString RunningProgramPath();

// Makes a file writable for its owner and checks that it can be opened for writing.
// False for a missing file, a read-only medium or a file that cannot be written.
bool MakeFileWritable(const QString &fileName);

// Edit mode's hold on a folder: an advisory lock on a lock file of the program's own,
// held until ReleaseEditLock, which removes the file, or until the run ends; the system
// drops it when a run dies, so a killed run leaves at most an unlocked file that the next
// start takes over. Busy while another run holds it; Unavailable when the lock file cannot
// be made or locked at all.
enum class EditLock { Taken, Busy, Unavailable };
EditLock TakeEditLock(const QString &lockFileName);
void ReleaseEditLock();
