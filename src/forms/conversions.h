// Number conversions of the form layer: rounding to nearest with halves to even, and an overflow
// error outside the target range.
#pragma once

#include <cstdint>
#include <optional>
#include <exception>

#include "forms/namespace.h"

namespace forms {

// The program's run-time errors carry a fixed text: the standard library's error classes would bring
// a second string implementation into the Windows program.
struct OverflowError : std::exception {
    const char* what() const noexcept override { return "Overflow"; }
};

double RoundHalfEven(double value);

// Rounded value, or nothing when it does not fit (or is not a number).
std::optional<std::int16_t> ToInt16(double value);
std::optional<std::int32_t> ToInt32(double value);

// As ToInt16 and ToInt32, raising OverflowError instead of giving nothing.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

}  // namespace forms
