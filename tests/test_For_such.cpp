#include "For_such.h"
#include "MainWindowFixture.h"
#include "Misc.h"
#include "PageLayout.h"
#include "TClientDataSet.h"
#include "TImage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Search : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        Open({Game(u"ABENTEUER IM ALL"_s), Game(u"Abenteuerland"_s), Game(u"BALDUR'S RUHM"_s),
              Game(u"ÄONEN"_s), Game(u"  LEERZEICHEN"_s), Game(u"A*B-TEAM"_s), Game(u"ZORK"_s, {{u"EXTRAS", u"GA"_s}}),
              Game(u"Sternenwacht"_s), Game(u"Sternfahrt"_s)},
             {});
    }
    void TearDown() override { Close(); }

    // Opens the dialog anew, types into its field (replacing what is there) and presses "Suchen".
    void SearchFor(const QString &text)
    {
        TFormSuchen dialog(window.get());
        dialog.Edit1->setText(text);
        QTest::mouseClick(dialog.TasteSuchen, Qt::LeftButton);
        shown = dialog.Edit1->text();
    }

    QStringList Titles()
    {
        QStringList titles;
        for (int r = 0; r < window->ClientDataSet1->RecordCount(); ++r)
            titles << window->ClientDataSet1->ValueAtRow(r, 0).toText();
        return titles;
    }
    bool Lamp() const { return window->TasteSuchenR->isVisible(); }

    QString shown;
};

} // namespace

TEST(SearchCapitals, TheCodePagesCapitalsAndNothingElse)
{
    const std::pair<QString, QString> cases[] = {
        {u"abc xyz"_s, u"ABC XYZ"_s},
        {u"ä ö ü é ø þ"_s, u"Ä Ö Ü É Ø Þ"_s},
        {u"ÿ š œ ž"_s, u"Ÿ Š Œ Ž"_s},
        {u"µ ß ÷ ª"_s, u"µ ß ÷ ª"_s},        // no capital in the code page, or no letter
        {u"istanbul"_s, u"ISTANBUL"_s},      // whatever the locale
        {u"ﬁ я ı 😀"_s, u"ﬁ я ı 😀"_s},     // beyond the code page: as typed
        {u"Straße 1"_s, u"STRAßE 1"_s},
    };
    for (const auto &[typed, capitals] : cases)
        EXPECT_EQ(SearchCapitals(typed), capitals) << typed.toStdString();
}

TEST_F(Search, CapitalsAndOneTrailingAsteriskMakeTheFilter)
{
    struct Case {
        QString typed, searched;
        QStringList titles;
    };
    const Case cases[] = {
        {u"abc"_s, u"ABC*"_s, {}},
        {u"abenteuer"_s, u"ABENTEUER*"_s, {u"ABENTEUER IM ALL"_s, u"Abenteuerland"_s}},
        {u"ab*"_s, u"AB*"_s, {u"ABENTEUER IM ALL"_s, u"Abenteuerland"_s}},
        // A title is found whatever case the prefix is typed in, and what follows the prefix still counts.
        {u"stern"_s, u"STERN*"_s, {u"Sternenwacht"_s, u"Sternfahrt"_s}},
        {u"Sterne"_s, u"STERNE*"_s, {u"Sternenwacht"_s}},
        {u"STERNENWACHT"_s, u"STERNENWACHT*"_s, {u"Sternenwacht"_s}},
        {u"sternenwachx"_s, u"STERNENWACHX*"_s, {}},
        {u"a*b"_s, u"A*B*"_s, {u"A*B-TEAM"_s}},
        {u"  "_s, u"  *"_s, {u"  LEERZEICHEN"_s}},
        {u"äo"_s, u"ÄO*"_s, {u"ÄONEN"_s}},
        {u"baldur's"_s, u"BALDUR'S*"_s, {u"BALDUR'S RUHM"_s}}, // a quote is searched for as it is
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        SearchFor(c.typed);
        EXPECT_EQ(shown, c.searched);
        EXPECT_EQ(SearchTextStore(stFetch), c.searched);
        EXPECT_TRUE(window->ClientDataSet1->Filtered());
        EXPECT_EQ(Titles(), c.titles);
        EXPECT_TRUE(Lamp());
        EXPECT_TRUE(boxes.shown.empty());
    }
}

TEST_F(Search, EmptyFieldKeepsTheActiveSearch)
{
    SearchFor(u"z"_s);
    SearchFor(u""_s);
    EXPECT_EQ(Titles(), QStringList{u"ZORK"_s});
    EXPECT_TRUE(Lamp());
    EXPECT_EQ(SearchTextStore(stFetch), u"Z*"_s);
}

TEST_F(Search, ReopeningShowsTheSearchedTextAndSearchingAgainAddsNoAsterisk)
{
    SearchFor(u"z"_s);
    TFormSuchen again(window.get());
    EXPECT_EQ(again.Edit1->text(), u"Z*"_s);
    QTest::keyClick(again.Edit1, Qt::Key_Return); // Enter presses "Suchen"
    EXPECT_EQ(again.Edit1->text(), u"Z*"_s);
    EXPECT_EQ(window->ClientDataSet1->Filter(), u"TITEL = 'Z*'"_s);
}

TEST_F(Search, ClearingShowsAllGamesAndAnEmptyFieldNextTime)
{
    SearchFor(u"z"_s);
    {
        TFormSuchen dialog(window.get());
        QTest::mouseClick(dialog.TasteLoeschen, Qt::LeftButton);
        EXPECT_EQ(dialog.Edit1->text(), QString());
    }
    EXPECT_FALSE(window->ClientDataSet1->Filtered());
    EXPECT_EQ(Titles().size(), 9);
    EXPECT_FALSE(Lamp());
    TFormSuchen reopened(window.get());
    EXPECT_EQ(reopened.Edit1->text(), QString());
}

TEST_F(Search, APrefixThatMatchesNothingLeavesAnEmptyPageWithoutBadges)
{
    SearchFor(u"zork"_s);
    EXPECT_TRUE(window->ImageGoldaward->isVisible());
    SearchFor(u"xyz"_s);
    EXPECT_EQ(Titles(), QStringList());
    EXPECT_TRUE(window->ClientDataSet1->FieldByName(u"TITEL"_s).isNull());
    EXPECT_FALSE(window->ImageGoldaward->isVisible());
    EXPECT_EQ(window->Backgrnd->Picture().pixel(PageLayout::OverallNumber.topLeft()), qRgb(0, 0, 0)); // the missing overall rating
}

TEST_F(Search, EscapeClosesTheDialogAndChangesNothing)
{
    TFormSuchen dialog(window.get());
    dialog.show();
    dialog.Edit1->setText(u"abc"_s);
    QTest::keyClick(dialog.Edit1, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(window->ClientDataSet1->Filtered());
    EXPECT_FALSE(Lamp());
}
