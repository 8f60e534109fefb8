#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "platform/classes/Classes.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/StreamBytes.h"

namespace {

// ---- Test classes: a root with nested collections three levels deep ----

class TLeaf : public TCollectionItem {
  TQ_DECLARE_CLASS(TLeaf)
public:
  const std::string& Label() const { return label_; }
  void SetLabel(const std::string& v) { label_ = v; }
  double Weight() const { return weight_; }
  void SetWeight(double v) { weight_ = v; }
  int Count() const { return count_; }
  void SetCount(int v) { count_ = v; }

private:
  std::string label_;
  double weight_ = 0;
  int count_ = 3;  // not 0, to see constructor values survive a read
};

const ClassInfo& TLeaf::StaticClass() {
  static const auto ci = ClassBuilder<TLeaf>("TLeaf", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TLeaf::Id)
                             .String("Label", &TLeaf::Label, &TLeaf::SetLabel)
                             .Double("Weight", &TLeaf::Weight, &TLeaf::SetWeight)
                             .Integer("Count", &TLeaf::Count, &TLeaf::SetCount)
                             .Build();
  return *ci;
}

using TLeaves = TTypedCollection<TLeaf>;

class TBranch : public TCollectionItem {
  TQ_DECLARE_CLASS(TBranch)
public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  TLeaves& Leaves() { return leaves_; }
  double Size() const { return size_; }
  void SetSize(double v) { size_ = v; }

private:
  std::string name_;
  TLeaves leaves_{this};
  double size_ = 0;
};

const ClassInfo& TBranch::StaticClass() {
  static const auto ci = ClassBuilder<TBranch>("TBranch", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TBranch::Id)
                             .String("Name", &TBranch::Name, &TBranch::SetName)
                             .Collection("Leaves", &TBranch::Leaves, TLeaf::StaticClass())
                             .Double("Size", &TBranch::Size, &TBranch::SetSize)
                             .Build();
  return *ci;
}

using TBranches = TTypedCollection<TBranch>;

class TTrunk : public TCollectionItem {
  TQ_DECLARE_CLASS(TTrunk)
public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  TBranches& Branches() { return branches_; }
  int Order() const { return order_; }
  void SetOrder(int v) { order_ = v; }

private:
  std::string name_;
  TBranches branches_{this};
  int order_ = 0;
};

const ClassInfo& TTrunk::StaticClass() {
  static const auto ci = ClassBuilder<TTrunk>("TTrunk", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TTrunk::Id)
                             .String("Name", &TTrunk::Name, &TTrunk::SetName)
                             .Collection("Branches", &TTrunk::Branches, TBranch::StaticClass())
                             .Integer("Order", &TTrunk::Order, &TTrunk::SetOrder)
                             .Build();
  return *ci;
}

using TTrunks = TTypedCollection<TTrunk>;

class TGrove : public TComponent {
  TQ_DECLARE_CLASS(TGrove)
public:
  explicit TGrove(TComponent* owner = nullptr) : TComponent(owner) {}
  const std::string& Filename() const { return filename_; }
  void SetFilename(const std::string& v) { filename_ = v; }
  int Level() const { return level_; }
  void SetLevel(int v) { level_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  TTrunks& Trunks() { return trunks_; }
  const std::string& Note() const { return note_; }
  void SetNote(const std::string& v) { note_ = v; }
  int Total() const { return trunks_.Count(); }

private:
  std::string filename_;
  int level_ = 7;
  double ratio_ = 0;
  TTrunks trunks_{this};
  std::string note_;
};

const ClassInfo& TGrove::StaticClass() {
  static const auto ci = ClassBuilder<TGrove>("TGrove", &TComponent::StaticClass())
                             .String("Filename", &TGrove::Filename, &TGrove::SetFilename)
                             .Integer("Level", &TGrove::Level, &TGrove::SetLevel, 7)
                             .Double("Ratio", &TGrove::Ratio, &TGrove::SetRatio)
                             .Collection("Trunks", &TGrove::Trunks, TTrunk::StaticClass())
                             .String("Note", &TGrove::Note, &TGrove::SetNote)
                             .ReadOnlyInteger("Total", &TGrove::Total)
                             .Build();
  return *ci;
}

// An item holding a collection of its own class: nesting bounded only by the image.
class TNode : public TCollectionItem {
  TQ_DECLARE_CLASS(TNode)
public:
  TTypedCollection<TNode>& Children() { return *children_; }

private:
  std::unique_ptr<TTypedCollection<TNode>> children_ = std::make_unique<TTypedCollection<TNode>>(this);
};

const ClassInfo& TNode::StaticClass() {
  static const auto ci = ClassBuilder<TNode>("TNode", &TCollectionItem::StaticClass())
                             // The description cannot name itself; the collection makes TNodes.
                             .Collection("Children", &TNode::Children, TCollectionItem::StaticClass())
                             .Build();
  return *ci;
}

class TNodeRoot : public TComponent {
  TQ_DECLARE_CLASS(TNodeRoot)
public:
  explicit TNodeRoot(TComponent* owner = nullptr) : TComponent(owner) {}
  TTypedCollection<TNode>& Nodes() { return nodes_; }

private:
  TTypedCollection<TNode> nodes_{this};
};

const ClassInfo& TNodeRoot::StaticClass() {
  static const auto ci = ClassBuilder<TNodeRoot>("TNodeRoot", &TComponent::StaticClass())
                             .Collection("Nodes", &TNodeRoot::Nodes, TNode::StaticClass())
                             .Build();
  return *ci;
}

// ---- Byte helpers ----

// An image of a TGrove with the given property records.
std::string GroveImage(const std::string& records) {
  return "TPF0" + S("TGrove") + H({0}) + records + H({0, 0});
}

std::string Hex(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (unsigned char c : bytes) {
    if (!s.empty()) s += ' ';
    s += digits[c >> 4];
    s += digits[c & 15];
  }
  return s;
}

std::string Ext(double v) {
  TExtended80 e = DoubleToExtended80(v);
  return std::string(reinterpret_cast<const char*>(e.data()), e.size());
}

TExtended80 ExtBytes(std::uint64_t mantissa, std::uint16_t signExp) {
  TExtended80 e{};
  for (int i = 0; i < 8; ++i) e[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  e[8] = static_cast<std::uint8_t>(signExp);
  e[9] = static_cast<std::uint8_t>(signExp >> 8);
  return e;
}

std::uint64_t Bits(double v) {
  return std::bit_cast<std::uint64_t>(v);
}

// A grove with something of every kind at every level.
void Fill(TGrove& g) {
  g.SetFilename("Bosque.dat");
  g.SetTag(-5);
  g.SetLevel(40000);
  g.SetRatio(-2.4);
  g.SetNote(std::string(300, 'n'));
  for (int t = 0; t < 2; ++t) {
    TTrunk& trunk = g.Trunks().Add();
    trunk.SetName("Tronco " + std::to_string(t));
    trunk.SetOrder(t == 0 ? 0 : -129);
    for (int b = 0; b < 3; ++b) {
      TBranch& branch = trunk.Branches().Add();
      branch.SetName(b == 1 ? "" : "Galho ção");
      branch.SetSize(b * 0.1);
      for (int l = 0; l < b; ++l) {
        TLeaf& leaf = branch.Leaves().Add();
        leaf.SetLabel(std::string(255 + l, 'a' + static_cast<char>(l)));
        leaf.SetWeight(l == 0 ? 5e-324 : 1e308);
        leaf.SetCount(l == 0 ? 0 : INT_MIN);
      }
    }
  }
}

template <class F>
std::string ReadError(F&& f) {
  try {
    f();
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "no error";
}

}  // namespace

// ---- 80-bit real codec ----

TEST(Extended80, KnownVectors) {
  struct Case {
    double v;
    const char* hex;
  } cases[] = {
      {8.0, "00 00 00 00 00 00 00 80 02 40"},
      {2.4, "00 98 99 99 99 99 99 99 00 40"},
      {0.5, "00 00 00 00 00 00 00 80 FE 3F"},
      {-1.0, "00 00 00 00 00 00 00 80 FF BF"},
      {5e-324, "00 00 00 00 00 00 00 80 CD 3B"},
      {1e308, "00 00 45 5E 2F 9C 67 8E FE 43"},
      {std::numeric_limits<double>::infinity(), "00 00 00 00 00 00 00 80 FF 7F"},
      {-std::numeric_limits<double>::infinity(), "00 00 00 00 00 00 00 80 FF FF"},
      {std::numeric_limits<double>::quiet_NaN(), "00 00 00 00 00 00 00 C0 FF 7F"},
      {0.0, "00 00 00 00 00 00 00 00 00 00"},
      {-0.0, "00 00 00 00 00 00 00 00 00 80"},
      {DBL_MIN, "00 00 00 00 00 00 00 80 01 3C"},
      {DBL_MAX, "00 F8 FF FF FF FF FF FF FE 43"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(Hex(Ext(c.v)), c.hex);
    EXPECT_EQ(Bits(Extended80ToDouble(DoubleToExtended80(c.v))), Bits(c.v));
  }
}

TEST(Extended80, EveryDoubleRoundTripsBitForBit) {
  std::mt19937_64 rng(20240917);
  auto check = [](std::uint64_t bits) {
    double v = std::bit_cast<double>(bits);
    ASSERT_EQ(Bits(Extended80ToDouble(DoubleToExtended80(v))), bits) << std::hex << bits;
  };
  const std::uint64_t frac = (std::uint64_t{1} << 52) - 1;
  for (int i = 0; i < 200000; ++i) {
    std::uint64_t r = rng();
    check(r);                                          // any pattern
    check(r & (frac | (std::uint64_t{1} << 63)));      // subnormal or zero
    check(r | (std::uint64_t{0x7FF} << 52));           // NaN payloads, signalling too
    check(r & ~((std::uint64_t{1} << (r % 52)) - 1));  // trailing zeros
  }
  for (int p = 0; p < 52; ++p) check(std::uint64_t{1} << p);  // every subnormal width
}

TEST(Extended80, ForeignValuesRoundToNearestEven) {
  const std::uint16_t one = 0x3FFF;
  // 1 + 2^-53 is a tie: down to 1; 1 + 3*2^-53 is a tie: up to 1 + 2^-51.
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0x8000000000000400, one)), 1.0);
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0x8000000000000C00, one)), 1.0 + std::ldexp(1.0, -51));
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0x8000000000000401, one)), 1.0 + std::ldexp(1.0, -52));
  // All ones rounds up into the next binade.
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0xFFFFFFFFFFFFFFFF, one)), 2.0);
  // Beyond the largest Double: an infinity of the right sign.
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0xFFFFFFFFFFFFFFFF, 0x3FFF + 1023)), HUGE_VAL);
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0x8000000000000000, 0x8000 | (0x3FFF + 1024))), -HUGE_VAL);
  // Below the smallest subnormal: half of it is a tie to 0, a little more is 5e-324.
  EXPECT_EQ(Bits(Extended80ToDouble(ExtBytes(0x8000000000000000, 0x3FFF - 1075))), 0u);
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0x8000000000000001, 0x3FFF - 1075)), 5e-324);
  EXPECT_EQ(Bits(Extended80ToDouble(ExtBytes(0xFFFFFFFFFFFFFFFF, 0x3FFF - 1077))), 0u);
  EXPECT_EQ(Bits(Extended80ToDouble(ExtBytes(0x8000000000000000, 0x8001))), Bits(-0.0));
  // The largest subnormal rounds up to the least normal.
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0xFFFFFFFFFFFFFFFF, 0x3FFF - 1023)), DBL_MIN);
  // Extended denormals and a zero mantissa are zeros; an unnormal is refused.
  EXPECT_EQ(Bits(Extended80ToDouble(ExtBytes(0x7FFFFFFFFFFFFFFF, 0x8000))), Bits(-0.0));
  EXPECT_EQ(Bits(Extended80ToDouble(ExtBytes(0, 0x4000))), 0u);
  EXPECT_THROW(Extended80ToDouble(ExtBytes(0x4000000000000000, 0x3FFF)), EReadError);
  // A NaN whose payload lies only below the Double's precision stays a NaN.
  EXPECT_TRUE(std::isnan(Extended80ToDouble(ExtBytes(0x8000000000000001, 0x7FFF))));
  EXPECT_EQ(Extended80ToDouble(ExtBytes(0, 0x7FFF)), HUGE_VAL);
}

