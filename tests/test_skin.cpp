#include "SkinPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QRect>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb TitleGrey = qRgb(156, 156, 156);
constexpr QRgb Red = qRgb(255, 0, 0);

// Boxes as the renderer names them: left, top, right, bottom, right and bottom exclusive.
QRect Box(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QImage Load(QStringView path)
{
    return QImage(path.toString());
}

quint32 LittleEndian(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | uchar(bytes.at(at + i));
    return value;
}

std::string Hex(QRgb colour)
{
    return u"#%1"_s.arg(uint(colour & 0xffffffu), 6, 16, QChar(u'0')).toStdString();
}

// Checks every pixel of `box`; `expected` says what each one must be. Stops at the first miss.
template <typename Expected>
void ExpectPixels(const QImage &image, const QRect &box, Expected expected, const char *what)
{
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb want = expected(x, y);
            const QRgb got = image.pixel(x, y) | 0xff000000u;
            if (got != want) {
                ADD_FAILURE() << what << " at (" << x << ", " << y << "): " << Hex(got)
                              << " instead of " << Hex(want);
                return;
            }
        }
    }
}

// An empty block: black outermost ring, white inside.
auto EmptyBlock(const QRect &block)
{
    return [block](int x, int y) {
        const bool ring = x == block.left() || x == block.right() || y == block.top() || y == block.bottom();
        return ring ? Black : White;
    };
}

auto Plain(QRgb colour)
{
    return [colour](int, int) { return colour; };
}

} // namespace

TEST(SkinPictures, EachIsAnEightBitPaletteBmpOfItsSize)
{
    struct Case {
        QStringView path;
        int width;
        int height;
    };
    using namespace SkinPictures;
    const Case cases[] = {
        {Background, 640, 480}, {TableBackground, 640, 480},
        {ArrowLeftButton, 56, 28}, {ArrowRightButton, 56, 28},
        {SearchButton, 154, 40}, {SearchButtonLit, 154, 40}, {TipsButton, 154, 40}, {QuitButton, 154, 40},
        {InfoButton, 154, 40}, {MainViewButton, 154, 40}, {TableButton, 154, 40}, {ImportExportButton, 154, 40},
        {MinimiseButton, 20, 20},
        {GoldAwardBadge, 77, 62}, {PlatinumAwardBadge, 77, 62}, {ExtraCdBadge, 62, 62},
        {TipsBackground, 480, 360}, {TipsCloseButton, 154, 40},
        {NoScreenshot, 320, 240},
    };
    ASSERT_EQ(std::size(cases), SkinPictures::All.size());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toString().toStdString());
        QFile file(c.path.toString());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(LittleEndian(bytes, 2, 4), quint32(bytes.size()));
        EXPECT_EQ(LittleEndian(bytes, 14, 4), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(LittleEndian(bytes, 28, 2), 8u) << "biBitCount";
        EXPECT_EQ(LittleEndian(bytes, 30, 4), 0u) << "uncompressed";
        EXPECT_LE(LittleEndian(bytes, 46, 4), 256u) << "palette entries";

        const QImage image = QImage::fromData(bytes, "BMP");
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    }
}

TEST(SkinReviewPage, ValueBoxesHaveTheColoursTheRendererExpects)
{
    const QImage page = Load(SkinPictures::Background);
    ASSERT_FALSE(page.isNull());

    ExpectPixels(page, Box(369, 19, 607, 46), Plain(TitleGrey), "title band");
    for (int k = 0; k < 6; ++k)
        ExpectPixels(page, Box(465, 51 + 14 * k, 613, 65 + 14 * k), Plain(White), "fact box");
    for (int k = 0; k < 2; ++k)
        ExpectPixels(page, Box(362, 149 + 28 * k, 613, 163 + 28 * k), Plain(White), "hardware box");

    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        ExpectPixels(page, Box(489, 232 + 18 * i, 613, 246 + 18 * i), [i](int x, int y) {
            // The strip is white but for the ring of whichever block the pixel lies in.
            if (x < 524 || y < 234 + 18 * i)
                return White;
            const int r = (x - 524) / 9 + 1;
            const QRect block = Box(524 + 9 * (r - 1), 234 + 18 * i, 532 + 9 * (r - 1), 246 + 18 * i);
            return block.contains(x, y) ? EmptyBlock(block)(x, y) : White;
        }, "rating strip");
        for (int r = 1; r <= 10; ++r) {
            const QRect block = Box(524 + 9 * (r - 1), 234 + 18 * i, 532 + 9 * (r - 1), 246 + 18 * i);
            ExpectPixels(page, block, EmptyBlock(block), "rating block");
        }
    }
    for (int r = 1; r <= 20; ++r) {
        const QRect block = Box(454 + 8 * (r - 1), 342, 461 + 8 * (r - 1), 360);
        ExpectPixels(page, block, EmptyBlock(block), "overall block");
    }

    ExpectPixels(page, Box(435, 374, 465, 398), Plain(Red), "overall number box");
    // The disc shows beyond each side of the box.
    for (const QPoint p : {QPoint(431, 386), QPoint(468, 386), QPoint(450, 370), QPoint(450, 401)})
        ExpectPixels(page, QRect(p, QSize(1, 1)), Plain(Red), "red disc");
}

TEST(SkinReviewPage, FixedLabelsAreDrawnBesideTheirBoxes)
{
    const QImage page = Load(SkinPictures::Background);
    const auto hasDarkText = [&page](const QRect &area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(page.pixel(x, y)) < 80)
                    return true;
        return false;
    };
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(hasDarkText(Box(362, 51 + 14 * k, 464, 65 + 14 * k))) << "fact label " << k;
    for (int k = 0; k < 2; ++k)
        EXPECT_TRUE(hasDarkText(Box(362, 135 + 28 * k, 613, 148 + 28 * k))) << "hardware label " << k;
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(hasDarkText(Box(362, 232 + 18 * i, 487, 246 + 18 * i))) << "rating label " << i;
}

