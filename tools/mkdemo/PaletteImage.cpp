#include "PaletteImage.h"

#include <png.h>

#include <QtEndian>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <csetjmp>
#include <unordered_map>

namespace {

// ---- reducing colours ----

constexpr int kMaxColours = 256;
constexpr int kBins = 32 * 32 * 32; // five bits per channel

int BinOf(QRgb c) { return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3); }
int Channel(int bin, int channel) { return (bin >> (10 - 5 * channel)) & 31; }

struct Histogram {
    std::vector<quint32> count = std::vector<quint32>(kBins);
    std::vector<std::array<quint64, 3>> sum = std::vector<std::array<quint64, 3>>(kBins);
};

struct Box {
    int begin = 0; // range of the bins array
    int end = 0;
    quint64 pixels = 0;
    int widestChannel = 0;
    int width = 0; // extent of the widest channel
};

Box MeasureBox(const std::vector<int> &bins, const Histogram &h, int begin, int end)
{
    Box box{begin, end, 0, 0, 0};
    std::array<int, 3> low{31, 31, 31}, high{0, 0, 0};
    for (int i = begin; i < end; ++i) {
        box.pixels += h.count[bins[i]];
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], Channel(bins[i], c));
            high[c] = std::max(high[c], Channel(bins[i], c));
        }
    }
    for (int c = 0; c < 3; ++c) {
        if (high[c] - low[c] > box.width) {
            box.width = high[c] - low[c];
            box.widestChannel = c;
        }
    }
    return box;
}

// Splits the box at the pixel-weighted median of its widest channel.
std::pair<Box, Box> SplitBox(std::vector<int> &bins, const Histogram &h, const Box &box)
{
    const int c = box.widestChannel;
    std::sort(bins.begin() + box.begin, bins.begin() + box.end, [c](int a, int b) {
        const int ca = Channel(a, c), cb = Channel(b, c);
        return ca != cb ? ca < cb : a < b;
    });
    quint64 seen = 0;
    int cut = box.begin + 1;
    for (int i = box.begin; i < box.end - 1; ++i) {
        seen += h.count[bins[i]];
        cut = i + 1;
        if (seen * 2 >= box.pixels)
            break;
    }
    return {MeasureBox(bins, h, box.begin, cut), MeasureBox(bins, h, cut, box.end)};
}

std::vector<Box> MedianCut(std::vector<int> &bins, const Histogram &h)
{
    std::vector<Box> boxes{MeasureBox(bins, h, 0, int(bins.size()))};
    while (int(boxes.size()) < kMaxColours) {
        // Split where many pixels meet a wide range, so large smooth areas get their shades.
        int best = -1;
        double bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            const Box &b = boxes[i];
            if (b.end - b.begin < 2 || b.width == 0)
                continue;
            const double score = double(b.width) * std::sqrt(double(b.pixels));
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        if (best < 0)
            break;
        auto [first, second] = SplitBox(bins, h, boxes[best]);
        boxes[best] = first;
        boxes.push_back(second);
    }
    return boxes;
}

QRgb MeanColour(const std::vector<int> &bins, const Histogram &h, const Box &box)
{
    std::array<quint64, 3> sum{};
    for (int i = box.begin; i < box.end; ++i)
        for (int c = 0; c < 3; ++c)
            sum[c] += h.sum[bins[i]][c];
    const quint64 n = std::max<quint64>(box.pixels, 1);
    return qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n));
}

int Nearest(const std::vector<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour), dg = qGreen(palette[i]) - qGreen(colour),
                  db = qBlue(palette[i]) - qBlue(colour);
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db; // the eye weighs green most
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// Exact palette in order of first appearance; false when there are too many colours.
bool TryExactPalette(const QImage &rgb, PaletteImage &out)
{
    std::unordered_map<QRgb, uchar> index;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            auto it = index.find(c);
            if (it == index.end()) {
                if (out.palette.size() == kMaxColours)
                    return false;
                it = index.emplace(c, uchar(out.palette.size())).first;
                out.palette.push_back(c);
            }
            out.indices[size_t(y) * rgb.width() + x] = it->second;
        }
    }
    return true;
}

// ---- libpng ----

