#pragma once

#include <QString>

// The one filter form the program uses: FIELD = 'literal'. A literal ending in an
// asterisk matches every text that begins with what stands before that asterisk (an
// asterisk elsewhere is an ordinary character); without one the text must be equal.
// A doubled single quote inside the literal stands for one quote. Case counts.
struct FilterExpression {
    QString fieldName; // empty: no filter, everything passes
    QString text;      // the literal without its final asterisk
    bool prefix = false;

    bool matches(QStringView value) const
    {
        return prefix ? value.startsWith(text, Qt::CaseSensitive) : value.compare(text, Qt::CaseSensitive) == 0;
    }
};

// Parses an expression; an empty or blank one gives no filter.
// Raises EDatabaseError naming the expression when it cannot be read.
FilterExpression ParseFilterExpression(const QString &expression);
