// Font objects of the form layer, and the size of a text drawn in one.
#pragma once

#include <string>
#include <string_view>

namespace os {

struct Font {
    std::string name = "MS Sans Serif";  // a face the desktop lacks is drawn in its sans font
    double size = 8.25;                  // points
    int weight = 400;                    // 400 normal, 700 bold
    int charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool operator==(const Font&) const = default;
};

struct TextExtent {
    int width = 0;   // pixels
    int height = 0;  // one line's height for a text without line breaks, also an empty one
};

// Defined by each realisation: the extent of a UTF-8 text drawn in the font on the screen.
// A line feed starts a new line: the width is the widest line's, the height all lines'.
TextExtent MeasureText(const Font& font, std::string_view text);

}  // namespace os
