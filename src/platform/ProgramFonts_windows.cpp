#include "ProgramFonts.h"

#include <QFontDatabase>

using namespace Qt::StringLiterals;

// Windows has "Arial" and "MS Sans Serif" itself, and they are the faces the page and the
// dialogs were made for: the CD's Liberation Sans stands in only for a face that is missing.
int RegisterProgramFonts()
{
    const QStringList installed = QFontDatabase::families();
    QStringList missing;
    for (const QString &asked : {u"Arial"_s, u"MS Sans Serif"_s}) {
        if (!installed.contains(asked, Qt::CaseInsensitive))
            missing << asked;
    }
    if (missing.isEmpty())
        return 0;
    return RegisterFacesInPlaceOf(missing);
}

bool UseProgramFontConfig(const QString &)
{
    return false; // Windows' fonts need no configuration of the program's
}
