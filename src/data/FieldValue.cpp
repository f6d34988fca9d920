#include "FieldValue.h"

#include "UserErrors.h"

QString FieldValue::toText() const
{
    switch (kind()) {
    case Kind::Text:
        return text();
    case Kind::Integer:
        return QString::number(integer());
    case Kind::Unassigned:
    case Kind::Null:
        break;
    }
    return {};
}

bool ParseWholeNumber(QStringView text, qint64 &number)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    bool ok = false;
    const qint64 value = trimmed.toLongLong(&ok, 10);
    if (!ok)
        return false;
    number = value;
    return true;
}

FieldValue ConvertTextForField(const FieldDef &field, const QString &text)
{
    if (field.type == FieldType::Integer) {
        if (text.isEmpty())
            return FieldValue::null();
        qint64 number = 0;
        if (!ParseWholeNumber(text, number))
            throw EDatabaseError(QStringLiteral("'%1' ist keine gültige ganze Zahl für das Feld '%2'")
                                     .arg(ValueExcerpt(text), field.name));
        return FieldValue(number);
    }
    if (field.size > 0 && text.size() > field.size) {
        qsizetype keep = field.size;
        if (text.at(keep - 1).isHighSurrogate())
            --keep; // never keep half a character
        return FieldValue(text.left(keep));
    }
    return FieldValue(text);
}

FieldValue ConvertValueForField(const FieldDef &field, const FieldValue &value)
{
    if (value.isNull() || value.isUnassigned())
        return FieldValue::null();
    if (field.type == FieldType::Integer && value.isInteger())
        return value;
    return ConvertTextForField(field, value.toText());
}
