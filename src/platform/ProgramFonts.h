#pragma once

#include <QString>
#include <QStringList>

// The faces the page and the dialogs use travel with the program, in the folder fonts/
// beside it: they are registered at start, and the names the page and the dialogs ask for
// ("Arial", "MS Sans Serif") lead to them, so the page looks the same on every machine,
// whatever fonts it has or lacks. Without that folder the machine's own fonts serve.
// Returns the number of faces registered.
int RegisterProgramFonts();

// The faces in fonts/ beside the program, registered, and the names asked for leading to
// them; the number of faces registered. RegisterProgramFonts asks for what its system lacks.
int RegisterFacesInPlaceOf(const QStringList &asked);

// Before the application object exists: where the folder fonts/ in the program's folder holds
// its own font configuration (fonts.conf, naming no folder of the machine), the font
// library reads that one instead of the machine's dozens of rule files and every system
// font. A configuration or root given in the environment is kept. Returns whether it was taken.
bool UseProgramFontConfig(const QString &programFolder);