#if defined(__x86_64__) && LDBL_MANT_DIG == 64
TEST(Extended80, DecodingAgreesWithTheX87Conversion) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 300000; ++i) {
    std::uint64_t m = rng() | (std::uint64_t{1} << 63);
    if (i % 3 == 0) m &= ~((std::uint64_t{1} << (rng() % 64)) - 1);  // short mantissas, ties
    const std::uint16_t exp = static_cast<std::uint16_t>(i % 2 ? 0x3FFF - 1100 + rng() % 2200
                                                               : rng() % 0x7FFF);  // dense near the Double range
    const std::uint16_t se = static_cast<std::uint16_t>(exp | (rng() & 1 ? 0x8000 : 0));
    const TExtended80 e = ExtBytes(m, se);
    long double hw = 0;
    std::memcpy(&hw, e.data(), e.size());
    const double expected = static_cast<double>(hw);
    ASSERT_EQ(Bits(Extended80ToDouble(e)), Bits(expected)) << std::hex << m << " " << se;
  }
}
#endif

// ---- Writer ----

TEST(ComponentStream, EmptyRootStoresOnlyItsCollection) {
  TGrove grove;  // the declared default 7 is left out too
  EXPECT_EQ(WriteComponentImage(grove), "TPF0" + S("TGrove") + H({0}) + S("Trunks") + H({0x0E, 0, 0, 0}));
}

