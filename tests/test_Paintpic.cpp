#include "Paintpic.h"
#include "PngBuilder.h"
#include "TImage.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QRgb kFallback = qRgb(30, 200, 90);
const QRgb kGrey = qRgb(165, 165, 165);
const QRgb kRed = qRgb(206, 0, 41);
const QRgb kYellow = qRgb(255, 222, 107);
const QRgb kBlue = qRgb(0, 148, 214);
const QRgb kPurple = qRgb(128, 0, 128);

QRgb MarkerOf(int code)
{
    switch (code) {
    case ssNoDecoder: return kGrey;
    case ssNoFile: return kRed;
    case ssNotPng: return kYellow;
    case ssWrongKind: return kBlue;
    default: return kPurple;
    }
}

QList<QRgb> Palette(int count)
{
    QList<QRgb> colours;
    for (int i = 0; i < count; ++i)
        colours.append(qRgb(i, 255 - i, (i * 37 + 11) & 0xff));
    return colours;
}

int Pattern(int x, int y)
{
    return (x * 3 + y * 7) & 0xff;
}

QByteArray ValidPng(int colours = 256)
{
    return PngFile({}, Palette(colours), [colours](int x, int y) { return Pattern(x, y) % colours; });
}

class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage fallback(320, 240, QImage::Format_RGB32);
        fallback.fill(kFallback);
        ASSERT_TRUE(fallback.save(u"spdexpic.bmp"_s, "BMP"));
        ASSERT_TRUE(QDir().mkpath(u"DATA/ABCDEF"_s));
        Screenshot(ssInit);
        Screenshot(ssSwitch, nullptr, 1);
    }

    int Show(const QString &name, TImage *into = nullptr) { return Screenshot(ssShow, into ? into : &image, 0, name, "ABCDEF"); }

    int ShowBytes(const QByteArray &bytes, TImage *into = nullptr)
    {
        WriteBytes(u"DATA/ABCDEF/bild.png"_s, bytes);
        return Show(u"bild.png"_s, into);
    }

    // The fallback everywhere except the 16 x 16 square (16,208)-(31,223), which has the marker.
    static testing::AssertionResult IsFallback(const QImage &shown, std::optional<QRgb> marker)
    {
        if (shown.size() != QSize(320, 240))
            return testing::AssertionFailure() << "size " << shown.width() << 'x' << shown.height();
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                const bool inSquare = x >= 16 && x <= 31 && y >= 208 && y <= 223;
                const QRgb want = marker && inSquare ? *marker : kFallback;
                if (shown.pixel(x, y) != want)
                    return testing::AssertionFailure() << "pixel (" << x << ',' << y << ") is " << std::hex
                                                       << shown.pixel(x, y) << ", not " << want;
            }
        return testing::AssertionSuccess();
    }

    QTemporaryDir dir;
    ScopedCurrentDir current{dir.path()};
    TImage image{nullptr, u"Spielebild"_s, {16, 16, 320, 240}};
};

} // namespace

