#include "TClientDataSet.h"

#include "Collation.h"
#include "ColumnRanks.h"
#include "UserErrors.h"
#include "TableFile.h"


#include <algorithm>
#include <array>
#include <bit>

using namespace Qt::StringLiterals;

TClientDataSet::TClientDataSet(QObject *parent) : QObject(parent) {}

void TClientDataSet::CheckActive() const
{
    if (state_ == State::Inactive)
        throw EDatabaseError(u"Die Tabelle ist nicht geöffnet"_s);
}

void TClientDataSet::CheckEditing() const
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw EDatabaseError(u"Die Tabelle ist nicht im Bearbeitungsmodus"_s);
}

void TClientDataSet::CheckPosition(int position) const
{
    if (position < 0 || position >= FieldCount())
        throw EDatabaseError(u"Feld Nummer %1 nicht gefunden"_s.arg(position));
}

void TClientDataSet::Scrolled()
{
    emit AfterScroll();
    if (afterScrollHandler_)
        afterScrollHandler_();
}

// ---- opening, closing, files ----

void TClientDataSet::LoadFromFile(const QString &fileName)
{
    TableData table = ReadTableFile(fileName);
    std::swap(fields_, table.fields);
    try {
        ResolveFilter();
    } catch (...) {
        std::swap(fields_, table.fields);
        throw;
    }
    records_ = std::move(table.records);
    RecordsReplaced();
    indexFieldNames_.clear();
    indexFields_.clear();
    buffer_.clear();
    modified_ = false;
    state_ = State::Browse;
    RebuildView();
    PlaceCursorOnFirst();
    emit ViewChanged();
    Scrolled();
}

void TClientDataSet::SaveToFile(const QString &fileName)
{
    CheckActive();
    const bool recordChanged = Settle();
    WriteTableFile(fileName, fields_, records_); // written whatever the handler of the move does
    if (recordChanged)
        Scrolled();
}

void TClientDataSet::Open()
{
    if (Active())
        return;
    if (fields_.empty())
        throw EDatabaseError(u"Die Tabelle enthält keine Daten"_s);
    ResolveFilter();
    state_ = State::Browse;
    RebuildView();
    PlaceCursorOnFirst();
    emit ViewChanged();
    Scrolled();
}

void TClientDataSet::Close()
{
    if (!Active())
        return;
    Settle(); // an editor's change is kept, not thrown away
    state_ = State::Inactive;
    view_.clear();
    row_ = -1;
    eof_ = bof_ = true;
    emit ViewChanged();
}

void TClientDataSet::SetFieldDefs(const std::vector<FieldDef> &fields)
{
    if (Active())
        throw EDatabaseError(u"Die Felder einer geöffneten Tabelle können nicht geändert werden"_s);
    fields_ = fields;
    records_ = RecordStore(int(fields_.size()));
    RecordsReplaced();
    indexFieldNames_.clear();
    indexFields_.clear();
}

void TClientDataSet::CreateDataSet()
{
    if (Active())
        throw EDatabaseError(u"Die Tabelle ist bereits geöffnet"_s);
    if (fields_.empty())
        throw EDatabaseError(u"Die Tabelle hat keine Felder"_s);
    ResolveFilter();
    indexFields_ = ResolveIndex(indexFieldNames_);
    records_ = RecordStore(int(fields_.size()));
    RecordsReplaced();
    state_ = State::Browse;
    RebuildView();
    PlaceCursorOnFirst();
    emit ViewChanged();
    Scrolled();
}

void TClientDataSet::ReplaceRecords(RecordStore records)
{
    CheckActive();
    if (records.fieldCount() != FieldCount())
        throw EDatabaseError(u"Die Datensätze passen nicht zu den Feldern der Tabelle"_s);
    records_ = std::move(records);
    RecordsReplaced();
    buffer_.clear();
    modified_ = false;
    state_ = State::Browse;
    RebuildView();
    emit ViewChanged();
    Last();
}

