#include "TabText.h"

#include "TClientDataSet.h"
#include "UserErrors.h"

#include <QFileDevice>
#include <QIODevice>

#include <array>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr char kTab = 9;
constexpr char kLineEnd[] = {13, 10};
constexpr int kProgressRows = 1024;
constexpr qint64 kWriteBlock = 64 * 1024;
constexpr qint64 kReadBlock = 64 * 1024;
constexpr int kEnd = -1;
constexpr int kTooLong = -2;

// Windows-1252 0x80-0x9F; the unassigned bytes keep their own code.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> MakeDecodeTable()
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[size_t(b)] = (b >= 0x80 && b < 0xA0) ? kHighControls[size_t(b - 0x80)] : char16_t(b);
    return table;
}
constexpr std::array<char16_t, 256> kDecode = MakeDecodeTable();

// The byte for a character, or -1 when Windows-1252 lacks it.
int EncodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

QString Decode(const char *bytes, qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < length; ++i)
        out[i] = kDecode[static_cast<unsigned char>(bytes[i])];
    return text;
}

// Encodes text into out (room for text.size() bytes); returns how many characters it
// encoded, fewer than all at the first one Windows-1252 lacks.
qsizetype EncodeInto(QStringView text, char *out)
{
    const char16_t *chars = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = EncodeChar(chars[i]);
        if (byte < 0)
            return i;
        out[i] = char(byte);
    }
    return text.size();
}

// Collects bytes and hands them to the device in blocks; remembers the first failure.
class BlockWriter {
public:
    explicit BlockWriter(QIODevice &out) : out_(out) { buffer_.reserve(size_t(kWriteBlock) + 4096); }

    bool failed() const { return !error_.isEmpty(); }
    const QString &error() const { return error_; }
    // Record lines the device has taken.
    int rowsWritten() const { return rowsWritten_; }

    void put(char byte) { buffer_.push_back(byte); }
    void endLine() { buffer_.append(kLineEnd, 2); }
    void endRow()
    {
        endLine();
        ++rowsPending_;
    }
    void putNumber(qint64 number)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        buffer_.append(digits, size_t(end - digits));
    }

    // Encodes text; on a character Windows-1252 lacks, what came before text is written
    // and the export fails there.
    void putText(QStringView text, const QString &fieldName)
    {
        const size_t before = buffer_.size();
        buffer_.resize(before + size_t(text.size()));
        const qsizetype done = EncodeInto(text, buffer_.data() + before);
        if (done == text.size())
            return;
        buffer_.resize(before);
        flush();
        if (failed())
            return;
        const QString character = text.mid(done, text.at(done).isHighSurrogate() ? 2 : 1).toString();
        error_ = u"Das Zeichen „%1“ im Feld %2 lässt sich in der Datei nicht darstellen"_s.arg(character,
                                                                                              fieldName);
    }

    void flushIfFull()
    {
        if (qint64(buffer_.size()) >= kWriteBlock)
            flush();
    }

    void flush()
    {
        if (buffer_.empty() || failed())
            return;
        if (out_.write(buffer_.data(), qint64(buffer_.size())) != qint64(buffer_.size())) {
            fail();
        } else {
            rowsWritten_ += rowsPending_;
            rowsPending_ = 0;
        }
        buffer_.clear();
    }

    // Makes a file's own buffer reach the disk, so a full disk shows here and not later.
    void flushDevice()
    {
        flush();
        if (failed())
            return;
        if (auto *file = qobject_cast<QFileDevice *>(&out_); file && !file->flush())
            fail();
    }

private:
    void fail()
    {
        const QString reason = out_.errorString();
        error_ = reason.isEmpty() ? u"Die Datei kann nicht geschrieben werden"_s
                                  : u"Die Datei kann nicht geschrieben werden: %1"_s.arg(reason);
    }

    QIODevice &out_;
    std::string buffer_;
    QString error_;
    int rowsPending_ = 0;
    int rowsWritten_ = 0;
};

// The device's bytes one at a time, read in blocks; one step back after a read is allowed.
class ByteReader {
public:
    ByteReader(QIODevice &in, const TabTextProgress &progress)
        : in_(in), progress_(progress), total_(in.isSequential() ? 0 : in.size() - in.pos())
    {
        // A small file needs no big block.
        block_.resize(total_ > 0 ? std::min(total_ + 1, kReadBlock) : kReadBlock);
    }

