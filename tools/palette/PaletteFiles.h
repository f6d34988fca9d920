#pragma once

#include "Palette.h"

#include <QByteArray>
#include <QString>

// A bottom-up Windows BMP: BITMAPINFOHEADER, 8 bits per pixel, uncompressed, one palette entry
// per colour of the picture.
QByteArray EncodeBmp(const IndexedPicture &picture);

// Reads the BMP back, checks its header fields and that every pixel has its colour.
// Returns an empty string when the bytes are right, otherwise what is wrong.
QString CheckBmp(const QByteArray &bytes, const IndexedPicture &picture);

// A PNG of bit depth 8, colour type 3, not interlaced, with no time or text chunks, so the same
// picture always gives the same bytes. Returns an empty array when libpng fails.
QByteArray EncodePng(const IndexedPicture &picture);