void AppendToArray(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void IgnoreFlush(png_structp) {}

// libpng reports errors by longjmp, so this frame holds only trivially destructible locals.
bool WritePng(const PaletteImage &image, const png_color *palette, int colours, QByteArray *out)
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
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, colours);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, image.indices.data() + size_t(y) * image.width);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

template <typename T>
void Put(QByteArray &bytes, T value)
{
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&little), sizeof little);
}

} // namespace

PaletteImage ReduceToPalette(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    PaletteImage out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.indices.resize(size_t(out.width) * out.height);
    if (TryExactPalette(rgb, out))
        return out;

    Histogram h;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const int bin = BinOf(line[x]);
            ++h.count[bin];
            h.sum[bin][0] += quint64(qRed(line[x]));
            h.sum[bin][1] += quint64(qGreen(line[x]));
            h.sum[bin][2] += quint64(qBlue(line[x]));
        }
    }
    std::vector<int> bins;
    for (int b = 0; b < kBins; ++b)
        if (h.count[b])
            bins.push_back(b);
    const std::vector<Box> boxes = MedianCut(bins, h);
    out.palette.clear();
    for (const Box &box : boxes)
        out.palette.push_back(MeanColour(bins, h, box));

    // Each bin goes to the palette colour nearest its own mean, not merely to its box.
    std::vector<uchar> binIndex(kBins);
    for (const int b : bins) {
        const quint64 n = h.count[b];
        const QRgb mean = qRgb(int(h.sum[b][0] / n), int(h.sum[b][1] / n), int(h.sum[b][2] / n));
        binIndex[b] = uchar(Nearest(out.palette, mean));
    }
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            out.indices[size_t(y) * out.width + x] = binIndex[BinOf(line[x])];
    }
    return out;
}

QByteArray EncodePalettePng(const PaletteImage &image)
{
    std::array<png_color, kMaxColours> palette{};
    const int colours = int(std::min<size_t>(image.palette.size(), kMaxColours));
    for (int i = 0; i < colours; ++i)
        palette[i] = png_color{png_byte(qRed(image.palette[i])), png_byte(qGreen(image.palette[i])),
                               png_byte(qBlue(image.palette[i]))};
    QByteArray bytes;
    bytes.reserve(64 * 1024);
    if (!WritePng(image, palette.data(), colours, &bytes))
        return {};
    return bytes;
}

QByteArray EncodePaletteBmp(const PaletteImage &image)
{
    constexpr quint32 kHeaderSize = 14 + 40 + 4 * kMaxColours;
    const quint32 stride = (quint32(image.width) + 3) & ~3u; // rows are padded to four bytes
    const quint32 pixelBytes = stride * quint32(image.height);
    QByteArray bytes;
    bytes.reserve(qsizetype(kHeaderSize + pixelBytes));
    // BITMAPFILEHEADER
    bytes.append("BM", 2);
    Put<quint32>(bytes, kHeaderSize + pixelBytes);
    Put<quint32>(bytes, 0);
    Put<quint32>(bytes, kHeaderSize);
    // BITMAPINFOHEADER; a positive height means the rows are stored bottom up
    Put<quint32>(bytes, 40);
    Put<qint32>(bytes, image.width);
    Put<qint32>(bytes, image.height);
    Put<quint16>(bytes, 1);
    Put<quint16>(bytes, 8);
    Put<quint32>(bytes, 0); // BI_RGB
    Put<quint32>(bytes, pixelBytes);
    Put<qint32>(bytes, 2835); // 72 dpi
    Put<qint32>(bytes, 2835);
    Put<quint32>(bytes, kMaxColours);
    Put<quint32>(bytes, 0);
    for (int i = 0; i < kMaxColours; ++i) {
        const QRgb c = i < int(image.palette.size()) ? image.palette[i] : 0;
        const char quad[4] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), 0};
        bytes.append(quad, 4);
    }
    const QByteArray padding(qsizetype(stride - quint32(image.width)), '\0');
    for (int y = image.height - 1; y >= 0; --y) {
        bytes.append(reinterpret_cast<const char *>(image.indices.data() + size_t(y) * image.width), image.width);
        bytes.append(padding);
    }
    return bytes;
}