TEST(SkinPictures, BadgesMatchThePageAroundTheirShape)
{
    const QImage page = Load(SkinPictures::Background);
    const struct {
        QStringView path;
        QPoint at;
    } badges[] = {
        {SkinPictures::GoldAwardBadge, {547, 402}},
        {SkinPictures::PlatinumAwardBadge, {547, 402}},
        {SkinPictures::ExtraCdBadge, {352, 402}},
    };
    for (const auto &badge : badges) {
        SCOPED_TRACE(badge.path.toString().toStdString());
        const QImage image = Load(badge.path);
        ASSERT_FALSE(image.isNull());
        const QRect inner = image.rect();
        for (const QPoint corner : {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()})
            EXPECT_EQ(Hex(image.pixel(corner)), Hex(page.pixel(badge.at + corner)));
        const QPoint centre = inner.center();
        EXPECT_NE(Hex(image.pixel(centre)), Hex(page.pixel(badge.at + centre))) << "the badge itself is drawn";
    }
}

TEST(SkinPictures, LitSearchLampDiffersFromTheDarkOneOnlyAtTheLamp)
{
    const QImage dark = Load(SkinPictures::SearchButton);
    const QImage lit = Load(SkinPictures::SearchButtonLit);
    ASSERT_EQ(dark.size(), lit.size());
    QRect changed;
    bool litHasRed = false;
    bool darkHasRed = false;
    for (int y = 0; y < dark.height(); ++y) {
        for (int x = 0; x < dark.width(); ++x) {
            const QRgb a = dark.pixel(x, y);
            const QRgb b = lit.pixel(x, y);
            if (a != b)
                changed |= QRect(x, y, 1, 1);
            litHasRed |= qRed(b) > 200 && qGreen(b) < 60 && qBlue(b) < 60;
            darkHasRed |= qRed(a) > 200 && qGreen(a) < 60 && qBlue(a) < 60;
        }
    }
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_LE(changed.width(), 20);
    EXPECT_LE(changed.height(), 20);
    EXPECT_TRUE(litHasRed);
    EXPECT_FALSE(darkHasRed);
}

// The copy on the CD sits beside the built program and must be the very picture compiled in.
TEST(SkinPictures, CdCarriesTheSameFallbackPicture)
{
    const QString onCd = QFileInfo(QString::fromUtf8(SPIELDEX_EXECUTABLE)).dir().filePath(u"spdexpic.bmp"_s);
    QFile cdFile(onCd);
    QFile compiledIn(SkinPictures::NoScreenshot.toString());
    ASSERT_TRUE(cdFile.open(QIODevice::ReadOnly)) << onCd.toStdString();
    ASSERT_TRUE(compiledIn.open(QIODevice::ReadOnly));
    const QByteArray bytes = cdFile.readAll();
    EXPECT_TRUE(bytes == compiledIn.readAll()) << "the CD's spdexpic.bmp is not the skin's";

    const QImage image = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(image.size(), QSize(320, 240));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    QSet<QRgb> colours;
    for (int y = 0; y < 240; y += 4)
        for (int x = 0; x < 320; x += 4)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << "the artwork is more than a blank panel";
}

TEST(SkinPictures, PlainWherePaintedOver)
{
    const QImage fallback = Load(SkinPictures::NoScreenshot);
    ExpectPixels(fallback, Box(16, 208, 32, 224), Plain(fallback.pixel(16, 208) | 0xff000000u), "marker corner");

    // The table view slides in from the left edge, showing only its first columns beside the review page.
    const QImage review = Load(SkinPictures::Background);
    const QImage table = Load(SkinPictures::TableBackground);
    ExpectPixels(table, Box(0, 0, 8, 480), [&review](int x, int y) { return review.pixel(x, y) | 0xff000000u; },
                 "table view's left edge");
}

TEST(SkinPictures, ButtonCornersShowThePanelBeneathThem)
{
    using namespace SkinPictures;
    const struct {
        QStringView button;
        QStringView background;
        QPoint at;
    } places[] = {
        {ArrowLeftButton, Background, {117, 276}}, {ArrowRightButton, Background, {177, 276}},
        {SearchButton, Background, {19, 328}}, {TipsButton, Background, {177, 328}},
        {TableButton, Background, {19, 372}}, {InfoButton, Background, {177, 372}},
        {QuitButton, Background, {98, 416}},
        {SearchButtonLit, TableBackground, {19, 328}}, {MainViewButton, TableBackground, {19, 372}},
        {ImportExportButton, TableBackground, {352, 424}},
        {TipsCloseButton, TipsBackground, {306, 300}},
    };
    for (const auto &place : places) {
        SCOPED_TRACE(place.button.toString().toStdString());
        const QImage button = Load(place.button);
        const QImage background = Load(place.background);
        const QRect r = button.rect();
        for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            EXPECT_EQ(Hex(button.pixel(corner)), Hex(background.pixel(place.at + corner)));
    }
}

TEST(SkinReviewPage, PaletteCarriesTheRenderersColours)
{
    const QImage page = Load(SkinPictures::Background);
    const QList<QRgb> palette = page.colorTable();
    for (const QRgb colour : {White, Black, TitleGrey, Red, qRgb(0, 192, 0), qRgb(255, 192, 0)})
        EXPECT_TRUE(palette.contains(colour)) << Hex(colour);
}
