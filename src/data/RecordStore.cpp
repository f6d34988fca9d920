#include "RecordStore.h"

#include <cstring>

namespace {

constexpr size_t kChunkSize = size_t(4) << 20;

void PutVarint(std::string &bytes, quint64 v)
{
    while (v >= 0x80) {
        bytes.push_back(char(v | 0x80));
        v >>= 7;
    }
    bytes.push_back(char(v));
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

RecordStore::Cell RecordStore::cell(int record, int field) const
{
    const char *p = records_[size_t(record)].data;
    for (int f = 0;; ++f) {
        Cell c;
        c.tag = Tag(*p++);
        if (c.tag == kInteger) {
            c.number = UnZigZag(GetVarint(p));
        } else if (c.tag == kText) {
            const auto length = qsizetype(GetVarint(p));
            c.text = QUtf8StringView(p, length);
            p += length;
        }
        if (f == field)
            return c;
    }
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

RecordStore::Span RecordStore::Store(const std::string &bytes)
{
    if (chunkUsed_ + bytes.size() > chunkSize_) {
        chunkSize_ = std::max(kChunkSize, bytes.size());
        chunks_.emplace_back(new char[chunkSize_]); // left uninitialised: every byte used is written first
        chunkUsed_ = 0;
    }
    char *at = chunks_.back().get() + chunkUsed_;
    std::memcpy(at, bytes.data(), bytes.size());
    chunkUsed_ += bytes.size();
    return {at, bytes.size()};
}

std::string RecordStore::Encode(const std::vector<FieldValue> &values) const
{
    std::string bytes;
    static const FieldValue missing = FieldValue::null();
    for (int f = 0; f < fieldCount_; ++f)
        EncodeValue(bytes, size_t(f) < values.size() ? values[f] : missing);
    return bytes;
}

void RecordStore::append(const std::vector<FieldValue> &values)
{
    records_.push_back(Store(Encode(values)));
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
    bytes_.push_back(char(kNull));
}

void RecordStore::Builder::addInteger(qint64 number)
{
    bytes_.push_back(char(kInteger));
    PutVarint(bytes_, ZigZag(number));
}

void RecordStore::Builder::addUtf8(const char *data, qsizetype length)
{
    bytes_.push_back(char(kText));
    PutVarint(bytes_, quint64(length));
    bytes_.append(data, size_t(length));
}

void RecordStore::Builder::finish()
{
    store_.records_.push_back(store_.Store(bytes_));
    bytes_.clear();
}
