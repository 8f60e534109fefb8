#pragma once
// Windows code page 1252 at the borders (".dat" files, RTF); UTF-8 inside.

#include <string>
#include <string_view>

// Characters outside cp1252 and invalid UTF-8 bytes become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// Every byte converts; the five unassigned ones (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become U+0081 etc., so that they convert back unchanged.
std::string Cp1252ToUtf8(std::string_view bytes);
// The first character of utf8 that cp1252 lacks (an invalid byte counts as
// one), as it is written there; empty when every character converts.
std::string_view FirstCharOutsideCp1252(std::string_view utf8);
// The cp1252 byte of a code point, or -1.
int Cp1252Char(char32_t cp);
