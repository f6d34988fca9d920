#pragma once

#include "FieldValue.h"

#include <QString>
#include <QStringView>
#include <vector>

// The records of one table in stored order, kept compactly: per record one block of
// text holding all its text values back to back, and one small cell per field.
class RecordStore {
public:
    explicit RecordStore(int fieldCount = 0) : fieldCount_(fieldCount) {}

    int fieldCount() const { return fieldCount_; }
    int size() const { return static_cast<int>(texts_.size()); }
    void reserve(int records);
    void clear();

    bool isNull(int record, int field) const { return cell(record, field).length == kNull; }
    bool isInteger(int record, int field) const { return cell(record, field).length == kInteger; }
    qint64 integer(int record, int field) const { return cell(record, field).number; }
    // The text of a text cell; empty for Null and number cells.
    QStringView text(int record, int field) const;
    FieldValue value(int record, int field) const;
    // Text form of a cell: text as stored, numbers as decimal digits, Null empty.
    QString textForm(int record, int field) const;

    // Values are Null, text or integer; unassigned and missing trailing values are stored as Null.
    void append(const std::vector<FieldValue> &values);
    void replace(int record, const std::vector<FieldValue> &values);
    void remove(int record);

    // Builds a record cell by cell, for bulk loading without temporary values.
    class Builder {
    public:
        explicit Builder(RecordStore &store);
        void addNull();
        void addInteger(qint64 number);
        void addText(const char16_t *data, qsizetype length);
        void finish(); // appends the record; every field must have been added
    private:
        RecordStore &store_;
        QString text_;
        std::vector<qint64> numbers_;
        std::vector<qint32> offsets_;
        std::vector<qint32> lengths_;
    };

private:
    static constexpr qint32 kNull = -1;
    static constexpr qint32 kInteger = -2;
    struct Cell {
        qint64 number = 0;
        qint32 offset = 0;
        qint32 length = kNull; // >= 0: text at offset; kNull; kInteger: number holds it
    };

    const Cell &cell(int record, int field) const { return cells_[size_t(record) * fieldCount_ + field]; }
    void encode(const std::vector<FieldValue> &values, QString &text, Cell *cells) const;

    int fieldCount_;
    std::vector<Cell> cells_;
    std::vector<QString> texts_;
};
