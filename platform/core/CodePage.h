#pragma once
// Text encodings. Strings are UTF-8 throughout; a few places must decide
// whether a text survives the narrower "system ANSI code page" that older
// libraries expect. That code page is UTF-8 unless a narrower one is set
// (tests set one to exercise the decision).

#include <string>
#include <string_view>

namespace platform {

std::u16string Utf8ToUtf16(std::string_view AText);
std::string Utf16ToUtf8(std::u16string_view AText);

// An iconv name such as "UTF-8", "GBK" or "ISO-8859-1". Returns false, and
// keeps the current one, when the system cannot convert to that code page.
bool SetSystemCodePage(const std::string& AName);
std::string GetSystemCodePage();

// UTF-8 into the system code page; characters it cannot hold become '?'
// and set ALossy.
std::string Utf8ToAnsi(std::string_view AText, bool* ALossy = nullptr);
// The system code page back into UTF-8; invalid bytes become U+FFFD.
std::string AnsiToUtf8(std::string_view AText);
// True when the text survives the round trip through the system code page.
bool FitsAnsiCodePage(std::string_view AText);

} // namespace platform
