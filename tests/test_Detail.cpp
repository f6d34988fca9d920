#include "Detail.h"
#include "MainWindowFixture.h"
#include "DoubleClickDrag.h"
#include "For_such.h"
#include "GridTables.h"
#include "Misc.h"
#include "PageLayout.h"
#include "Paintlog.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TDataSource.h"
#include "TImage.h"
#include "TableSchemas.h"
#include "TestFiles.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

FieldValue T(const QString &text)
{
    return FieldValue(text);
}

class DetailWindow : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        WriteTables({Game(u"Mittel"_s, {{u"AUSGABE", T(u"Nr. 1998-12"_s)}, {u"SEITE", qint64(30)}}),
                     Game(u"Zuletzt"_s, {{u"AUSGABE", T(u"Nr. 1998-11"_s)}, {u"SEITE", qint64(10)}}),
                     Game(u"Anfang"_s, {{u"AUSGABE", T(u"Nr. 1999-01"_s)}, {u"SEITE", qint64(20)}})});
    }
    void TearDown() override { Close(); }

    TDetailansicht &Open(bool editMode) { return OpenWindow(editMode); }
    QString GameFile() const { return Path(kGameTableFile); }

    // Presses a button at a point of the window as the pointer would: whatever lies there takes it.
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window->windowHandle(), button, {}, at);
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(window->windowHandle(), button, {}, at);
    }
    void Click(QPoint at)
    {
        Press(at);
        Release(at);
    }
};

// Where the buttons are, by their centres.
const QPoint kTabelle = PageLayout::ViewButton.center(), kHauptansicht = PageLayout::ViewButton.center(),
             kArrowRight = PageLayout::ArrowRight.center(), kSearch = PageLayout::SearchButton.center();

struct ViewState {
    bool backgrnd, backgrd2;
    int backgrd2Width;
    bool grid, gridEnabled, tabelle, hauptansicht, importExport;
};

// Types a value into the grid's current cell as a user would: the first key opens the
// cell editor, Return confirms (the grid takes the value once events are processed).
void TypeIntoCell(TDBGrid *grid, const QString &text, bool confirm = true)
{
    QTest::keyClicks(grid, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid);
    QTest::keyClicks(editor, text.mid(1));
    if (confirm) {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
}

ViewState StateOf(TDetailansicht &w)
{
    return {w.Backgrnd->isVisible(),        w.Backgrd2->isVisible(),    w.Backgrd2->width(),
            w.GridTabelle && w.GridTabelle->isVisible(), w.GridTabelle && w.GridTabelle->isEnabled(),
            w.TasteTabelle->isVisible(),
            w.TasteHauptansicht->isVisible(), w.TasteIE->isVisible()};
}

bool operator==(const ViewState &a, const ViewState &b)
{
    return std::tie(a.backgrnd, a.backgrd2, a.backgrd2Width, a.grid, a.gridEnabled, a.tabelle, a.hauptansicht,
                    a.importExport)
        == std::tie(b.backgrnd, b.backgrd2, b.backgrd2Width, b.grid, b.gridEnabled, b.tabelle, b.hauptansicht,
                    b.importExport);
}

void PrintTo(const ViewState &s, std::ostream *os)
{
    *os << s.backgrnd << s.backgrd2 << '/' << s.backgrd2Width << '/' << s.grid << s.gridEnabled << s.tabelle
        << s.hauptansicht << s.importExport;
}

const ViewState kDetailView{true, false, 8, false, false, true, false, false};
const ViewState kTableViewNormal{false, true, 640, true, true, false, true, false};
const ViewState kTableViewEdit{false, true, 640, true, true, false, true, true};

} // namespace

TEST_F(DetailWindow, ViewsSwitchByTheirButtonsInBothModes)
{
    for (const bool editMode : {false, true}) {
        SCOPED_TRACE(editMode ? "edit mode" : "normal mode");
        TDetailansicht &w = Open(editMode);
        EXPECT_EQ(StateOf(w), kDetailView);
        Click(kTabelle);
        EXPECT_EQ(StateOf(w), editMode ? kTableViewEdit : kTableViewNormal);
        EXPECT_EQ(w.GridTabelle->ReadOnly(), !editMode);
        Click(kHauptansicht);
        EXPECT_EQ(StateOf(w), kDetailView);
        Click(kTabelle);
        Click(kHauptansicht);
        EXPECT_EQ(StateOf(w), kDetailView);
        window.reset();
    }
}

