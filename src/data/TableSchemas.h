#pragma once

#include "FieldValue.h"

#include <QString>
#include <vector>

// The file names of the two tables, relative to the program folder.
inline const QString kGameTableFile = QStringLiteral("spdex_d.cds");
inline const QString kTipsTableFile = QStringLiteral("spdex_t.cds");

// The game table's 24 fields in stored order: whole numbers for the page and the
// ratings, text of 64 characters for everything else.
std::vector<FieldDef> GameTableFields();

// The tips table's five fields: Titel, Ausgabe, Seite, Art, Hinweis.
std::vector<FieldDef> TipsTableFields();
