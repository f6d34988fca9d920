#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUtf8StringView>

// The one filter form the program uses: FIELD = 'literal'. A literal ending in an
// asterisk matches every text that begins with what stands before that asterisk (an
// asterisk elsewhere is an ordinary character); without one the text must be equal.
// A doubled single quote inside the literal stands for one quote. Case counts.
struct FilterExpression {
    QString fieldName; // empty: no filter, everything passes
    QByteArray utf8;   // the literal without its final asterisk, in UTF-8 as the engine keeps its texts
    bool prefix = false;

    // A byte prefix of UTF-8 is a character prefix, so texts are compared as stored.
    bool matches(QUtf8StringView value) const
    {
        const QByteArrayView bytes(value.data(), value.size());
        return prefix ? bytes.startsWith(utf8) : bytes == QByteArrayView(utf8);
    }
};

// Parses an expression; an empty or blank one gives no filter.
// Raises EDatabaseError naming the expression when it cannot be read.
FilterExpression ParseFilterExpression(const QString &expression);
