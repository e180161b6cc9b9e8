// Key codes of letters in the user's ANSI code page.
#include "platform/text.h"

#include "win32_test.h"

TEST(Win32AnsiCharCode, TheFirstCharactersCodeInTheCodePage) {
    EXPECT_EQ(os::AnsiCharCode(""), 0);
    EXPECT_EQ(os::AnsiCharCode("S"), 0x53);
    EXPECT_EQ(os::AnsiCharCode("AB"), 0x41);
    EXPECT_EQ(os::AnsiCharCode("s"), 0x73);

    using os::win32::AnsiCharCodeIn;
    EXPECT_EQ(AnsiCharCodeIn(1252, "é"), 0xE9);
    EXPECT_EQ(AnsiCharCodeIn(1252, "€"), 0x80);
    EXPECT_EQ(AnsiCharCodeIn(1251, "Ж"), 0xC6);
    EXPECT_EQ(AnsiCharCodeIn(1253, "Ω"), 0xD9);
    EXPECT_EQ(AnsiCharCodeIn(932, "ｱ"), 0xB1);                  // half-width katakana: one byte
    EXPECT_EQ(AnsiCharCodeIn(932, "あ"), static_cast<short>(0x82A0));  // a double-byte character
}

TEST(Win32AnsiCharCode, ACharacterTheCodePageCannotHoldIsAQuestionMark) {
    using os::win32::AnsiCharCodeIn;
    EXPECT_EQ(AnsiCharCodeIn(1252, "Ж"), '?');
    EXPECT_EQ(AnsiCharCodeIn(1252, "Ā"), '?');  // not its look-alike "A"
    EXPECT_EQ(AnsiCharCodeIn(1252, "😀"), '?');
    EXPECT_EQ(AnsiCharCodeIn(1252, "\xFF"), '?');  // not UTF-8
    EXPECT_EQ(AnsiCharCodeIn(1251, "é"), '?');
    EXPECT_EQ(AnsiCharCodeIn(CP_UTF8, "é"), '?');  // several bytes: no one code
    EXPECT_EQ(AnsiCharCodeIn(CP_UTF8, "S"), 0x53);
}

TEST(Win32AnsiText, TextsGoIntoTheCodePageAndBack) {
    using os::win32::FromAnsiIn;
    using os::win32::ToAnsiIn;
    EXPECT_EQ(ToAnsiIn(1252, "café €"), "caf\xE9 \x80");
    EXPECT_EQ(FromAnsiIn(1252, "caf\xE9 \x80"), "café €");
    EXPECT_EQ(ToAnsiIn(1251, "Жук"), "\xC6\xF3\xEA");
    EXPECT_EQ(FromAnsiIn(1251, "\xC6\xF3\xEA"), "Жук");
    EXPECT_EQ(ToAnsiIn(932, "あｱ"), "\x82\xA0\xB1");  // a double-byte and a single-byte character
    EXPECT_EQ(FromAnsiIn(932, "\x82\xA0\xB1"), "あｱ");
    EXPECT_EQ(ToAnsiIn(CP_UTF8, "é"), "é");
    EXPECT_EQ(os::ToAnsi(""), "");
    EXPECT_EQ(os::FromAnsi(os::ToAnsi("Lisotra v2.0")), "Lisotra v2.0");
}

TEST(Win32AnsiText, EachCharacterTheCodePageCannotHoldIsOneQuestionMark) {
    using os::win32::ToAnsiIn;
    EXPECT_EQ(ToAnsiIn(1252, "Ā"), "?");  // not its look-alike "A"
    EXPECT_EQ(ToAnsiIn(1252, "Ж😀x"), "??x");
    EXPECT_EQ(ToAnsiIn(1251, "é"), "?");
    EXPECT_EQ(ToAnsiIn(932, "é"), "?");
}
