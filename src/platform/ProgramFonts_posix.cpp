#include "ProgramFonts.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

int RegisterProgramFonts()
{
    return RegisterFacesInPlaceOf({u"Arial"_s, u"MS Sans Serif"_s});
}

bool UseProgramFontConfig(const QString &programFolder)
{
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE") || qEnvironmentVariableIsSet("FONTCONFIG_PATH")
        || qEnvironmentVariableIsSet("FONTCONFIG_SYSROOT"))
        return false;
    const QFileInfo config(programFolder + u"/fonts/fonts.conf"_s);
    if (!config.isFile())
        return false;
    // The font library also reads every rule file of the machine's template folder at its
    // start, to describe them, though it applies none. With the fonts folder as the root
    // of its file names, that folder is not found there and nothing is read; a name that
    // already starts with the root, like the configuration's own, is taken as it is.
    const QString canonical = config.canonicalFilePath();
    return qputenv("FONTCONFIG_SYSROOT", QFile::encodeName(QFileInfo(canonical).path()))
           && qputenv("FONTCONFIG_FILE", QFile::encodeName(canonical));
}