TEST_F(DetailWindow, BadgesHideInTheTableViewAndFollowTheRecordBack)
{
    TDetailansicht &w = Open(false);
    BadgeOverlay(boSetBadges, 1, 1);
    EXPECT_TRUE(w.ImageGoldaward->isVisible());
    Click(kTabelle);
    EXPECT_FALSE(w.ImageGoldaward->isVisible());
    EXPECT_FALSE(w.ImageZusatzcd->isVisible());
    BadgeOverlay(boSetBadges, 2, 0);
    EXPECT_FALSE(w.ImagePlatinaward->isVisible());
    Click(kHauptansicht);
    EXPECT_FALSE(w.ImageGoldaward->isVisible());
    EXPECT_TRUE(w.ImagePlatinaward->isVisible());
    EXPECT_FALSE(w.ImageZusatzcd->isVisible());
}

TEST_F(DetailWindow, PressesOnTheSurfaceDragAndPressesOnButtonsDoNot)
{
    TDetailansicht &w = Open(false);
    BadgeOverlay(boSetBadges, 1, 1);
    w.TasteSuchenR->show(); // the red lamp lies over the search button and lets presses through to it
    struct Case {
        const char *where;
        QPoint at;
        Qt::MouseButton button;
        bool drags;
    };
    const Case cases[] = {
        {"background", {600, 300}, Qt::LeftButton, true},
        {"background, right button", {600, 300}, Qt::RightButton, true},
        {"screenshot", {150, 120}, Qt::LeftButton, true},
        {"gold badge", {580, 430}, Qt::LeftButton, true},
        {"extra-CD badge", {380, 430}, Qt::MiddleButton, true},
        {"right arrow", kArrowRight, Qt::LeftButton, false},
        {"red lamp over the search button", kSearch, Qt::LeftButton, false},
        {"minimise button", {625, 15}, Qt::LeftButton, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.where);
        const QPoint before = w.pos();
        Press(c.at, c.button);
        EXPECT_EQ(w.Dragging(), c.drags);
        const QPoint by(-40, -30);
        QTest::mouseMove(w.windowHandle(), c.at + by);
        EXPECT_EQ(w.pos(), before + (c.drags ? by : QPoint()));
        Release(c.at + by, c.button);
        EXPECT_FALSE(w.Dragging());
        w.move(before);
    }
    // The second press of a double-click drags too.
    const QPoint before = w.pos();
    DragWithSecondPress(w.windowHandle(), {600, 300}, {-40, -30});
    EXPECT_EQ(w.pos(), before + QPoint(-40, -30));
    w.move(before);

    Click(kTabelle);
    Press({300, 150}); // on the grid
    EXPECT_FALSE(w.Dragging());
    Release({300, 150});
}

TEST_F(DetailWindow, ArrowsPageWithoutWrappingAround)
{
    Open(false);
    EXPECT_EQ(Title(), u"Anfang"_s);
    Click(kArrowRight);
    Click(kArrowRight);
    EXPECT_EQ(Title(), u"Zuletzt"_s);
    Click(kArrowRight);
    EXPECT_EQ(Title(), u"Zuletzt"_s);
    for (int i = 0; i < 3; ++i)
        window->TastePfeilLClick();
    EXPECT_EQ(Title(), u"Anfang"_s);
}

TEST_F(DetailWindow, TitleClicksSortInNormalModeOnlyAndKeepTheRecord)
{
    TDetailansicht &w = Open(false);
    w.TastePfeilRClick(); // on "Mittel"
    w.GridTabelleTitleClick(u"SEITE"_s);
    EXPECT_EQ(w.ClientDataSet1->IndexFieldNames(), u"SEITE; TITEL"_s);
    EXPECT_EQ(Title(), u"Mittel"_s);
    EXPECT_EQ(w.ClientDataSet1->RecNo(), 2);
    w.GridTabelleTitleClick(u"TITEL"_s);
    EXPECT_EQ(w.ClientDataSet1->IndexFieldNames(), u"TITEL"_s);
    window.reset();

    TDetailansicht &e = Open(true);
    e.GridTabelleTitleClick(u"SEITE"_s);
    EXPECT_EQ(e.ClientDataSet1->IndexFieldNames(), QString());
}

