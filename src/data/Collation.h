#pragma once

#include <QCollator>
#include <QLocale>

// The locale whose collation orders texts: the program's default locale, which start-up
// makes German (the tables are German); German too where none is set (the C locale).
QLocale CollationLocale();

// One collator for the whole run, made for CollationLocale() on first use.
const QCollator &TextCollator();
