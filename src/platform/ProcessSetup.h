#pragma once

#include <QString>

// What the process sets up before the window framework starts, in the program's folder:
// on Linux the CD's own font configuration, and no wait for a session bus that is not
// there; on Windows no system box asking for a disc when a drive is empty.
void PrepareProcess(const QString &programFolder);