TEST_F(DetailWindow, NormalModeNeverWritesTheGameTable)
{
    const QByteArray before = ReadBytes(GameFile());
    const QDateTime modified = QFileInfo(GameFile()).lastModified();
    Open(false);
    EXPECT_EQ(Detailansicht, window.get());
    Click(kTabelle);
    window.reset();
    EXPECT_EQ(Detailansicht, nullptr);
    EXPECT_EQ(ReadBytes(GameFile()), before);
    EXPECT_EQ(QFileInfo(GameFile()).lastModified(), modified);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DetailWindow, EditModeOpensAtTheLastStoredRecordAndRewritesTheFileEvenUnchanged)
{
    const QDateTime modified = QFileInfo(GameFile()).lastModified();
    Open(true);
    EXPECT_EQ(Title(), u"Anfang"_s); // last in the file's order
    window.reset();
    EXPECT_NE(QFileInfo(GameFile()).lastModified(), modified);
    EXPECT_EQ(QueryText(GameFile(), u"SELECT group_concat(TITEL) FROM records"_s), u"Mittel,Zuletzt,Anfang"_s);
}

TEST_F(DetailWindow, GridEditsInEditModeReachTheFile)
{
    TDetailansicht &w = Open(true);
    Click(kTabelle);
    TDBGrid *grid = w.GridTabelle;
    grid->setFocus();
    ASSERT_EQ(grid->currentIndex().row(), 2);

    // Change the page of the current (last) record; the cell editor still holds it at the end.
    grid->setCurrentIndex(grid->model()->index(2, 2));
    TypeIntoCell(grid, u"77"_s);

    // Append a record below the last one and fill its title.
    grid->setCurrentIndex(grid->model()->index(2, 0));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    TypeIntoCell(grid, u"Neu"_s);

    // An appended row nobody filled is dropped when the cursor leaves it.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->model()->rowCount(), 5);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(grid->model()->rowCount(), 4);

    // Delete the first record after confirming; a refusal deletes nothing.
    grid->setCurrentIndex(grid->model()->index(0, 0));
    boxes.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, u"Datensatz löschen?"_s);

    // A value the field cannot take is refused with the engine's message.
    grid->setCurrentIndex(grid->model()->index(0, 2));
    TypeIntoCell(grid, u"x"_s);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_TRUE(boxes.shown[2].text.contains(u"SEITE"_s));

    // An edit left open in its cell is taken over when the program ends.
    grid->setCurrentIndex(grid->model()->index(0, 1));
    TypeIntoCell(grid, u"Nr. 2000-01"_s, false);
    window.reset();

    EXPECT_EQ(QueryText(GameFile(), u"SELECT group_concat(TITEL || ':' || ifnull(AUSGABE, '-') || ':' || ifnull(SEITE, '-'),"
                                u" ' | ') FROM records"_s),
              u"Zuletzt:Nr. 2000-01:10 | Anfang:Nr. 1999-01:77 | Neu:-:-"_s);
}

TEST_F(DetailWindow, InsertAddsARecordBeforeTheCurrentOneThatTheFileKeepsThere)
{
    TDetailansicht &w = Open(true);
    Click(kTabelle);
    TDBGrid *grid = w.GridTabelle;
    grid->setFocus();
    // Stored order: Mittel, Zuletzt, Anfang. Insert before the last, the first and the middle row.
    for (const auto &[row, title] : {std::pair{2, u"Vor Anfang"_s}, {0, u"Ganz vorn"_s}, {2, u"Mitte"_s}}) {
        grid->setCurrentIndex(grid->model()->index(row, 0));
        QTest::keyClick(grid, Qt::Key_Insert);
        EXPECT_EQ(grid->currentIndex().row(), row);
        TypeIntoCell(grid, title);
    }
    // One left empty goes again when the cursor moves on, back to the row it was inserted at.
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(grid->model()->rowCount(), 7);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(Title(), u"Mittel"_s);
    window.reset();
    EXPECT_EQ(QueryText(GameFile(), u"SELECT group_concat(TITEL) FROM records"_s),
              u"Ganz vorn,Mittel,Mitte,Zuletzt,Vor Anfang,Anfang"_s);
}

