#pragma once

#include <QString>

// Facts the record generator and the CD writer must agree on.

// The game whose BILDNAME names a file the CD lacks.
inline const QString kTitleWithMissingScreenshot = QStringLiteral("Nachtflug über Ödland");

// The games whose screenshot file is there but shows the fallback: damaged, of the wrong kind.
inline const QString kTitleWithDamagedScreenshot = QStringLiteral("Sternenstaub");
inline const QString kTitleWithWrongKindScreenshot = QStringLiteral("Opa Krächz' Zirkus");

// The one game with three tips.
inline const QString kTitleWithThreeTips = QStringLiteral("Sternenwacht II: Der Verrat");

