// Twips and pixels on the primary screen. A twip is 1/1440 inch: 15 to a pixel at 96 dots per inch.
#pragma once

namespace os {

float PixelsToTwipsX(int pixels);
float PixelsToTwipsY(int pixels);
int TwipsToPixelsX(float twips);  // rounds halves to even; OverflowError when out of range
int TwipsToPixelsY(float twips);

}  // namespace os
