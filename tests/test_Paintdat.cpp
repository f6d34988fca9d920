#include "Paintdat.h"
#include "TImage.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;

namespace {

const QRgb kSentinel = qRgb(1, 2, 3); // what the page had before: anything drawn replaces it
const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), kGrey = qRgb(156, 156, 156);
const QRgb kGreen = qRgb(0, 192, 0), kAmber = qRgb(255, 192, 0), kRed = qRgb(255, 0, 0);

class Page : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage blank(640, 480, QImage::Format_RGB32);
        blank.fill(kSentinel);
        image.SetPicture(blank);
    }

    // Stores and draws a page whose slots are all Null but the given ones.
    void Draw(std::initializer_list<std::pair<int, FieldValue>> set)
    {
        std::array<FieldValue, kPageValueCount> values;
        values.fill(FieldValue::null());
        for (const auto &[slot, value] : set)
            values[slot] = value;
        DetailPage(dpStore, nullptr, 0, values.data());
        DetailPage(dpDraw, &image);
    }

    QRgb At(int x, int y) { return image.Picture().pixel(x, y); }

    // Pixels of the box (right and bottom exclusive) that differ from `background`: the glyphs.
    QRect InkIn(int left, int top, int right, int bottom, QRgb background)
    {
        QRect ink;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (At(x, y) != background)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }

    // Interior colour of rating block r (1-10) of row i, after checking its black outline.
    QRgb RatingBlock(int row, int r)
    {
        const int left = 524 + 9 * (r - 1), top = 234 + 18 * row;
        for (const QPoint corner : {QPoint(left, top), QPoint(left + 7, top), QPoint(left, top + 11), QPoint(left + 7, top + 11)})
            if (At(corner.x(), corner.y()) != kBlack)
                return kSentinel;
        return At(left + 3, top + 5);
    }

    QRgb OverallBlock(int r)
    {
        const int left = 454 + 8 * (r - 1);
        if (At(left, 342) != kBlack || At(left + 6, 359) != kBlack)
            return kSentinel;
        return At(left + 3, 350);
    }

    QWidget window;
    TImage image{&window, u"Backgrnd"_s, {0, 0, 640, 480}};
};

std::vector<QRgb> Expected(int lit, int blocks, int greens, int ambers)
{
    std::vector<QRgb> colours;
    for (int r = 1; r <= blocks; ++r)
        colours.push_back(r > lit ? kWhite : r <= greens ? kGreen : r <= greens + ambers ? kAmber : kRed);
    return colours;
}

} // namespace

TEST_F(Page, RatingRowsLightTheirBlocksOrShowTwoDashes)
{
    struct Case {
        FieldValue rating;
        int lit; // -1: no number, no bar, "--"
    };
    const Case cases[] = {
        {qint64(0), 0},   {qint64(9), 0},   {qint64(10), 1},   {qint64(60), 6},     {qint64(70), 7},
        {qint64(89), 8},  {qint64(90), 9},  {qint64(100), 10}, {qint64(101), -1},   {FieldValue::null(), -1},
        {qint64(-5), -1}, {u"85"_s, 8},     {u"8,5"_s, -1},    {u"Sehr gut"_s, -1}, {qint64(5000000000), -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rating.isNull() ? std::string("Null") : c.rating.toText().toStdString());
        Draw({{2, c.rating}, {7, c.rating}}); // first and last rating row
        for (const int row : {0, 5}) {
            const int top = 232 + 18 * row;
            if (c.lit < 0) {
                // A white strip from 489 to 612 with "--" in it and no block outlines left.
                const QRect ink = InkIn(489, top, 613, top + 14, kWhite);
                EXPECT_GE(ink.left(), 505);
                EXPECT_LE(ink.right(), 530);
                for (int r = 3; r <= 10; ++r)
                    EXPECT_EQ(At(524 + 9 * (r - 1), top + 2), kWhite) << "block " << r;
                continue;
            }
            std::vector<QRgb> blocks;
            for (int r = 1; r <= 10; ++r)
                blocks.push_back(RatingBlock(row, r));
            EXPECT_EQ(blocks, Expected(c.lit, 10, 6, 2));
            const QRect digits = InkIn(489, top, 516, top + 14, kWhite);
            ASSERT_FALSE(digits.isEmpty());
            EXPECT_GE(digits.right(), 512); // right-aligned to x = 516
            EXPECT_LE(digits.right(), 515);
        }
        EXPECT_EQ(At(488, 240), kSentinel); // nothing drawn outside the row's boxes
        EXPECT_EQ(At(613, 240), kSentinel);
    }
}

