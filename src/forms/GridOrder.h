#pragma once

#include <QString>

// The order a click on a grid's column title asks for: the title field alone for a
// column named exactly TITEL, else the column's field and then the title.
inline QString IndexForTitleClick(const QString &fieldName)
{
    return fieldName == QStringLiteral("TITEL") ? fieldName : fieldName + QStringLiteral("; TITEL");
}
