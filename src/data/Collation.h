#pragma once

#include <QCollator>
#include <QLocale>

// The locale whose collation orders texts: the user's, or German where the user has
// none (the C locale), since the tables are German.
QLocale CollationLocale();

// One collator for the whole run, made for CollationLocale() on first use.
const QCollator &TextCollator();
