#include "PageLayout.h"
#include "SkinPictures.h"
#include "TImage.h"

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

namespace layout = PageLayout;

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
        QSize size;
    };
    using namespace SkinPictures;
    const QSize face = layout::FacePicture;
    const Case cases[] = {
        {Background, layout::MainWindow}, {TableBackground, layout::MainWindow},
        {ArrowLeftButton, layout::ArrowPicture}, {ArrowRightButton, layout::ArrowPicture},
        {SearchButton, face}, {SearchButtonLit, face}, {TipsButton, face}, {QuitButton, face},
        {InfoButton, face}, {MainViewButton, face}, {TableButton, face}, {ImportExportButton, face},
        {MinimiseButton, layout::MinimisePicture},
        {GoldAwardBadge, layout::AwardPicture}, {PlatinumAwardBadge, layout::AwardPicture},
        {ExtraCdBadge, layout::ExtraCdPicture},
        {TipsBackground, layout::TipsWindow}, {TipsCloseButton, face},
        {NoScreenshot, layout::FallbackPicture},
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
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);

        // On a window it is read by the program's own reader, into the screen's format.
        TImage onWindow(nullptr, u"Bild"_s, {});
        onWindow.SetPictureFile(c.path.toString());
        EXPECT_EQ(onWindow.Picture(), image.convertToFormat(QImage::Format_RGB32));
    }
}

TEST(SkinReviewPage, ValueBoxesHaveTheColoursTheRendererExpects)
{
    const QImage page = Load(SkinPictures::Background);
    ASSERT_FALSE(page.isNull());

    ExpectPixels(page, layout::TitleBox, Plain(TitleGrey), "title band");
    for (int k = 0; k < layout::FactCount; ++k)
        ExpectPixels(page, layout::FactValue(k), Plain(White), "fact box");
    for (int k = 0; k < layout::HardwareCount; ++k)
        ExpectPixels(page, layout::HardwareValue(k), Plain(White), "hardware box");

    for (int i = 0; i < layout::RatingCount; ++i) {
        SCOPED_TRACE(i);
        ExpectPixels(page, layout::RatingStrip(i), [i](int x, int y) {
            // The strip is white but for the ring of whichever block the pixel lies in.
            for (int r = 1; r <= layout::RatingBlockCount; ++r)
                if (const QRect block = layout::RatingBlock(i, r); block.contains(x, y))
                    return EmptyBlock(block)(x, y);
            return White;
        }, "rating strip");
        for (int r = 1; r <= layout::RatingBlockCount; ++r)
            ExpectPixels(page, layout::RatingBlock(i, r), EmptyBlock(layout::RatingBlock(i, r)), "rating block");
    }
    for (int r = 1; r <= layout::OverallBlockCount; ++r)
        ExpectPixels(page, layout::OverallBlock(r), EmptyBlock(layout::OverallBlock(r)), "overall block");

    const QRect number = layout::OverallNumber;
    ExpectPixels(page, number, Plain(Red), "overall number box");
    // The disc shows beyond each side of the box.
    const QPoint middle = number.center() + QPoint(1, 1);
    for (const QPoint p : {QPoint(number.left() - 4, middle.y()), QPoint(number.right() + 4, middle.y()),
                           QPoint(middle.x(), number.top() - 4), QPoint(middle.x(), number.bottom() + 4)})
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
    for (int k = 0; k < layout::FactCount; ++k)
        EXPECT_TRUE(hasDarkText(layout::FactLabel(k))) << "fact label " << k;
    for (int k = 0; k < layout::HardwareCount; ++k)
        EXPECT_TRUE(hasDarkText(layout::HardwareLabel(k))) << "hardware label " << k;
    for (int i = 0; i < layout::RatingCount; ++i)
        EXPECT_TRUE(hasDarkText(layout::RatingLabel(i))) << "rating label " << i;
}

TEST(SkinPictures, BadgesMatchThePageAroundTheirShape)
{
    const QImage page = Load(SkinPictures::Background);
    const struct {
        QStringView path;
        QPoint at;
    } badges[] = {
        {SkinPictures::GoldAwardBadge, layout::AwardBadge.topLeft()},
        {SkinPictures::PlatinumAwardBadge, layout::AwardBadge.topLeft()},
        {SkinPictures::ExtraCdBadge, layout::ExtraCdBadge.topLeft()},
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
    const QString onCd = QStringLiteral(SPIELDEX_CD_DIR "/spdexpic.bmp");
    QFile cdFile(onCd);
    QFile compiledIn(SkinPictures::NoScreenshot.toString());
    ASSERT_TRUE(cdFile.open(QIODevice::ReadOnly)) << onCd.toStdString();
    ASSERT_TRUE(compiledIn.open(QIODevice::ReadOnly));
    const QByteArray bytes = cdFile.readAll();
    EXPECT_TRUE(bytes == compiledIn.readAll()) << "the CD's spdexpic.bmp is not the skin's";

    const QImage image = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(image.size(), layout::FallbackPicture);
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << "the artwork is more than a blank panel";
}

TEST(SkinPictures, PlainWherePaintedOver)
{
    const QImage fallback = Load(SkinPictures::NoScreenshot);
    const QRect marker = layout::FallbackMarker;
    ExpectPixels(fallback, marker, Plain(fallback.pixel(marker.topLeft()) | 0xff000000u), "marker corner");

    // The table view slides in from the left edge, showing only its first columns beside the review page.
    const QImage review = Load(SkinPictures::Background);
    const QImage table = Load(SkinPictures::TableBackground);
    ExpectPixels(table, layout::TableBackgroundFolded, [&review](int x, int y) { return review.pixel(x, y) | 0xff000000u; },
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
        {ArrowLeftButton, Background, layout::ArrowLeft.topLeft()},
        {ArrowRightButton, Background, layout::ArrowRight.topLeft()},
        {SearchButton, Background, layout::SearchButton.topLeft()},
        {TipsButton, Background, layout::TipsButton.topLeft()},
        {TableButton, Background, layout::ViewButton.topLeft()},
        {InfoButton, Background, layout::InfoButton.topLeft()},
        {QuitButton, Background, layout::QuitButton.topLeft()},
        {SearchButtonLit, TableBackground, layout::SearchButton.topLeft()},
        {MainViewButton, TableBackground, layout::ViewButton.topLeft()},
        {ImportExportButton, TableBackground, layout::ImportExportButton.topLeft()},
        {TipsCloseButton, TipsBackground, layout::TipsCloseButton.topLeft()},
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
