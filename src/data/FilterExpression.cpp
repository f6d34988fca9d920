#include "FilterExpression.h"

#include "UserErrors.h"

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void Unreadable(const QString &expression)
{
    throw EDatabaseError(u"Der Filterausdruck %1 kann nicht gelesen werden"_s.arg(expression));
}

bool IsNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

FilterExpression ParseFilterExpression(const QString &expression)
{
    FilterExpression result;
    qsizetype i = 0;
    const qsizetype n = expression.size();
    const auto skipBlanks = [&] {
        while (i < n && expression.at(i).isSpace())
            ++i;
    };

    skipBlanks();
    if (i == n)
        return result;
    const qsizetype nameStart = i;
    while (i < n && IsNameCharacter(expression.at(i)))
        ++i;
    if (i == nameStart)
        Unreadable(expression);
    const QString name = expression.mid(nameStart, i - nameStart);

    skipBlanks();
    if (i == n || expression.at(i) != u'=')
        Unreadable(expression);
    ++i;
    skipBlanks();
    if (i == n || expression.at(i) != u'\'')
        Unreadable(expression);
    ++i;

    QString literal;
    bool closed = false;
    while (i < n) {
        const QChar c = expression.at(i++);
        if (c != u'\'') {
            literal += c;
        } else if (i < n && expression.at(i) == u'\'') {
            literal += c; // a doubled quote is one quote
            ++i;
        } else {
            closed = true;
            break;
        }
    }
    skipBlanks();
    if (!closed || i != n)
        Unreadable(expression);

    result.fieldName = name;
    result.prefix = literal.endsWith(u'*');
    result.literal = result.prefix ? literal.chopped(1) : literal;
    result.utf8 = result.literal.toUtf8();
    return result;
}
