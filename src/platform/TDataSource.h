#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

class TClientDataSet;

// A grid's column: the field it shows and its title.
struct GridColumn {
    QString fieldName;
    QString title;
};

// The table as a grid sees it: one row per row of the engine's view, in its order and
// filter; the columns bound to fields by name. Sorting and filtering stay in the engine.
class TDataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    TDataSource(TClientDataSet *dataSet, QList<GridColumn> columns, QObject *parent = nullptr);

    TClientDataSet *DataSet() const { return dataSet_; }
    const GridColumn &Column(int column) const { return columns_.at(column); }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Puts the row into editing and sets the field through its text conversion; an
    // error is shown by the error display and the value is not taken.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    int FieldOf(int column) const;
    void Reset();

    TClientDataSet *dataSet_;
    QList<GridColumn> columns_;
    std::vector<int> fields_; // each column's field position, found again when the table changes
    bool readOnly_ = true;
};
