#pragma once

#include "FieldValue.h"

#include <QString>
#include <QUtf8StringView>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The records of one table in stored order, kept compactly: each record is one run of
// bytes in a chunked arena, its cells one after the other (a tag, then a variable-length
// number or the UTF-8 bytes of a text), so a table costs little more than its text.
class RecordStore {
public:
    enum Tag : unsigned char { kNull = 0, kInteger = 1, kText = 2 };
    // A cell as stored; its text points into the store.
    struct Cell {
        Tag tag = kNull;
        qint64 number = 0;
        QUtf8StringView text;
    };

    explicit RecordStore(int fieldCount = 0) : fieldCount_(fieldCount) {}
    RecordStore(RecordStore &&) noexcept = default;
    RecordStore &operator=(RecordStore &&) noexcept = default;

    int fieldCount() const { return fieldCount_; }
    int size() const { return int(records_.size()); }
    void reserve(int records) { records_.reserve(size_t(records)); }
    void clear();

    // One cell, read without copying its text.
    Cell cell(int record, int field) const;
    bool isNull(int record, int field) const { return cell(record, field).tag == kNull; }
    bool isInteger(int record, int field) const { return cell(record, field).tag == kInteger; }
    qint64 integer(int record, int field) const { return cell(record, field).number; }
    // The UTF-8 bytes of a text cell; empty for Null and number cells.
    QUtf8StringView text(int record, int field) const { return cell(record, field).text; }
    FieldValue value(int record, int field) const;
    // All the record's values, read in one walk.
    std::vector<FieldValue> values(int record) const;
    // All the record's cells, read in one walk without copying a text; `out` keeps its
    // capacity from one record to the next.
    void cells(int record, std::vector<Cell> &out) const;
    // Text form of a cell: text as stored, numbers as decimal digits, Null empty.
    QString textForm(int record, int field) const;
    // The record's cells as stored; two records hold the same values exactly when these match.
    std::string_view bytes(int record) const { return {records_[size_t(record)].data, records_[size_t(record)].size}; }

    // Values are Null, text or integer; unassigned and missing trailing values are stored as Null.
    void append(const std::vector<FieldValue> &values);
    // Puts a record before `record` in stored order; the later records move up by one.
    void insert(int record, const std::vector<FieldValue> &values);
    void replace(int record, const std::vector<FieldValue> &values);
    void remove(int record);

    // Builds a record cell by cell, for bulk loading without temporary values.
    // The record is written straight into the arena.
    class Builder {
    public:
        explicit Builder(RecordStore &store) : store_(store) {}
        void addNull();
        void addInteger(qint64 number);
        void addUtf8(const char *data, qsizetype length);
        void finish(); // appends the record; every field must have been added
    private:
        RecordStore &store_;
        size_t length_ = 0; // bytes of the record written so far
    };

private:
    struct Span {
        const char *data;
        size_t size;
    };
    struct ChunkDeleter {
        void operator()(char *chunk) const;
    };

    static Cell NextCell(const char *&p);
    static void EncodeValue(std::string &bytes, const FieldValue &value);
    const std::string &Encode(const std::vector<FieldValue> &values);
    Span Store(const std::string &bytes);
    // Room for `more` bytes after the `partial` bytes of a record being written at the end
    // of the arena; a record that outgrows its chunk moves to a new one.
    char *Room(size_t partial, size_t more);

    int fieldCount_;
    std::vector<Span> records_;
    std::vector<std::unique_ptr<char[], ChunkDeleter>> chunks_;
    size_t chunkUsed_ = 0;
    size_t chunkSize_ = 0;
    std::string scratch_; // the record being encoded
};