TEST(ComponentStream, IntegersTakeTheSmallestWidthAndOnlyDeclaredDefaultsAreSkipped) {
  struct Case {
    int v;
    std::string bytes;
  } cases[] = {
      {0, H({2, 0})},
      {127, H({2, 0x7F})},
      {-128, H({2, 0x80})},
      {128, H({3, 0x80, 0})},
      {-129, H({3, 0x7F, 0xFF})},
      {32767, H({3, 0xFF, 0x7F})},
      {-32768, H({3, 0, 0x80})},
      {32768, H({4, 0, 0x80, 0, 0})},
      {-32769, H({4, 0xFF, 0x7F, 0xFF, 0xFF})},
      {40000, H({4, 0x40, 0x9C, 0, 0})},
      {INT_MAX, H({4, 0xFF, 0xFF, 0xFF, 0x7F})},
      {INT_MIN, H({4, 0, 0, 0, 0x80})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.v);
    TGrove g;
    g.SetTag(c.v);
    g.SetLevel(c.v);
    const std::string image = WriteComponentImage(g);
    const std::string tag = c.v == 0 ? "" : S("Tag") + c.bytes;  // Tag declares 0
    EXPECT_EQ(Hex(image), Hex(GroveImage(tag + S("Level") + c.bytes + S("Trunks") + H({0x0E, 0}))));
    TGrove back;
    ReadComponentImage(image, back);
    EXPECT_EQ(back.Tag(), c.v);
    EXPECT_EQ(back.Level(), c.v);
  }
  // An item Integer without a declared default is written when 0.
  TGrove g;
  g.Trunks().Add();
  EXPECT_EQ(WriteComponentImage(g),
            GroveImage(S("Trunks") + H({0x0E, 1}) + S("Branches") + H({0x0E, 0}) + S("Order") + H({2, 0, 0, 0})));
}

