#include "forms/conversions.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Conversions, RoundHalvesToEven) {
    EXPECT_EQ(forms::RoundHalfEven(0.5), 0);
    EXPECT_EQ(forms::RoundHalfEven(1.5), 2);
    EXPECT_EQ(forms::RoundHalfEven(2.5), 2);
    EXPECT_EQ(forms::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(forms::RoundHalfEven(1.4), 1);
    EXPECT_EQ(forms::RoundToInt16(32767.4), 32767);
    EXPECT_EQ(forms::RoundToInt32(-2147483648.0), INT32_MIN);
}

TEST(Conversions, OutOfRangeOverflows) {
    EXPECT_FALSE(forms::ToInt16(32767.5));  // rounds to 32768
    EXPECT_FALSE(forms::ToInt16(-32769));
    EXPECT_FALSE(forms::ToInt32(2147483647.5));
    EXPECT_FALSE(forms::ToInt32(1e300));
    EXPECT_FALSE(forms::ToInt32(NAN));
    EXPECT_FALSE(forms::ToInt32(INFINITY));
    EXPECT_THROW(forms::RoundToInt16(40000), forms::OverflowError);
    EXPECT_THROW(forms::RoundToInt32(-1e10), forms::OverflowError);
}
