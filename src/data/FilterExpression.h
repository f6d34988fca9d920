#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUtf8StringView>

// The one filter form the program uses: FIELD = 'literal'. A literal ending in an
// asterisk matches every text that begins with what stands before that asterisk (an
// asterisk elsewhere is an ordinary character); without one the text must be equal.
// A doubled single quote inside the literal stands for one quote. Case counts unless the
// comparison is asked to ignore it.
struct FilterExpression {
    QString fieldName; // empty: no filter, everything passes
    QString literal;   // without its final asterisk
    QByteArray utf8;   // the same in UTF-8, as the engine keeps its texts
    bool prefix = false;

    bool matches(QUtf8StringView value, bool ignoreCase = false) const
    {
        if (ignoreCase) { // letter by letter, so a text never changes its length on the way
            const QString text = value.toString();
            return prefix ? text.startsWith(literal, Qt::CaseInsensitive)
                          : text.compare(literal, Qt::CaseInsensitive) == 0;
        }
        // A byte prefix of UTF-8 is a character prefix, so texts are compared as stored.
        const QByteArrayView bytes(value.data(), value.size());
        return prefix ? bytes.startsWith(utf8) : bytes == QByteArrayView(utf8);
    }
};

// Parses an expression; an empty or blank one gives no filter.
// Raises EDatabaseError naming the expression when it cannot be read.
FilterExpression ParseFilterExpression(const QString &expression);
