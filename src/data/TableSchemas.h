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

// The screenshot folder of a game, cut out of its issue (AUSGABE): characters 5-8 and
// 10-11, so "Nr. 1998-12" gives "199812". The characters are kept as they are, blanks,
// hyphens and umlauts included; only one that cannot stand in a folder name ("/", the
// null character, half a character) becomes "0", and so does a character the text lacks.
// A missing issue gives "000000".
QString PictureKey(const FieldValue &issue);
