// Number texts under a decimal-comma locale of the Windows C runtime: the stored texts must not
// follow the user's locale.
#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

namespace {
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
}  // namespace

TEST(Win32NumberText, TextsKeepTheirPointUnderTheGermanLocale) {
    const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    EXPECT_EQ(settings::FormatSettingNumber(4560.5f), " 4560.5");
    EXPECT_EQ(settings::FormatSettingNumber(-1234.25f), "-1234.25");
    EXPECT_EQ(settings::FormatSettingNumber(1234567.5f), " 1234568");
    EXPECT_EQ(settings::FormatSettingNumber(65535), " 65535");
    EXPECT_EQ(settings::ParseSettingNumber(" 4560.5"), 4560.5);
    EXPECT_EQ(settings::ParseSettingNumber("4560,5"), 4560);

    std::locale::global(saved);
    std::setlocale(LC_ALL, "C");
}