TEST_F(Page, OverallBarRoundsToFivesAndTheNumberSitsInTheRedBox)
{
    struct Case {
        FieldValue rating;
        int lit;
    };
    for (const Case &c : {Case{qint64(0), 0}, Case{qint64(82), 16}, Case{qint64(83), 17}, Case{qint64(88), 18},
                          Case{qint64(100), 20}, Case{qint64(250), 20}}) {
        SCOPED_TRACE(c.rating.toText().toStdString());
        Draw({{1, c.rating}});
        std::vector<QRgb> blocks;
        for (int r = 1; r <= 20; ++r)
            blocks.push_back(OverallBlock(r));
        EXPECT_EQ(blocks, Expected(c.lit, 20, 10, 5));
        const QRect number = InkIn(435, 374, 465, 398, kRed);
        EXPECT_FALSE(number.isEmpty());
        EXPECT_EQ(At(number.left(), number.top() + number.height() / 2) == kBlack, false); // white digits, no outline
        EXPECT_EQ(At(435, 374), kRed);
    }
}

TEST_F(Page, MissingOverallRatingIsAnOutlinedRedBoxWithoutNumber)
{
    Draw({});
    for (int r = 1; r <= 20; ++r)
        EXPECT_EQ(OverallBlock(r), kWhite) << r;
    for (const QPoint p : {QPoint(435, 374), QPoint(464, 374), QPoint(435, 397), QPoint(464, 397)})
        EXPECT_EQ(At(p.x(), p.y()), kBlack);
    EXPECT_EQ(InkIn(436, 375, 464, 397, kRed), QRect());
}

TEST_F(Page, TitleIsCentredInItsBandAndCutAt607)
{
    Draw({{0, FieldValue(u"Anno"_s)}});
    const QRect shortTitle = InkIn(369, 19, 607, 46, kGrey);
    ASSERT_FALSE(shortTitle.isEmpty());
    EXPECT_NEAR(shortTitle.center().x(), 369 + 119, 2);
    EXPECT_GE(shortTitle.top(), 21);

    Draw({{0, FieldValue(u"Kapitän Blaubarts unglaubliche Reise zum Ende der Welt"_s)}});
    const QRect longTitle = InkIn(369, 19, 607, 46, kGrey);
    EXPECT_LE(longTitle.left(), 371);
    EXPECT_EQ(longTitle.right(), 606);
    for (int y = 19; y < 46; ++y)
        EXPECT_EQ(At(607, y), kSentinel);

    Draw({}); // a Null title: the band alone
    EXPECT_EQ(InkIn(369, 19, 607, 46, kGrey), QRect());
}

TEST_F(Page, EachBoxCoversWhatThePreviousGameLeft)
{
    const QString longText = u"Ein sehr langer Herstellername, der die ganze Zeile füllt"_s;
    Draw({{0, FieldValue(longText)}, {8, FieldValue(longText)}, {13, FieldValue(longText)},
          {14, FieldValue(longText)}, {15, FieldValue(longText)}, {1, qint64(100)}});
    Draw({{0, FieldValue(u"X"_s)}, {8, FieldValue(u"Y"_s)}, {14, FieldValue(u"Z"_s)}});
    EXPECT_LT(InkIn(465, 51, 613, 65, kWhite).right(), 480);   // fact line 0: only "Y"
    EXPECT_EQ(InkIn(465, 121, 613, 135, kWhite), QRect());      // fact line 5: Null, empty
    EXPECT_LT(InkIn(362, 149, 613, 163, kWhite).right(), 377);  // hardware line 0: only "Z"
    EXPECT_EQ(InkIn(362, 177, 613, 191, kWhite), QRect());      // hardware line 1: Null
    EXPECT_LT(InkIn(369, 19, 607, 46, kGrey).width(), 20);      // title: only "X"
    EXPECT_EQ(OverallBlock(20), kWhite);
    // Fact text starts at its box's left edge.
    Draw({{8, FieldValue(u"Hersteller GmbH"_s)}});
    EXPECT_LE(InkIn(465, 51, 613, 65, kWhite).left(), 467);
}

TEST_F(Page, UnassignedValuesDrawAsEmptyTextAndZero)
{
    std::array<FieldValue, kPageValueCount> values; // all unassigned
    DetailPage(dpStore, nullptr, 0, values.data());
    DetailPage(dpDraw, &image);
    EXPECT_EQ(RatingBlock(0, 1), kWhite);
    EXPECT_FALSE(InkIn(489, 232, 516, 246, kWhite).isEmpty()); // "0"
    EXPECT_EQ(InkIn(435, 374, 465, 398, kRed), QRect());       // an empty text, and no outline: not missing
    EXPECT_EQ(InkIn(369, 19, 607, 46, kGrey), QRect());

    const QImage first = image.Picture().copy();
    DetailPage(dpDraw, &image); // drawing again without a new store draws the same page
    EXPECT_EQ(image.Picture(), first);
    DetailPage(7, &image);
    EXPECT_EQ(image.Picture(), first);
}

TEST_F(Page, ImageWithoutPictureGetsABlankOneOfItsSize)
{
    TImage empty{&window, u"leer"_s, {0, 0, 640, 480}};
    Draw({{0, FieldValue(u"Anno"_s)}});
    DetailPage(dpDraw, &empty);
    EXPECT_EQ(empty.Picture().size(), QSize(640, 480));
    EXPECT_EQ(empty.Picture().pixel(0, 0), kWhite);
    EXPECT_EQ(empty.Picture().pixel(370, 20), kGrey);
}