TEST(ComponentStream, DoublesAreWrittenUnlessZero) {
  for (double v : {0.0, -0.0}) {
    TGrove g;
    g.SetRatio(v);
    EXPECT_EQ(WriteComponentImage(g), GroveImage(S("Trunks") + H({0x0E, 0})));
  }
  for (double v : {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL, 5e-324, -2.4}) {
    TGrove g;
    g.SetRatio(v);
    const std::string image = WriteComponentImage(g);
    EXPECT_EQ(image, GroveImage(S("Ratio") + H({5}) + Ext(v) + S("Trunks") + H({0x0E, 0})));
    TGrove back;
    ReadComponentImage(image, back);
    EXPECT_EQ(Bits(back.Ratio()), Bits(v));
  }
}

TEST(ComponentStream, StringsUseCodePage1252AndSwitchToLongTextAt256Bytes) {
  auto imageOf = [](const std::string& text) {
    TGrove g;
    g.SetNote(text);
    return WriteComponentImage(g);
  };
  auto noteRecord = [](const std::string& tagAndLength, const std::string& bytes) {
    return GroveImage(S("Trunks") + H({0x0E, 0}) + S("Note") + tagAndLength + bytes);
  };
  // 255 characters, one of them two bytes in UTF-8, are 255 cp1252 bytes.
  const std::string s255 = std::string(254, 'x') + "ç";
  EXPECT_EQ(imageOf(s255), noteRecord(H({6, 255}), std::string(254, 'x') + "\xE7"));
  EXPECT_EQ(imageOf(std::string(256, 'y')), noteRecord(H({0x0C, 0, 1, 0, 0}), std::string(256, 'y')));
  EXPECT_EQ(imageOf(std::string(300, 'z')), noteRecord(H({0x0C, 0x2C, 1, 0, 0}), std::string(300, 'z')));
  EXPECT_EQ(imageOf(""), GroveImage(S("Trunks") + H({0x0E, 0})));
  // Outside cp1252: one "?" per character.
  EXPECT_EQ(imageOf("ő😀€"), noteRecord(H({6, 3}), "??\x80"));

  for (const std::string& text : {s255, std::string(300, 'z'), std::string("Preço € \u0081 Ÿ")}) {
    TGrove back;
    ReadComponentImage(imageOf(text), back);
    EXPECT_EQ(back.Note(), text);
  }
}

