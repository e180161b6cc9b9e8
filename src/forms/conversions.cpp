#include "forms/conversions.h"

#include <cmath>
#include <limits>

namespace forms {

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which the program never changes from
    // round-to-nearest-even; std::round would send halves away from zero.
    return std::nearbyint(value);
}

namespace {
template <class Int>
std::optional<Int> ToInt(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = RoundHalfEven(value);
    if (r < static_cast<double>(INT64_MIN) || r > static_cast<double>(INT32_MAX) * 2) return std::nullopt;
    const auto wide = static_cast<std::int64_t>(r);
    if (wide < std::numeric_limits<Int>::min() || wide > std::numeric_limits<Int>::max()) return std::nullopt;
    return static_cast<Int>(wide);
}
}  // namespace

std::optional<std::int16_t> ToInt16(double value) { return ToInt<std::int16_t>(value); }
std::optional<std::int32_t> ToInt32(double value) { return ToInt<std::int32_t>(value); }

std::int16_t RoundToInt16(double value) {
    if (auto v = ToInt16(value)) return *v;
    throw OverflowError();
}

std::int32_t RoundToInt32(double value) {
    if (auto v = ToInt32(value)) return *v;
    throw OverflowError();
}

}  // namespace forms
