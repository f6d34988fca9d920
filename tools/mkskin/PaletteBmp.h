#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>

#include <vector>

// A picture of at most 256 colours: one palette index per pixel, rows top to bottom.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uchar> indices;
    std::vector<QRgb> palette;
};

// Chooses at most 256 colours for pictures that are shown over one another, so that a
// colour they share comes out the same in each. Every colour in `keep` gets its own entry
// first, so flat fills and the renderer's colours stay exact; the pictures' other colours
// share what is left by median cut.
std::vector<QRgb> ChoosePalette(const std::vector<QImage> &images, const std::vector<QRgb> &keep);

// Gives each pixel the index of its nearest palette colour; colours in the palette map exactly.
IndexedPicture ApplyPalette(const QImage &image, const std::vector<QRgb> &palette);

// A bottom-up Windows BMP: BITMAPINFOHEADER, 8 bits per pixel, one entry per palette colour.
QByteArray EncodeBmp(const IndexedPicture &picture);

// Reads the BMP back, checks its header fields and that every pixel has its colour.
// Returns an empty string when the bytes are right, otherwise what is wrong.
QString CheckBmp(const QByteArray &bytes, const IndexedPicture &picture);
