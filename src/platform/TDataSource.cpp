#include "TDataSource.h"

#include "ErrorDisplay.h"
#include "TClientDataSet.h"

TDataSource::TDataSource(TClientDataSet *dataSet, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), dataSet_(dataSet), columns_(std::move(columns))
{
    connect(dataSet_, &TClientDataSet::ViewChanged, this, &TDataSource::Reset);
    Reset();
}

void TDataSource::Reset()
{
    beginResetModel();
    fields_.clear();
    for (const GridColumn &column : columns_)
        fields_.push_back(dataSet_->FieldIndex(column.fieldName));
    endResetModel();
}

int TDataSource::FieldOf(int column) const
{
    return fields_.at(size_t(column));
}

int TDataSource::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !dataSet_->Active() ? 0 : dataSet_->RecordCount();
}

int TDataSource::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant TDataSource::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int field = FieldOf(index.column());
    if (field < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return dataSet_->ValueAtRow(index.row(), field).toText();
    case Qt::TextAlignmentRole:
        // Numbers stand right-aligned, texts left-aligned.
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (dataSet_->FieldDefAt(field).type == FieldType::Integer ? Qt::AlignRight
                                                                                             : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant TDataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columns_.size())
        return columns_.at(section).title;
    return {};
}

Qt::ItemFlags TDataSource::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!readOnly_ && index.isValid() && FieldOf(index.column()) >= 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TDataSource::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (readOnly_ || role != Qt::EditRole || !index.isValid())
        return false;
    const int field = FieldOf(index.column());
    if (field < 0 || index.row() != dataSet_->RecNo())
        return false;
    bool taken = false;
    RunGuarded([&] {
        dataSet_->Edit();
        dataSet_->SetFieldText(field, value.toString());
        taken = true;
    });
    if (taken)
        emit dataChanged(index, index);
    return taken;
}
