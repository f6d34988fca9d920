#include "Palette.h"
#include "PaletteFiles.h"

#include <QByteArrayList>
#include <QHashSeed>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <optional>

namespace {

QRgb ColourAt(const IndexedPicture &picture, int x, int y)
{
    return picture.palette[picture.indices[size_t(y) * size_t(picture.width) + size_t(x)]];
}

int ColourError(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

struct Fidelity {
    double mean = 0;
    int worst = 0;
};

Fidelity Compare(const QImage &drawn, const IndexedPicture &picture)
{
    Fidelity f;
    qint64 total = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const int error = ColourError(drawn.pixel(x, y), ColourAt(picture, x, y));
            total += error;
            f.worst = std::max(f.worst, error);
        }
    }
    f.mean = double(total) / (drawn.width() * drawn.height());
    return f;
}

// Far more than 256 colours, all of them smooth.
QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / (width - 1), y * 255 / (height - 1), (x + y) * 255 / (width + height - 2)));
    return image;
}

// A strip with one pixel of each colour.
QImage Strip(const std::vector<QRgb> &colours)
{
    QImage image(int(colours.size()), 1, QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, 0, colours[size_t(x)]);
    return image;
}

struct PngFacts {
    int bitDepth = 0, colourType = 0, interlace = 0, paletteEntries = 0;
    QByteArrayList chunks;
};

// Walks the chunks by hand, so the check does not share code with the writer.
std::optional<PngFacts> ReadPngFacts(const QByteArray &bytes)
{
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return std::nullopt;
    PngFacts facts;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const quint32 length = qFromBigEndian<quint32>(data + at);
        const QByteArray type = bytes.mid(at + 4, 4);
        facts.chunks << type;
        if (type == "IHDR") {
            facts.bitDepth = data[at + 16];
            facts.colourType = data[at + 17];
            facts.interlace = data[at + 20];
        } else if (type == "PLTE") {
            facts.paletteEntries = int(length / 3);
        }
        at += 12 + qsizetype(length);
    }
    return facts;
}

quint32 LittleEndianAt(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | uchar(bytes.at(at + i));
    return value;
}

} // namespace

TEST(PaletteFiles, BmpAndPngDecodeToTheDrawnPixels)
{
    // An odd width: BMP rows need padding to four bytes, PNG rows none.
    QImage few(13, 7, QImage::Format_RGB32);
    for (int y = 0; y < few.height(); ++y)
        for (int x = 0; x < few.width(); ++x)
            few.setPixel(x, y, qRgb(x * 19, y * 36, (x * y * 7) % 256));
    const IndexedPicture exact = ReduceToPalette(few);
    ASSERT_EQ(exact.indices.size(), size_t(13 * 7));
    const QByteArray png = EncodePng(exact);
    const QByteArray bmp = EncodeBmp(exact);
    const QImage fromPng = QImage::fromData(png, "PNG");
    const QImage fromBmp = QImage::fromData(bmp, "BMP");
    ASSERT_EQ(fromPng.size(), few.size());
    ASSERT_EQ(fromBmp.size(), few.size());
    EXPECT_EQ(fromBmp.format(), QImage::Format_Indexed8);
    for (int y = 0; y < few.height(); ++y) {
        for (int x = 0; x < few.width(); ++x) {
            EXPECT_EQ(ColourAt(exact, x, y), few.pixel(x, y)) << x << ',' << y;
            EXPECT_EQ(fromPng.pixel(x, y), few.pixel(x, y)) << "PNG " << x << ',' << y;
            EXPECT_EQ(fromBmp.pixel(x, y), few.pixel(x, y)) << "BMP " << x << ',' << y;
        }
    }

    const std::optional<PngFacts> facts = ReadPngFacts(png);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->bitDepth, 8);
    EXPECT_EQ(facts->colourType, 3);
    EXPECT_EQ(facts->interlace, 0);
    EXPECT_EQ(facts->paletteEntries, int(exact.palette.size()));
    for (const char *varying : {"tIME", "tEXt", "zTXt", "iTXt"})
        EXPECT_FALSE(facts->chunks.contains(varying)) << varying;
    EXPECT_EQ(facts->chunks.last(), "IEND");

    EXPECT_EQ(LittleEndianAt(bmp, 2, 4), quint32(bmp.size()));
    EXPECT_EQ(LittleEndianAt(bmp, 14, 4), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(LittleEndianAt(bmp, 28, 2), 8u);
    EXPECT_EQ(LittleEndianAt(bmp, 30, 4), 0u) << "uncompressed";
    EXPECT_EQ(LittleEndianAt(bmp, 46, 4), quint32(exact.palette.size()));
    EXPECT_EQ(CheckBmp(bmp, exact).toStdString(), "");
}

