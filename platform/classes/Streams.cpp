#include "platform/classes/Streams.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "platform/classes/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

// ---- 80-bit real codec ----

namespace {

constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;  // of the 80-bit mantissa
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;     // of a Double
constexpr std::uint64_t kFracMask = (std::uint64_t{1} << 52) - 1;
constexpr int kExtBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint16_t kExtMaxExp = 0x7FFF;

TExtended80 Pack(bool negative, std::uint16_t exponent, std::uint64_t mantissa) {
  TExtended80 b{};
  for (int i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  std::uint16_t se = static_cast<std::uint16_t>(exponent | (negative ? 0x8000 : 0));
  b[8] = static_cast<std::uint8_t>(se);
  b[9] = static_cast<std::uint8_t>(se >> 8);
  return b;
}

double FromBits(bool negative, std::uint64_t bits) {
  return std::bit_cast<double>(bits | (negative ? kSignBit : 0));
}

}  // namespace

TExtended80 DoubleToExtended80(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int exp = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t frac = bits & kFracMask;

  if (exp == 0x7FF)  // infinity or NaN; a NaN keeps its whole payload
    return Pack(negative, kExtMaxExp, kIntegerBit | (frac << 11));
  if (exp != 0)
    return Pack(negative, static_cast<std::uint16_t>(exp - kDoubleBias + kExtBias), kIntegerBit | (frac << 11));
  if (frac == 0) return Pack(negative, 0, 0);
  // Subnormal: normalise so that the highest set bit becomes the integer bit.
  const int p = std::bit_width(frac) - 1;
  return Pack(negative, static_cast<std::uint16_t>(p - 1074 + kExtBias), frac << (63 - p));
}

double Extended80ToDouble(const TExtended80& b) {
  std::uint64_t m = 0;
  for (int i = 7; i >= 0; --i) m = (m << 8) | b[static_cast<std::size_t>(i)];
  const std::uint16_t se = static_cast<std::uint16_t>(b[8] | (b[9] << 8));
  const bool negative = (se & 0x8000) != 0;
  const int e = se & kExtMaxExp;

  if (e == kExtMaxExp) {
    const std::uint64_t payload = m & ~kIntegerBit;
    if (payload == 0) return FromBits(negative, std::uint64_t{0x7FF} << 52);
    std::uint64_t frac = payload >> 11;
    if (frac == 0) frac = std::uint64_t{1} << 51;  // payload only in the low bits: a quiet NaN
    return FromBits(negative, (std::uint64_t{0x7FF} << 52) | frac);
  }
  if (m == 0 || e == 0) return FromBits(negative, 0);
  if ((m & kIntegerBit) == 0) throw EReadError(kMsgInvalidPropertyValue);

  // value = m * 2^(u - 63), m in [2^63, 2^64)
  int u = e - kExtBias;
  if (u > kDoubleBias) return FromBits(negative, std::uint64_t{0x7FF} << 52);

  // Number of low mantissa bits that do not fit: 11 for a normal result,
  // more for a subnormal one (whose unit is 2^-1074).
  const int shift = u >= 1 - kDoubleBias ? 11 : -1011 - u;
  if (shift > 64) return FromBits(negative, 0);
  std::uint64_t keep, rem, half;
  if (shift == 64) {
    keep = 0;
    rem = m;
    half = kIntegerBit;
  } else {
    keep = m >> shift;
    rem = m & ((std::uint64_t{1} << shift) - 1);
    half = std::uint64_t{1} << (shift - 1);
  }
  if (rem > half || (rem == half && (keep & 1) != 0)) ++keep;

  if (shift != 11) return FromBits(negative, keep);  // subnormal, or rounded up to the least normal
  if (keep == (std::uint64_t{1} << 53)) {
    keep >>= 1;
    ++u;
    if (u > kDoubleBias) return FromBits(negative, std::uint64_t{0x7FF} << 52);
  }
  return FromBits(negative, (static_cast<std::uint64_t>(u + kDoubleBias) << 52) | (keep & kFracMask));
}

// ---- Writer ----

namespace {

class ImageWriter {
public:
  std::string Take() { return std::move(out_); }

