#pragma once

#include "TDataSource.h"

#include <QColor>
#include <QString>

#include <vector>

class TClientDataSet;
class TDBGrid;
struct TableField;

// What the two windows with a table grid share: maroon and yellow for reading, black on
// yellow and editable in edit mode, and the table saved when the window goes.
inline const QColor kGridMaroon(128, 0, 0);
inline const QColor kGridYellow(255, 255, 0);

void ShowGridForReading(TDBGrid *grid);
void ShowGridForEditing(TDBGrid *grid);

// In edit mode only: takes over an open cell edit (where there is a grid) and writes the
// table to its file in the program folder, whatever folder a dialog left current.
void SaveTableInEditMode(TDBGrid *grid, TClientDataSet *table, const QString &fileName);

// A click on a grid's column title, the same rule in both grids: in edit mode nothing;
// else the order of the clicked column's field, then the title, or the title alone for a
// column named exactly TITEL. The current record stays current.
void SortByTitleClick(TClientDataSet *table, const QString &fieldName);

// One grid column per field of the table, in its order, under the field's column title.
QList<GridColumn> GridColumnsOf(const std::vector<TableField> &table);
