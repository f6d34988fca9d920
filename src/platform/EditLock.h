#pragma once

#include <QString>

// Edit mode's hold on a folder: a lock on a lock file of the program's own, held until
// ReleaseEditLock, which removes the file, or until the run ends; the system drops it when a
// run dies, so a killed run leaves at most an unlocked file that the next start takes over.
// Busy while another run holds it; Unavailable when the lock file cannot be made or locked.
enum class EditLock { Taken, Busy, Unavailable };
EditLock TakeEditLock(const QString &lockFileName);
void ReleaseEditLock();
