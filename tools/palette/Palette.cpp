#include "Palette.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <utility>

namespace {

constexpr QRgb kOpaque = 0xff000000u;

struct ColourCount {
    QRgb colour;
    quint64 count;
};

int Channel(QRgb colour, int axis)
{
    return axis == 0 ? qRed(colour) : axis == 1 ? qGreen(colour) : qBlue(colour);
}

// Every colour of the pictures with its number of pixels, in order of colour value.
std::vector<ColourCount> CountColours(const std::vector<QImage> &images)
{
    QHash<QRgb, quint64> counts;
    for (const QImage &image : images) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                ++counts[line[x] | kOpaque];
        }
    }
    std::vector<ColourCount> sorted;
    sorted.reserve(size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        sorted.push_back({it.key(), it.value()});
    // The hash's order changes from run to run; the palette must not.
    std::sort(sorted.begin(), sorted.end(), [](const ColourCount &a, const ColourCount &b) { return a.colour < b.colour; });
    return sorted;
}

// A run of the colours array for median cut; `axis` and `range` describe its longest side.
struct Box {
    size_t begin = 0;
    size_t end = 0;
    quint64 pixels = 0;
    int axis = 0;
    int range = 0;
};

Box MeasureBox(const std::vector<ColourCount> &colours, size_t begin, size_t end)
{
    Box box{begin, end, 0, 0, 0};
    std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        box.pixels += colours[i].count;
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], Channel(colours[i].colour, a));
            high[a] = std::max(high[a], Channel(colours[i].colour, a));
        }
    }
    for (int a = 0; a < 3; ++a) {
        if (high[a] - low[a] > box.range) {
            box.range = high[a] - low[a];
            box.axis = a;
        }
    }
    return box;
}

// Splits the box at the pixel-weighted median of its longest side; colours with the same value
// on that side stay together.
std::pair<Box, Box> SplitBox(std::vector<ColourCount> &colours, const Box &box)
{
    const int axis = box.axis;
    std::array<quint64, 256> pixelsAt{};
    int high = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        const int value = Channel(colours[i].colour, axis);
        pixelsAt[size_t(value)] += colours[i].count;
        high = std::max(high, value);
    }
    int median = 0;
    quint64 seen = pixelsAt[0];
    while (seen * 2 < box.pixels)
        seen += pixelsAt[size_t(++median)];
    median = std::min(median, high - 1); // the box is wider than one value, so both halves get colours
    const auto cut = std::partition(colours.begin() + qsizetype(box.begin), colours.begin() + qsizetype(box.end),
                                    [axis, median](const ColourCount &c) { return Channel(c.colour, axis) <= median; });
    const size_t middle = size_t(cut - colours.begin());
    return {MeasureBox(colours, box.begin, middle), MeasureBox(colours, middle, box.end)};
}

QRgb MeanColour(const std::vector<ColourCount> &colours, const Box &box)
{
    std::array<quint64, 3> sum{};
    for (size_t i = box.begin; i < box.end; ++i)
        for (int a = 0; a < 3; ++a)
            sum[size_t(a)] += quint64(Channel(colours[i].colour, a)) * colours[i].count;
    const quint64 n = std::max<quint64>(box.pixels, 1);
    return qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n));
}

std::vector<QRgb> MedianCut(std::vector<ColourCount> colours, size_t wanted)
{
    std::vector<Box> boxes{MeasureBox(colours, 0, colours.size())};
    while (boxes.size() < wanted) {
        // Split where many pixels meet a wide range, so large smooth areas get their shades
        // and a few stray edge pixels do not use up entries; ties go to the earliest box.
        int best = -1;
        double bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            const Box &b = boxes[size_t(i)];
            if (b.end - b.begin < 2 || b.range == 0)
                continue;
            const double score = double(b.range) * std::sqrt(double(b.pixels));
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        if (best < 0)
            break;
        auto [first, second] = SplitBox(colours, boxes[size_t(best)]);
        boxes[size_t(best)] = first;
        boxes.push_back(second);
    }
    std::vector<QRgb> palette;
    for (const Box &box : boxes)
        palette.push_back(MeanColour(colours, box));
    return palette;
}

// Squared distance with the channels weighted roughly as the eye weighs them.
constexpr int kGreenWeight = 4;
int Distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + kGreenWeight * dg * dg + 2 * db * db;
}

// The nearest palette colour, the first on a tie, found without measuring every entry: the
// entries sorted by green are searched outwards from the colour's green until green alone is too far.
class NearestColour {
public:
    explicit NearestColour(const std::vector<QRgb> &palette) : palette_(palette)
    {
        for (int i = 0; i < int(palette.size()); ++i)
            byGreen_.push_back({qGreen(palette[size_t(i)]), i});
        std::sort(byGreen_.begin(), byGreen_.end());
    }

    uchar operator()(QRgb colour) const
    {
        const int green = qGreen(colour);
        const auto start = std::lower_bound(byGreen_.begin(), byGreen_.end(), std::pair{green, 0});
        int best = 0;
        int bestDistance = INT_MAX;
        // False once this entry's green, and so every later one's, is further off than the best so far.
        const auto consider = [&](const std::pair<int, int> &entry) {
            const int dg = entry.first - green;
            if (kGreenWeight * dg * dg > bestDistance)
                return false;
            const int d = Distance(colour, palette_[size_t(entry.second)]);
            if (d < bestDistance || (d == bestDistance && entry.second < best)) {
                bestDistance = d;
                best = entry.second;
            }
            return true;
        };
        for (auto it = start; it != byGreen_.end() && consider(*it); ++it) {
        }
        for (auto it = start; it != byGreen_.begin() && consider(*(it - 1)); --it) {
        }
        return uchar(best);
    }

private:
    const std::vector<QRgb> &palette_;
    std::vector<std::pair<int, int>> byGreen_; // green, palette index
};

} // namespace

std::vector<QRgb> ChoosePalette(const std::vector<QImage> &images, const std::vector<QRgb> &keep)
{
    std::vector<QRgb> palette;
    for (QRgb colour : keep) {
        colour |= kOpaque;
        if (palette.size() < size_t(kMaxPaletteColours) && std::find(palette.begin(), palette.end(), colour) == palette.end())
            palette.push_back(colour);
    }
    std::vector<QRgb> kept = palette;
    std::sort(kept.begin(), kept.end());
    std::vector<ColourCount> others;
    for (const ColourCount &c : CountColours(images))
        if (!std::binary_search(kept.begin(), kept.end(), c.colour))
            others.push_back(c);

    const size_t room = size_t(kMaxPaletteColours) - palette.size();
    if (others.size() <= room) {
        for (const ColourCount &c : others)
            palette.push_back(c.colour);
    } else if (room > 0) {
        for (const QRgb colour : MedianCut(std::move(others), room))
            palette.push_back(colour);
    }
    return palette;
}

IndexedPicture ApplyPalette(const QImage &image, const std::vector<QRgb> &palette)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Q_ASSERT(palette.size() <= size_t(kMaxPaletteColours) && (!palette.empty() || rgb.isNull()));
    IndexedPicture out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.palette = palette;
    out.indices.resize(size_t(out.width) * size_t(out.height));

    const NearestColour nearestColour(palette);
    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | kOpaque;
            auto found = nearest.constFind(colour);
            if (found == nearest.constEnd())
                found = nearest.insert(colour, nearestColour(colour));
            out.indices[size_t(y) * size_t(out.width) + size_t(x)] = *found;
        }
    }
    return out;
}

IndexedPicture ReduceToPalette(const QImage &image)
{
    return ApplyPalette(image, ChoosePalette({image}));
}
