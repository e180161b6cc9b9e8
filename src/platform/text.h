// Texts as the user's ANSI code page sees them, and as the wide calls take them.
#pragma once

#include <string>
#include <string_view>

namespace os {

// The code of the first character of a UTF-8 text in the user's ANSI code page, as Asc gives it:
// 0 for an empty text, and the code page's default character "?" for one it cannot hold.
int AnsiCharCode(std::string_view utf8);

// The first character of a UTF-8 text, whole (all of its bytes); empty for an empty text.
std::string FirstCharacter(std::string_view utf8);

// A UTF-8 text in the user's ANSI code page, "?" for each character it cannot hold; and back.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

// Whether the ANSI code page holds every character of a UTF-8 text, so that it comes back from
// an ANSI call as it went in.
bool AnsiHolds(std::string_view utf8);

// A UTF-8 text upper-cased as the desktop upper-cases text: every letter it knows a capital of,
// not only a-z.
std::string UpperCase(std::string_view utf8);

// UTF-8 and UTF-16; what is malformed becomes U+FFFD.
std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);

}  // namespace os
