#include "DoubleClickDrag.h"
#include "For_tips.h"
#include "MainWindowFixture.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TableSchemas.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Tips : public ::testing::Test, public MainWindowFixture {
protected:
    void TearDown() override { Close(); }

    void OpenNormal()
    {
        Open({Game(u"Sternenwacht II"_s), Game(u"Galdrin's Tor"_s), Game(u"Ohne Tipps"_s)},
             {Tip(u"Zork"_s, u"Nr. 1998-01"_s, 3, u"Cheat"_s, u"z"_s),
              Tip(u"Sternenwacht II"_s, u"Nr. 1998-02"_s, 10, u"Taktik"_s, u"eins"_s),
              Tip(u"sternenwacht ii"_s, u"Nr. 1998-02"_s, 11, u"Taktik"_s, u"falsche Schreibung"_s),
              Tip(u"Galdrin's Tor "_s, u"Nr. 1998-03"_s, 12, u"Cheat"_s, u"Leerzeichen am Ende"_s),
              Tip(u"Sternenwacht II"_s, u"Nr. 1998-04"_s, 5, u"Cheat"_s, u"zwei"_s),
              Tip(u"Anno"_s, u"Nr. 1998-05"_s, 7, u"Lösungsweg"_s, u"a"_s),
              Tip(u"Sternenwacht II"_s, u"Nr. 1998-06"_s, 20, u"Editor-Trick"_s, u"drei"_s)});
    }

    // Opens the tips of the current game as the tips button does, closing the window as
    // soon as it runs; returns what the grid showed as the current row and the two below.
    QStringList OpenAndPeek(std::function<void(TFormTips &)> whileOpen = {})
    {
        TFormTips tips(window.get());
        QStringList seen;
        QTimer::singleShot(0, &tips, [&] {
            TClientDataSet &t = *tips.ClientDataSet1;
            for (int r = t.RecNo(); r < std::min(t.RecNo() + 3, t.RecordCount()); ++r)
                seen << t.ValueAtRow(r, 4).toText();
            if (whileOpen)
                whileOpen(tips);
            tips.accept();
        });
        tips.OpenFor(window->ClientDataSet1->FieldByName(u"TITEL"_s));
        return seen;
    }

    void GoTo(const QString &title)
    {
        window->ClientDataSet1->First();
        while (Title() != title && !window->ClientDataSet1->Eof())
            window->ClientDataSet1->Next();
    }
};

} // namespace

TEST_F(Tips, OpensAtTheGamesFirstTipWithItsOthersBelow)
{
    OpenNormal();
    GoTo(u"Sternenwacht II"_s);
    EXPECT_EQ(OpenAndPeek(), (QStringList{u"eins"_s, u"zwei"_s, u"drei"_s}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Tips, OnlyAnExactTitleIsATipOfTheGame)
{
    OpenNormal();
    for (const QString &title : {u"Galdrin's Tor"_s, u"Ohne Tipps"_s}) {
        SCOPED_TRACE(title.toStdString());
        boxes.shown.clear();
        GoTo(title);
        // After the warning the window still opens, at the first tip of the whole table.
        EXPECT_EQ(OpenAndPeek().value(0), u"a"_s);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].title, u"Spieldex: Keine Tips gefunden"_s);
        EXPECT_EQ(boxes.shown[0].text, u"Keine Tips zu dem ausgewählten Spiel \"%1\" gefunden."_s.arg(title));
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Warning);
    }
}

