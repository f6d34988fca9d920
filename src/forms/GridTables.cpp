#include "GridTables.h"

#include "Misc.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TableSchemas.h"

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
