#include <cmath>
#include <limits>

#include "platform/db/DB.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

namespace {

// "1.234,5" -> "1234,5" when every group after the first has three digits.
bool StripGrouping(const std::string& s, std::string& out) {
  const TFormatSettings& fs = FormatSettings();
  if (fs.ThousandSeparator == fs.DecimalSeparator || s.find(fs.ThousandSeparator) == std::string::npos) return false;
  std::size_t end = s.find(fs.DecimalSeparator);
  if (end == std::string::npos) end = s.size();
  std::size_t start = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  int groupDigits = -1;  // digits since the last separator; -1 before the first
  int leading = 0;
  for (std::size_t i = start; i < end; ++i) {
    const char c = s[i];
    if (c == fs.ThousandSeparator) {
      if (groupDigits == -1 ? leading == 0 || leading > 3 : groupDigits != 3) return false;
      groupDigits = 0;
    } else if (c >= '0' && c <= '9') {
      if (groupDigits == -1)
        ++leading;
      else
        ++groupDigits;
    } else {
      return false;
    }
  }
  if (groupDigits != 3) return false;
  out.clear();
  for (std::size_t i = 0; i < s.size(); ++i)
    if (i >= end || s[i] != fs.ThousandSeparator) out += s[i];
  return true;
}

void EraseAll(std::string& s, const std::string& what) {
  if (what.empty()) return;
  for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p)) s.erase(p, what.size());
}

}  // namespace

// ---- TField ----

TField::TField(TFieldType type) : dataType_(type) {}

const std::string& TField::DisplayName() const {
  return displayLabel_.empty() ? fieldName_ : displayLabel_;
}

int TField::DisplayWidth() const {
  if (displayWidth_ > 0) return displayWidth_;
  return dataType_ == TFieldType::String && size_ > 0 ? size_ : 10;
}

void TField::SetSize(int size) {
  size_ = size;
}

bool TField::CanModify() const {
  return !ReadOnly() && dataSet_ && dataSet_->Active() && dataSet_->CanModify();
}

int TField::Index() const {
  if (!dataSet_) return -1;
  for (int i = 0; i < dataSet_->FieldCount(); ++i)
    if (&dataSet_->Fields(i) == this) return i;
  return -1;
}

TFieldValue TField::Normalize(const TFieldValue& value) const {
  return value;
}

TFieldValue TField::Value() const {
  if (!dataSet_) return {};
  return dataSet_->ReadField(*this);
}

void TField::ThrowInvalidValue(const std::string& text) const {
  throw EConvertError(InvalidFieldValueMessage(text, DisplayName()));
}

std::int32_t TField::AsInteger() const {
  const TFieldValue v = Value();
  if (auto i = std::get_if<std::int32_t>(&v)) return *i;
  if (auto d = std::get_if<double>(&v)) {
    const double r = Round(*d);
    if (!std::isfinite(r) || r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max())
      ThrowInvalidValue(FloatToStr(*d));
    return static_cast<std::int32_t>(r);
  }
  if (auto s = std::get_if<std::string>(&v)) {
    int n = 0;
    if (!TryStrToInt(Trim(*s), n)) ThrowInvalidValue(*s);
    return n;
  }
  return 0;
}

double TField::AsFloat() const {
  const TFieldValue v = Value();
  if (auto i = std::get_if<std::int32_t>(&v)) return *i;
  if (auto d = std::get_if<double>(&v)) return *d;
  if (auto s = std::get_if<std::string>(&v)) {
    double x = 0;
    if (!TryStrToFloat(*s, x)) ThrowInvalidValue(*s);
    return x;
  }
  return 0;
}

std::string TField::AsString() const {
  const TFieldValue v = Value();
  if (auto i = std::get_if<std::int32_t>(&v)) return IntToStr(*i);
  if (auto d = std::get_if<double>(&v)) return FloatToStr(*d);
  if (auto s = std::get_if<std::string>(&v)) return *s;
  return {};
}

void TField::SetValue(const TFieldValue& value) {
  if (!dataSet_) throw EDatabaseError("Field '" + fieldName_ + "' has no dataset");
  dataSet_->WriteField(*this, Convert(value));
}

void TField::SetText(const std::string& text) {
  if (!dataSet_) throw EDatabaseError("Field '" + fieldName_ + "' has no dataset");
  dataSet_->WriteField(*this, ParseText(text));
}

// ---- TNumericField ----

TFieldValue TNumericField::ParseText(const std::string& text) const {
  const std::string t = Trim(text);
  if (t.empty()) return {};
  bool ok = false;
  TFieldValue v = ParseNumber(t, ok);
  if (!ok) ThrowInvalidValue(text);
  return v;
}

// ---- TIntegerField ----

