#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

#include <vector>

// A picture of at most 256 colours: one palette index per pixel, rows top to bottom.
struct PaletteImage {
    int width = 0;
    int height = 0;
    std::vector<uchar> indices;
    std::vector<QRgb> palette;
};

// Keeps the colours as they are when there are at most 256; otherwise picks 256 by
// median cut, which keeps gradients smoother than a fixed colour cube.
PaletteImage ReduceToPalette(const QImage &image);

// A PNG of bit depth 8, colour type 3, not interlaced, with no time or text chunks.
// Returns an empty array when libpng fails.
QByteArray EncodePalettePng(const PaletteImage &image);

// A Windows BMP with a BITMAPINFOHEADER, 8 bits per pixel and a 256-entry palette.
QByteArray EncodePaletteBmp(const PaletteImage &image);