  void Byte(std::uint8_t b) { out_.push_back(static_cast<char>(b)); }
  void Tag(TValueType t) { Byte(static_cast<std::uint8_t>(t)); }
  void Bytes(std::string_view s) { out_.append(s); }
  void Little(std::uint64_t v, int count) {
    for (int i = 0; i < count; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
  }

  // Text already in cp1252.
  void ShortString(std::string_view s, std::string_view what) {
    if (s.size() > 255) throw EWriteError(std::string(what) + " too long for a stream: " + std::string(s));
    Byte(static_cast<std::uint8_t>(s.size()));
    Bytes(s);
  }

  void Integer(std::int32_t v) {
    if (v >= -128 && v <= 127) {
      Tag(TValueType::vaInt8);
      Little(static_cast<std::uint32_t>(v), 1);
    } else if (v >= -32768 && v <= 32767) {
      Tag(TValueType::vaInt16);
      Little(static_cast<std::uint32_t>(v), 2);
    } else {
      Tag(TValueType::vaInt32);
      Little(static_cast<std::uint32_t>(v), 4);
    }
  }

  void Real(double v) {
    Tag(TValueType::vaExtended);
    const TExtended80 e = DoubleToExtended80(v);
    Bytes(std::string_view(reinterpret_cast<const char*>(e.data()), e.size()));
  }

  void Text(std::string_view cp1252) {
    if (cp1252.size() <= 255) {
      Tag(TValueType::vaString);
      Byte(static_cast<std::uint8_t>(cp1252.size()));
    } else {
      if (cp1252.size() > std::numeric_limits<std::uint32_t>::max()) throw EWriteError("Text too long for a stream");
      Tag(TValueType::vaLString);
      Little(cp1252.size(), 4);
    }
    Bytes(cp1252);
  }

  void Properties(const TPersistent& obj) {
    for (const PropertyInfo* p : obj.Class().Properties()) {
      if (!p->IsStreamed()) continue;
      switch (p->kind) {
        case PropKind::Integer: {
          const std::int32_t v = std::get<std::int32_t>(p->get(obj));
          if (p->intDefault && v == *p->intDefault) break;
          Name(*p);
          Integer(v);
          break;
        }
        case PropKind::Double: {
          const double v = std::get<double>(p->get(obj));
          if (v == 0.0) break;
          Name(*p);
          Real(v);
          break;
        }
        case PropKind::String: {
          const std::string v = std::get<std::string>(p->get(obj));
          if (v.empty()) break;
          Name(*p);
          Text(Utf8ToCp1252(v));
          break;
        }
        case PropKind::Collection: {
          Name(*p);
          // The accessor only hands out the owned collection.
          const TCollection& c = p->collection(const_cast<TPersistent&>(obj));
          Tag(TValueType::vaCollection);
          for (int i = 0; i < c.Count(); ++i) {
            Tag(TValueType::vaList);
            Properties(c.GetItem(i));
            Tag(TValueType::vaNull);
          }
          Tag(TValueType::vaNull);
          break;
        }
      }
    }
  }

private:
  void Name(const PropertyInfo& p) { ShortString(p.name, "Property name"); }

  std::string out_;
};

}  // namespace

std::string WriteComponentImage(const TComponent& root) {
  ImageWriter w;
  w.Bytes(kFilerSignature);
  w.ShortString(root.ClassName(), "Class name");
  w.ShortString(Utf8ToCp1252(root.Name()), "Component name");
  w.Properties(root);
  w.Tag(TValueType::vaNull);  // end of properties
  w.Tag(TValueType::vaNull);  // end of children
  return w.Take();
}

// ---- Reader ----

namespace {

class ImageReader {
public:
  explicit ImageReader(std::string_view image) : data_(image) {}

  std::size_t Remaining() const { return data_.size() - pos_; }
  std::size_t Position() const { return pos_; }

  std::uint8_t Byte() {
    if (Remaining() < 1) throw EReadError(kMsgStreamRead);
    return static_cast<std::uint8_t>(data_[pos_++]);
  }
  std::uint8_t Peek() const {
    if (Remaining() < 1) throw EReadError(kMsgStreamRead);
    return static_cast<std::uint8_t>(data_[pos_]);
  }
  std::string_view Bytes(std::size_t n) {
    if (Remaining() < n) throw EReadError(kMsgStreamRead);
    std::string_view s = data_.substr(pos_, n);
    pos_ += n;
    return s;
  }
  std::uint64_t Little(int count) {
    std::string_view s = Bytes(static_cast<std::size_t>(count));
    std::uint64_t v = 0;
    for (int i = count - 1; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(s[static_cast<std::size_t>(i)]);
    return v;
  }
  std::string_view ShortString() { return Bytes(Byte()); }

  static bool IsIntegerTag(std::uint8_t t) {
    return t == static_cast<std::uint8_t>(TValueType::vaInt8) || t == static_cast<std::uint8_t>(TValueType::vaInt16) ||
           t == static_cast<std::uint8_t>(TValueType::vaInt32);
  }

  // The integer after one of the integer tags.
  std::int32_t IntegerAfter(std::uint8_t tag) {
    switch (static_cast<TValueType>(tag)) {
      case TValueType::vaInt8:
        return static_cast<std::int8_t>(Little(1));
      case TValueType::vaInt16:
        return static_cast<std::int16_t>(Little(2));
      default:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(Little(4)));
    }
  }