TEST_F(ScreenshotTest, ShowsAPalettePictureInItsColours)
{
    for (int colours : {256, 16}) {
        SCOPED_TRACE(colours);
        ASSERT_EQ(ShowBytes(ValidPng(colours)), ssShown);
        const QImage shown = image.Picture();
        ASSERT_EQ(shown.size(), QSize(320, 240));
        const QList<QRgb> palette = Palette(colours);
        int wrong = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                wrong += shown.pixel(x, y) != palette[Pattern(x, y) % colours];
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(ScreenshotTest, OtherKindsOfPngShowTheBlueMarker)
{
    struct Case {
        const char *what;
        PngHeader header;
        bool palette;
    };
    const Case cases[] = {
        {"true colour", {.colourType = 2}, false},
        {"4-bit palette", {.bitDepth = 4}, true},
        {"interlaced", {.interlace = 1}, true},
        {"321 wide", {.width = 321}, true},
        {"241 high", {.height = 241}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray file = PngFile(c.header, c.palette ? Palette(16) : QList<QRgb>{},
                                        [](int x, int y) { return (x + y) % 16; });
        EXPECT_EQ(ShowBytes(file), ssWrongKind);
        EXPECT_TRUE(IsFallback(image.Picture(), kBlue));
    }
}

TEST_F(ScreenshotTest, FilesThatAreNoPngShowTheYellowMarker)
{
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImage(320, 240, QImage::Format_RGB32).save(&buffer, "BMP"));
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty", {}},
        {"seven signature bytes", PngSignature().left(7)},
        {"a BMP", bmp},
        {"signature with CR LF turned into LF", QByteArray(ValidPng()).remove(4, 1)},
    };
    for (const auto &[what, bytes] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(ShowBytes(bytes), ssNotPng);
        EXPECT_TRUE(IsFallback(image.Picture(), kYellow));
    }
}

TEST_F(ScreenshotTest, MissingFilesShowTheRedMarkerWhateverTheNameLength)
{
    for (const QString &name : {u"fehlt.png"_s, QString(200, u'x'), QString(300, u'y') + u".png"_s}) {
        SCOPED_TRACE(name.size());
        EXPECT_EQ(Show(name), ssNoFile);
        EXPECT_TRUE(IsFallback(image.Picture(), kRed));
    }
    // A long name that does exist is found whole, not cut short.
    const QString longName = QString(240, u'z') + u".png"_s;
    WriteBytes(u"DATA/ABCDEF/"_s + longName, ValidPng());
    EXPECT_EQ(Show(longName), ssShown);
}

TEST_F(ScreenshotTest, FilesDamagedAfterTheirHeaderShowThePurpleMarker)
{
    const QByteArray head = PngSignature() + PngHeaderChunk({});
    const QByteArray plte = PngPaletteChunk(Palette(256));
    const QByteArray pixels = PngPixelData({}, Pattern);
    QByteArray badCrc = PngChunk("IDAT", pixels);
    badCrc[badCrc.size() - 1] = char(badCrc.back() ^ 0x55);
    QByteArray brokenStream = pixels;
    for (qsizetype i = 2; i < brokenStream.size(); i += 3)
        brokenStream[i] = char(0xff);
    const QByteArray fewerRows = PngPixelData({.height = 100}, Pattern); // a stream that ends after 100 rows
    const QByteArray valid = ValidPng();

    const std::pair<const char *, QByteArray> cases[] = {
        {"bad IDAT CRC", head + plte + badCrc + PngEndChunk()},
        {"broken compressed data", head + plte + PngChunk("IDAT", brokenStream) + PngEndChunk()},
        {"rows missing from the stream", head + plte + PngChunk("IDAT", fewerRows) + PngEndChunk()},
        {"no palette", head + PngChunk("IDAT", pixels) + PngEndChunk()},
        {"257 palette entries", head + PngPaletteChunk(Palette(256) << qRgb(1, 2, 3)) + PngChunk("IDAT", pixels)
                                    + PngEndChunk()},
        {"cut in the pixel data", valid.left(valid.size() / 2)},
        {"cut after the header", head},
    };
    for (const auto &[what, bytes] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(ShowBytes(bytes), ssDamaged);
        EXPECT_FALSE(ScreenshotDecodeError().isEmpty()) << "libpng's words are kept";
        EXPECT_TRUE(IsFallback(image.Picture(), kPurple));
    }
    EXPECT_EQ(ShowBytes(valid), ssShown) << "the decoder still works after the damaged files";
}

TEST_F(ScreenshotTest, EveryPngSuiteFileShowsTheMarkerOfTheCheckItFails)
{
    const QDir suite(QStringLiteral(SPIELDEX_TESTDATA "/pngsuite"));
    const QStringList files = suite.entryList({u"*.png"_s}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "no PngSuite in " << suite.path().toStdString();

    // What libpng's checks say before the size check: the signature, then a sound IHDR and
    // sound critical chunks up to the first IDAT; none of the files is 320 x 240.
    const auto expected = [](const QByteArray &bytes) {
        if (!bytes.startsWith(PngSignature()))
            return ssNotPng;
        qsizetype at = 8;
        for (bool first = true;; first = false) {
            if (at + 12 > bytes.size())
                return ssDamaged;
            const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
            const QByteArray type = bytes.mid(at + 4, 4);
            if (at + 12 + qsizetype(length) > bytes.size())
                return ssDamaged;
            const QByteArray data = bytes.mid(at + 8, length);
            const bool crcOk = PngCrc(type + data) == qFromBigEndian<quint32>(bytes.constData() + at + 8 + length);
            if (first) {
                if (type != "IHDR" || length != 13 || !crcOk)
                    return ssDamaged;
                const int depth = quint8(data[8]), colour = quint8(data[9]);
                const std::map<int, QList<int>> depths{
                    {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
                if (!depths.contains(colour) || !depths.at(colour).contains(depth) || data[10] != 0 || data[11] != 0
                    || quint8(data[12]) > 1)
                    return ssDamaged;
            } else if (type == "IDAT") {
                return ssWrongKind;
            } else if (type == "IEND" || (!crcOk && (type[0] & 0x20) == 0)) {
                return ssDamaged;
            }
            at += 12 + length;
        }
    };

    std::map<int, int> counts;
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = ReadBytes(suite.filePath(file));
        ASSERT_FALSE(bytes.isEmpty());
        const int want = expected(bytes);
        ++counts[want];
        EXPECT_EQ(ShowBytes(bytes), want);
        EXPECT_TRUE(IsFallback(image.Picture(), MarkerOf(want)));
    }
    std::cout << "[          ] PngSuite: " << files.size() << " files;";
    for (const auto &[code, count] : counts)
        std::cout << ' ' << code << ": " << count;
    std::cout << '\n';
}

TEST_F(ScreenshotTest, SwitchedOffTheImageKeepsItsPicture)
{
    QImage before(320, 240, QImage::Format_RGB32);
    before.fill(qRgb(1, 2, 3));
    image.SetPicture(before);
    Screenshot(ssSwitch, nullptr, 0);
    EXPECT_EQ(Show(u"fehlt.png"_s), 0);
    EXPECT_EQ(ShowBytes(ValidPng()), 0);
    EXPECT_EQ(image.Picture(), before);
    EXPECT_EQ(Screenshot(99, &image, 1, u"fehlt.png"_s, "ABCDEF"), 0) << "unknown operations do nothing";
    EXPECT_EQ(image.Picture(), before);
}

TEST_F(ScreenshotTest, NoNameShowsTheBareFallbackWithoutTheDataFolder)
{
    ASSERT_TRUE(QDir(u"DATA"_s).removeRecursively());
    EXPECT_EQ(Show({}), 1);
    EXPECT_TRUE(IsFallback(image.Picture(), std::nullopt));
}

TEST_F(ScreenshotTest, AMissingPictureAfterAGoodOneShowsTheFallback)
{
    ASSERT_EQ(ShowBytes(ValidPng()), ssShown);
    EXPECT_EQ(Show(u"fehlt.png"_s), ssNoFile);
    EXPECT_TRUE(IsFallback(image.Picture(), kRed));
}

TEST_F(ScreenshotTest, AShownPictureStaysWhenTheNextIsDecoded)
{
    TImage second{nullptr, u"zweites"_s, {0, 0, 320, 240}};
    ASSERT_EQ(ShowBytes(ValidPng(256)), ssShown);
    const QImage first = image.Picture().copy();
    ASSERT_EQ(ShowBytes(PngFile({}, Palette(4), [](int x, int) { return x % 4; }), &second), ssShown);
    EXPECT_NE(second.Picture(), first);
    EXPECT_EQ(image.Picture(), first);
}

TEST_F(ScreenshotTest, AMissingFallbackRaisesTheErrorAndKeepsThePicture)
{
    QImage before(320, 240, QImage::Format_RGB32);
    before.fill(qRgb(1, 2, 3));
    const std::pair<const char *, QByteArray> fallbacks[] = {{"missing", {}}, {"not a BMP", "kein Bild"}};
    for (const auto &[what, content] : fallbacks) {
        QFile::remove(u"spdexpic.bmp"_s);
        if (!content.isEmpty())
            WriteBytes(u"spdexpic.bmp"_s, content);
        for (const QString &name : {u"fehlt.png"_s, QString()}) {
            SCOPED_TRACE(std::string(what) + " fallback, picture " + name.toStdString());
            image.SetPicture(before);
            try {
                Show(name);
                ADD_FAILURE() << "no error";
            } catch (const std::exception &error) {
                EXPECT_EQ(QString::fromUtf8(error.what()), u"Datei spdexpic.bmp kann nicht geöffnet werden"_s);
            }
            EXPECT_EQ(image.Picture(), before);
        }
    }
}
