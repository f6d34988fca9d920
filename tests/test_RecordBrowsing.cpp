#include "Detail.h"
#include "MainWindowFixture.h"
#include "PageLayout.h"
#include "Misc.h"
#include "Paintlog.h"
#include "Paintpic.h"
#include "PngBuilder.h"
#include "TClientDataSet.h"
#include "TImage.h"
#include "TableSchemas.h"
#include "TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void WriteScreenshot(const QString &path, QRgb colour)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    WriteBytes(path, PngFile({}, {colour}, [](int, int) { return 0; }));
}

class Browsing : public ::testing::Test, public MainWindowFixture {
protected:
    void TearDown() override { Close(); }

    TClientDataSet &Table() { return *window->ClientDataSet1; }
    QRgb Page(QPoint at) { return window->Backgrnd->Picture().pixel(at); }
    QRgb Screen(QPoint at) { return window->Spielebild->Picture().pixel(at); }
    std::string Badges()
    {
        return std::string{window->ImageGoldaward->isVisible() ? 'g' : '-',
                           window->ImagePlatinaward->isVisible() ? 'p' : '-',
                           window->ImageZusatzcd->isVisible() ? 'e' : '-'};
    }
    int LitRatingBlocks(int row)
    {
        int lit = 0;
        for (int r = 1; r <= PageLayout::RatingBlockCount; ++r)
            lit += Page(PageLayout::RatingBlock(row, r).center()) != qRgb(255, 255, 255);
        return lit;
    }
};

} // namespace

TEST_F(Browsing, EveryRatingReachesItsRowAndTheOverallBar)
{
    Open({Game(u"Alpha"_s, {{u"GRAFIK", qint64(10)}, {u"SOUND", qint64(20)}, {u"EINSTIEG", qint64(30)},
                            {u"KOMPLEXI", qint64(40)}, {u"STEUERUNG", qint64(50)}, {u"MULTIPLAY", qint64(60)},
                            {u"WERTUNG", qint64(100)}}),
          Game(u"Beta"_s, {})});
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(LitRatingBlocks(row), row + 1) << "row " << row;
    EXPECT_EQ(Page(PageLayout::OverallBlock(20).center()), qRgb(255, 0, 0)); // overall block 20 lit
    window->TastePfeilRClick();
    EXPECT_EQ(Title(), u"Beta"_s);
    EXPECT_EQ(Page(PageLayout::OverallNumber.topLeft()), qRgb(0, 0, 0)); // missing overall: outlined red box
    EXPECT_EQ(Page(PageLayout::OverallBlock(20).center()), qRgb(255, 255, 255));
}

TEST(PictureKey, SixCharactersOfTheIssueAsTheyStand)
{
    const std::pair<FieldValue, QString> cases[] = {
        {FieldValue::null(), u"000000"_s},
        {FieldValue(u"Nr. 1998-12"_s), u"199812"_s},
        {FieldValue(u"Nr. 99"_s), u"990000"_s}, // what the text lacks counts as 0
        {FieldValue(u""_s), u"000000"_s},
        {FieldValue(u"Nr. 19 8-1 "_s), u"19 81 "_s},
        {FieldValue(u"Nr. 1998--2"_s), u"1998-2"_s},
        {FieldValue(u"Nr. Ärger-üb"_s), u"Ärge-ü"_s},
        {FieldValue(u"Nr. 19/8-12"_s), u"190812"_s},
        {FieldValue(u"Nr. 1"_s + QChar(0) + u"98-12"_s), u"109812"_s},
        {FieldValue(qint64(12345678901)), u"567801"_s},
        {FieldValue(u"Nr. 1😀8-12"_s), u"1😀812"_s}, // a whole character beyond the basic plane
        {FieldValue(u"Nr. 199😀12"_s), u"199012"_s}, // half of one
    };
    for (const auto &[issue, key] : cases)
        EXPECT_EQ(PictureKey(issue), key) << issue.toText().toStdString();
}

TEST_F(Browsing, ScreenshotIsFoundByTheKeyFromTheIssue)
{
    WriteScreenshot(dir.filePath(u"DATA/199812/a.png"_s), qRgb(200, 0, 0));
    WriteScreenshot(dir.filePath(u"DATA/990000/b.png"_s), qRgb(0, 200, 0)); // "Nr. 99": the rest taken as 0
    WriteScreenshot(dir.filePath(u"DATA/000000/c.png"_s), qRgb(0, 0, 200));   // no issue at all
    WriteScreenshot(dir.filePath(u"DATA/..0.00/d.png"_s), qRgb(9, 9, 9));     // a slash cannot stand in a folder name
    WriteScreenshot(dir.filePath(u"DATA/Mär Ö-/h.png"_s), qRgb(0, 99, 0));   // blanks, hyphens and umlauts stay
    Open({Game(u"A"_s, {{u"AUSGABE", u"Nr. 1998-12"_s}, {u"BILDNAME", u"a.png"_s}}),
          Game(u"B"_s, {{u"AUSGABE", u"Nr. 99"_s}, {u"BILDNAME", u"b.png"_s}}),
          Game(u"C"_s, {{u"BILDNAME", u"c.png"_s}}),
          Game(u"D"_s, {{u"AUSGABE", u"Nr. ../..//"_s}, {u"BILDNAME", u"d.png"_s}}),
          Game(u"E"_s, {{u"AUSGABE", u"Nr. 1998-12"_s}}),
          Game(u"F"_s, {{u"AUSGABE", u"Nr. 1998-12"_s}, {u"BILDNAME", u""_s}}),
          Game(u"G"_s, {{u"AUSGABE", u"Nr. 1998-12"_s}, {u"BILDNAME", u"fehlt.png"_s}}),
          Game(u"H"_s, {{u"AUSGABE", u"Nr. Mär -Ö-"_s}, {u"BILDNAME", u"h.png"_s}})});
    const std::pair<QRgb, QRgb> expected[] = {
        {qRgb(200, 0, 0), qRgb(200, 0, 0)}, {qRgb(0, 200, 0), qRgb(0, 200, 0)}, {qRgb(0, 0, 200), qRgb(0, 0, 200)},
        {qRgb(9, 9, 9), qRgb(9, 9, 9)},     {kFallback, kFallback},             {kFallback, kFallback},
        {kFallback, qRgb(206, 0, 41)}, // missing file: the red marker
        {qRgb(0, 99, 0), qRgb(0, 99, 0)},
    };
    for (const auto &[picture, marker] : expected) {
        SCOPED_TRACE(Title().toStdString());
        EXPECT_EQ(Screen({100, 100}), picture);
        EXPECT_EQ(Screen(PageLayout::FallbackMarker.center()), marker);
        window->TastePfeilRClick();
    }
}

