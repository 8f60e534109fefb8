#pragma once
// Reading a PDF file's document title back in tests.

#include <cstddef>
#include <optional>
#include <string>

namespace pdf {

// The bytes of the literal string "(...)" that starts at `at` (the open
// parenthesis), escapes undone; nullopt when it is not closed.
inline std::optional<std::string> LiteralString(const std::string& pdf, std::size_t at) {
  std::string out;
  int depth = 0;
  for (std::size_t i = at; i < pdf.size(); ++i) {
    const char c = pdf[i];
    if (c == '\\' && i + 1 < pdf.size()) {
      const char e = pdf[++i];
      if (e >= '0' && e <= '7') {
        int value = 0;
        for (int k = 0; k < 3 && i < pdf.size() && pdf[i] >= '0' && pdf[i] <= '7'; ++k, ++i)
          value = value * 8 + (pdf[i] - '0');
        --i;
        out += static_cast<char>(value);
      } else {
        const std::string from = "nrtbf", to = "\n\r\t\b\f";
        const std::size_t k = from.find(e);
        if (k != std::string::npos)
          out += to[k];
        else if (e != '\n' && e != '\r')
          out += e;
      }
      continue;
    }
    if (c == '(') {
      if (depth++ == 0) continue;
    } else if (c == ')') {
      if (--depth == 0) return out;
    }
    out += c;
  }
  return std::nullopt;
}

// The /Title of the document information: a UTF-16BE string after the byte
// order mark FE FF, or PDFDocEncoding (taken as Latin-1) without it; the
// title as UTF-8, or nullopt when the file has none.
inline std::optional<std::string> Title(const std::string& pdf) {
  const std::size_t key = pdf.find("/Title");
  if (key == std::string::npos) return std::nullopt;
  const std::size_t open = pdf.find('(', key);
  if (open == std::string::npos) return std::nullopt;
  const std::optional<std::string> raw = LiteralString(pdf, open);
  if (!raw) return std::nullopt;
  std::u32string code;
  if (raw->size() >= 2 && static_cast<unsigned char>((*raw)[0]) == 0xFE &&
      static_cast<unsigned char>((*raw)[1]) == 0xFF) {
    for (std::size_t i = 2; i + 1 < raw->size(); i += 2) {
      char32_t unit = (static_cast<unsigned char>((*raw)[i]) << 8) | static_cast<unsigned char>((*raw)[i + 1]);
      if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < raw->size()) {
        const char32_t low = (static_cast<unsigned char>((*raw)[i + 2]) << 8) |
                             static_cast<unsigned char>((*raw)[i + 3]);
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
      code += unit;
    }
  } else {
    for (char c : *raw) code += static_cast<unsigned char>(c);
  }
  std::string utf8;
  for (char32_t c : code) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

}  // namespace pdf
