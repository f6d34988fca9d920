#include "ProcessSetup.h"

#include <windows.h>

void PrepareProcess(const QString &)
{
    // A look at an empty drive (a file dialog passing the CD drive with no disc in it)
    // fails quietly instead of stopping the program with a system box.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
}