// ---- order and filter ----

std::vector<int> TClientDataSet::ResolveIndex(const QString &names) const
{
    std::vector<int> positions;
    for (const QString &part : names.split(u';')) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            positions.push_back(FieldPosition(name));
    }
    return positions;
}

void TClientDataSet::SetIndexFieldNames(const QString &names)
{
    if (fields_.empty()) { // resolved when the table gets its fields
        indexFieldNames_ = names;
        return;
    }
    std::vector<int> positions = ResolveIndex(names);
    indexFieldNames_ = names;
    indexFields_ = std::move(positions);
    if (!Active())
        return;
    const bool recordChanged = Settle();
    const int current = row_ >= 0 ? view_[row_] : -1;
    SortView();
    if (current >= 0) {
        row_ = RowOfRecord(current);
        eof_ = bof_ = false;
    }
    emit ViewChanged();
    if (recordChanged)
        Scrolled();
}

void TClientDataSet::ResolveFilter()
{
    filterField_ = -1;
    if (filtered_ && !filterExpression_.fieldName.isEmpty())
        filterField_ = FieldPosition(filterExpression_.fieldName);
}

void TClientDataSet::SetFilter(const QString &expression)
{
    FilterExpression parsed = ParseFilterExpression(expression);
    if (filtered_ && Active() && !parsed.fieldName.isEmpty())
        FieldPosition(parsed.fieldName); // raises before anything changes
    filter_ = expression;
    filterExpression_ = std::move(parsed);
    if (filtered_ && Active())
        SetFiltered(true);
}

void TClientDataSet::SetFilterOptions(unsigned options)
{
    if (options == filterOptions_)
        return;
    filterOptions_ = options;
    if (filtered_ && Active())
        SetFiltered(true);
}

void TClientDataSet::SetFiltered(bool on)
{
    const bool before = filtered_;
    filtered_ = on;
    if (!Active())
        return;
    try {
        ResolveFilter();
    } catch (...) {
        filtered_ = before;
        ResolveFilter();
        throw;
    }
    Settle();
    RebuildView();
    PlaceCursorOnFirst();
    emit ViewChanged();
    Scrolled();
}

bool TClientDataSet::Passes(int record) const
{
    if (filterField_ < 0)
        return true;
    if (records_.isNull(record, filterField_))
        return false;
    const bool ignoreCase = (filterOptions_ & foCaseInsensitive) != 0;
    if (records_.isInteger(record, filterField_))
        return filterExpression_.matches(QUtf8StringView(QByteArray::number(records_.integer(record, filterField_))),
                                         ignoreCase);
    return filterExpression_.matches(records_.text(record, filterField_), ignoreCase);
}

void TClientDataSet::RebuildView()
{
    view_.clear();
    view_.reserve(records_.size());
    for (int r = 0; r < records_.size(); ++r)
        if (Passes(r))
            view_.push_back(r);
    SortView();
}

void TClientDataSet::RecordsReplaced()
{
    ranks_.clear();
}

const std::vector<int> &TClientDataSet::RanksOf(int field)
{
    ranks_.resize(fields_.size());
    std::vector<int> &ranks = ranks_[size_t(field)];
    if (ranks.empty() && records_.size() > 0)
        ranks = ColumnRanks(records_, field, fields_[size_t(field)].type == FieldType::Integer);
    return ranks;
}