TEST(ComponentStream, NestedCollectionsRoundTrip) {
  TGrove g;
  Fill(g);
  const std::string image = WriteComponentImage(g);
  TGrove back;
  back.SetName("Old");
  ReadComponentImage(image, back);
  EXPECT_EQ(back.Name(), "");
  EXPECT_EQ(back.Filename(), "Bosque.dat");
  EXPECT_EQ(back.Tag(), -5);
  EXPECT_EQ(back.Level(), 40000);
  EXPECT_EQ(back.Ratio(), -2.4);
  EXPECT_EQ(back.Note(), std::string(300, 'n'));
  ASSERT_EQ(back.Trunks().Count(), 2);
  EXPECT_EQ(back.Trunks()[1].Order(), -129);
  ASSERT_EQ(back.Trunks()[1].Branches().Count(), 3);
  TBranch& b2 = back.Trunks()[1].Branches()[2];
  EXPECT_EQ(b2.Name(), "Galho ção");
  EXPECT_EQ(b2.Size(), 0.2);
  ASSERT_EQ(b2.Leaves().Count(), 2);
  const TLeaf& leaf = b2.Leaves()[1];
  EXPECT_EQ(leaf.Label(), std::string(256, 'b'));
  EXPECT_EQ(leaf.Weight(), 1e308);
  EXPECT_EQ(leaf.Count(), INT_MIN);
  EXPECT_EQ(back.Trunks()[0].Branches()[1].Name(), "");
  EXPECT_EQ(WriteComponentImage(back), image);

  // Ids of refilled collections restart from 0.
  TGrove used;
  for (int i = 0; i < 5; ++i) used.Trunks().Add();
  used.Trunks().Delete(0);
  ReadComponentImage(image, used);
  EXPECT_EQ(used.Trunks()[0].Id(), 0);
  EXPECT_EQ(used.Trunks()[1].Id(), 1);
  EXPECT_EQ(used.Trunks()[1].Branches()[2].Leaves()[1].Id(), 1);
}

