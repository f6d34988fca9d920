#pragma once

#include <QImage>
#include <QRgb>

#include <vector>

// A picture of at most 256 colours: one palette index per pixel, rows top to bottom.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uchar> indices;
    std::vector<QRgb> palette;
};

inline constexpr int kMaxPaletteColours = 256;

// Chooses at most 256 colours for the pictures together, so a colour they share comes out the
// same in each. Every colour in `keep` gets its own entry first, in its order (beyond 256 they
// are dropped). The pictures' other colours follow exactly when they fit in what is left;
// otherwise median cut picks that many, splitting where many pixels meet a wide range of shades.
// Alpha is ignored. The same pictures give the same palette on every run.
std::vector<QRgb> ChoosePalette(const std::vector<QImage> &images, const std::vector<QRgb> &keep = {});

// Gives each pixel the index of its nearest palette colour, the first on a tie; a colour that is
// in the palette maps to it exactly. The palette must have 1 to 256 colours (0 for an empty picture).
IndexedPicture ApplyPalette(const QImage &image, const std::vector<QRgb> &palette);

// ApplyPalette(image, ChoosePalette({image})): exact whenever the picture has at most 256 colours.
IndexedPicture ReduceToPalette(const QImage &image);