// The index's order: each field's ranks in turn, ties by stored order. Where the fields'
// ranks together fit one 64-bit number per row, the rows are taken in stored order and
// radix-sorted by that number, which keeps ties in stored order.
void TClientDataSet::SortView()
{
    if (indexFields_.empty()) {
        std::sort(view_.begin(), view_.end());
        return;
    }
    std::vector<const int *> columns;
    std::vector<quint64> spans; // per field: how many values its ranks take, Null included
    quint64 combinations = 1;
    bool fits = true;
    for (const int f : indexFields_) {
        const std::vector<int> &ranks = RanksOf(f);
        columns.push_back(ranks.data());
        spans.push_back(quint64(ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end())) + 2);
        fits = fits && !qMulOverflow(combinations, spans.back(), &combinations);
    }
    if (!fits) {
        std::sort(view_.begin(), view_.end(), [&columns](int a, int b) {
            for (const int *ranks : columns) {
                if (ranks[a] != ranks[b])
                    return ranks[a] < ranks[b];
            }
            return a < b;
        });
        return;
    }

    struct Row {
        quint64 key;
        int record;
    };
    std::vector<char> inView(size_t(records_.size()), 0);
    for (const int r : view_)
        inView[size_t(r)] = 1;
    std::vector<Row> rows, sorted(view_.size());
    rows.reserve(view_.size());
    for (int r = 0; r < records_.size(); ++r) {
        if (!inView[size_t(r)])
            continue;
        quint64 key = 0;
        for (size_t c = 0; c < columns.size(); ++c)
            key = key * spans[c] + quint64(columns[c][r] + 1);
        rows.push_back({key, r});
    }
    constexpr int kDigitBits = 11;
    constexpr quint64 kDigitMask = (quint64(1) << kDigitBits) - 1;
    const int keyBits = std::bit_width(combinations - 1);
    for (int shift = 0; shift < keyBits; shift += kDigitBits) {
        std::array<size_t, kDigitMask + 2> starts{};
        for (const Row &row : rows)
            ++starts[((row.key >> shift) & kDigitMask) + 1];
        for (size_t d = 1; d < starts.size(); ++d)
            starts[d] += starts[d - 1];
        for (const Row &row : rows)
            sorted[starts[(row.key >> shift) & kDigitMask]++] = row;
        rows.swap(sorted);
    }
    for (size_t i = 0; i < rows.size(); ++i)
        view_[i] = rows[i].record;
}

int TClientDataSet::RowOfRecord(int record) const
{
    const auto it = std::find(view_.begin(), view_.end(), record);
    return it == view_.end() ? -1 : int(it - view_.begin());
}

// ---- cursor ----

int TClientDataSet::RecordCount() const
{
    return int(view_.size()) + (state_ == State::Insert ? 1 : 0);
}

void TClientDataSet::PlaceCursorOnFirst()
{
    row_ = view_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = view_.empty();
}

void TClientDataSet::First()
{
    CheckActive();
    Settle();
    PlaceCursorOnFirst();
    Scrolled();
}

void TClientDataSet::Last()
{
    CheckActive();
    Settle();
    row_ = int(view_.size()) - 1;
    eof_ = true;
    bof_ = view_.empty();
    Scrolled();
}

void TClientDataSet::Next()
{
    MoveBy(1);
}

void TClientDataSet::Prior()
{
    MoveBy(-1);
}

void TClientDataSet::MoveBy(int distance)
{
    CheckActive();
    const bool droppingNew = state_ == State::Insert && !modified_;
    const int rowOfNew = row_;
    const bool recordChanged = Settle();
    if (droppingNew) {
        // The distance was counted with the new row in the view: the rows below it move up.
        const int target = rowOfNew + distance - (distance > 0 ? 1 : 0);
        distance = target - row_;
    }
    if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_)) {
        if (recordChanged)
            Scrolled();
        return;
    }
    const int last = int(view_.size()) - 1;
    const qint64 target = qint64(row_) + distance;
    if (last < 0) {
        row_ = -1;
        eof_ = bof_ = true;
    } else if (target > last) {
        row_ = last;
        eof_ = true;
        bof_ = false;
    } else if (target < 0) {
        row_ = 0;
        bof_ = true;
        eof_ = false;
    } else {
        row_ = int(target);
        eof_ = bof_ = false;
    }
    Scrolled();
}

// ---- changing records ----

