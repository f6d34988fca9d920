// libFuzzer: arbitrary bytes as a TAB text file. The first byte picks the fields (the game
// table or a tiny three-field one) and how the bytes are handed out a second time.
#include "TClientDataSet.h"
#include "TabText.h"
#include "TableSchemas.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

void Require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "tabtext_fuzz: violated: %s\n", what);
        std::abort();
    }
}

// Three fields whose types and text sizes come from the selector's bits.
std::vector<FieldDef> TinyFields(std::uint8_t selector)
{
    constexpr int kSizes[] = {0, 1, 3, 64};
    std::vector<FieldDef> fields;
    for (int f = 0; f < 3; ++f) {
        const bool number = selector & (2 << f);
        fields.push_back({u"F%1"_s.arg(f), number ? FieldType::Integer : FieldType::Text,
                          number ? 0 : kSizes[(selector >> 4) & 3]});
    }
    return fields;
}

// Hands out its bytes in pieces of a fixed size, to show the import does not care.
class PieceDevice : public QIODevice {
public:
    PieceDevice(const QByteArray &bytes, qint64 piece) : bytes_(bytes), piece_(piece) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = std::min({max, piece_, qint64(bytes_.size()) - pos_});
        std::copy_n(bytes_.constData() + pos_, n, data);
        pos_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const QByteArray &bytes_;
    qint64 piece_;
    qint64 pos_ = 0;
};

bool SameRecords(const RecordStore &a, const RecordStore &b)
{
    if (a.size() != b.size() || a.fieldCount() != b.fieldCount())
        return false;
    for (int r = 0; r < a.size(); ++r) {
        if (a.bytes(r) != b.bytes(r))
            return false;
    }
    return true;
}

void CheckRecords(const TabImportResult &result, const std::vector<FieldDef> &fields)
{
    using Tag = RecordStore::Tag;
    const RecordStore &records = result.records;
    Require(records.fieldCount() == int(fields.size()), "records have the field count");
    std::vector<RecordStore::Cell> cells;
    for (int r = 0; r < records.size(); ++r) {
        records.cells(r, cells);
        for (int f = 0; f < records.fieldCount(); ++f) {
            const RecordStore::Cell &c = cells[size_t(f)];
            if (fields[size_t(f)].type == FieldType::Integer) {
                Require(c.tag == Tag::kNull || c.tag == Tag::kInteger, "a number field holds a number or Null");
                continue;
            }
            Require(c.tag == Tag::kNull || c.tag == Tag::kText, "a text field holds text or Null");
            const int limit = fields[size_t(f)].size > 0 ? std::min(fields[size_t(f)].size, kTabTextMaxValueLength)
                                                           : kTabTextMaxValueLength;
            // A text never has more characters than UTF-8 bytes; only a long one is counted.
            Require(c.text.size() <= limit || c.text.toString().size() <= limit,
                    "a text keeps at most its size and 64 characters");
            // Below 0x80 a UTF-8 byte is the character itself; the bytes of longer ones are
            // all above. TAB and the line ends are below 32.
            for (const char byte : c.text)
                Require(static_cast<unsigned char>(byte) >= 32, "no TAB or line end inside a value");
        }
    }
}

// Export and import again give the same records, Null texts turned empty. `records` are
// the ones read, handed to the table as a whole as a load would.
void CheckRoundTrip(RecordStore records, const std::vector<FieldDef> &fields)
{
    RecordStore expected(int(fields.size()));
    RecordStore::Builder builder(expected);
    std::vector<RecordStore::Cell> cells;
    for (int r = 0; r < records.size(); ++r) {
        records.cells(r, cells);
        for (size_t f = 0; f < fields.size(); ++f) {
            const RecordStore::Cell &c = cells[f];
            if (c.tag == RecordStore::kInteger)
                builder.addInteger(c.number);
            else if (c.tag == RecordStore::kText || fields[f].type == FieldType::Text)
                builder.addUtf8(c.text.data(), c.text.size());
            else
                builder.addNull();
        }
        builder.finish();
    }
    TClientDataSet table;
    table.SetFieldDefs(fields);
    table.CreateDataSet();
    table.ReplaceRecords(std::move(records));

    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    const TabExportResult written = WriteTabText(out, table);
    Require(written.ok, "what was read can be written");
    Require(written.rowsWritten == expected.size(), "every record is written");
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    const TabImportResult again = ReadTabText(in, fields);
    Require(again.outcome == TabImportOutcome::Success, "what was written reads back");
    Require(SameRecords(again.records, expected), "what was written reads back unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    static const std::vector<FieldDef> game = GameTableFields();
    const std::vector<FieldDef> fields = (selector & 1) ? game : TinyFields(selector);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const TabImportResult result = ReadTabText(buffer, fields);

    using O = TabImportOutcome;
    const O outcome = result.outcome;
    Require(outcome == O::Success || outcome == O::EndsInsideRecord || outcome == O::ValueTooLong ||
                outcome == O::NoRecords || outcome == O::ValueNotAccepted,
            "the outcome is a defined one");
    if (outcome == O::Success) {
        Require(result.message.isEmpty(), "success carries no message");
        Require(result.records.size() > 0, "success has a record");
        CheckRecords(result, fields);
    } else {
        Require(result.records.size() == 0, "a failed import holds no records");
        Require(!result.message.isEmpty(), "a failed import says why");
    }

    // Pieces of 1 to 7 bytes, but at most about 64 of them: every boundary is still hit
    // somewhere, and a long input does not cost thousands of reads.
    PieceDevice pieces(bytes, std::max<qint64>(1 + (selector >> 1) % 7, bytes.size() / 64));
    TabImportResult again = ReadTabText(pieces, fields);
    Require(again.outcome == outcome && again.message == result.message, "the same outcome in pieces");
    Require(SameRecords(again.records, result.records), "the same records in pieces");

    if (outcome == O::Success && result.records.size() <= 200)
        CheckRoundTrip(std::move(again.records), fields);
    return 0;
}
