#pragma once

#include "UserErrors.h"

#include <QString>

#include <cstdio>


class QImage;
class TImage;

// The current game's screenshot: DATA/<key>/<name>, a 320 x 240 PNG with an 8-bit palette.
enum : unsigned { ssInit = 0, ssSwitch = 1, ssShow = 2 };

// What a show did; every code but ssShown and ssNoName puts its marker colour on the fallback.
enum : int {
    ssShown = 0,       // the screenshot shows
    ssNoName = 1,      // the game has no screenshot: bare fallback
    ssNoDecoder = 256, // grey: the decoder could not be set up
    ssNoFile = 257,    // red: the file cannot be opened
    ssNotPng = 258,    // yellow: shorter than the signature, or another signature
    ssWrongKind = 259, // blue: not 320 x 240, 8-bit palette, not interlaced
    ssDamaged = 260,   // purple: the file breaks down after its signature
};

// ssInit: makes the shared decoding bitmap (once). ssSwitch: loading on (value 1) or off (0).
// ssShow: shows the screenshot `name` of the game with the six-character `key` in `image`,
// or the fallback spdexpic.bmp with a marker square; throws EFileError when the fallback
// is missing. Returns the code of ssShow, 0 for the other and unknown operations.
int Screenshot(unsigned op, TImage *image = nullptr, int value = 0, const QString &name = {},
               const char *key = nullptr);

// The loader's checks and decoding on their own, for callers that only want to know what a
// file would show: reads the open file into `bitmap` (made 320 x 240, 8-bit indexed, when
// it is not) and returns ssShown or the code of the first check the file fails. Keeps no
// state of its own, so threads may call it at once, each with a bitmap of its own.
int DecodeScreenshot(std::FILE *file, QImage &bitmap);
// libpng's text for the last file this thread found damaged (libpng prints nothing).
QString ScreenshotDecodeError();