bool TClientDataSet::Settle()
{
    if (state_ == State::Edit && !modified_) {
        state_ = State::Browse;
        buffer_.clear();
        return false;
    }
    if (state_ == State::Insert && !modified_)
        return DropAppended();
    if (state_ == State::Edit || state_ == State::Insert)
        return PostPending();
    return false;
}

bool TClientDataSet::DropAppended()
{
    state_ = State::Browse;
    buffer_.clear();
    modified_ = false;
    row_ = std::min(rowBeforeAppend_, int(view_.size()) - 1);
    eof_ = eofBeforeAppend_;
    bof_ = bofBeforeAppend_;
    emit ViewChanged();
    return true;
}

namespace {

// Order of two records under the index: Null first, numbers by value, texts by collation,
// ties by stored order. The same order SortView makes with sort keys.
bool RecordLess(const RecordStore &records, const std::vector<FieldDef> &fields, const std::vector<int> &index,
                int a, int b)
{
    for (const int f : index) {
        const bool nullA = records.isNull(a, f), nullB = records.isNull(b, f);
        if (nullA != nullB)
            return nullA;
        if (nullA)
            continue;
        if (fields[f].type == FieldType::Integer) {
            if (records.integer(a, f) != records.integer(b, f))
                return records.integer(a, f) < records.integer(b, f);
        } else if (const int c = TextCollator().compare(records.text(a, f).toString(), records.text(b, f).toString());
                   c != 0) {
            return c < 0;
        }
    }
    return a < b;
}

} // namespace

bool TClientDataSet::PostPending()
{
    const bool inserting = state_ == State::Insert;
    int record;
    if (inserting) {
        record = storedPositionOfNew_;
        records_.insert(record, buffer_);
        RecordsReplaced(); // the records after it moved up
        for (int &r : view_)
            if (r >= record)
                ++r;
    } else {
        record = view_[row_];
        const std::vector<FieldValue> before = records_.values(record);
        for (size_t f = 0; f < ranks_.size(); ++f) {
            if (!(before[f] == buffer_[f]))
                ranks_[f].clear(); // the field changed: its order is made again when next sorted by
        }
        records_.replace(record, buffer_);
        view_.erase(view_.begin() + row_);
    }
    state_ = State::Browse;
    buffer_.clear();
    modified_ = false;

    bool left = false;
    const int oldRow = inserting ? rowBeforeAppend_ : row_;
    if (Passes(record)) {
        const auto less = [this](int a, int b) { return RecordLess(records_, fields_, indexFields_, a, b); };
        const auto at = std::upper_bound(view_.begin(), view_.end(), record, less);
        const auto inserted = view_.insert(at, record);
        row_ = int(inserted - view_.begin());
        if (inserting || row_ != oldRow)
            eof_ = bof_ = false;
    } else {
        left = true; // the record no longer passes the filter: the cursor goes to its neighbour
        row_ = std::min(oldRow, int(view_.size()) - 1);
        eof_ = bof_ = view_.empty();
    }
    emit ViewChanged();
    return left;
}

void TClientDataSet::BeginNewRecord(int row, int storedPosition)
{
    rowBeforeAppend_ = row_;
    eofBeforeAppend_ = eof_;
    bofBeforeAppend_ = bof_;
    storedPositionOfNew_ = storedPosition;
    buffer_.assign(fields_.size(), FieldValue::null());
    modified_ = false;
    state_ = State::Insert;
    row_ = row;
    eof_ = bof_ = false;
    emit ViewChanged();
    Scrolled();
}

void TClientDataSet::Append()
{
    CheckActive();
    Settle();
    BeginNewRecord(int(view_.size()), records_.size());
}

void TClientDataSet::Insert()
{
    CheckActive();
    Settle();
    if (row_ < 0)
        BeginNewRecord(int(view_.size()), records_.size());
    else
        BeginNewRecord(row_, view_[row_]);
}

