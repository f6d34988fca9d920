#pragma once

#include <QString>

// Facts the record generator and the CD writer must agree on.

// Positions of the game table's fields, in the order of GameTableFields().
enum GameField {
    kTitel, kAusgabe, kSeite, kWertung, kGrafik, kSound, kEinstieg, kKomplexi, kSteuerung, kMultiplay,
    kAnspruch, kGenre, kHersteller, kTestver, kBetriebs, kSprache, kMultiplayt, kDdkarte, kHardwarem,
    kHardwaree, kTester, kExtras, kZusatzcd, kBildname, kGameFieldCount
};

// Positions of the tips table's fields, in the order of TipsTableFields().
enum TipField { kTipTitel, kTipAusgabe, kTipSeite, kTipArt, kTipHinweis, kTipFieldCount };

// The game whose BILDNAME names a file the CD lacks.
inline const QString kTitleWithMissingScreenshot = QStringLiteral("Nachtflug über Ödland");

// The one game with three tips.
inline const QString kTitleWithThreeTips = QStringLiteral("Sternenwacht II: Der Verrat");

// The screenshot folder of an issue: characters 5-8 and 10-11 of "Nr. 1998-12";
// "000000" for a game without an issue.
inline QString PictureKey(const QString &issue, bool isNull)
{
    if (isNull || issue.size() < 11)
        return QStringLiteral("000000");
    return issue.mid(4, 4) + issue.mid(9, 2);
}
