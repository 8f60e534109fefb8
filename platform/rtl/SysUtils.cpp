#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace {

// A finite double as its exact decimal expansion: value = 0.digits * 10^point.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; empty for zero
  int point = 0;
};

void StripTrailingZeros(std::string& digits) {
  std::size_t n = digits.find_last_not_of('0');
  digits.resize(n == std::string::npos ? 0 : n + 1);
}

Decimal ExactDecimal(double v) {
  Decimal d;
  d.negative = std::signbit(v);
  if (v == 0.0) return d;
  // 767 digits after the point cover every double exactly.
  char buf[800];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 767);
  std::string_view text(buf, static_cast<std::size_t>(r.ptr - buf));
  std::size_t e = text.find('e');
  d.digits.reserve(e);
  d.digits.push_back(text[0]);
  d.digits.append(text.substr(2, e - 2));
  StripTrailingZeros(d.digits);
  const char* exp = text.data() + e + 1;
  if (*exp == '+') ++exp;
  int x = 0;
  std::from_chars(exp, r.ptr, x);
  d.point = x + 1;
  return d;
}

// Keeps the first `keep` digits, rounding ties away from zero. The digits are
// exact, so a first dropped digit >= 5 means "at or above the half".
void RoundDigits(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    } else {
      ++d.digits[static_cast<std::size_t>(i)];
    }
  }
  StripTrailingZeros(d.digits);
}

// Rounded to `decimals` places after the point.
Decimal RoundedDecimal(double v, int decimals) {
  Decimal d = ExactDecimal(v);
  RoundDigits(d, d.point + decimals);
  return d;
}

// The digit of weight 10^power.
char DigitAt(const Decimal& d, int power) {
  int i = d.point - 1 - power;
  return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
}

bool IsNegative(const Decimal& d) {
  return d.negative && !d.digits.empty();
}

// Unsigned fixed notation of a rounded value.
std::string FixedText(const Decimal& d, int decimals, bool grouping) {
  const TFormatSettings& fs = FormatSettings();
  std::string out;
  for (int p = std::max(d.point, 1) - 1; p >= 0; --p) {
    out += DigitAt(d, p);
    if (grouping && p > 0 && p % 3 == 0) out += fs.ThousandSeparator;
  }
  if (decimals > 0) {
    out += fs.DecimalSeparator;
    for (int j = 1; j <= decimals; ++j) out += DigitAt(d, -j);
  }
  return out;
}

std::string NonFiniteText(double v) {
  if (std::isnan(v)) return "NAN";
  return v > 0 ? "INF" : "-INF";
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  c = AsciiUpper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

void SetBrazilianFormatSettings() {
  TFormatSettings& fs = FormatSettings();
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  fs.CurrencyString = "R$";
  fs.CurrencyFormat = 2;
  fs.NegCurrFormat = 9;
  fs.CurrencyDecimals = 2;
}

std::string FloatToStr(double v) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  Decimal d = ExactDecimal(v);
  RoundDigits(d, 15);
  if (d.digits.empty()) return "0";
  const char sep = FormatSettings().DecimalSeparator;
  std::string out = d.negative ? "-" : "";
  int x = d.point - 1;
  if (x >= 15 || x < -4) {
    out += d.digits[0];
    if (d.digits.size() > 1) {
      out += sep;
      out.append(d.digits, 1);
    }
    out += 'E';
    out += IntToStr(x);
  } else if (d.point <= 0) {
    out += '0';
    out += sep;
    out.append(static_cast<std::size_t>(-d.point), '0');
    out += d.digits;
  } else {
    for (int p = d.point - 1; p >= 0; --p) out += DigitAt(d, p);
    if (static_cast<int>(d.digits.size()) > d.point) {
      out += sep;
      out.append(d.digits, static_cast<std::size_t>(d.point));
    }
  }
  return out;
}

namespace {
[[noreturn]] void ThrowFormatError(std::string_view fmt) {
  throw EConvertError("Formato inválido ou incompatível com o argumento: '" + std::string(fmt) + "'");
}
}  // namespace

