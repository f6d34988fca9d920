#include "GridTables.h"

#include "Misc.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TableSchemas.h"

using namespace Qt::StringLiterals;

void ShowGridForReading(TDBGrid *grid)
{
    grid->SetColors(kGridMaroon, kGridYellow);
    grid->SetReadOnly(true);
}

void ShowGridForEditing(TDBGrid *grid)
{
    grid->SetColors(kGridYellow, Qt::black);
    grid->SetReadOnly(false);
}

void SaveTableInEditMode(TDBGrid *grid, TClientDataSet *table, const QString &fileName)
{
    if (EditModeFlag(emQuery) == 0)
        return;
    if (grid) // a grid that was never shown holds no edit
        grid->CommitEdit();
    ProgramFolder(pfEnter);
    table->SaveToFile(fileName);
}

QList<GridColumn> GridColumnsOf(const std::vector<TableField> &table)
{
    QList<GridColumn> columns;
    for (const TableField &field : table)
        columns.append({field.def.name, field.title});
    return columns;
}

void SortByTitleClick(TClientDataSet *table, const QString &fieldName)
{
    if (EditModeFlag(emQuery) != 0)
        return; // the table keeps the order of its file
    const QString &title = GameFieldName(kTitel);
    table->SetIndexFieldNames(fieldName == title ? title : fieldName + u"; "_s + title);
}
