#pragma once

class QCoreApplication;

// Every text of the program is German, so the window framework's own texts (the buttons of
// message boxes, the file dialogs) are made German too, whatever the user's locale. The
// translations are looked for beside the program first, then where the framework keeps them.
// Returns false when none could be loaded (the framework's texts then stay English).
bool LoadGermanTexts(QCoreApplication &app);
