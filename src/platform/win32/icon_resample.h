// Shrinking icon images by averaging, shared by the program (icons drawn at run time) and the
// icon generator of the build (the tray icon's small images stored in the program).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/picture.h"

namespace os::win32 {

// The image at width x height, each target pixel the area-weighted mean of the source pixels it
// covers, in premultiplied alpha so that clear pixels lend no colour to their neighbours.
std::vector<std::uint32_t> Resample(const IconImage& image, int width, int height);

}  // namespace os::win32