  std::string TextAfter(std::uint8_t tag) {
    std::size_t n = tag == static_cast<std::uint8_t>(TValueType::vaString) ? Byte() : Little(4);
    // Bytes() checks the length against what is left before anything is copied.
    return Cp1252ToUtf8(Bytes(n));
  }

  double RealAfter() {
    std::string_view s = Bytes(10);
    TExtended80 e;
    std::memcpy(e.data(), s.data(), e.size());
    return Extended80ToDouble(e);
  }

  void Properties(TPersistent& obj, int depth) {
    while (Peek() != static_cast<std::uint8_t>(TValueType::vaNull)) Property(obj, depth);
    Byte();
  }

private:
  [[noreturn]] static void BadValue() { throw EReadError(kMsgInvalidPropertyValue); }

  // A name read from the image: printable, on one line, cut to kMaxShownNameLength.
  static std::string ShownName(std::string_view name) {
    std::string text = Cp1252ToUtf8(name);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, '?');
    return PrintableText(text, kMaxShownNameLength);
  }

  void Property(TPersistent& obj, int depth) {
    const std::string_view name = ShortString();
    const PropertyInfo* p = obj.Class().Find(name);
    if (!p) throw EReadError(kMsgErrorReading + obj.ClassName() + "." + ShownName(name) + kMsgPropertyMissing);
    if (!p->IsCollection() && !p->set)
      throw EReadError(kMsgErrorReading + obj.ClassName() + "." + p->name + kMsgPropertyReadOnly);

    const std::uint8_t tag = Byte();
    switch (p->kind) {
      case PropKind::Integer:
        if (!IsIntegerTag(tag)) BadValue();
        p->set(obj, IntegerAfter(tag));
        break;
      case PropKind::Double:
        if (IsIntegerTag(tag))
          p->set(obj, static_cast<double>(IntegerAfter(tag)));
        else if (tag == static_cast<std::uint8_t>(TValueType::vaExtended))
          p->set(obj, RealAfter());
        else
          BadValue();
        break;
      case PropKind::String:
        if (tag != static_cast<std::uint8_t>(TValueType::vaString) &&
            tag != static_cast<std::uint8_t>(TValueType::vaLString))
          BadValue();
        p->set(obj, TextAfter(tag));
        break;
      case PropKind::Collection:
        if (tag != static_cast<std::uint8_t>(TValueType::vaCollection)) BadValue();
        Collection(p->collection(obj), depth + 1);
        break;
    }
  }

  void Collection(TCollection& c, int depth) {
    if (depth > kMaxStreamNesting) throw EReadError(kMsgInvalidStreamFormat);
    // Stored empty: the collection keeps what it has.
    if (Peek() == static_cast<std::uint8_t>(TValueType::vaNull)) {
      Byte();
      return;
    }
    c.Clear();
    c.RestartIds();
    while (true) {
      std::uint8_t t = Byte();
      if (t == static_cast<std::uint8_t>(TValueType::vaNull)) break;
      if (IsIntegerTag(t)) {
        IntegerAfter(t);  // an item's order value is not used
        t = Byte();
      }
      if (t != static_cast<std::uint8_t>(TValueType::vaList)) throw EReadError(kMsgInvalidStreamFormat);
      Properties(c.Add(), depth);
    }
  }

  std::string_view data_;
  std::size_t pos_ = 0;
};

}  // namespace

std::size_t ReadComponentImage(std::string_view image, TComponent& root) {
  ImageReader r(image);
  if (r.Bytes(kFilerSignature.size()) != kFilerSignature) throw EReadError(kMsgInvalidStreamFormat);
  r.ShortString();  // class name: checked by the caller when it matters
  root.SetName(Cp1252ToUtf8(r.ShortString()));
  r.Properties(root, 0);
  // The roots have no children: the list of children must be empty.
  if (r.Byte() != static_cast<std::uint8_t>(TValueType::vaNull)) throw EReadError(kMsgInvalidStreamFormat);
  return r.Position();
}
