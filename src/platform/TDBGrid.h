#pragma once

#include <QTableView>

class TDataSource;

// A grid bound to a table: its current row is the table's cursor, so moving through
// the grid moves the cursor and every cursor move shows in the grid. Read-only unless
// told otherwise; editable, it edits, appends (down from the last row), inserts (Insert,
// before the current row) and deletes (Ctrl+Del, after a confirmation) records. The
// titles show in the cells' face, bold.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    TDBGrid(QWidget *parent, const QString &name, const QRect &bounds, TDataSource *source);

    void SetReadOnly(bool readOnly);
    bool ReadOnly() const;
    void SetColors(const QColor &background, const QColor &text);
    // Sizes the columns to their titles and the values of the rows on the screen, none wider
    // than 240 pixels; a hidden grid when it is next shown. With the last column filling,
    // that column takes the room the others leave, at least a third of the grid: the widest
    // of the others give way, none narrower than its title.
    void FitColumns();
    void SetLastColumnFilling(bool filling);
    // Takes over what an open cell editor holds, as if the user had confirmed it.
    void CommitEdit();

signals:
    // A click on a column title, with the column's field name.
    void TitleClick(const QString &fieldName);

protected:
    // A cell whose text is cut shows all of it as a tooltip.
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void FollowCursor();
    void FollowFontInTitles();
    void DropUntouchedAppend();
    void LeaveRoomForLastColumn();
    bool TextIsCut(const QModelIndex &index) const;

    TDataSource *source_;
    bool fitWhenShown_ = false;
    bool lastColumnFilling_ = false;
    bool following_ = false; // the grid is being moved to the cursor, not the cursor to the grid
};