TEST(ComponentStream, WriterRefusesNamesLongerThanAShortString) {
  TGrove g;
  g.SetName(std::string(256, 'N'));
  EXPECT_THROW(WriteComponentImage(g), EWriteError);
}

// ---- Reader ----

TEST(ComponentStream, ReaderMergesIntoTheExistingRoot) {
  TGrove g;
  g.SetFilename("Antigo.dat");
  g.SetRatio(1.5);
  g.Trunks().Add().SetName("Mantido");

  // No Filename, an empty collection: both keep their values.
  ReadComponentImage(GroveImage(S("Level") + H({2, 9}) + S("Trunks") + H({0x0E, 0})), g);
  EXPECT_EQ(g.Filename(), "Antigo.dat");
  EXPECT_EQ(g.Ratio(), 1.5);
  EXPECT_EQ(g.Level(), 9);
  ASSERT_EQ(g.Trunks().Count(), 1);
  EXPECT_EQ(g.Trunks()[0].Name(), "Mantido");

  // Case-insensitive names, a Double from an integer tag, an order value before
  // an item, a component name, bytes after the end; new items keep their
  // constructor values for what the image leaves out.
  const std::string image = "TPF0" + S("TGrove") + S("Raiz") + S("RATIO") + H({3, 0x10, 0x27}) + S("trunks") +
                            H({0x0E, 2, 4, 1}) + S("branches") + H({0x0E, 1}) + S("leaves") + H({0x0E, 1, 0, 0}) +
                            H({0, 0}) + H({0, 0}) + H({0, 0}) + H({0xAB, 0xCD});
  EXPECT_EQ(ReadComponentImage(image, g), image.size() - 2);
  EXPECT_EQ(g.Name(), "Raiz");
  EXPECT_EQ(g.Ratio(), 10000.0);
  ASSERT_EQ(g.Trunks().Count(), 1);
  EXPECT_EQ(g.Trunks()[0].Name(), "");
  EXPECT_EQ(g.Trunks()[0].Branches()[0].Leaves()[0].Count(), 3);
}

