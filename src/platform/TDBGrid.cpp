#include "TDBGrid.h"

#include "ErrorDisplay.h"
#include "Messages.h"
#include "TClientDataSet.h"
#include "TDataSource.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <numeric>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWidestFittedColumn = 240;

// A long text broken at its blanks into lines of at most `width` pixels, so that a tooltip
// reads as a paragraph rather than one line running off the screen.
QString WrappedForTooltip(const QString &text, const QFontMetrics &metrics, int width)
{
    const QStringList words = text.split(u' ');
    QStringList lines;
    QString line = words.constFirst();
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + u' ' + words[i]) > width) {
            lines << line;
            line = words[i];
        } else {
            line += u' ' + words[i];
        }
    }
    lines << line;
    return lines.join(u'\n');
}

} // namespace

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
        setColumnWidth(column, std::min(columnWidth(column) + 8, kWidestFittedColumn));
    if (lastColumnFilling_)
        LeaveRoomForLastColumn();
}

void TDBGrid::SetLastColumnFilling(bool filling)
{
    lastColumnFilling_ = filling;
    horizontalHeader()->setStretchLastSection(filling);
}

void TDBGrid::LeaveRoomForLastColumn()
{
    const int last = source_->columnCount() - 1;
    if (last < 1)
        return;
    // The room beside a vertical scroll bar, whether one shows yet or not.
    const int room = width() - verticalScrollBar()->sizeHint().width();
    const int forOthers = room - room / 3;
    std::vector<int> fitted, least;
    for (int column = 0; column < last; ++column) {
        fitted.push_back(columnWidth(column));
        least.push_back(std::min(fitted.back(), horizontalHeader()->sectionSizeHint(column)));
    }
    const auto widthsUnder = [&](int cap) {
        int sum = 0;
        for (size_t i = 0; i < fitted.size(); ++i)
            sum += std::max(least[i], std::min(fitted[i], cap));
        return sum;
    };
    // The largest common cap under which the others fit; their titles stay whole regardless.
    int low = 0, high = kWidestFittedColumn;
    while (low < high) {
        const int cap = (low + high + 1) / 2;
        if (widthsUnder(cap) <= forOthers)
            low = cap;
        else
            high = cap - 1;
    }
    for (int column = 0; column < last; ++column)
        setColumnWidth(column, std::max(least[size_t(column)], std::min(fitted[size_t(column)], low)));
    // The header stretches the last section anew only when told again, and never below the
    // width it had then: its title's.
    setColumnWidth(last, horizontalHeader()->sectionSizeHint(last));
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setStretchLastSection(true);
}

bool TDBGrid::TextIsCut(const QModelIndex &index) const
{
    // The cell's text stands between margins as the style draws it, beside a grid line.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int room = columnWidth(index.column()) - (showGrid() ? 1 : 0) - 2 * margin;
    return fontMetrics().horizontalAdvance(index.data(Qt::DisplayRole).toString()) > room;
}

bool TDBGrid::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    if (!index.isValid() || !TextIsCut(index)) {
        QToolTip::hideText();
        return true;
    }
    const QScreen *screen = viewport()->screen();
    const int lineWidth = std::min(480, screen ? screen->availableGeometry().width() * 3 / 4 : 480);
    QToolTip::showText(help->globalPos(),
                       WrappedForTooltip(index.data(Qt::DisplayRole).toString(), QFontMetrics(QToolTip::font()),
                                         lineWidth),
                       viewport(), visualRect(index));
    return true;
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
