#include "PngBuilder.h"

#include <QtEndian>

#include <array>

namespace {

void AppendBigEndian(QByteArray &bytes, quint32 value)
{
    const quint32 big = qToBigEndian(value);
    bytes.append(reinterpret_cast<const char *>(&big), 4);
}

int Channels(int colourType)
{
    switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

// One filtered row of the pixels x0, x0 + dx, ... of line y, packed most significant bit first.
QByteArray Row(const PngHeader &h, const PngSample &sample, int y, int x0, int dx)
{
    QByteArray row(1, '\0');
    quint32 bits = 0;
    int count = 0;
    const quint32 mask = h.bitDepth >= 16 ? 0xffffu : (1u << h.bitDepth) - 1;
    for (quint32 x = x0; x < h.width; x += dx) {
        const quint32 value = quint32(sample(int(x), y)) & mask;
        for (int c = 0; c < Channels(h.colourType); ++c) {
            bits = (bits << h.bitDepth) | value;
            count += h.bitDepth;
            while (count >= 8) {
                count -= 8;
                row.append(char((bits >> count) & 0xff));
            }
        }
    }
    if (count > 0)
        row.append(char((bits << (8 - count)) & 0xff));
    return row;
}

} // namespace

quint32 PngCrc(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 crc = 0xffffffffu;
    for (char byte : bytes)
        crc = table[(crc ^ quint8(byte)) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

QByteArray PngSignature()
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8);
}

QByteArray PngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk;
    AppendBigEndian(chunk, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    chunk += typed;
    AppendBigEndian(chunk, PngCrc(typed));
    return chunk;
}

QByteArray PngHeaderChunk(const PngHeader &h)
{
    QByteArray data;
    AppendBigEndian(data, h.width);
    AppendBigEndian(data, h.height);
    for (quint8 byte : {h.bitDepth, h.colourType, h.compression, h.filter, h.interlace})
        data.append(char(byte));
    return PngChunk("IHDR", data);
}

QByteArray PngPaletteChunk(const QList<QRgb> &colours)
{
    QByteArray data;
    for (QRgb c : colours)
        for (int channel : {qRed(c), qGreen(c), qBlue(c)})
            data.append(char(channel));
    return PngChunk("PLTE", data);
}

QByteArray PngPixelData(const PngHeader &h, const PngSample &sample)
{
    struct Pass {
        int x0, y0, dx, dy;
    };
    static const Pass whole[] = {{0, 0, 1, 1}};
    static const Pass adam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    QByteArray raw;
    for (const Pass &p : h.interlace ? QList<Pass>(std::begin(adam7), std::end(adam7))
                                     : QList<Pass>(std::begin(whole), std::end(whole))) {
        if (quint32(p.x0) >= h.width) // a pass without columns has no rows either
            continue;
        for (quint32 y = p.y0; y < h.height; y += p.dy)
            raw += Row(h, sample, int(y), p.x0, p.dx);
    }
    return qCompress(raw).mid(4); // qCompress puts the length before the zlib stream
}

QByteArray PngEndChunk()
{
    return PngChunk("IEND", {});
}

QByteArray PngFile(const PngHeader &header, const QList<QRgb> &palette, const PngSample &sample)
{
    QByteArray file = PngSignature() + PngHeaderChunk(header);
    if (!palette.isEmpty())
        file += PngPaletteChunk(palette);
    return file + PngChunk("IDAT", PngPixelData(header, sample)) + PngEndChunk();
}
