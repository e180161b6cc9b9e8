#include "forms/twips.h"

#include "forms/conversions.h"
#include "platform/app.h"

namespace forms {

float PixelsToTwipsX(int pixels) { return static_cast<float>(pixels) * TwipsPerPixelX(); }
float PixelsToTwipsY(int pixels) { return static_cast<float>(pixels) * TwipsPerPixelY(); }
int TwipsToPixelsX(float twips) { return RoundToInt32(static_cast<double>(twips) / TwipsPerPixelX()); }
int TwipsToPixelsY(float twips) { return RoundToInt32(static_cast<double>(twips) / TwipsPerPixelY()); }

PixelRect TwipsToPixels(const TwipsRect& r) {
    return {TwipsToPixelsX(r.left), TwipsToPixelsY(r.top), TwipsToPixelsX(r.width), TwipsToPixelsY(r.height)};
}

}  // namespace forms
