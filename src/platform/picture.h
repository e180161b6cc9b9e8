// Pictures the windows hold: icons made from images drawn in code.
#pragma once

#include <cstdint>
#include <vector>

namespace os {

struct HiconTag;
using Hicon = HiconTag*;  // opaque icon handle, as HICON

// One image of an icon: 0xAARRGGBB pixels, rows from the top. bitsPerPixel says the colour depth
// the image was drawn for (4: 16 colours, 8: 256 colours, 32: true colour with alpha).
struct IconImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    std::vector<std::uint32_t> argb;
};

// Defined by each realisation: an icon of one or more images (the desktop picks the size it
// shows). The handle lives as long as the program.
Hicon CreateIconFromImages(const std::vector<IconImage>& images);

// Icons a realisation may have drawn during the build and stored in the program.
enum class StoredIcon { Tray };

// The notification-area icon `stored`, from the program's store where the realisation keeps one
// of the size needed, which spares the start-up the drawing; otherwise made of the images `draw`
// returns, as CreateIconFromImages makes it. Either way the same picture.
Hicon CreateStoredIcon(StoredIcon stored, std::vector<IconImage> (*draw)());

}  // namespace os