TEST_F(DetailWindow, AnErrorWhileThePageIsDrawnIsShownOnceAndEndsTheAction)
{
    std::vector<FieldDef> withoutPictureName = GameTableFields();
    withoutPictureName.pop_back(); // BILDNAME
    WriteTable(GameFile(), withoutPictureName, {{T(u"Anfang"_s)}, {T(u"Zweites"_s)}});
    TDetailansicht &w = Open(false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, u"Feld 'BILDNAME' nicht gefunden"_s);
    Click(kArrowRight);
    EXPECT_EQ(boxes.shown.size(), 2u);
    // A search whose first match cannot be drawn shows the error once and lights no lamp.
    TFormSuchen search(&w);
    search.Edit1->setText(u"z"_s);
    QTest::mouseClick(search.TasteSuchen, Qt::LeftButton);
    EXPECT_EQ(boxes.shown.size(), 3u);
    EXPECT_FALSE(w.TasteSuchenR->isVisible());
}

TEST_F(DetailWindow, MissingGameTableIsReportedAndTheWindowStillOpens)
{
    QFile::remove(GameFile());
    TDetailansicht &w = Open(false);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.ClientDataSet1->Active());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"Spieldex 2.0"_s);
    EXPECT_EQ(boxes.shown[0].text, u"Datei spdex_d.cds kann nicht geöffnet werden"_s);
    Click(kArrowRight); // later operations report the engine's error and the program goes on
    EXPECT_EQ(boxes.shown.size(), 2u);
    Click(kTabelle);
    EXPECT_TRUE(w.GridTabelle->isVisible());
}

TEST_F(DetailWindow, EditModeWithoutATableSavesNothingAtTheEnd)
{
    QFile::remove(GameFile());
    Open(true);
    window.reset();
    EXPECT_EQ(boxes.shown.size(), 2u); // the load, then the refused save
    EXPECT_FALSE(QFileInfo::exists(GameFile()));
}

namespace {

// A grid's source that notes every row the grid asks for.
class CountingSource : public TDataSource {
public:
    using TDataSource::TDataSource;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            rows.insert(index.row());
        return TDataSource::data(index, role);
    }
    mutable QSet<int> rows;
};

} // namespace

// However big the table, the grid asks it only for the rows on the screen: when it is
// shown, scrolled by a page and sent to the last row, and when its columns are fitted.
TEST(GridRows, TheGridAsksOnlyForTheRowsItShows)
{
    constexpr int kRows = 100000;
    TClientDataSet games;
    games.SetFieldDefs(GameTableFields());
    games.CreateDataSet();
    RecordStore records(kGameFieldCount);
    for (int r = 0; r < kRows; ++r) {
        std::vector<FieldValue> row(kGameFieldCount, FieldValue::null());
        row[kTitel] = T(u"Spiel %1"_s.arg(r));
        row[kSeite] = qint64(r);
        records.append(row);
    }
    games.ReplaceRecords(std::move(records));
    games.First();
    CountingSource source(&games, GridColumnsOf(GameTable()));
    QWidget window;
    window.resize(PageLayout::MainWindow);
    auto *grid = new TDBGrid(&window, u"GridTabelle"_s, PageLayout::TableGrid, &source);
    grid->FitColumns();
    const int shown = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize() + 2;
    EXPECT_LE(source.rows.size(), shown) << "fitting the columns";

    const std::pair<const char *, std::function<void()>> actions[] = {
        {"shown", [&] { window.show(); }},
        {"a page down", [&] { QTest::keyClick(grid, Qt::Key_PageDown); }},
        {"the last row", [&] { QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier); }},
    };
    for (const auto &[what, action] : actions) {
        source.rows.clear();
        action();
        grid->repaint();
        QCoreApplication::processEvents();
        EXPECT_GT(source.rows.size(), 0) << what;
        EXPECT_LE(source.rows.size(), shown) << what;
    }
    EXPECT_EQ(games.RecNo(), kRows - 1);
    EXPECT_TRUE(source.rows.contains(kRows - 1));
}
