#pragma once
// Number <-> text conversion, trimming, case, UTF-8 and file-name helpers.
// Numbers never pass through the C locale: digits come from std::to_chars /
// std::from_chars and the separators from FormatSettings().

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "platform/rtl/Exceptions.h"

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  std::string CurrencyString = "$";
  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  int CurrencyFormat = 0;
  // 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$", 7 "1$-",
  // 8 "-1 $", 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $",
  // 14 "($ 1)", 15 "(1 $)".
  int NegCurrFormat = 1;
  int CurrencyDecimals = 2;
};

// The process-wide settings; assign to change them.
TFormatSettings& FormatSettings();
// Brazilian Portuguese: "," decimal, "." thousands, "R$ 1.234,56", "-R$ 3,50".
void SetBrazilianFormatSettings();

// General format: 15 significant digits, scientific when the exponent is
// >= 15 or < -4 ("1E15", "1,5E-7").
std::string FloatToStr(double v);

// One argument of Format: an integer, a double or a text.
class FormatArg {
public:
  FormatArg(int v) : value_(std::int64_t{v}) {}
  FormatArg(long v) : value_(std::int64_t{v}) {}
  FormatArg(long long v) : value_(std::int64_t{v}) {}
  FormatArg(unsigned v) : value_(std::int64_t{v}) {}
  FormatArg(unsigned long v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(unsigned long long v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(double v) : value_(v) {}
  FormatArg(const char* v) : value_(std::string(v)) {}
  FormatArg(std::string v) : value_(std::move(v)) {}
  FormatArg(std::string_view v) : value_(std::string(v)) {}

  const std::int64_t* AsInteger() const { return std::get_if<std::int64_t>(&value_); }
  const double* AsDouble() const { return std::get_if<double>(&value_); }
  const std::string* AsString() const { return std::get_if<std::string>(&value_); }

private:
  std::variant<std::int64_t, double, std::string> value_;
};

// %% and %[-][width|*][.prec](d|f|s). Widths count characters and never cut;
// %f rounds ties away from zero. A bad specifier, a missing argument or one of
// the wrong type raises EConvertError.
std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args);

// Masks of '0' (digit), '#' (optional digit), '.' (decimal separator) and ','
// (grouping); other characters are copied. An empty mask gives FloatToStr.
std::string FormatFloat(std::string_view mask, double v);

// Currency string, grouping and CurrencyDecimals from FormatSettings().
std::string FormatCurrency(double v);

// Nearest integer, halves to even.
double Round(double v);

bool TryStrToFloat(std::string_view s, double& v);
bool TryStrToFloat(std::string_view s, double& v, char decimalSeparator);
double StrToFloat(std::string_view s);

// An optional sign, then decimal digits or "$" and hexadecimal digits, and
// nothing else (no blanks); the result must fit in 32 bits.
bool TryStrToInt(std::string_view s, int& v);
int StrToInt(std::string_view s);

std::string IntToStr(long long v);

// Remove every byte <= 0x20 at the ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// ASCII only; other bytes are kept.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive; letters compare as upper case.
int CompareText(std::string_view a, std::string_view b);

// Decodes the code point at pos and advances pos. An invalid byte (stray
// continuation, overlong form, surrogate, truncated sequence) gives false and
// advances one byte.
bool Utf8Next(std::string_view s, std::size_t& pos, char32_t& cp);
void Utf8Append(std::string& out, char32_t cp);
// The text with every control character (other than a line break), invalid
// byte and U+FFFD shown as "?". Longer than maxChars code points, it is cut
// to maxChars with "…" as the last one.
std::string PrintableText(std::string_view text, std::size_t maxChars = std::string_view::npos);
// Code points; an invalid byte counts as one.
std::size_t Utf8Length(std::string_view s);
// The first `chars` code points, never splitting a sequence.
std::string Utf8Left(std::string_view s, std::size_t chars);

// File names with '/' as the delimiter.
std::string ExtractFileName(std::string_view path);
std::string ExtractFilePath(std::string_view path);  // keeps the trailing '/'
std::string ExtractFileExt(std::string_view path);   // with the dot
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
// folder + "/" + name; the bare name when the folder is empty.
std::string JoinPath(std::string_view folder, std::string_view name);  // "" stays ""
bool FileExists(std::string_view path);                                // a regular file
// The system's reason for an errno value, in Portuguese for the common ones.
std::string SystemErrorText(int err);
