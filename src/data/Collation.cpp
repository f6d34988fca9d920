#include "Collation.h"

QLocale CollationLocale()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::German, QLocale::Germany);
    return locale;
}

const QCollator &TextCollator()
{
    static const QCollator collator(CollationLocale());
    return collator;
}