TEST_F(Browsing, BadgesFollowTheAwardCodeAndTheExtraCdMarker)
{
    struct Case {
        FieldValue extras, extraCd;
        const char *badges;
    };
    const Case cases[] = {
        {FieldValue(u"GA"_s), FieldValue(u"Ja"_s), "g-e"},   {FieldValue(u"ga"_s), FieldValue(u"0"_s), "-pe"},
        {FieldValue(u"GA "_s), FieldValue(u"nein"_s), "-pe"}, {FieldValue(u"PA"_s), FieldValue(u""_s), "-p-"},
        {FieldValue(u""_s), FieldValue::null(), "---"},      {FieldValue::null(), FieldValue(u"x"_s), "--e"},
    };
    std::vector<std::vector<FieldValue>> games;
    for (size_t i = 0; i < std::size(cases); ++i)
        games.push_back(Game(QString(QChar(u'A' + int(i))), {{u"EXTRAS", cases[i].extras}, {u"ZUSATZCD", cases[i].extraCd}}));
    Open(games);
    for (const Case &c : cases) {
        SCOPED_TRACE(Title().toStdString());
        EXPECT_EQ(Badges(), c.badges);
        window->TastePfeilRClick();
    }
}

TEST_F(Browsing, NoCurrentRecordShowsTheMissingFormsAndNoBadge)
{
    Open({Game(u"Anno"_s, {{u"EXTRAS", u"GA"_s}, {u"ZUSATZCD", u"Ja"_s}, {u"WERTUNG", qint64(90)},
                          {u"AUSGABE", u"Nr. 1998-12"_s}, {u"BILDNAME", u"fehlt.png"_s}})});
    EXPECT_EQ(Badges(), "g-e");
    Table().SetFilter(u"TITEL = 'XYZ*'"_s);
    Table().SetFiltered(true);
    EXPECT_EQ(Badges(), "---");
    EXPECT_EQ(Page(PageLayout::OverallNumber.topLeft()), qRgb(0, 0, 0));        // overall missing
    EXPECT_EQ(Page(PageLayout::TitleBox.center()), qRgb(156, 156, 156));    // an empty title band
    EXPECT_EQ(Screen(PageLayout::FallbackMarker.center()), kFallback);            // no name: the fallback without a marker
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Browsing, ArrowsStopAtBothEndsOfAFilteredSelection)
{
    Open({Game(u"Zeta"_s, {}), Game(u"Sternenwacht II"_s, {}), Game(u"Anno"_s, {}), Game(u"Sternenwacht"_s, {}),
          Game(u"Sternenstaub"_s, {})});
    Table().SetFilter(u"TITEL = 'Sternenw*'"_s);
    Table().SetFiltered(true);
    EXPECT_EQ(Title(), u"Sternenwacht"_s);
    window->TastePfeilLClick();
    EXPECT_EQ(Title(), u"Sternenwacht"_s);
    window->TastePfeilRClick();
    window->TastePfeilRClick();
    window->TastePfeilRClick();
    EXPECT_EQ(Title(), u"Sternenwacht II"_s);
}

TEST_F(Browsing, EveryColumnSortsByItselfThenByTitle)
{
    Open({Game(u"Zeta"_s, {{u"SEITE", qint64(5)}, {u"GENRE", u"Sport"_s}}),
          Game(u"Anno"_s, {{u"SEITE", qint64(5)}, {u"GENRE", u"Action"_s}}),
          Game(u"Mitte"_s, {{u"GENRE", u"Sport"_s}}),
          Game(u"Beta"_s, {{u"SEITE", qint64(-1)}})});
    window->TastePfeilRClick(); // on "Beta"
    for (const FieldDef &field : GameTableFields()) {
        SCOPED_TRACE(field.name.toStdString());
        window->GridTabelleTitleClick(field.name);
        EXPECT_EQ(Title(), u"Beta"_s);
        EXPECT_TRUE(boxes.shown.empty());
    }
    const auto order = [this] {
        QStringList titles;
        for (int r = 0; r < Table().RecordCount(); ++r)
            titles << Table().ValueAtRow(r, 0).toText();
        return titles.join(u',');
    };
    window->GridTabelleTitleClick(u"SEITE"_s);
    EXPECT_EQ(order(), u"Mitte,Beta,Anno,Zeta"_s);
    window->GridTabelleTitleClick(u"GENRE"_s);
    EXPECT_EQ(order(), u"Beta,Anno,Mitte,Zeta"_s);
    window->GridTabelleTitleClick(u"TITEL"_s);
    EXPECT_EQ(order(), u"Anno,Beta,Mitte,Zeta"_s);
}
