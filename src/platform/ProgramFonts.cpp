#include "ProgramFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

using namespace Qt::StringLiterals;

int RegisterFacesInPlaceOf(const QStringList &asked)
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
        for (const QString &name : asked)
            QFont::insertSubstitution(name, sans);
    }
    return int(families.size());
}