TEST(PaletteFiles, CheckBmpFindsDamage)
{
    const IndexedPicture picture = ReduceToPalette(Gradient(30, 20));
    const QByteArray good = EncodeBmp(picture);
    ASSERT_TRUE(CheckBmp(good, picture).isEmpty());
    const qsizetype pixels = qsizetype(LittleEndianAt(good, 10, 4));

    const auto damaged = [&good](qsizetype at, char value) {
        QByteArray bytes = good;
        bytes[at] = value;
        return bytes;
    };
    EXPECT_FALSE(CheckBmp(good.left(good.size() - 1), picture).isEmpty()) << "truncated";
    EXPECT_FALSE(CheckBmp(damaged(0, 'X'), picture).isEmpty()) << "signature";
    EXPECT_FALSE(CheckBmp(damaged(28, 4), picture).isEmpty()) << "bit count";
    EXPECT_FALSE(CheckBmp(damaged(46, 3), picture).isEmpty()) << "palette size";
    const qsizetype usedEntry = 54 + 4 * qsizetype(picture.indices[0]);
    EXPECT_FALSE(CheckBmp(damaged(usedEntry, char(~good[usedEntry])), picture).isEmpty()) << "a palette entry";
    EXPECT_FALSE(CheckBmp(damaged(pixels, char(good[pixels] ^ 1)), picture).isEmpty()) << "a pixel";

    IndexedPicture other = picture;
    other.indices[0] = uchar(other.indices[0] ^ 1);
    EXPECT_FALSE(CheckBmp(good, other).isEmpty()) << "bytes of another picture";
}

TEST(PaletteChoice, ExactWhileTheColoursFit)
{
    std::vector<QRgb> colours;
    for (int i = 0; i < 257; ++i)
        colours.push_back(qRgb(i % 256, i / 256 * 128, (i * 37) % 256));
    const QImage fits = Strip(std::vector<QRgb>(colours.begin(), colours.end() - 1));
    const IndexedPicture exact = ReduceToPalette(fits);
    EXPECT_EQ(exact.palette.size(), 256u);
    EXPECT_EQ(Compare(fits, exact).worst, 0);

    const QImage tooMany = Strip(colours);
    const IndexedPicture reduced = ReduceToPalette(tooMany);
    EXPECT_LE(reduced.palette.size(), 256u);
    EXPECT_GT(Compare(tooMany, reduced).worst, 0);
}

TEST(PaletteChoice, ManyColoursStayCloseToTheDrawnPicture)
{
    const QImage many = Gradient(320, 240);
    const IndexedPicture reduced = ReduceToPalette(many);
    EXPECT_LE(reduced.palette.size(), 256u);
    EXPECT_GT(reduced.palette.size(), 128u);
    const Fidelity f = Compare(many, reduced);
    // A fixed 6x6x6 colour cube would average about 38 here; median cut gives about 10.5 and 25.
    EXPECT_LT(f.mean, 12.0);
    EXPECT_LT(f.worst, 32);

    // Stray pixels of random colours, like stars, must not take the shades a large smooth area needs:
    // splitting the widest box alone averages about 7.7 here, weighing boxes by their pixels about 4.1.
    QImage sky(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            sky.setPixel(x, y, qRgb(20 + x / 4, 30 + y / 4, 90 + (x + y) / 8));
    quint32 state = 7;
    const auto random = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int i = 0; i < 400; ++i) {
        const int x = int(random() % 320), y = int(random() % 240);
        sky.setPixel(x, y, random());
    }
    EXPECT_LT(Compare(sky, ReduceToPalette(sky)).mean, 5.5);
}

