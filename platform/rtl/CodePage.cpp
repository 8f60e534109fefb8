#include "platform/rtl/CodePage.h"

#include "platform/rtl/SysUtils.h"

namespace {
// Code points of the bytes 0x80-0x9F; 0xA0-0xFF are Latin-1.
constexpr char16_t kHighRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace

int Cp1252Char(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHighRange[i] == cp) return 0x80 + i;
  return -1;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  char32_t cp;
  while (pos < utf8.size()) {
    int b = Utf8Next(utf8, pos, cp) ? Cp1252Char(cp) : -1;
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

std::string_view FirstCharOutsideCp1252(std::string_view utf8) {
  std::size_t pos = 0;
  char32_t cp;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    if (!Utf8Next(utf8, pos, cp) || Cp1252Char(cp) < 0) return utf8.substr(start, pos - start);
  }
  return {};
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    Utf8Append(out, b >= 0x80 && b < 0xA0 ? kHighRange[b - 0x80] : char32_t{b});
  }
  return out;
}
