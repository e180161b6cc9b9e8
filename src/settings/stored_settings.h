// Every setting the program keeps: its section, key, written form and what each reader makes of
// it, with the reader's default.
#pragma once

#include <optional>
#include <string>

#include "platform/os_types.h"

namespace settings {

// Section "default".
inline constexpr const char* kDefault = "default";
inline constexpr const char* kShowLetter = "key";
inline constexpr const char* kHideLetter = "keystart";
inline constexpr const char* kOnTop = "ontop";
inline constexpr const char* kBackColor = "backcolor";
inline constexpr const char* kOpacity = "opacity";
// The letters in force when the store holds none: Ctrl+Alt+S shows the panel, Ctrl+Alt+L hides it.
inline constexpr const char* kDefaultShowLetter = "S";
inline constexpr const char* kDefaultHideLetter = "L";
// Section "window".
inline constexpr const char* kWindow = "window";

inline constexpr os::COLORREF kYellow = 0x00FFFF;
// The panel's alpha, of 255: what it shows when none is stored, and the faintest it is drawn, so
// that it can always be found again.
inline constexpr int kDefaultOpacity = 140;
inline constexpr int kOpacityFloor = 26;

// The leading number of a stored text (0 when absent or not a number).
double ReadNumber(const char* section, const char* key);

// The stored letter text unchanged, or the reader's default when it is empty.
std::string ReadLetter(const char* key, const char* defaultLetter);
// The key a letter text names: the ANSI code of its first character (0 for an empty text).
int LetterKeyCode(const std::string& letter);

// The reading panel's readers.
bool ReadPanelOnTop();              // the rounded value is 1
os::COLORREF ReadPanelColor();      // a positive colour value, else yellow
int ReadPanelOpacity();             // the rounded value held to kOpacityFloor..255, else the default
struct PanelGeometry {
    float width, height, left, top;  // twips
};
std::optional<PanelGeometry> ReadPanelGeometry();  // all four, when the stored width is positive
void SavePanelGeometry(const PanelGeometry& geometry);

}  // namespace settings
