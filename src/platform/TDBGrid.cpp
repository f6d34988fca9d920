#include "TDBGrid.h"

#include "ErrorDisplay.h"
#include "Messages.h"
#include "TClientDataSet.h"
#include "TDataSource.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

TDBGrid::TDBGrid(QWidget *parent, const QString &name, const QRect &bounds, TDataSource *source)
    : QTableView(parent), source_(source)
{
    setObjectName(name);
    setGeometry(bounds);
    setModel(source_);
    setFrameShape(QFrame::NoFrame);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    FollowFontInTitles();
    horizontalHeader()->setStyleSheet(
        u"QHeaderView::section { background: black; color: white; border: 1px solid #404040; padding: 2px; }"_s);
    SetReadOnly(true);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        emit TitleClick(source_->Column(column).fieldName);
    });
    connect(source_->DataSet(), &TClientDataSet::AfterScroll, this, &TDBGrid::FollowCursor);
    connect(source_, &QAbstractItemModel::modelReset, this, &TDBGrid::FollowCursor);
    FollowCursor();
}

void TDBGrid::FollowFontInTitles()
{
    QFont titleFont = font();
    titleFont.setBold(true);
    horizontalHeader()->setFont(titleFont);
}

void TDBGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) // the titles wear the cells' face, in bold
        FollowFontInTitles();
}

void TDBGrid::SetReadOnly(bool readOnly)
{
    source_->SetReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
}

bool TDBGrid::ReadOnly() const
{
    return source_->ReadOnly();
}

void TDBGrid::SetColors(const QColor &background, const QColor &text)
{
    setStyleSheet(u"QTableView { background: %1; color: %2; gridline-color: #808080; "
                  u"selection-background-color: %2; selection-color: %1; }"_s
                      .arg(background.name(), text.name()));
}

void TDBGrid::FitColumns()
{
    // A hidden grid is fitted when it is first shown: a window starts without that work.
    fitWhenShown_ = !isVisible();
    if (fitWhenShown_)
        return;
    horizontalHeader()->setResizeContentsPrecision(0); // the rows on the screen alone: a big table stays quick
    resizeColumnsToContents();
    for (int column = 0; column < source_->columnCount(); ++column)
        setColumnWidth(column, std::min(columnWidth(column) + 8, 240));
}

void TDBGrid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    if (fitWhenShown_)
        FitColumns();
}

void TDBGrid::CommitEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget *editor = QApplication::focusWidget();
    if (editor && viewport()->isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TDBGrid::FollowCursor()
{
    const TClientDataSet *table = source_->DataSet();
    const int row = table->Active() ? table->RecNo() : -1;
    if (row < 0 || row == currentIndex().row())
        return;
    following_ = true;
    setCurrentIndex(source_->index(row, std::max(0, currentIndex().column())));
    following_ = false;
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    TClientDataSet *table = source_->DataSet();
    if (following_ || !current.isValid() || !table->Active() || current.row() == table->RecNo())
        return;
    RunGuarded([&] { table->MoveBy(current.row() - table->RecNo()); });
    FollowCursor(); // the move may have ended elsewhere (an untouched new row dropped)
}

void TDBGrid::DropUntouchedAppend()
{
    TClientDataSet *table = source_->DataSet();
    if (table->Active() && table->state() == TClientDataSet::State::Insert && !table->Modified())
        RunGuarded([table] { table->Cancel(); });
}

void TDBGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    // A cell editor taking the focus is not the grid losing it.
    if (!isAncestorOf(QApplication::focusWidget()))
        DropUntouchedAppend();
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    TClientDataSet *table = source_->DataSet();
    if (ReadOnly() || !table->Active() || state() == QAbstractItemView::EditingState) {
        QTableView::keyPressEvent(event);
        return;
    }
    const bool atLastRow = currentIndex().row() == source_->rowCount() - 1 || source_->rowCount() == 0;
    const bool untouchedNewRow = table->state() == TClientDataSet::State::Insert && !table->Modified();
    if (event->key() == Qt::Key_Down && atLastRow) {
        if (!untouchedNewRow) // a new row is added below the last one, which is posted first
            RunGuarded([table] { table->Append(); });
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        if (!untouchedNewRow) // a new row goes before the current one
            RunGuarded([table] { table->Insert(); });
        return;
    }
    if (event->key() == Qt::Key_Escape && table->state() != TClientDataSet::State::Browse) {
        RunGuarded([table] { table->Cancel(); });
        viewport()->update();
        return;
    }
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        if (table->RecordCount() > 0
            && ShowMessage({u"Spieldex: Datensatz löschen"_s, u"Datensatz löschen?"_s, MessageIcon::Error,
                            MessageButtons::OkCancel, MessageAnswer::Cancel})
                   == MessageAnswer::Ok)
            RunGuarded([table] { table->Delete(); });
        return;
    }
    QTableView::keyPressEvent(event);
}
