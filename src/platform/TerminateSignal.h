#pragma once

class QWidget;

// Closes the window, as "Beenden" would, when the session ends the program (SIGTERM,
// SIGINT, SIGHUP; on Windows the log-off or shut-down that asks the program to end), so
// that edit mode still saves its tables.
void CloseOnTerminateSignal(QWidget *window);
