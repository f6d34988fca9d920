#pragma once

#include "FieldValue.h"

class TImage;

// The detail page renderer: draws the current game's values (title, facts, hardware
// lines, six rating rows, the overall rating) into the free places of the review page's
// background picture. Every item is an opaque box, so the previous game's text vanishes.
enum : int { dpStore = 0, dpDraw = 1, dpDrawRating = 2 };

// The page values: slot 0 title, 1 overall rating, 2-7 the rating rows, 8-13 the fact
// lines, 14-15 the hardware lines; 16 and 17 are carried but never drawn.
inline constexpr int kPageValueCount = 18;

// dpStore: copies kPageValueCount values into the store. dpDraw: draws the whole page
// from the store into image. dpDrawRating: draws rating row `row` (0-5) with the rating
// values[0] (above 100 shows "--"). Other codes do nothing. Always returns 0.
int DetailPage(int op, TImage *image = nullptr, int row = 0, const FieldValue *values = nullptr);
