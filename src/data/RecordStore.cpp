#include "RecordStore.h"

#include "Memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>


namespace {

constexpr size_t kFirstChunkSize = size_t(4) << 10; // small tables stay small
constexpr size_t kChunkSize = size_t(4) << 20;
constexpr size_t kMaxVarint = 10;

size_t PutVarint(char *out, quint64 v)
{
    size_t n = 0;
    while (v >= 0x80) {
        out[n++] = char(v | 0x80);
        v >>= 7;
    }
    out[n++] = char(v);
    return n;
}

void PutVarint(std::string &bytes, quint64 v)
{
    char buffer[kMaxVarint];
    bytes.append(buffer, PutVarint(buffer, v));
}

quint64 GetVarint(const char *&p)
{
    quint64 v = 0;
    int shift = 0;
    unsigned char byte;
    do {
        byte = static_cast<unsigned char>(*p++);
        v |= quint64(byte & 0x7f) << shift;
        shift += 7;
    } while (byte & 0x80);
    return v;
}

quint64 ZigZag(qint64 n)
{
    return (quint64(n) << 1) ^ quint64(n >> 63);
}

qint64 UnZigZag(quint64 v)
{
    return qint64(v >> 1) ^ -qint64(v & 1);
}

} // namespace

void RecordStore::clear()
{
    records_.clear();
    chunks_.clear();
    chunkUsed_ = chunkSize_ = 0;
}

RecordStore::Cell RecordStore::NextCell(const char *&p)
{
    Cell c;
    c.tag = Tag(*p++);
    if (c.tag == kInteger) {
        c.number = UnZigZag(GetVarint(p));
    } else if (c.tag == kText) {
        const auto length = qsizetype(GetVarint(p));
        c.text = QUtf8StringView(p, length);
        p += length;
    }
    return c;
}

RecordStore::Cell RecordStore::cell(int record, int field) const
{
    const char *p = records_[size_t(record)].data;
    for (int f = 0; f < field; ++f) {
        // The cells before it are stepped over without being read.
        const auto tag = Tag(*p++);
        if (tag == kInteger) {
            // A cell follows, so two bytes can be read. Ratings and pages take one or two
            // bytes about equally often: their length is counted rather than guessed.
            const auto b0 = static_cast<unsigned char>(p[0]), b1 = static_cast<unsigned char>(p[1]);
            if ((b0 & b1) < 0x80) {
                p += 1 + (b0 >> 7);
            } else {
                while (static_cast<unsigned char>(*p++) & 0x80) {
                }
            }
        } else if (tag == kText) {
            const quint64 length = GetVarint(p);
            p += length;
        }
    }
    const char *at = p; // handed on by reference: `p` itself stays in a register
    return NextCell(at);
}

void RecordStore::cells(int record, std::vector<Cell> &out) const
{
    out.clear();
    const char *p = records_[size_t(record)].data;
    for (int f = 0; f < fieldCount_; ++f)
        out.push_back(NextCell(p));
}

FieldValue RecordStore::value(int record, int field) const
{
    const Cell c = cell(record, field);
    if (c.tag == kInteger)
        return FieldValue(c.number);
    if (c.tag == kText)
        return FieldValue(c.text.toString());
    return FieldValue::null();
}

std::vector<FieldValue> RecordStore::values(int record) const
{
    std::vector<FieldValue> values;
    values.reserve(size_t(fieldCount_));
    const char *p = records_[size_t(record)].data;
    for (int f = 0; f < fieldCount_; ++f) {
        const Cell c = NextCell(p);
        if (c.tag == kInteger)
            values.emplace_back(c.number);
        else if (c.tag == kText)
            values.emplace_back(c.text.toString());
        else
            values.push_back(FieldValue::null());
    }
    return values;
}

QString RecordStore::textForm(int record, int field) const
{
    const Cell c = cell(record, field);
    if (c.tag == kInteger)
        return QString::number(c.number);
    return c.text.toString();
}

void RecordStore::EncodeValue(std::string &bytes, const FieldValue &value)
{
    if (value.isInteger()) {
        bytes.push_back(char(kInteger));
        PutVarint(bytes, ZigZag(value.integer()));
    } else if (value.isText()) {
        const QByteArray utf8 = value.text().toUtf8();
        bytes.push_back(char(kText));
        PutVarint(bytes, quint64(utf8.size()));
        bytes.append(utf8.constData(), size_t(utf8.size()));
    } else {
        bytes.push_back(char(kNull));
    }
}

void RecordStore::ChunkDeleter::operator()(char *chunk) const
{
    FreeChunk(chunk);
}

char *RecordStore::Room(size_t partial, size_t more)
{
    if (chunkUsed_ + partial + more > chunkSize_) {
        const size_t needed = partial + more;
        // Each chunk twice the last, up to the big ones: a tips table never takes megabytes.
        const size_t grown = chunks_.empty() ? kFirstChunkSize : std::min(kChunkSize, chunkSize_ * 2);
        const size_t size = needed <= grown ? grown : (needed + kHugePage - 1) / kHugePage * kHugePage;
        char *chunk = AllocateChunk(size); // left uninitialised: every byte used is written first
        if (partial > 0)
            std::memcpy(chunk, chunks_.back().get() + chunkUsed_, partial);
        chunks_.emplace_back(chunk);
        chunkSize_ = size;
        chunkUsed_ = 0;
    }
    return chunks_.back().get() + chunkUsed_ + partial;
}

RecordStore::Span RecordStore::Store(const std::string &bytes)
{
    char *at = Room(0, bytes.size());
    std::memcpy(at, bytes.data(), bytes.size());
    chunkUsed_ += bytes.size();
    return {at, bytes.size()};
}

const std::string &RecordStore::Encode(const std::vector<FieldValue> &values)
{
    scratch_.clear(); // one buffer for every record: no allocation per record
    static const FieldValue missing = FieldValue::null();
    for (int f = 0; f < fieldCount_; ++f)
        EncodeValue(scratch_, size_t(f) < values.size() ? values[f] : missing);
    return scratch_;
}

void RecordStore::append(const std::vector<FieldValue> &values)
{
    records_.push_back(Store(Encode(values)));
}

void RecordStore::insert(int record, const std::vector<FieldValue> &values)
{
    records_.insert(records_.begin() + record, Store(Encode(values)));
}

void RecordStore::replace(int record, const std::vector<FieldValue> &values)
{
    records_[size_t(record)] = Store(Encode(values)); // the old bytes stay unused in their chunk
}

void RecordStore::remove(int record)
{
    records_.erase(records_.begin() + record);
}

void RecordStore::Builder::addNull()
{
    *store_.Room(length_, 1) = char(kNull);
    length_ += 1;
}

void RecordStore::Builder::addInteger(qint64 number)
{
    char *out = store_.Room(length_, 1 + kMaxVarint);
    out[0] = char(kInteger);
    length_ += 1 + PutVarint(out + 1, ZigZag(number));
}

void RecordStore::Builder::addUtf8(const char *data, qsizetype length)
{
    char *out = store_.Room(length_, 1 + kMaxVarint + size_t(length));
    out[0] = char(kText);
    const size_t header = 1 + PutVarint(out + 1, quint64(length));
    if (length > 0) // an empty view may have no bytes at all
        std::memcpy(out + header, data, size_t(length));
    length_ += header + size_t(length);
}

void RecordStore::Builder::finish()
{
    char *start = store_.Room(length_, 0) - length_;
    store_.records_.push_back({start, length_});
    store_.chunkUsed_ += length_;
    length_ = 0;
}
