#pragma once

#include <QString>
#include <variant>

// Type of a table field: a whole number or a text of limited length.
enum class FieldType { Integer, Text };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters a text field keeps; 0 means no limit
};

// The value of one field as the engine hands it out. Unassigned is the value of a
// slot nobody filled; Null is a database null. Only Null counts as missing.
class FieldValue {
public:
    enum class Kind { Unassigned, Null, Text, Integer };

    FieldValue() = default;
    FieldValue(const QString &text) : v_(text) {}
    FieldValue(qint64 number) : v_(number) {}
    static FieldValue null() { FieldValue v; v.v_ = nullptr; return v; }

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool isUnassigned() const { return kind() == Kind::Unassigned; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isText() const { return kind() == Kind::Text; }
    bool isInteger() const { return kind() == Kind::Integer; }

    // Precondition: isText() / isInteger().
    const QString &text() const { return std::get<QString>(v_); }
    qint64 integer() const { return std::get<qint64>(v_); }

    // Text form: a text unchanged, a number as its decimal digits, Null and unassigned empty.
    QString toText() const;

    friend bool operator==(const FieldValue &, const FieldValue &) = default;

private:
    std::variant<std::monostate, std::nullptr_t, QString, qint64> v_;
};

// Converts text to a field's type. An empty text sets a whole-number field to Null;
// a text that is not a whole number raises EDatabaseError naming the text and the field.
// A text field keeps at most its size in characters.
FieldValue ConvertTextForField(const FieldDef &field, const QString &text);

// Converts any value to a field's type by way of its text form; Null stays Null.
FieldValue ConvertValueForField(const FieldDef &field, const FieldValue &value);

// Parses a whole number (blanks around it allowed). Returns false for anything else.
bool ParseWholeNumber(QStringView text, qint64 &number);