TEST_F(Tips, TitleClicksSortByTheColumnThenTheTitle)
{
    OpenNormal();
    TFormTips tips(window.get());
    TClientDataSet &t = *tips.ClientDataSet1;
    const auto order = [&t] {
        QStringList notes;
        for (int r = 0; r < t.RecordCount(); ++r)
            notes << t.ValueAtRow(r, 4).toText();
        return notes.join(u',');
    };
    EXPECT_EQ(t.IndexFieldNames(), u"Titel"_s);
    tips.GridTabelleTitleClick(u"Seite"_s);
    EXPECT_EQ(t.IndexFieldNames(), u"Seite; TITEL"_s);
    EXPECT_EQ(order(), u"z,zwei,a,eins,falsche Schreibung,Leerzeichen am Ende,drei"_s);
    tips.GridTabelleTitleClick(u"Titel"_s);
    EXPECT_EQ(t.IndexFieldNames(), u"Titel; TITEL"_s);
    EXPECT_EQ(order(), u"a,Leerzeichen am Ende,falsche Schreibung,eins,zwei,drei,z"_s);
}

TEST_F(Tips, EditModeSavesTheTipsWhenTheWindowClosesAndFindsThemNextTime)
{
    Open({Game(u"Neu im Test"_s)}, {Tip(u"Anno"_s, u"Nr. 1998-05"_s, 7, u"Cheat"_s, u"a"_s)}, true);
    OpenAndPeek([](TFormTips &tips) {
        EXPECT_FALSE(tips.GridTabelle->ReadOnly());
        tips.GridTabelleTitleClick(u"Seite"_s); // edit mode keeps the file's order
        EXPECT_EQ(tips.ClientDataSet1->IndexFieldNames(), QString());
        tips.ClientDataSet1->Append();
        tips.ClientDataSet1->SetFieldText(u"Titel"_s, u"Neu im Test"_s);
        tips.ClientDataSet1->SetFieldText(u"Hinweis"_s, u"frisch"_s); // left pending: closing saves it
    });
    EXPECT_EQ(QueryText(Path(kTipsTableFile), u"SELECT group_concat(Titel, '|') FROM records"_s),
              u"Anno|Neu im Test"_s);
    boxes.shown.clear();
    EXPECT_EQ(OpenAndPeek().value(0), u"frisch"_s);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Tips, ThePageDragsTheWindowAndTheGridDoesNot)
{
    OpenNormal();
    TFormTips tips(window.get());
    tips.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tips));
    const QPoint before = tips.pos();
    QTest::mousePress(tips.windowHandle(), Qt::LeftButton, {}, {200, 320});
    QTest::mouseMove(tips.windowHandle(), {170, 300});
    EXPECT_EQ(tips.pos(), before + QPoint(-30, -20));
    QTest::mouseRelease(tips.windowHandle(), Qt::LeftButton, {}, {200, 320}); // where the pointer now is
    QTest::mousePress(tips.windowHandle(), Qt::LeftButton, {}, {200, 100});
    EXPECT_FALSE(tips.Dragging());
    QTest::mouseRelease(tips.windowHandle(), Qt::LeftButton, {}, {200, 100});
    // The second press of a double-click drags too.
    const QPoint at = tips.pos();
    DragWithSecondPress(tips.windowHandle(), {200, 320}, {10, 10});
    EXPECT_EQ(tips.pos(), at + QPoint(10, 10));
    QTest::mouseClick(tips.windowHandle(), Qt::LeftButton, {}, {380, 320}); // the close picture
    EXPECT_FALSE(tips.isVisible());
}

TEST_F(Tips, EscClosesNothingButStillCancelsACellEdit)
{
    for (const bool editMode : {false, true}) {
        SCOPED_TRACE(editMode ? "edit mode" : "normal mode");
        Open({Game(u"Anno"_s)}, {Tip(u"Anno"_s, u"Nr. 1998-05"_s, 7, u"Cheat"_s, u"a"_s)}, editMode);
        bool stillOpen = false;
        OpenAndPeek([&](TFormTips &tips) {
            TDBGrid *grid = tips.GridTabelle;
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Escape);
            QTest::keyClick(&tips, Qt::Key_Escape);
            if (editMode) { // an open cell editor takes Esc and drops what was typed
                grid->setCurrentIndex(grid->model()->index(0, 4));
                grid->edit(grid->currentIndex());
                QPointer<QLineEdit> editor = grid->viewport()->findChild<QLineEdit *>();
                ASSERT_TRUE(editor);
                QTest::keyClicks(editor, u"xyz"_s);
                QTest::keyClick(editor, Qt::Key_Escape);
                EXPECT_TRUE(!editor || !editor->isVisible());
                EXPECT_EQ(tips.ClientDataSet1->ValueAtRow(0, 4).toText(), u"a"_s);
            }
            stillOpen = tips.isVisible();
        });
        EXPECT_TRUE(stillOpen);
        Close();
    }
}

