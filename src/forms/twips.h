// Twips and pixels on the primary screen. A twip is 1/1440 inch: 15 to a pixel at 96 dots per inch.
#pragma once

#include "forms/namespace.h"
#include "platform/os_types.h"

namespace forms {

// Where a control sits on its container, in twips.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

float PixelsToTwipsX(int pixels);
float PixelsToTwipsY(int pixels);
int TwipsToPixelsX(float twips);  // rounds halves to even; OverflowError when out of range
int TwipsToPixelsY(float twips);
PixelRect TwipsToPixels(const TwipsRect& rect);

}  // namespace forms