TEST(PaletteChoice, KeptColoursComeFirstAndStayExact)
{
    QImage image = Gradient(64, 64);
    const QRgb flat = qRgb(200, 30, 90);
    const QRgb nearFlat = qRgb(201, 30, 90);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, x < 8 ? flat : nearFlat);
    const QRgb absent = qRgb(1, 2, 3);
    // Alpha is no part of a colour, and a colour kept twice takes one entry.
    const std::vector<QRgb> keep{flat, absent & 0x00ffffffu, nearFlat, flat};

    const std::vector<QRgb> palette = ChoosePalette({image}, keep);
    ASSERT_GE(palette.size(), 3u);
    EXPECT_LE(palette.size(), 256u);
    EXPECT_EQ(palette[0], flat);
    EXPECT_EQ(palette[1], absent);
    EXPECT_EQ(palette[2], nearFlat);
    const IndexedPicture picture = ApplyPalette(image, palette);
    EXPECT_EQ(picture.indices[0], 0);
    EXPECT_EQ(picture.indices[8], 2);
    EXPECT_LT(Compare(image, picture).mean, 16.0) << "the rest is still reduced well";
}

TEST(PaletteChoice, PicturesSharingAPaletteAreEachWellServed)
{
    std::vector<QRgb> reds, blues;
    for (int i = 0; i < 200; ++i) {
        reds.push_back(qRgb(55 + i, i / 4, 0));
        blues.push_back(qRgb(0, i / 4, 55 + i));
    }
    const QImage red = Strip(reds), blue = Strip(blues);
    // Together they are too many, so neither picture may be left to the other's colours.
    const std::vector<QRgb> shared = ChoosePalette({red, blue}, {});
    EXPECT_LE(shared.size(), 256u);
    EXPECT_LT(Compare(red, ApplyPalette(red, shared)).worst, 12);
    EXPECT_LT(Compare(blue, ApplyPalette(blue, shared)).worst, 12);

    // Half as many fit together, and then both stay exact.
    const QImage someRed = Strip(std::vector<QRgb>(reds.begin(), reds.begin() + 100));
    const QImage someBlue = Strip(std::vector<QRgb>(blues.begin(), blues.begin() + 100));
    const std::vector<QRgb> exact = ChoosePalette({someRed, someBlue}, {});
    EXPECT_EQ(exact.size(), 200u);
    EXPECT_EQ(Compare(someRed, ApplyPalette(someRed, exact)).worst, 0);
    EXPECT_EQ(Compare(someBlue, ApplyPalette(someBlue, exact)).worst, 0);
}

TEST(PaletteChoice, SameWhateverTheHashOrder)
{
    // Colour order must not come from a hash, whose order changes with each process's seed.
    const QImage few = Strip([] {
        std::vector<QRgb> colours;
        for (int i = 0; i < 200; ++i)
            colours.push_back(qRgb((i * 53) % 256, (i * 101) % 256, i));
        return colours;
    }());
    const QImage many = Gradient(80, 60);
    const std::vector<QRgb> keep{qRgb(9, 9, 9)};
    QHashSeed::setDeterministicGlobalSeed();
    const std::vector<QRgb> fewFirst = ChoosePalette({few}, keep);
    const std::vector<QRgb> manyFirst = ChoosePalette({many}, keep);
    QHashSeed::resetRandomGlobalSeed();
    EXPECT_EQ(ChoosePalette({few}, keep), fewFirst);
    EXPECT_EQ(ChoosePalette({many}, keep), manyFirst);
}

TEST(PaletteApply, NearestColourAndTheFirstOnATie)
{
    // Every pixel against every palette colour, for the quick search to be measured against.
    const auto slowNearest = [](const std::vector<QRgb> &palette, QRgb colour) {
        int best = 0, bestDistance = INT_MAX;
        for (int i = 0; i < int(palette.size()); ++i) {
            const int dr = qRed(colour) - qRed(palette[size_t(i)]), dg = qGreen(colour) - qGreen(palette[size_t(i)]),
                      db = qBlue(colour) - qBlue(palette[size_t(i)]);
            const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        return best;
    };
    quint32 state = 12345;
    const auto random = [&state] { return state = state * 1664525u + 1013904223u; };
    // Equally far from grey 100 on either side in green: the search meets the later entry first.
    std::vector<QRgb> palette{qRgb(100, 99, 100), qRgb(100, 101, 100)};
    for (int i = 0; i < 40; ++i)
        palette.push_back(random() | 0xff000000u);
    palette.push_back(palette[5]); // a later duplicate never wins
    QImage image(100, 50, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random());
    image.setPixel(0, 0, palette[5]);
    image.setPixel(1, 0, qRgb(100, 100, 100));

    const IndexedPicture picture = ApplyPalette(image, palette);
    EXPECT_EQ(picture.indices[0], 5);
    EXPECT_EQ(picture.indices[1], 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(picture.indices[size_t(y) * 100 + size_t(x)], slowNearest(palette, image.pixel(x, y))) << x << ',' << y;
}
