#include "ProgramFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>

using namespace Qt::StringLiterals;

int RegisterProgramFonts()
{
    const QDir folder(QCoreApplication::applicationDirPath() + u"/fonts"_s);
    QStringList families;
    for (const QString &file : folder.entryList({u"*.ttf"_s, u"*.otf"_s}, QDir::Files, QDir::Name)) {
        const int id = QFontDatabase::addApplicationFont(folder.filePath(file));
        if (id >= 0)
            families << QFontDatabase::applicationFontFamilies(id);
    }
    const QString sans = u"Liberation Sans"_s;
    if (families.contains(sans)) {
        for (const QString &asked : {u"Arial"_s, u"MS Sans Serif"_s})
            QFont::insertSubstitution(asked, sans);
    }
    return int(families.size());
}

bool UseProgramFontConfig(const QString &programFolder)
{
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE") || qEnvironmentVariableIsSet("FONTCONFIG_PATH"))
        return false;
    const QString config = programFolder + u"/fonts/fonts.conf"_s;
    if (!QFileInfo(config).isFile())
        return false;
    return qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
}