TEST(ComponentStream, DamagedImagesRaiseReadErrors) {
  const std::string trunks = S("Trunks") + H({0x0E, 0});
  const std::string cut = "Fim inesperado do arquivo", format = "Formato de arquivo inválido",
                    wrong = "Valor de propriedade inválido";
  struct Case {
    const char* what;
    std::string image;
    std::string message;
  } cases[] = {
      {"empty", "", cut},
      {"signature", "TPF1" + S("TGrove") + H({0}) + trunks + H({0, 0}), format},
      {"unknown property", GroveImage(S("Colour") + H({2, 1})), "Erro ao ler TGrove.Colour: a propriedade não existe"},
      {"huge name", GroveImage(S("Fil" + std::string(197, '\x9D')) + H({2, 1})),
       "Erro ao ler TGrove.Fil" + std::string(60, '?') + "…: a propriedade não existe"},
      {"read-only property", GroveImage(S("total") + H({2, 1})),
       "Erro ao ler TGrove.Total: a propriedade é somente leitura"},
      {"read-only item Id", GroveImage(S("Trunks") + H({0x0E, 1}) + S("Id") + H({2, 0, 0, 0})),
       "Erro ao ler TTrunk.Id: a propriedade é somente leitura"},
      {"string on a Double", GroveImage(S("Ratio") + H({6, 1, 'x'})), wrong},
      {"real on an Integer", GroveImage(S("Level") + H({5}) + Ext(1.0)), wrong},
      {"boolean on an Integer", GroveImage(S("Level") + H({9})), wrong},
      {"integer on a string", GroveImage(S("Note") + H({2, 1})), wrong},
      {"identifier on a string", GroveImage(S("Note") + H({7}) + S("x")), wrong},
      {"list on a collection", GroveImage(S("Trunks") + H({1, 0})), wrong},
      {"collection on a Double", GroveImage(S("Ratio") + H({0x0E, 0})), wrong},
      {"item without list begin", GroveImage(S("Trunks") + H({0x0E, 5, 0, 0})), format},
      {"huge long text", GroveImage(S("Note") + H({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'})), cut},
      {"long text past the end", GroveImage(S("Note") + H({0x0C, 5, 0, 0, 0, 'a'})), cut},
      {"unnormal real", GroveImage(S("Ratio") + H({5, 0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F})), wrong},
      {"child component", "TPF0" + S("TGrove") + H({0}) + trunks + H({0, 1}), format},
      {"no end of children", "TPF0" + S("TGrove") + H({0}) + trunks + H({0}), cut},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TGrove g;
    EXPECT_EQ(ReadError([&] { ReadComponentImage(c.image, g); }), c.message);
  }

  // What was read before the fault stays.
  TGrove g;
  EXPECT_THROW(ReadComponentImage(GroveImage(S("Filename") + H({6}) + S("Lido.dat") + S("Oops") + H({2, 0})), g),
               EReadError);
  EXPECT_EQ(g.Filename(), "Lido.dat");
}

TEST(ComponentStream, EveryPrefixOfAnImageFailsCleanly) {
  TGrove g;
  Fill(g);
  const std::string image = WriteComponentImage(g);
  for (std::size_t n = 0; n < image.size(); ++n) {
    TGrove back;
    ASSERT_THROW(ReadComponentImage(std::string_view(image).substr(0, n), back), EReadError) << n;
  }
  // Also from a heap copy of exactly that length, so a sanitizer sees an overrun.
  for (std::size_t n = 0; n < image.size(); n += 7) {
    auto copy = std::make_unique<char[]>(n == 0 ? 1 : n);
    std::memcpy(copy.get(), image.data(), n);
    TGrove back;
    ASSERT_THROW(ReadComponentImage(std::string_view(copy.get(), n), back), EReadError) << n;
  }
}

TEST(ComponentStream, CorruptedImagesNeverEscapeTheReadError) {
  TGrove g;
  Fill(g);
  const std::string image = WriteComponentImage(g);
  std::mt19937 rng(11);
  int read = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string bad = image;
    for (int k = 1 + static_cast<int>(rng() % 4); k > 0; --k)
      bad[rng() % bad.size()] = static_cast<char>(rng() % 3 == 0 ? rng() % 16 : rng());
    TGrove back;
    try {
      ReadComponentImage(bad, back);
      ++read;
    } catch (const EReadError&) {
    }
  }
  EXPECT_GT(read, 0);
}

TEST(ComponentStream, NestingIsBounded) {
  auto nested = [](int depth) {
    std::string s = "TPF0" + S("TNodeRoot") + H({0}) + S("Nodes");
    for (int i = 0; i < depth; ++i) s += H({0x0E, 1}) + S("Children");
    s += H({0x0E, 0});
    for (int i = 0; i < depth; ++i) s += H({0, 0});
    return s + H({0, 0});
  };
  TNodeRoot ok;
  ReadComponentImage(nested(kMaxStreamNesting - 1), ok);
  TNode* n = &ok.Nodes()[0];
  int depth = 1;
  while (n->Children().Count() > 0) {
    n = &n->Children()[0];
    ++depth;
  }
  EXPECT_EQ(depth, kMaxStreamNesting - 1);
  EXPECT_EQ(WriteComponentImage(ok), nested(kMaxStreamNesting - 1));

  TNodeRoot deep;
  EXPECT_EQ(ReadError([&] { ReadComponentImage(nested(kMaxStreamNesting), deep); }), "Formato de arquivo inválido");
  EXPECT_EQ(ReadError([&] { ReadComponentImage(nested(100000), deep); }), "Formato de arquivo inválido");
}