std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args) {
  auto fail = [fmt]() { ThrowFormatError(fmt); };
  const FormatArg* next = args.begin();
  auto takeInteger = [&]() -> std::int64_t {
    if (next == args.end() || !next->AsInteger()) fail();
    return *(next++)->AsInteger();
  };
  constexpr int kMaxWidth = 1000000;
  auto number = [&](std::size_t& i) {
    int n = 0;
    while (i < fmt.size() && IsDigit(fmt[i])) {
      n = n * 10 + (fmt[i++] - '0');
      if (n > kMaxWidth) fail();
    }
    return n;
  };

  std::string out;
  std::size_t i = 0;
  while (i < fmt.size()) {
    char c = fmt[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < fmt.size() && fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    bool left = false;
    if (i < fmt.size() && fmt[i] == '-') {
      left = true;
      ++i;
    }
    std::int64_t width = 0;
    if (i < fmt.size() && fmt[i] == '*') {
      ++i;
      width = takeInteger();
      if (width < 0) {
        left = true;
        width = -width;
      }
      if (width > kMaxWidth) fail();
    } else {
      width = number(i);
    }
    std::int64_t prec = -1;
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      if (i < fmt.size() && fmt[i] == '*') {
        ++i;
        prec = takeInteger();
        if (prec > kMaxWidth) fail();
      } else {
        prec = number(i);
      }
    }
    if (i >= fmt.size()) fail();
    char type = AsciiLower(fmt[i++]);
    if (next == args.end()) fail();
    const FormatArg& arg = *next++;

    std::string text;
    if (type == 'd') {
      if (!arg.AsInteger()) fail();
      std::int64_t n = *arg.AsInteger();
      std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
      char buf[24];
      auto r = std::to_chars(buf, buf + sizeof buf, magnitude);
      std::size_t len = static_cast<std::size_t>(r.ptr - buf);
      if (n < 0) text += '-';
      if (prec > static_cast<std::int64_t>(len)) text.append(static_cast<std::size_t>(prec) - len, '0');
      text.append(buf, len);
    } else if (type == 'f') {
      if (!arg.AsDouble()) fail();
      double v = *arg.AsDouble();
      if (!std::isfinite(v)) {
        text = NonFiniteText(v);
      } else {
        int decimals = prec < 0 ? 2 : static_cast<int>(prec);
        Decimal d = RoundedDecimal(v, decimals);
        text = (IsNegative(d) ? "-" : "") + FixedText(d, decimals, false);
      }
    } else if (type == 's') {
      if (!arg.AsString()) fail();
      text = prec < 0 ? *arg.AsString() : Utf8Left(*arg.AsString(), static_cast<std::size_t>(prec));
    } else {
      fail();
    }
    std::size_t len = Utf8Length(text);
    std::size_t w = static_cast<std::size_t>(width);
    if (w > len) {
      if (left)
        text.append(w - len, ' ');
      else
        text.insert(0, w - len, ' ');
    }
    out += text;
  }
  return out;
}

std::string FormatFloat(std::string_view mask, double v) {
  if (!std::isfinite(v) || mask.empty()) return FloatToStr(v);
  const TFormatSettings& fs = FormatSettings();
  const std::size_t dot = mask.find('.');
  const std::size_t intEnd = dot == std::string_view::npos ? mask.size() : dot;

  int intPlaces = 0, firstZero = -1, fracPlaces = 0, fracRequired = 0;
  bool grouping = false;
  for (std::size_t k = 0; k < intEnd; ++k) {
    if (mask[k] == '0' && firstZero < 0) firstZero = intPlaces;
    if (mask[k] == '0' || mask[k] == '#') ++intPlaces;
    if (mask[k] == ',') grouping = true;
  }
  for (std::size_t k = intEnd + 1; k < mask.size(); ++k) {
    if (mask[k] == '0' || mask[k] == '#') ++fracPlaces;
    if (mask[k] == '0') fracRequired = fracPlaces;
  }

  Decimal d = RoundedDecimal(v, fracPlaces);
  const int intLen = std::max(d.point, 0);
  int fracShown = fracRequired;
  for (int j = fracPlaces; j > fracRequired; --j) {
    if (DigitAt(d, -j) != '0') {
      fracShown = j;
      break;
    }
  }

  std::string out = IsNegative(d) ? "-" : "";
  auto emitInt = [&](int p) {
    out += DigitAt(d, p);
    if (grouping && p > 0 && p % 3 == 0) out += fs.ThousandSeparator;
  };
  int placeholder = 0, fracIndex = 0;
  for (std::size_t k = 0; k < mask.size(); ++k) {
    const char c = mask[k];
    const bool digit = c == '0' || c == '#';
    if (k < intEnd) {
      if (digit) {
        int p = intPlaces - 1 - placeholder;
        // Digits beyond the placeholders go in front of the first one.
        if (placeholder == 0)
          for (int q = intLen - 1; q > p; --q) emitInt(q);
        if (p < intLen || (firstZero >= 0 && placeholder >= firstZero)) emitInt(p);
        ++placeholder;
      } else if (c != ',') {
        out += c;
      }
    } else if (k == intEnd) {
      if (intPlaces == 0)
        for (int q = intLen - 1; q >= 0; --q) emitInt(q);
      if (fracShown > 0) out += fs.DecimalSeparator;
    } else if (digit) {
      if (++fracIndex <= fracShown) out += DigitAt(d, -fracIndex);
    } else if (c != ',' && c != '.') {
      out += c;
    }
  }
  return out;
}

