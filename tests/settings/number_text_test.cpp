#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cmath>
#include <locale>

using settings::FormatSettingNumber;
using settings::ParseSettingNumber;

namespace {
// A locale with a decimal comma, for the whole test: the texts must not follow it.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class NumberText : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
        setenv("LOCPATH", LISOTRA_TEST_LOCALES, 1);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override {
        std::locale::global(saved_);
        std::setlocale(LC_ALL, "C");
    }
    std::locale saved_;
};
}  // namespace

TEST_F(NumberText, WholeNumbersHaveASignPlace) {
    EXPECT_EQ(FormatSettingNumber(0), " 0");
    EXPECT_EQ(FormatSettingNumber(1), " 1");
    EXPECT_EQ(FormatSettingNumber(65535), " 65535");
    EXPECT_EQ(FormatSettingNumber(-120), "-120");
    EXPECT_EQ(FormatSettingNumber(INT32_MIN), "-2147483648");
    EXPECT_EQ(FormatSettingNumber(4800.0f), " 4800");
    EXPECT_EQ(FormatSettingNumber(-1200.0f), "-1200");
    EXPECT_EQ(FormatSettingNumber(-0.0f), " 0");
}

TEST_F(NumberText, FractionsUseAPointWhateverTheLocale) {
    EXPECT_EQ(FormatSettingNumber(4560.5f), " 4560.5");
    EXPECT_EQ(FormatSettingNumber(-7.5f), "-7.5");
    EXPECT_EQ(FormatSettingNumber(0.25f), " 0.25");
    EXPECT_EQ(ParseSettingNumber(" 4560.5"), 4560.5);
    EXPECT_EQ(ParseSettingNumber("4560,5"), 4560);  // a comma ends the number
}

TEST_F(NumberText, SinglesKeepSevenSignificantDigitsHalvesToEven) {
    EXPECT_EQ(FormatSettingNumber(1234567.5f), " 1234568");  // exact half: to the even 8
    EXPECT_EQ(FormatSettingNumber(1234568.5f), " 1234568");  // exact half: to the even 8
    EXPECT_EQ(FormatSettingNumber(123456789.0f), " 123456800");  // no exponent
    EXPECT_EQ(FormatSettingNumber(0.1f), " 0.1");  // not 0.100000001
    EXPECT_EQ(FormatSettingNumber(3.0e-5f), " 0.00003");
    EXPECT_EQ(FormatSettingNumber(999999.94f), " 999999.9");
    EXPECT_EQ(FormatSettingNumber(9999999.0f), " 9999999");
    EXPECT_EQ(FormatSettingNumber(1999.99988f), " 2000");  // 1999.999|878: the carry runs through the nines
    EXPECT_EQ(FormatSettingNumber(3.4028235e38f), " 340282300000000000000000000000000000000");
    EXPECT_EQ(FormatSettingNumber(1.0e-45f), " 0.000000000000000000000000000000000000000000001401298");
    EXPECT_EQ(FormatSettingNumber(-16777215.0f), "-16777220");  // 8 digits, the last a half: to even
}

TEST_F(NumberText, EveryWrittenSingleReadsBack) {
    for (float v : {4560.0f, -1200.0f, 7.5f, 4567.5f, -33.75f, 1e7f, -0.001f, 9999999.0f}) {
        EXPECT_EQ(static_cast<float>(ParseSettingNumber(FormatSettingNumber(v))), v) << v;
    }
}

TEST_F(NumberText, LeadingNumberRule) {
    EXPECT_EQ(ParseSettingNumber(""), 0);
    EXPECT_EQ(ParseSettingNumber("word"), 0);
    EXPECT_EQ(ParseSettingNumber(".5"), 0);  // no leading digits
    EXPECT_EQ(ParseSettingNumber(" 1"), 1);
    EXPECT_EQ(ParseSettingNumber("+12"), 12);
    EXPECT_EQ(ParseSettingNumber("-1200"), -1200);
    EXPECT_EQ(ParseSettingNumber("1 2\t3\n4"), 1234);  // blanks, tabs, line feeds anywhere
    EXPECT_EQ(ParseSettingNumber("12abc"), 12);
    EXPECT_EQ(ParseSettingNumber("1.4.5"), 1.4);
    EXPECT_EQ(ParseSettingNumber("1e3"), 1);  // no exponent
    EXPECT_EQ(ParseSettingNumber("&H10"), 0);
    EXPECT_EQ(ParseSettingNumber("12\r"), 12);
    EXPECT_EQ(ParseSettingNumber("- 5"), -5);
}

TEST_F(NumberText, HugeAndBinaryTextsNeverFail) {
    EXPECT_EQ(ParseSettingNumber(std::string(400, '9')), HUGE_VAL);
    EXPECT_EQ(ParseSettingNumber("-" + std::string(400, '9')), -HUGE_VAL);
    EXPECT_EQ(ParseSettingNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(ParseSettingNumber(std::string("\x00\xff\xfe 7", 5)), 0);
    EXPECT_EQ(ParseSettingNumber(std::string(100000, '1')), HUGE_VAL);
}
