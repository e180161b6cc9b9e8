#include "settings/number_text.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace settings {

namespace {

std::string Signed(bool negative, std::string digits) {
    return (negative ? "-" : " ") + digits;
}

// The exact decimal digits of m * 2^e, with the number of digits before the decimal point.
// Done by hand (base 10^9 limbs) rather than with std::to_chars, whose tables would more than
// double the size of the Windows program.
std::string ExactDigits(std::uint32_t m, int e, int& pointAt) {
    std::vector<std::uint32_t> limbs{m};  // little-endian, base 10^9
    auto multiply = [&](std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            const std::uint64_t v = static_cast<std::uint64_t>(limb) * factor + carry;
            limb = static_cast<std::uint32_t>(v % 1000000000);
            carry = v / 1000000000;
        }
        if (carry) limbs.push_back(static_cast<std::uint32_t>(carry));
    };
    // m * 2^e = m * 5^-e / 10^-e for a negative e.
    for (int i = 0; i < (e < 0 ? -e : e); ++i) multiply(e < 0 ? 5 : 2);
    std::string digits = std::to_string(limbs.back());
    for (size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(limbs[i]);
        digits += std::string(9 - limb.size(), '0') + limb;
    }
    pointAt = static_cast<int>(digits.size()) + (e < 0 ? e : 0);
    return digits;
}

// Rounds a digit string to `significant` digits, halves to even; may carry into a new digit.
void RoundDigits(std::string& digits, int& pointAt, size_t significant) {
    if (digits.size() <= significant) return;
    const char first = digits[significant];
    const bool rest = digits.find_first_not_of('0', significant + 1) != std::string::npos;
    const bool odd = (digits[significant - 1] - '0') % 2 == 1;
    const bool up = first > '5' || (first == '5' && (rest || odd));
    digits.resize(significant);
    if (!up) return;
    size_t i = significant;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++pointAt;
    } else {
        ++digits[i - 1];
    }
}

}  // namespace

std::string FormatSettingNumber(int value) {
    const long long wide = value;
    return Signed(wide < 0, std::to_string(wide < 0 ? -wide : wide));
}

std::string FormatSettingNumber(float value) {
    if (value == 0) return " 0";
    if (!std::isfinite(value)) return Signed(value < 0, std::isnan(value) ? "nan" : "inf");
    int exponent = 0;
    const double mantissa = std::frexp(std::fabs(static_cast<double>(value)), &exponent);
    const auto m = static_cast<std::uint32_t>(std::ldexp(mantissa, 24));  // exact: 24 bits
    int pointAt = 0;
    std::string digits = ExactDigits(m, exponent - 24, pointAt);
    const size_t lead = digits.find_first_not_of('0');
    pointAt -= static_cast<int>(lead);
    digits.erase(0, lead);
    RoundDigits(digits, pointAt, 7);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
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

double ParseSettingNumber(std::string_view text) { return ParseLeadingNumber(text).value_or(0); }

std::optional<double> ParseLeadingNumber(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') kept += c;
    }
    size_t i = 0;
    bool negative = false;
    if (i < kept.size() && (kept[i] == '+' || kept[i] == '-')) negative = kept[i++] == '-';
    const size_t start = i;
    while (i < kept.size() && kept[i] >= '0' && kept[i] <= '9') ++i;
    if (i == start) return std::nullopt;
    const size_t wholeEnd = i;
    if (i < kept.size() && kept[i] == '.') {
        ++i;
        while (i < kept.size() && kept[i] >= '0' && kept[i] <= '9') ++i;
    }
    // The C library reads the digits (std::from_chars for doubles would bring 33 KB of tables into
    // the Windows program); it takes the locale's decimal point, so the text is given that one.
    std::string digits = kept.substr(start, i - start);
    if (const size_t point = digits.find('.'); point != std::string::npos) digits.replace(point, 1, localeconv()->decimal_point);
    errno = 0;
    double value = std::strtod(digits.c_str(), nullptr);
    if (errno == ERANGE) {
        // Too large, or so small that it is zero.
        const bool anyWholeDigit = kept.find_first_not_of('0', start) < wholeEnd;
        value = anyWholeDigit ? HUGE_VAL : 0;
    }
    return negative ? -value : value;
}

}  // namespace settings
