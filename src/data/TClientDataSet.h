#pragma once

#include "FieldValue.h"
#include "FilterExpression.h"
#include "RecordStore.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

// The in-memory table engine: fields and records, a view of the records (index order,
// filter applied), one cursor into the view and the buffer of a pending change.
//
// Cursor rules: first, last, next and prior settle a pending change first (a changed
// record is posted, an appended record nobody filled is dropped). next does nothing
// while the end-of-table flag is set; prior does nothing while the start flag is set
// (after a move to first or a prior that found no record). A next that finds no
// further record leaves the cursor on the last one and sets the end-of-table flag.
//
// AfterScroll is emitted after load, open, recreate, every move that is not a no-op,
// every append or insert, every setting of Filtered, after a delete and after dropping an
// appended record (the current record changes); never after IndexFieldNames. The owner's
// after-scroll handler runs right after the signal, outside the window framework: an error
// it raises leaves the call that moved the cursor (the move itself is done), so the rest of
// the caller's action is skipped and the error is shown once, where the action began.
// Errors are EDatabaseError with the text the user reads.
class TClientDataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit TClientDataSet(QObject *parent = nullptr);

    // Contents replaced by the file's, table open, cursor on the first record in stored
    // order (the index is dropped). On failure the table stays as it was.
    void LoadFromFile(const QString &fileName);
    // Posts a pending change, then writes every record in stored order.
    void SaveToFile(const QString &fileName);

    bool Active() const { return state_ != State::Inactive; }
    // Opening an open table does nothing; opening a closed one returns to its records.
    void Open();
    void Close();
    // Sets the fields of a closed table (its records are dropped).
    void SetFieldDefs(const std::vector<FieldDef> &fields);
    // A closed table becomes an empty open table with the same fields.
    void CreateDataSet();

    // Contents replaced by records in this table's field layout (a pending change is
    // dropped); the cursor goes to the last record of the view, as after a move to last.
    void ReplaceRecords(RecordStore records);

    State state() const { return state_; }

    // ";"-separated field names, blanks around names ignored; empty for stored order.
    // Texts sort by the locale's collation, whole numbers by value, Null first, ties
    // keep stored order. The cursor stays on its record.
    void SetIndexFieldNames(const QString &names);
    QString IndexFieldNames() const { return indexFieldNames_; }

    void SetFilter(const QString &expression);
    QString Filter() const { return filter_; }
    // foCaseInsensitive compares the literal without regard to letter case; none is set at first.
    enum FilterOption : unsigned { foCaseInsensitive = 1 };
    void SetFilterOptions(unsigned options);
    unsigned FilterOptions() const { return filterOptions_; }
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }

    void First();
    void Last();
    void Next();
    void Prior();
    // Moves by distance rows in the view (as next/prior do, step for step).
    void MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    // Rows of the view, an appended record not yet posted included; the cursor's row.
    int RecordCount() const;
    int RecNo() const { return row_; }

    // A pending change is posted first; an empty record is added at the end, being edited,
    // and posted by the next move (dropped if nothing was set).
    void Append();
    // The same, but the new record stands before the current one: in stored order, and on
    // the current row of the view until it is posted. Without a current record: at the end.
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    bool Modified() const { return modified_; }

    int FieldCount() const { return int(fields_.size()); }
    const FieldDef &FieldDefAt(int position) const { return fields_.at(position); }
    const std::vector<FieldDef> &FieldDefs() const { return fields_; }
    // Position of a field by name regardless of case; -1 when the table lacks it.
    int FieldIndex(const QString &name) const;
    // Raises an error naming the field when the table lacks it.
    int FieldPosition(const QString &name) const;

    // The current record's value: Null when there is no current record.
    FieldValue FieldByName(const QString &name) const;
    FieldValue FieldValueAt(int position) const;
    QString FieldText(int position) const { return FieldValueAt(position).toText(); }
    // Set while editing or appending, through the field's own text conversion.
    void SetFieldText(int position, const QString &text);
    void SetFieldText(const QString &name, const QString &text) { SetFieldText(FieldPosition(name), text); }
    void SetFieldValue(int position, const FieldValue &value);

    // Any row of the view, for grids; the row being edited shows its pending values.
    FieldValue ValueAtRow(int row, int position) const;
    // All values of one row, as ValueAtRow gives them one by one.
    std::vector<FieldValue> RowValues(int row) const;

    void SetAfterScrollHandler(std::function<void()> handler) { afterScrollHandler_ = std::move(handler); }

signals:
    void AfterScroll();
    // The view's rows changed (load, sort, filter, append, post, delete, cancel).
    void ViewChanged();

private:
    void CheckActive() const;
    void CheckEditing() const;
    void CheckPosition(int position) const;
    bool Settle();             // posts or drops a pending change; true when the current record changed
    bool PostPending();        // writes the buffer; true when the cursor had to leave the record
    bool DropAppended();
    void BeginNewRecord(int row, int storedPosition);
    void RebuildView();        // filter and index applied; the cursor is left to the caller
    void SortView();
    const std::vector<int> &RanksOf(int field); // the column's order, made on first use
    void RecordsReplaced();                     // every record may have changed
    bool Passes(int record) const;
    void ResolveFilter();
    std::vector<int> ResolveIndex(const QString &names) const;
    int RowOfRecord(int record) const;
    void PlaceCursorOnFirst();
    void Scrolled();

    std::vector<FieldDef> fields_;
    RecordStore records_;
    std::vector<int> view_;   // record numbers in view order
    State state_ = State::Inactive;
    int row_ = -1;            // cursor: row of the view; -1 when the view is empty
    bool eof_ = true;
    bool bof_ = true;

    QString indexFieldNames_;
    std::vector<int> indexFields_;
    // Per field, its values' order as ranks per record (ColumnRanks), kept from the first
    // sort by the field until the field changes; empty where not made.
    std::vector<std::vector<int>> ranks_;

    QString filter_;
    FilterExpression filterExpression_;
    int filterField_ = -1;
    bool filtered_ = false;
    unsigned filterOptions_ = 0;

    std::vector<FieldValue> buffer_; // pending values of the record being edited or appended
    bool modified_ = false;
    int storedPositionOfNew_ = 0; // where a new record goes in stored order
    int rowBeforeAppend_ = -1;
    bool eofBeforeAppend_ = true;
    bool bofBeforeAppend_ = true;

    std::function<void()> afterScrollHandler_;
};
