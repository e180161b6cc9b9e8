// The colour picker's images, generated here: the colour field (hue across, saturation down, half
// lightness, a white border), the crosshair marker and the eyedropper cursor.
#pragma once

#include "platform/native_window.h"
#include "platform/surface.h"

namespace picker_images {

inline constexpr int kFieldWidth = 177;
inline constexpr int kFieldHeight = 189;
inline constexpr int kMarkerSize = 19;
inline constexpr os::COLORREF kMarkerKey = 0xFF00FF;  // magenta: left out when the marker is copied

const os::Bitmap& ColorField();
const os::Bitmap& Marker();

// The bar's pointer: a pipette, its hot spot at the tip (3, 16).
const os::PointerImage& Eyedropper();

// The field's columns and rows of each hue and saturation step.
int HueStepOfColumn(int column);  // 0-59 for columns 1-175, -1 on the border
int SaturationStepOfRow(int row);  // 0-29 for rows 1-187, -1 on the border

}  // namespace picker_images
