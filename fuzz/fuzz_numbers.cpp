// Text to number with the pt-BR settings and with '.'. What TryStrToFloat and
// TryStrToInt accept, StrToFloat and StrToInt give; what they refuse raises
// EConvertError. An accepted number is finite and is the number strtod (C
// locale) reads from the same text; a decimal integer is the one from_chars
// reads. FloatToStr and IntToStr give texts that read back.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/rtl/SysUtils.h"

namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  return s;
}

void CheckFloat(std::string_view s, char separator) {
  double v = 0;
  if (!TryStrToFloat(s, v, separator)) return;
  if (!std::isfinite(v)) std::abort();
  std::string text(Trimmed(s));
  for (char& c : text)
    if (c == separator) c = '.';
  char* end = nullptr;
  const double reference = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || reference != v) std::abort();
}

void CheckDefaultFloat(std::string_view s) {
  double v = 0;
  const bool accepted = TryStrToFloat(s, v);
  try {
    if (StrToFloat(s) != v || !accepted) std::abort();
  } catch (const EConvertError&) {
    if (accepted) std::abort();
  }
  // Fifteen digits of the largest doubles round past the largest double.
  if (!accepted || std::fabs(v) > 1e308) return;
  double back = 0;
  if (!TryStrToFloat(FloatToStr(v), back) || std::fabs(back - v) > std::fabs(v) * 1e-14) std::abort();
}

void CheckInt(std::string_view s) {
  int v = 0;
  const bool accepted = TryStrToInt(s, v);
  try {
    if (StrToInt(s) != v || !accepted) std::abort();
  } catch (const EConvertError&) {
    if (accepted) std::abort();
  }
  if (accepted) {
    int back = 0;
    if (!TryStrToInt(IntToStr(v), back) || back != v) std::abort();
  }
  // An optional sign and decimal digits, against from_chars.
  std::string_view digits = s;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return;
  std::uint64_t n = 0;
  const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  const bool fits = r.ec == std::errc() && n <= (negative ? 2147483648u : 2147483647u);
  const std::int64_t reference = negative ? -static_cast<std::int64_t>(n) : static_cast<std::int64_t>(n);
  if (fits != accepted || (fits && reference != v)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SetBrazilianFormatSettings();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view s(reinterpret_cast<const char*>(data), size);
  CheckFloat(s, ',');
  CheckFloat(s, '.');
  CheckDefaultFloat(s);
  CheckInt(s);
  return 0;
}