std::string FormatCurrency(double v) {
  if (!std::isfinite(v)) return FloatToStr(v);
  const TFormatSettings& fs = FormatSettings();
  const int decimals = std::max(fs.CurrencyDecimals, 0);
  Decimal d = RoundedDecimal(v, decimals);
  const std::string n = FixedText(d, decimals, true);
  const std::string& c = fs.CurrencyString;
  if (!IsNegative(d)) {
    switch (fs.CurrencyFormat) {
      case 1:
        return n + c;
      case 2:
        return c + " " + n;
      case 3:
        return n + " " + c;
      default:
        return c + n;
    }
  }
  switch (fs.NegCurrFormat) {
    case 0:
      return "(" + c + n + ")";
    case 2:
      return c + "-" + n;
    case 3:
      return c + n + "-";
    case 4:
      return "(" + n + c + ")";
    case 5:
      return "-" + n + c;
    case 6:
      return n + "-" + c;
    case 7:
      return n + c + "-";
    case 8:
      return "-" + n + " " + c;
    case 9:
      return "-" + c + " " + n;
    case 10:
      return n + " " + c + "-";
    case 11:
      return c + " " + n + "-";
    case 12:
      return c + " -" + n;
    case 13:
      return n + "- " + c;
    case 14:
      return "(" + c + " " + n + ")";
    case 15:
      return "(" + n + " " + c + ")";
    default:
      return "-" + c + n;
  }
}

double Round(double v) {
  return std::nearbyint(v);
}

bool TryStrToFloat(std::string_view s, double& v) {
  return TryStrToFloat(s, v, FormatSettings().DecimalSeparator);
}

bool TryStrToFloat(std::string_view s, double& v, char decimalSeparator) {
  s = TrimView(s);
  std::size_t i = 0;
  std::string body;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') body += '-';
    ++i;
  }
  auto digits = [&]() {
    std::size_t start = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    return s.substr(start, i - start);
  };
  std::string_view whole = digits(), fraction;
  if (i < s.size() && s[i] == decimalSeparator) {
    ++i;
    fraction = digits();
  }
  if (whole.empty() && fraction.empty()) return false;
  body += whole.empty() ? "0" : whole;
  body += '.';
  body += fraction.empty() ? "0" : fraction;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    body += 'e';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      if (s[i] == '-') body += '-';
      ++i;
    }
    std::string_view exponent = digits();
    if (exponent.empty()) return false;
    body += exponent;
  }
  if (i != s.size()) return false;

  double result = 0;
  auto r = std::from_chars(body.data(), body.data() + body.size(), result, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != body.data() + body.size()) return false;
  // A nonzero literal that underflows to zero is not representable.
  auto nonzero = [](std::string_view t) { return t.find_first_not_of('0') != std::string_view::npos; };
  if (result == 0.0 && (nonzero(whole) || nonzero(fraction))) return false;
  v = result;
  return true;
}

double StrToFloat(std::string_view s) {
  double v = 0;
  if (!TryStrToFloat(s, v)) throw EConvertError("'" + std::string(s) + "' não é um valor de ponto flutuante válido");
  return v;
}

