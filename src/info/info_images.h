// The pictures of the information windows, drawn in code: the About box's icon and the donate
// window's button.
#pragma once

#include "platform/surface.h"

namespace info_images {

inline constexpr int kDonateWidth = 179;
inline constexpr int kDonateHeight = 51;
inline constexpr os::COLORREF kDonateRed = 0x0000CC;
inline constexpr os::COLORREF kDonateText = 0xFFFFFF;

// The program's icon, 32 x 32, on `background` where the icon is clear.
os::Bitmap AboutIcon(os::COLORREF background);
// A red button with rounded corners and DONATE NOW in white capitals, on `background` beyond its
// corners.
os::Bitmap DonateButton(os::COLORREF background);

}  // namespace info_images
