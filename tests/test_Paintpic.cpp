#include "Paintpic.h"
#include "PngBuilder.h"
#include "TImage.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <optional>
#include <random>

#include <unistd.h>

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

namespace {

// The loader's decoding of bytes in memory, as it decodes an open file.
int DecodeBytes(const QByteArray &bytes, QImage &bitmap)
{
    std::FILE *file = std::tmpfile();
    if (!file)
        return -1;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file) != size_t(bytes.size())) {
        std::fclose(file);
        return -1;
    }
    std::rewind(file);
    const int code = DecodeScreenshot(file, bitmap);
    std::fclose(file);
    return code;
}

// The chunks of a PNG after its signature: offset and total size (length, type, data, CRC).
std::vector<std::pair<qsizetype, qsizetype>> Chunks(const QByteArray &png)
{
    std::vector<std::pair<qsizetype, qsizetype>> chunks;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const qsizetype size = 12 + qFromBigEndian<quint32>(png.constData() + at);
        chunks.push_back({at, size});
        at += size;
    }
    return chunks;
}

} // namespace

// Every truncation of one screenshot and a few thousand seeded mutations go through the real
// decoder: each ends in one of the loader's codes, quickly, and nothing reaches stderr.
TEST(ScreenshotSweep, EveryDamagedVariantEndsInALoaderCodeSilently)
{
    const QByteArray valid = ValidPng();
    std::vector<QByteArray> variants;
    for (qsizetype cut = 0; cut < valid.size(); ++cut)
        variants.push_back(valid.left(cut));
    std::mt19937 random(20261209);
    const auto chunks = Chunks(valid);
    ASSERT_GE(chunks.size(), 4u);
    const auto pick = [&random](qsizetype below) { return qsizetype(random() % quint32(std::max<qsizetype>(below, 1))); };
    for (int m = 0; m < 3000; ++m) {
        QByteArray bytes = valid;
        switch (m % 4) {
        case 0: // bit flips anywhere
            for (int f = 0, flips = 1 + int(pick(8)); f < flips; ++f)
                bytes[pick(bytes.size())] ^= char(1 << pick(8));
            break;
        case 1: { // a chunk's length changed
            const auto &[at, size] = chunks[size_t(pick(qsizetype(chunks.size())))];
            qToBigEndian<quint32>(quint32(random()) >> pick(32), bytes.data() + at);
            break;
        }
        case 2: { // two chunks swapped
            const size_t a = size_t(pick(qsizetype(chunks.size()))), b = size_t(pick(qsizetype(chunks.size())));
            const auto [first, second] = std::minmax(a, b);
            if (first == second)
                break;
            const QByteArray one = valid.mid(chunks[first].first, chunks[first].second);
            const QByteArray two = valid.mid(chunks[second].first, chunks[second].second);
            bytes = valid.left(chunks[first].first) + two
                + valid.mid(chunks[first].first + chunks[first].second,
                            chunks[second].first - chunks[first].first - chunks[first].second)
                + one + valid.mid(chunks[second].first + chunks[second].second);
            break;
        }
        default: { // a chunk's data changed and its CRC made right again
            const auto &[at, size] = chunks[size_t(pick(qsizetype(chunks.size())))];
            if (size <= 12)
                break;
            for (int f = 0, flips = 1 + int(pick(4)); f < flips; ++f)
                bytes[at + 8 + pick(size - 12)] ^= char(1 << pick(8));
            qToBigEndian<quint32>(PngCrc(bytes.mid(at + 4, size - 8)), bytes.data() + at + size - 4);
            break;
        }
        }
        variants.push_back(bytes);
    }

    // stderr goes to a file for the sweep, to see that the decoder says nothing.
    QTemporaryFile errors;
    ASSERT_TRUE(errors.open());
    std::fflush(stderr);
    const int savedStderr = ::dup(STDERR_FILENO);
    ::dup2(errors.handle(), STDERR_FILENO);
    QImage bitmap;
    std::map<int, int> byCode;
    qint64 slowestMs = 0;
    QElapsedTimer clock;
    for (const QByteArray &bytes : variants) {
        clock.start();
        ++byCode[DecodeBytes(bytes, bitmap)];
        slowestMs = std::max(slowestMs, clock.elapsed());
    }
    std::fflush(stderr);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);

    for (const auto &[code, count] : byCode)
        EXPECT_TRUE(code == ssShown || code == ssNotPng || code == ssWrongKind || code == ssDamaged)
            << "code " << code << " for " << count << " files";
    EXPECT_GT(byCode[ssDamaged], 1000);
    EXPECT_LT(slowestMs, 2000) << "a file kept the decoder busy";
    EXPECT_EQ(errors.size(), 0) << "the decoder wrote to stderr";
    std::cout << "[          ] " << variants.size() << " variants (" << valid.size() << " truncations);";
    for (const auto &[code, count] : byCode)
        std::cout << ' ' << code << ": " << count;
    std::cout << "; slowest " << slowestMs << " ms\n";
}