bool TryStrToInt(std::string_view s, int& v) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  }
  if (i == s.size()) return false;
  const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
  std::uint64_t n = 0;
  for (; i < s.size(); ++i) {
    int digit = base == 16 ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) return false;
    n = n * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (n > limit) return false;
  }
  v = static_cast<int>(negative ? -static_cast<std::int64_t>(n) : static_cast<std::int64_t>(n));
  return true;
}

int StrToInt(std::string_view s) {
  int v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + std::string(s) + "' não é um valor inteiro válido");
  return v;
}

std::string IntToStr(long long v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string Trim(std::string_view s) {
  return std::string(TrimView(s));
}

std::string TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return std::string(s);
}

std::string TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool Utf8Next(std::string_view s, std::size_t& pos, char32_t& cp) {
  const auto b = static_cast<unsigned char>(s[pos]);
  if (b < 0x80) {
    cp = b;
    ++pos;
    return true;
  }
  std::size_t len = 0;
  char32_t min = 0;
  if ((b & 0xE0) == 0xC0) {
    len = 2, min = 0x80, cp = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    len = 3, min = 0x800, cp = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    len = 4, min = 0x10000, cp = b & 0x07;
  }
  bool ok = len > 0 && pos + len <= s.size();
  for (std::size_t k = 1; ok && k < len; ++k) {
    const auto c = static_cast<unsigned char>(s[pos + k]);
    ok = (c & 0xC0) == 0x80;
    cp = (cp << 6) | (c & 0x3F);
  }
  ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
  if (!ok) {
    cp = 0xFFFD;
    ++pos;
    return false;
  }
  pos += len;
  return true;
}

void Utf8Append(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::size_t Utf8Length(std::string_view s) {
  std::size_t pos = 0, n = 0;
  char32_t cp;
  while (pos < s.size()) {
    Utf8Next(s, pos, cp);
    ++n;
  }
  return n;
}

std::string PrintableText(std::string_view text, std::size_t maxChars) {
  if (maxChars != std::string_view::npos && Utf8Length(text) > maxChars)
    return maxChars == 0 ? std::string() : PrintableText(Utf8Left(text, maxChars - 1)) + "…";
  std::string out;
  std::size_t pos = 0;
  char32_t cp = 0;
  while (pos < text.size()) {
    if (!Utf8Next(text, pos, cp) || (cp < 0x20 && cp != '\n') || (cp >= 0x7F && cp < 0xA0) || cp == 0xFFFD)
      out += '?';
    else
      Utf8Append(out, cp);
  }
  return out;
}

std::string Utf8Left(std::string_view s, std::size_t chars) {
  std::size_t pos = 0;
  char32_t cp;
  for (std::size_t n = 0; n < chars && pos < s.size(); ++n) Utf8Next(s, pos, cp);
  return std::string(s.substr(0, pos));
}

std::string ExtractFileName(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return std::string(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
}

std::string ExtractFilePath(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

namespace {
// Position of the extension's dot within the last path element, or npos.
std::size_t ExtensionDot(std::string_view path) {
  std::size_t dot = path.rfind('.');
  std::size_t slash = path.rfind('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::string_view::npos;
  return dot;
}
}  // namespace

std::string ExtractFileExt(std::string_view path) {
  std::size_t dot = ExtensionDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::string out(path.substr(0, ExtensionDot(path)));
  out += ext;
  return out;
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (!out.empty() && out.back() != '/') out += '/';
  return out;
}

bool FileExists(std::string_view path) {
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::path(std::string(path)), ec);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string path(folder);
  if (path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string SystemErrorText(int err) {
  switch (err) {
    case EACCES:
    case EPERM:
      return "Permissão negada";
    case EROFS:
      return "Sistema de arquivos somente para leitura";
    case ENOSPC:
      return "Não há espaço livre no dispositivo";
    case EDQUOT:
      return "Cota de disco excedida";
    case ENOENT:
      return "Arquivo ou pasta não encontrado";
    case ENOTDIR:
      return "Um dos nomes do caminho não é uma pasta";
    case EISDIR:
      return "É uma pasta";
    case ELOOP:
      return "Níveis demais de links simbólicos";
    case ENAMETOOLONG:
      return "Nome de arquivo muito longo";
    case EBUSY:
      return "Dispositivo ou recurso ocupado";
    case EIO:
      return "Erro de entrada e saída";
    case EMFILE:
    case ENFILE:
      return "Arquivos abertos demais";
    default:
      return std::generic_category().message(err);
  }
}
