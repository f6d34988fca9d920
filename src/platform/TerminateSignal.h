#pragma once

class QWidget;

// Closes the window, as "Beenden" would, when the session ends the program (SIGTERM,
// SIGINT, SIGHUP), so that edit mode still saves its tables.
void CloseOnTerminateSignal(QWidget *window);
