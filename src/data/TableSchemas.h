#pragma once

#include "FieldValue.h"

#include <QString>
#include <vector>

// The file names of the two tables, relative to the program folder.
inline const QString kGameTableFile = QStringLiteral("spdex_d.cds");
inline const QString kTipsTableFile = QStringLiteral("spdex_t.cds");
// Edit mode's lock on the folder (see TakeEditLock); it holds no data.
inline const QString kEditLockFile = QStringLiteral(".spdex_edit.lock");

// A field of one of the two tables, and the title of its grid column.
struct TableField {
    FieldDef def;
    QString title;
};

// Positions of the game table's fields, in stored order.
enum GameField {
    kTitel, kAusgabe, kSeite, kWertung, kGrafik, kSound, kEinstieg, kKomplexi, kSteuerung, kMultiplay,
    kAnspruch, kGenre, kHersteller, kTestver, kBetriebs, kSprache, kMultiplayt, kDdkarte, kHardwarem,
    kHardwaree, kTester, kExtras, kZusatzcd, kBildname, kGameFieldCount
};

// Positions of the tips table's fields, in stored order.
enum TipField { kTipTitel, kTipAusgabe, kTipSeite, kTipArt, kTipHinweis, kTipFieldCount };

// The game table's 24 fields in stored order, which is also the order of the table view's
// columns: whole numbers for the page and the ratings, text of 64 characters for the rest.
const std::vector<TableField> &GameTable();
// The tips table's five fields, their column titles the field names.
const std::vector<TableField> &TipsTable();

std::vector<FieldDef> GameTableFields();
std::vector<FieldDef> TipsTableFields();
inline const QString &GameFieldName(GameField field) { return GameTable()[field].def.name; }
inline const QString &TipFieldName(TipField field) { return TipsTable()[field].def.name; }

// The screenshot folder of a game, cut out of its issue (AUSGABE): characters 5-8 and
// 10-11, so "Nr. 1998-12" gives "199812". The characters are kept as they are, blanks,
// hyphens and umlauts included; only one that cannot stand in a folder name ("/", the
// null character, half a character) becomes "0", and so does a character the text lacks.
// A missing issue gives "000000".
QString PictureKey(const FieldValue &issue);
