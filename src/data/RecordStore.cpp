#include "RecordStore.h"

#include <cassert>

void RecordStore::reserve(int records)
{
    cells_.reserve(size_t(records) * fieldCount_);
    texts_.reserve(records);
}

void RecordStore::clear()
{
    cells_.clear();
    texts_.clear();
}

QStringView RecordStore::text(int record, int field) const
{
    const Cell &c = cell(record, field);
    if (c.length < 0)
        return {};
    return QStringView(texts_[record]).mid(c.offset, c.length);
}

FieldValue RecordStore::value(int record, int field) const
{
    const Cell &c = cell(record, field);
    if (c.length == kNull)
        return FieldValue::null();
    if (c.length == kInteger)
        return FieldValue(c.number);
    return FieldValue(text(record, field).toString());
}

QString RecordStore::textForm(int record, int field) const
{
    const Cell &c = cell(record, field);
    if (c.length == kInteger)
        return QString::number(c.number);
    return text(record, field).toString();
}

void RecordStore::encode(const std::vector<FieldValue> &values, QString &text, Cell *cells) const
{
    qsizetype total = 0;
    for (const FieldValue &v : values)
        if (v.isText())
            total += v.text().size();
    text.clear();
    text.reserve(total);
    static const FieldValue missing = FieldValue::null();
    for (int f = 0; f < fieldCount_; ++f) {
        const FieldValue &v = size_t(f) < values.size() ? values[f] : missing;
        Cell c;
        if (v.isInteger()) {
            c.length = kInteger;
            c.number = v.integer();
        } else if (v.isText()) {
            c.offset = qint32(text.size());
            c.length = qint32(v.text().size());
            text += v.text();
        }
        cells[f] = c;
    }
}

void RecordStore::append(const std::vector<FieldValue> &values)
{
    QString text;
    cells_.resize(cells_.size() + fieldCount_);
    encode(values, text, cells_.data() + cells_.size() - fieldCount_);
    texts_.push_back(std::move(text));
}

void RecordStore::replace(int record, const std::vector<FieldValue> &values)
{
    encode(values, texts_[record], cells_.data() + size_t(record) * fieldCount_);
}

void RecordStore::remove(int record)
{
    const auto first = cells_.begin() + ptrdiff_t(record) * fieldCount_;
    cells_.erase(first, first + fieldCount_);
    texts_.erase(texts_.begin() + record);
}

RecordStore::Builder::Builder(RecordStore &store) : store_(store)
{
    numbers_.reserve(store.fieldCount_);
    offsets_.reserve(store.fieldCount_);
    lengths_.reserve(store.fieldCount_);
}

void RecordStore::Builder::addNull()
{
    numbers_.push_back(0);
    offsets_.push_back(0);
    lengths_.push_back(kNull);
}

void RecordStore::Builder::addInteger(qint64 number)
{
    numbers_.push_back(number);
    offsets_.push_back(0);
    lengths_.push_back(kInteger);
}

void RecordStore::Builder::addText(const char16_t *data, qsizetype length)
{
    numbers_.push_back(0);
    offsets_.push_back(qint32(text_.size()));
    lengths_.push_back(qint32(length));
    text_.append(reinterpret_cast<const QChar *>(data), length);
}

void RecordStore::Builder::finish()
{
    assert(int(lengths_.size()) == store_.fieldCount_);
    for (size_t f = 0; f < lengths_.size(); ++f)
        store_.cells_.push_back(Cell{numbers_[f], offsets_[f], lengths_[f]});
    text_.squeeze();
    store_.texts_.push_back(std::move(text_));
    text_ = QString();
    numbers_.clear();
    offsets_.clear();
    lengths_.clear();
}
