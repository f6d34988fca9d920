#include "PaletteFiles.h"

#include <png.h>

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <csetjmp>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

template <typename T>
void Put(QByteArray &bytes, T value)
{
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&little), sizeof little);
}

template <typename T>
T Get(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

int RowStride(int width)
{
    return (width + 3) & ~3; // BMP rows are padded to four bytes
}

// A BMP header of 0 colours would mean 256, so an empty picture still gets one entry.
quint32 BmpColourCount(const IndexedPicture &picture)
{
    return quint32(std::clamp<size_t>(picture.palette.size(), 1, kMaxPaletteColours));
}

void AppendToArray(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void IgnoreFlush(png_structp) {}

// libpng reports errors by longjmp, so this frame holds only trivially destructible locals.
bool WritePng(const IndexedPicture &picture, const png_color *palette, int colours, QByteArray *out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendToArray, IgnoreFlush);
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, colours);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y)
        png_write_row(png, picture.indices.data() + size_t(y) * size_t(picture.width));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

QByteArray EncodeBmp(const IndexedPicture &picture)
{
    const int stride = RowStride(picture.width);
    const quint32 colours = BmpColourCount(picture);
    const quint32 pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    const quint32 pixelBytes = quint32(stride) * quint32(picture.height);

    QByteArray out;
    out.reserve(qsizetype(pixelOffset + pixelBytes));
    // BITMAPFILEHEADER
    out.append("BM", 2);
    Put<quint32>(out, pixelOffset + pixelBytes);
    Put<quint32>(out, 0);
    Put<quint32>(out, pixelOffset);
    // BITMAPINFOHEADER; a positive height means the rows are stored bottom up
    Put<quint32>(out, kInfoHeaderSize);
    Put<qint32>(out, picture.width);
    Put<qint32>(out, picture.height);
    Put<quint16>(out, 1);
    Put<quint16>(out, 8);
    Put<quint32>(out, 0); // BI_RGB, no compression
    Put<quint32>(out, pixelBytes);
    Put<qint32>(out, 2835); // 72 dots per inch
    Put<qint32>(out, 2835);
    Put<quint32>(out, colours);
    Put<quint32>(out, 0);

    for (quint32 i = 0; i < colours; ++i) {
        const QRgb c = i < picture.palette.size() ? picture.palette[i] : 0;
        const char quad[4] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), 0};
        out.append(quad, 4);
    }
    const QByteArray padding(stride - picture.width, '\0');
    for (int y = picture.height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char *>(picture.indices.data() + size_t(y) * size_t(picture.width)),
                   picture.width);
        out.append(padding);
    }
    return out;
}

QString CheckBmp(const QByteArray &bytes, const IndexedPicture &picture)
{
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || !bytes.startsWith("BM"))
        return u"no BMP signature"_s;
    if (Get<quint32>(bytes, 2) != quint32(bytes.size()))
        return u"file size field is wrong"_s;
    if (Get<quint32>(bytes, 14) != quint32(kInfoHeaderSize))
        return u"not a BITMAPINFOHEADER"_s;
    if (Get<qint32>(bytes, 18) != picture.width || Get<qint32>(bytes, 22) != picture.height)
        return u"size fields are wrong"_s;
    if (Get<quint16>(bytes, 28) != 8)
        return u"not 8 bits per pixel"_s;
    if (Get<quint32>(bytes, 30) != 0)
        return u"compressed"_s;
    if (Get<quint32>(bytes, 46) != BmpColourCount(picture))
        return u"palette size field is wrong"_s;

    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "bmp");
    const QImage decoded = reader.read();
    if (decoded.isNull())
        return u"Qt cannot read it: "_s + reader.errorString();
    if (decoded.format() != QImage::Format_Indexed8)
        return u"Qt does not read it as indexed"_s;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const uchar index = picture.indices[size_t(y) * size_t(picture.width) + size_t(x)];
            if (index >= picture.palette.size())
                return u"pixel (%1, %2) has no palette colour"_s.arg(x).arg(y);
            const QRgb want = picture.palette[index];
            if ((decoded.pixel(x, y) | 0xff000000u) != (want | 0xff000000u))
                return u"pixel (%1, %2) reads back wrong"_s.arg(x).arg(y);
        }
    }
    return {};
}

QByteArray EncodePng(const IndexedPicture &picture)
{
    std::array<png_color, kMaxPaletteColours> palette{};
    const int colours = int(std::min<size_t>(picture.palette.size(), kMaxPaletteColours));
    for (int i = 0; i < colours; ++i) {
        const QRgb c = picture.palette[size_t(i)];
        palette[size_t(i)] = png_color{png_byte(qRed(c)), png_byte(qGreen(c)), png_byte(qBlue(c))};
    }
    QByteArray bytes;
    bytes.reserve(64 * 1024);
    if (!WritePng(picture, palette.data(), colours, &bytes))
        return {};
    return bytes;
}
