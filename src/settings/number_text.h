// Numbers as the settings store holds them: a leading blank for zero and positive numbers, "." as
// the decimal point whatever the locale, no exponent and no thousands separators.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace settings {

std::string FormatSettingNumber(int value);
std::string FormatSettingNumber(float value);  // at most 7 significant digits, halves to even

// The leading number of a text: blanks, tabs and line feeds are skipped anywhere; then an optional
// sign, digits, and optionally "." with more digits. A text without leading digits reads as 0; a
// number beyond the double range reads as an infinity.
double ParseSettingNumber(std::string_view text);
// The same, or nothing for a text without leading digits: for a reader whose default is not 0.
std::optional<double> ParseLeadingNumber(std::string_view text);

}  // namespace settings
