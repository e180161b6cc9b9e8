// Texts in the ANSI code page (Windows-1252) of the desktops that have none of their own.
#include "platform/text.h"

#include <gtest/gtest.h>

TEST(AnsiText, FirstCharacterCodes) {
    EXPECT_EQ(os::AnsiCharCode("S"), 'S');
    EXPECT_EQ(os::AnsiCharCode("AB"), 'A');
    EXPECT_EQ(os::AnsiCharCode(""), 0);
    EXPECT_EQ(os::AnsiCharCode("\xc3\xa9"), 0xE9);          // é
    EXPECT_EQ(os::AnsiCharCode("\xe2\x82\xac"), 0x80);      // € sits in 0x80-0x9F
    EXPECT_EQ(os::AnsiCharCode("\xe4\xb8\xad"), '?');        // no CJK in this code page
    EXPECT_EQ(os::AnsiCharCode("\xff"), '?');                // not UTF-8
    EXPECT_EQ(os::AnsiCharCode("\xc3"), '?');                // cut short
}

TEST(AnsiText, RoundTrip) {
    const std::string text = "Caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d \xe2\x82\xac" "5";
    const std::string ansi = os::ToAnsi(text);
    EXPECT_EQ(ansi, std::string("Caf\xe9 \x93quoted\x94 \x80" "5"));
    EXPECT_EQ(os::FromAnsi(ansi), text);
    EXPECT_EQ(os::ToAnsi("a\xf0\x9f\x98\x80z"), "a?z");     // one "?" for one character
    EXPECT_EQ(os::FromAnsi("\x81"), "\xef\xbf\xbd");         // a byte the code page leaves empty
}
