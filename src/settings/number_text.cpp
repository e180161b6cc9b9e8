#include "settings/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace settings {

namespace {

std::string Signed(bool negative, std::string digits) {
    return (negative ? "-" : " ") + digits;
}

// Plain decimal form of |value| rounded to `significant` digits (to_chars rounds exactly, halves
// to even), without exponent and without trailing zeros.
std::string FormatFloating(double value, int significant) {
    if (value == 0) return " 0";
    if (!std::isfinite(value)) return Signed(value < 0, std::isnan(value) ? "nan" : "inf");
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                                      significant - 1);
    const std::string_view sci(buf, static_cast<size_t>(result.ptr - buf));  // d.ddddde+XX
    const size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (c != '.') digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    const int pointAt = exponent + 1;  // digits before the decimal point
    std::string text;
    if (pointAt <= 0) {
        text = "0." + std::string(static_cast<size_t>(-pointAt), '0') + digits;
    } else if (static_cast<size_t>(pointAt) >= digits.size()) {
        text = digits + std::string(static_cast<size_t>(pointAt) - digits.size(), '0');
    } else {
        text = digits.substr(0, static_cast<size_t>(pointAt)) + "." + digits.substr(static_cast<size_t>(pointAt));
    }
    return Signed(value < 0, text);
}

}  // namespace

std::string FormatSettingNumber(int value) {
    const long long wide = value;
    return Signed(wide < 0, std::to_string(wide < 0 ? -wide : wide));
}

std::string FormatSettingNumber(float value) { return FormatFloating(value, 7); }
std::string FormatSettingNumber(double value) { return FormatFloating(value, 15); }

double ParseSettingNumber(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') kept += c;
    }
    size_t i = 0;
    bool negative = false;
    if (i < kept.size() && (kept[i] == '+' || kept[i] == '-')) negative = kept[i++] == '-';
    const size_t start = i;
    while (i < kept.size() && kept[i] >= '0' && kept[i] <= '9') ++i;
    if (i == start) return 0;
    const size_t wholeEnd = i;
    if (i < kept.size() && kept[i] == '.') {
        ++i;
        while (i < kept.size() && kept[i] >= '0' && kept[i] <= '9') ++i;
    }
    double value = 0;
    const auto result = std::from_chars(kept.data() + start, kept.data() + i, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large, or so small that it is zero.
        const bool anyWholeDigit = kept.find_first_not_of('0', start) < wholeEnd;
        value = anyWholeDigit ? HUGE_VAL : 0;
    }
    return negative ? -value : value;
}

}  // namespace settings
