#include "PaletteBmp.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>

#include <algorithm>
#include <climits>
#include <map>

using namespace Qt::StringLiterals;

namespace {

struct ColourCount {
    QRgb colour;
    qint64 count;
};

int Channel(QRgb colour, int axis)
{
    return axis == 0 ? qRed(colour) : axis == 1 ? qGreen(colour) : qBlue(colour);
}

// A box of colours for median cut; `axis` and `range` describe its longest side.
struct ColourBox {
    std::vector<ColourCount> colours;
    int axis = 0;
    int range = 0;

    void Measure()
    {
        range = -1;
        for (int a = 0; a < 3; ++a) {
            int lo = 255;
            int hi = 0;
            for (const ColourCount &c : colours) {
                lo = std::min(lo, Channel(c.colour, a));
                hi = std::max(hi, Channel(c.colour, a));
            }
            if (hi - lo > range) {
                range = hi - lo;
                axis = a;
            }
        }
    }

    QRgb Average() const
    {
        qint64 r = 0, g = 0, b = 0, n = 0;
        for (const ColourCount &c : colours) {
            r += qRed(c.colour) * c.count;
            g += qGreen(c.colour) * c.count;
            b += qBlue(c.colour) * c.count;
            n += c.count;
        }
        return qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
    }
};

std::vector<QRgb> MedianCut(std::vector<ColourCount> colours, int wanted)
{
    std::vector<ColourBox> boxes(1);
    boxes[0].colours = std::move(colours);
    boxes[0].Measure();
    while (int(boxes.size()) < wanted) {
        // Split the widest box; ties go to the earliest so the result never varies.
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const ColourBox &a, const ColourBox &b) {
            return a.range < b.range;
        });
        if (widest->range <= 0 || widest->colours.size() < 2)
            break;
        const int axis = widest->axis;
        std::stable_sort(widest->colours.begin(), widest->colours.end(), [axis](const ColourCount &a, const ColourCount &b) {
            return Channel(a.colour, axis) < Channel(b.colour, axis);
        });
        qint64 total = 0;
        for (const ColourCount &c : widest->colours)
            total += c.count;
        qint64 running = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < widest->colours.size(); ++i) {
            running += widest->colours[i].count;
            cut = i + 1;
            if (running * 2 >= total)
                break;
        }
        ColourBox upper;
        upper.colours.assign(widest->colours.begin() + qsizetype(cut), widest->colours.end());
        widest->colours.resize(cut);
        widest->Measure();
        upper.Measure();
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const ColourBox &box : boxes)
        palette.push_back(box.Average());
    return palette;
}

int Distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

void PutU16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void PutU32(QByteArray &out, quint32 v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xff));
}

quint32 ReadU32(const QByteArray &bytes, int at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | uchar(bytes[at + i]);
    return v;
}

quint16 ReadU16(const QByteArray &bytes, int at)
{
    return quint16(uchar(bytes[at]) | (uchar(bytes[at + 1]) << 8));
}

int RowStride(int width)
{
    return (width + 3) & ~3;
}

} // namespace

std::vector<QRgb> ChoosePalette(const std::vector<QImage> &images, const std::vector<QRgb> &keep)
{
    std::vector<QRgb> palette;
    for (QRgb colour : keep) {
        colour |= 0xff000000u;
        if (std::find(palette.begin(), palette.end(), colour) == palette.end())
            palette.push_back(colour);
    }

    // An ordered map keeps the colour order, and with it the palette, the same on every run.
    std::map<QRgb, qint64> histogram;
    for (const QImage &image : images) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                ++histogram[line[x] | 0xff000000u];
        }
    }
    std::vector<ColourCount> others;
    for (const auto &[colour, count] : histogram) {
        if (std::find(palette.begin(), palette.end(), colour) == palette.end())
            others.push_back({colour, count});
    }
    const int room = 256 - int(palette.size());
    Q_ASSERT(room >= 0);
    if (int(others.size()) <= room) {
        for (const ColourCount &c : others)
            palette.push_back(c.colour);
    } else if (room > 0) {
        for (QRgb colour : MedianCut(std::move(others), room))
            palette.push_back(colour);
    }
    return palette;
}

IndexedPicture ApplyPalette(const QImage &image, const std::vector<QRgb> &palette)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    IndexedPicture out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.palette = palette;
    out.indices.resize(size_t(out.width) * size_t(out.height));

    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xff000000u;
            auto found = nearest.constFind(colour);
            if (found == nearest.constEnd()) {
                int best = 0;
                int bestDistance = INT_MAX;
                for (int i = 0; i < int(palette.size()) && bestDistance > 0; ++i) {
                    const int d = Distance(colour, palette[size_t(i)]);
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                found = nearest.insert(colour, uchar(best));
            }
            out.indices[size_t(y) * size_t(out.width) + size_t(x)] = *found;
        }
    }
    return out;
}

QByteArray EncodeBmp(const IndexedPicture &picture)
{
    const int stride = RowStride(picture.width);
    const quint32 colours = quint32(picture.palette.size());
    const quint32 pixelOffset = 14 + 40 + 4 * colours;
    const quint32 pixelBytes = quint32(stride) * quint32(picture.height);

    QByteArray out;
    out.reserve(int(pixelOffset + pixelBytes));
    out.append("BM");
    PutU32(out, pixelOffset + pixelBytes);
    PutU32(out, 0);
    PutU32(out, pixelOffset);

    PutU32(out, 40);
    PutU32(out, quint32(picture.width));
    PutU32(out, quint32(picture.height)); // positive: rows stored bottom-up
    PutU16(out, 1);
    PutU16(out, 8);
    PutU32(out, 0); // BI_RGB, no compression
    PutU32(out, pixelBytes);
    PutU32(out, 2835); // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, colours);
    PutU32(out, 0);

    for (QRgb colour : picture.palette) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append(char(0));
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const uchar *row = picture.indices.data() + size_t(y) * size_t(picture.width);
        out.append(reinterpret_cast<const char *>(row), picture.width);
        out.append(QByteArray(stride - picture.width, '\0'));
    }
    return out;
}

QString CheckBmp(const QByteArray &bytes, const IndexedPicture &picture)
{
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return u"no BMP signature"_s;
    if (ReadU32(bytes, 2) != quint32(bytes.size()))
        return u"file size field is wrong"_s;
    if (ReadU32(bytes, 14) != 40)
        return u"not a BITMAPINFOHEADER"_s;
    if (ReadU32(bytes, 18) != quint32(picture.width) || ReadU32(bytes, 22) != quint32(picture.height))
        return u"size fields are wrong"_s;
    if (ReadU16(bytes, 28) != 8)
        return u"not 8 bits per pixel"_s;
    const quint32 colours = ReadU32(bytes, 46);
    if (colours == 0 || colours > 256 || colours != picture.palette.size())
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
            const QRgb want = picture.palette[picture.indices[size_t(y) * size_t(picture.width) + size_t(x)]];
            if ((decoded.pixel(x, y) | 0xff000000u) != want)
                return u"pixel (%1, %2) reads back wrong"_s.arg(x).arg(y);
        }
    }
    return {};
}