    // The next byte, or -1 at the end of the bytes (or after a read error).
    int next()
    {
        if (pos_ == end_ && !refill())
            return -1;
        return static_cast<unsigned char>(block_[pos_++]);
    }
    void back() { --pos_; }

    // Reads one value's characters (code 32 and up) into value, at most
    // kTabTextMaxValueLength of them. Returns the character that ended it (below 32),
    // kEnd at the end of the bytes, or kTooLong at one character too many.
    int readValue(char *value, int &length)
    {
        length = 0;
        for (;;) {
            if (pos_ == end_ && !refill())
                return kEnd;
            const char *start = block_.constData() + pos_;
            const char *stop = block_.constData() + end_;
            const char *p = start;
            while (p != stop && static_cast<unsigned char>(*p) >= 32)
                ++p;
            const qint64 n = p - start;
            if (length + n > kTabTextMaxValueLength)
                return kTooLong;
            std::memcpy(value + length, start, size_t(n));
            length += int(n);
            pos_ += n;
            if (p != stop) {
                ++pos_;
                return static_cast<unsigned char>(*p);
            }
        }
    }

    bool failed() const { return failed_; }
    QString error() const { return in_.errorString(); }

private:
    bool refill()
    {
        if (ended_)
            return false;
        const qint64 got = in_.read(block_.data(), block_.size());
        if (got <= 0) {
            ended_ = true;
            failed_ = got < 0;
            return false;
        }
        pos_ = 0;
        end_ = got;
        done_ += got;
        if (progress_)
            progress_(done_, total_);
        return true;
    }

    QIODevice &in_;
    const TabTextProgress &progress_;
    QByteArray block_;
    qint64 pos_ = 0;
    qint64 end_ = 0;
    qint64 done_ = 0;
    qint64 total_;
    bool ended_ = false;
    bool failed_ = false;
};

bool IsLineEnd(int c)
{
    return c >= 0 && c < 32 && c != kTab;
}

// Reads past line end characters; false at the end of the bytes, otherwise the reader
// stands on the first character after them.
bool SkipLineEnds(ByteReader &reader)
{
    int c;
    do
        c = reader.next();
    while (IsLineEnd(c));
    if (c < 0)
        return false;
    reader.back();
    return true;
}

// One value of the file into the record, by ConvertTextForField's rule (a number field takes
// a whole number or nothing, a text keeps at most its size), without a string per value.
void AddValue(RecordStore::Builder &record, const FieldDef &field, const char *bytes, int length)
{
    char16_t text[kTabTextMaxValueLength];
    for (int i = 0; i < length; ++i)
        text[i] = kDecode[static_cast<unsigned char>(bytes[i])];
    if (field.type == FieldType::Integer) {
        if (length == 0) {
            record.addNull();
            return;
        }
        qint64 number = 0;
        if (!ParseWholeNumber(QStringView(text, length), number)) // the rule raises its own message
            number = ConvertTextForField(field, Decode(bytes, length)).integer();
        record.addInteger(number);
        return;
    }
    const int keep = field.size > 0 ? std::min(length, field.size) : length;
    char utf8[kTabTextMaxValueLength * 3]; // the code page's characters lie in the BMP: three bytes at most
    int n = 0;
    for (int i = 0; i < keep; ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            utf8[n++] = char(c);
        } else if (c < 0x800) {
            utf8[n++] = char(0xC0 | (c >> 6));
            utf8[n++] = char(0x80 | (c & 0x3F));
        } else {
            utf8[n++] = char(0xE0 | (c >> 12));
            utf8[n++] = char(0x80 | ((c >> 6) & 0x3F));
            utf8[n++] = char(0x80 | (c & 0x3F));
        }
    }
    record.addUtf8(utf8, n);
}

