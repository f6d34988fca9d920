#pragma once

#include <QString>
#include <QStringList>

class QApplication;

// The whole run of the program for its command line (the program's name first).
// Returns the exit code, which is always 0.
int RunSpieldex(QApplication &app, const QStringList &arguments);

// The steps of start-up that decide whether the program may go on; each shows its own
// box and returns false when it may not.
bool CaptureProgramFolder();
bool FixOperatingMode(const QString &commandLineTail);

// The arguments after the program's name, joined by single blanks.
QString CommandLineTail(const QStringList &arguments);
// Edit mode is asked for exactly when the tail begins with "/e".
bool EditModeAsked(const QString &commandLineTail);
