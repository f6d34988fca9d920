#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <functional>

// PNG files put together chunk by chunk, so tests can also write the damaged ones no
// encoder would.

struct PngHeader {
    quint32 width = 320;
    quint32 height = 240;
    quint8 bitDepth = 8;
    quint8 colourType = 3;
    quint8 compression = 0;
    quint8 filter = 0;
    quint8 interlace = 0;
};

// A pixel's sample value; every channel of the pixel gets it (masked to the bit depth).
using PngSample = std::function<int(int x, int y)>;

quint32 PngCrc(const QByteArray &bytes);
QByteArray PngSignature();
// Length, type, data and the right CRC.
QByteArray PngChunk(const char *type, const QByteArray &data);
QByteArray PngHeaderChunk(const PngHeader &header);
QByteArray PngPaletteChunk(const QList<QRgb> &colours);
// The zlib stream of the rows (filter byte 0), in the seven passes when interlaced.
QByteArray PngPixelData(const PngHeader &header, const PngSample &sample);
QByteArray PngEndChunk();

// Signature, IHDR, PLTE (when there are colours), one IDAT, IEND.
QByteArray PngFile(const PngHeader &header, const QList<QRgb> &palette, const PngSample &sample);