TabImportOutcome ReadRecords(ByteReader &reader, const std::vector<FieldDef> &fields, RecordStore &records,
                             QString &message)
{
    // The header's content is never compared with the field names.
    int c;
    do
        c = reader.next();
    while (c == kTab || c >= 32);
    if (c < 0 || !SkipLineEnds(reader))
        return TabImportOutcome::NoRecords;

    const int n = int(fields.size());
    char value[kTabTextMaxValueLength];
    for (;;) {
        // Written straight into the store; a record that fails is never finished, and a
        // failed import drops the store anyway.
        RecordStore::Builder record(records);
        int i = 0;
        while (i < n) {
            int length = 0;
            c = reader.readValue(value, length);
            if (c == kTooLong)
                return TabImportOutcome::ValueTooLong;
            if (c == kEnd && i < n - 1)
                return TabImportOutcome::EndsInsideRecord;
            try {
                AddValue(record, fields[size_t(i)], value, length);
            } catch (const EDatabaseError &e) {
                message = e.message();
                return TabImportOutcome::ValueNotAccepted;
            }
            ++i;
            if (c != kTab && c != kEnd)
                break; // a line end ends the record; the fields after it stay Null
        }
        for (; i < n; ++i)
            record.addNull();
        record.finish();
        if (!SkipLineEnds(reader))
            return TabImportOutcome::Success;
    }
}

} // namespace

QString DecodeWindows1252(QByteArrayView bytes)
{
    return Decode(bytes.data(), bytes.size());
}

bool EncodeWindows1252(QStringView text, QByteArray &out)
{
    const qsizetype before = out.size();
    out.resize(before + text.size());
    const qsizetype done = EncodeInto(text, out.data() + before);
    out.truncate(before + done);
    return done == text.size();
}

TabExportResult WriteTabText(QIODevice &out, const TClientDataSet &table, const TabTextProgress &progress)
{
    BlockWriter writer(out);
    TabExportResult result;
    const int fieldCount = table.FieldCount();
    for (int f = 0; f < fieldCount && !writer.failed(); ++f) {
        if (f > 0)
            writer.put(kTab);
        writer.putText(table.FieldDefAt(f).name, table.FieldDefAt(f).name);
    }
    if (!writer.failed())
        writer.endLine();

    const int rows = table.RecordCount();
    for (int row = 0; row < rows && !writer.failed(); ++row) {
        const std::vector<FieldValue> values = table.RowValues(row);
        for (int f = 0; f < fieldCount && !writer.failed(); ++f) {
            if (f > 0)
                writer.put(kTab);
            const FieldValue &value = values[size_t(f)];
            if (value.isInteger())
                writer.putNumber(value.integer());
            else if (value.isText())
                writer.putText(value.text(), table.FieldDefAt(f).name);
        }
        if (writer.failed())
            break;
        writer.endRow();
        writer.flushIfFull();
        if (progress && (row + 1) % kProgressRows == 0)
            progress(row + 1, rows);
    }
    writer.flushDevice();
    result.rowsWritten = writer.rowsWritten();
    if (writer.failed()) {
        result.ok = false;
        result.error = writer.error();
        return result;
    }
    if (progress)
        progress(rows, rows);
    return result;
}

TabImportResult ReadTabText(QIODevice &in, const std::vector<FieldDef> &fields, const TabTextProgress &progress)
{
    if (fields.empty())
        throw std::invalid_argument("ReadTabText needs at least one field");
    TabImportResult result;
    result.records = RecordStore(int(fields.size()));
    ByteReader reader(in, progress);
    result.outcome = ReadRecords(reader, fields, result.records, result.message);
    // A read error looks like an early end of the bytes: it overrides whatever that caused.
    if (reader.failed()) {
        result.outcome = TabImportOutcome::ReadFailed;
        result.message = u"Die Datei kann nicht gelesen werden: %1"_s.arg(reader.error());
    }
    switch (result.outcome) {
    case TabImportOutcome::Success:
        result.message.clear();
        return result;
    case TabImportOutcome::EndsInsideRecord:
        result.message = kTabImportEndsInsideRecordText;
        break;
    case TabImportOutcome::ValueTooLong:
        result.message = kTabImportValueTooLongText;
        break;
    case TabImportOutcome::NoRecords:
        result.message = kTabImportNoRecordsText;
        break;
    default:
        break;
    }
    result.records = RecordStore(int(fields.size()));
    return result;
}