void TClientDataSet::Edit()
{
    CheckActive();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (row_ < 0)
        throw EDatabaseError(u"Es gibt keinen Datensatz, der bearbeitet werden könnte"_s);
    buffer_.clear();
    for (int f = 0; f < FieldCount(); ++f)
        buffer_.push_back(records_.value(view_[row_], f));
    modified_ = false;
    state_ = State::Edit;
}

void TClientDataSet::Post()
{
    CheckActive();
    if (state_ == State::Browse)
        return;
    if (PostPending())
        Scrolled();
}

void TClientDataSet::Cancel()
{
    CheckActive();
    if (state_ == State::Edit) {
        state_ = State::Browse;
        buffer_.clear();
        modified_ = false;
        emit ViewChanged();
    } else if (state_ == State::Insert) {
        DropAppended();
        Scrolled();
    }
}

void TClientDataSet::Delete()
{
    CheckActive();
    if (state_ == State::Insert) {
        Cancel();
        return;
    }
    if (state_ == State::Edit) {
        state_ = State::Browse;
        buffer_.clear();
        modified_ = false;
    }
    if (row_ < 0)
        throw EDatabaseError(u"Es gibt keinen Datensatz, der gelöscht werden könnte"_s);
    const int record = view_[row_];
    records_.remove(record);
    for (std::vector<int> &ranks : ranks_) {
        if (!ranks.empty()) // the others keep their order
            ranks.erase(ranks.begin() + record);
    }
    view_.erase(view_.begin() + row_);
    for (int &r : view_)
        if (r > record)
            --r;
    if (view_.empty()) {
        row_ = -1;
        eof_ = bof_ = true;
    } else {
        row_ = std::min(row_, int(view_.size()) - 1);
        eof_ = bof_ = false;
    }
    emit ViewChanged();
    Scrolled();
}

// ---- fields ----

int TClientDataSet::FieldIndex(const QString &name) const
{
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int TClientDataSet::FieldPosition(const QString &name) const
{
    const int position = FieldIndex(name);
    if (position < 0)
        throw EDatabaseError(u"Feld '%1' nicht gefunden"_s.arg(name));
    return position;
}

FieldValue TClientDataSet::FieldByName(const QString &name) const
{
    return FieldValueAt(FieldPosition(name));
}

FieldValue TClientDataSet::FieldValueAt(int position) const
{
    CheckActive();
    CheckPosition(position);
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_[position];
    if (row_ < 0)
        return FieldValue::null();
    return records_.value(view_[row_], position);
}

FieldValue TClientDataSet::ValueAtRow(int row, int position) const
{
    if (!Active() || position < 0 || position >= FieldCount())
        return FieldValue::null();
    if (row == row_ && (state_ == State::Edit || state_ == State::Insert))
        return buffer_[position];
    if (state_ == State::Insert && row > row_)
        --row; // the rows below a new record stand one lower
    if (row < 0 || row >= int(view_.size()))
        return FieldValue::null();
    return records_.value(view_[row], position);
}

std::vector<FieldValue> TClientDataSet::RowValues(int row) const
{
    if (!Active())
        return {};
    if (row == row_ && (state_ == State::Edit || state_ == State::Insert))
        return buffer_;
    if (state_ == State::Insert && row > row_)
        --row;
    if (row < 0 || row >= int(view_.size()))
        return std::vector<FieldValue>(size_t(FieldCount()), FieldValue::null());
    return records_.values(view_[row]);
}

void TClientDataSet::SetFieldValue(int position, const FieldValue &value)
{
    CheckActive();
    CheckEditing();
    CheckPosition(position);
    buffer_[position] = ConvertValueForField(fields_[position], value);
    modified_ = true;
}

void TClientDataSet::SetFieldText(int position, const QString &text)
{
    CheckActive();
    CheckEditing();
    CheckPosition(position);
    buffer_[position] = ConvertTextForField(fields_[position], text);
    modified_ = true;
}
