#include "GermanTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool LoadGermanTexts(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    for (const QString &folder : {QCoreApplication::applicationDirPath() + u"/translations"_s,
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(u"qtbase_de"_s, folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}