TFieldValue TIntegerField::ParseNumber(const std::string& trimmed, bool& ok) const {
  int n = 0;
  ok = TryStrToInt(trimmed, n);
  if (!ok) {
    std::string plain;
    ok = StripGrouping(trimmed, plain) && TryStrToInt(plain, n);
  }
  return TFieldValue(std::int32_t{n});
}

TFieldValue TIntegerField::Convert(const TFieldValue& value) const {
  if (auto d = std::get_if<double>(&value)) {
    const double r = Round(*d);
    if (!std::isfinite(r) || r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max())
      ThrowInvalidValue(FloatToStr(*d));
    return TFieldValue(static_cast<std::int32_t>(r));
  }
  if (auto s = std::get_if<std::string>(&value)) return ParseText(*s);
  return value;
}

std::string TIntegerField::GetText(const TFieldValue& value, bool display) const {
  if (std::holds_alternative<std::monostate>(value)) return {};
  if (auto s = std::get_if<std::string>(&value)) return *s;
  const double v = std::holds_alternative<double>(value) ? std::get<double>(value) : std::get<std::int32_t>(value);
  const std::string& mask = display || EditFormat().empty() ? DisplayFormat() : EditFormat();
  if (!mask.empty()) return FormatFloat(mask, v);
  if (auto i = std::get_if<std::int32_t>(&value)) return IntToStr(*i);
  return FloatToStr(v);
}

// ---- TFloatField ----

TFieldValue TFloatField::ParseNumber(const std::string& trimmed, bool& ok) const {
  std::string t = trimmed;
  EraseAll(t, FormatSettings().CurrencyString);
  EraseAll(t, "$");
  EraseAll(t, " ");
  double v = 0;
  ok = !t.empty() && TryStrToFloat(t, v);
  if (!ok) {
    std::string plain;
    ok = StripGrouping(t, plain) && TryStrToFloat(plain, v);
  }
  return TFieldValue(v);
}

TFieldValue TFloatField::Convert(const TFieldValue& value) const {
  if (auto i = std::get_if<std::int32_t>(&value)) return TFieldValue(static_cast<double>(*i));
  if (auto s = std::get_if<std::string>(&value)) return ParseText(*s);
  return value;
}

std::string TFloatField::GetText(const TFieldValue& value, bool display) const {
  if (std::holds_alternative<std::monostate>(value)) return {};
  if (auto s = std::get_if<std::string>(&value)) return *s;
  const double v = std::holds_alternative<double>(value) ? std::get<double>(value) : std::get<std::int32_t>(value);
  if (display) {
    if (!DisplayFormat().empty()) return FormatFloat(DisplayFormat(), v);
    if (currency_) return FormatCurrency(v);
    return FloatToStr(v);
  }
  if (!EditFormat().empty()) return FormatFloat(EditFormat(), v);
  if (currency_) {
    const int decimals = FormatSettings().CurrencyDecimals;
    return FormatFloat(decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0", v);
  }
  if (!DisplayFormat().empty()) return FormatFloat(DisplayFormat(), v);
  return FloatToStr(v);
}

// ---- TStringField ----

TStringField::TStringField() : TField(TFieldType::String) {
  TField::SetSize(20);
}

TFieldValue TStringField::Normalize(const TFieldValue& value) const {
  const auto* s = std::get_if<std::string>(&value);
  if (!s) return Convert(value);
  if (s->empty()) return {};
  if (Size() > 0 && Utf8Length(*s) > static_cast<std::size_t>(Size()))
    return TFieldValue(Utf8Left(*s, static_cast<std::size_t>(Size())));
  return value;
}

TFieldValue TStringField::Convert(const TFieldValue& value) const {
  std::string s;
  if (auto i = std::get_if<std::int32_t>(&value))
    s = IntToStr(*i);
  else if (auto d = std::get_if<double>(&value))
    s = FloatToStr(*d);
  else if (auto t = std::get_if<std::string>(&value))
    s = *t;
  else
    return value;
  if (Size() > 0 && Utf8Length(s) > static_cast<std::size_t>(Size())) s = Utf8Left(s, static_cast<std::size_t>(Size()));
  return TFieldValue(std::move(s));
}

TFieldValue TStringField::ParseText(const std::string& text) const {
  TFieldValue value = Convert(TFieldValue(text));
  // Written to a file, such a character would come back as "?".
  if (const auto* s = std::get_if<std::string>(&value))
    if (const std::string_view c = FirstCharOutsideCp1252(*s); !c.empty())
      throw EConvertError(UnstorableCharMessage(std::string(c), DisplayName()));
  return value;
}

std::string TStringField::GetText(const TFieldValue& value, bool) const {
  const TFieldValue v = Normalize(value);
  if (auto s = std::get_if<std::string>(&v)) return *s;
  return {};
}
