#include "ProgramFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
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
    const QDir folder(QCoreApplication::applicationDirPath() + u"/fonts"_s);
    QStringList families;
    for (const QString &file : folder.entryList({u"*.ttf"_s, u"*.otf"_s}, QDir::Files, QDir::Name)) {
        const int id = QFontDatabase::addApplicationFont(folder.filePath(file));
        if (id >= 0)
            families << QFontDatabase::applicationFontFamilies(id);
    }
    const QString sans = u"Liberation Sans"_s;
    if (families.contains(sans)) {
        for (const QString &asked : missing)
            QFont::insertSubstitution(asked, sans);
    }
    return int(families.size());
}

bool UseProgramFontConfig(const QString &)
{
    return false; // Windows' fonts need no configuration of the program's
}