TEST_F(Tips, GridTitlesWearTheCellsFaceInBoldInBothWindows)
{
    OpenNormal();
    window->TasteTabelleClick();
    TFormTips tips(window.get());
    for (TDBGrid *grid : {window->GridTabelle, tips.GridTabelle}) {
        SCOPED_TRACE(grid->window()->objectName().toStdString());
        const QFont cells = grid->font(), titles = grid->horizontalHeader()->font();
        EXPECT_EQ(titles.family(), cells.family());
        EXPECT_EQ(QFontInfo(titles).pixelSize(), QFontInfo(cells).pixelSize());
        EXPECT_TRUE(titles.bold());
        EXPECT_FALSE(cells.bold());
    }
}

namespace {

// White pixels of a column's title as drawn.
int WhiteInTitle(QHeaderView *header, int section)
{
    const QImage titles = header->grab().toImage();
    int white = 0;
    const int left = header->sectionViewportPosition(section);
    for (int x = std::max(0, left); x < std::min(titles.width(), left + header->sectionSize(section)); ++x)
        for (int y = 0; y < titles.height(); ++y)
            white += titles.pixel(x, y) == qRgb(255, 255, 255);
    return white;
}

// Hovers over a cell of the first row as the pointer would, asking for its tooltip.
void Hover(TDBGrid *grid, int column)
{
    const QRect cell = grid->visualRect(grid->model()->index(0, column));
    QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(grid->viewport(), &help);
}

void ExpectFittedColumnsAndWholeTooltip(TDBGrid *grid, const QString &longHint)
{
    QHeaderView *header = grid->horizontalHeader();
    const int hint = header->count() - 1, kind = hint - 1;
    QCoreApplication::processEvents(); // the scroll range follows the columns' sizes
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << "the columns fit the grid";
    EXPECT_GE(header->sectionSize(hint), grid->width() / 3);
    // "Hinweis" has more than twice the letters of "Art": drawn whole, more white too.
    EXPECT_GT(WhiteInTitle(header, hint), 2 * WhiteInTitle(header, kind)) << "the Hinweis title is not drawn";

    Hover(grid, 2); // the page number fits its cell
    EXPECT_FALSE(QToolTip::isVisible());
    Hover(grid, hint);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QString(QToolTip::text()).replace(u'\n', u' '), longHint);
    for (const QString &line : QToolTip::text().split(u'\n'))
        EXPECT_LE(QFontMetrics(QToolTip::font()).horizontalAdvance(line), 480);
    QToolTip::hideText();
}

} // namespace

TEST_F(Tips, ColumnsFitTheGridAndACutTextReadsWholeAsATooltip)
{
    QString longHint;
    while (longHint.size() < 255)
        longHint += u"Drücken Sie im Hafen F3 "_s;
    longHint = longHint.left(255);
    const QString title = u"Sternenwacht II: Die Rückkehr der Kometenflotte"_s; // a wide first column
    Open({Game(title)}, {Tip(title, u"Nr. 1998-02"_s, 10, u"Taktik"_s, longHint)});
    TFormTips tips(window.get());
    QTimer::singleShot(0, &tips, [&] {
        ExpectFittedColumnsAndWholeTooltip(tips.GridTabelle, longHint);
        tips.accept();
    });
    tips.exec();
}
