#include <gtest/gtest.h>

#include "platform/rtl/CodePage.h"

namespace {

TEST(CodePage, HighRangeAndUnassignedBytes) {
  std::string bytes;
  for (int b = 0x80; b <= 0x9F; ++b) bytes += static_cast<char>(b);
  const std::string expected =
      "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F"
      "\u0090‘’“”•–—˜™š›œ\u009DžŸ";
  EXPECT_EQ(Cp1252ToUtf8(bytes), expected);
  EXPECT_EQ(Utf8ToCp1252(expected), bytes);
  EXPECT_EQ(Utf8ToCp1252("€"), "\x80");
}

TEST(CodePage, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("Aduba\xE7\xE3o \xA0\xFF"), "Adubação \u00A0ÿ");
  EXPECT_EQ(Utf8ToCp1252("Simulação Ç"), "Simula\xE7\xE3o \xC7");
}

TEST(CodePage, OutsideOrInvalidBecomesQuestionMark) {
  EXPECT_EQ(Utf8ToCp1252("Ω=😀"), "?=?");
  EXPECT_EQ(Utf8ToCp1252("\u0080\u009F\u0100"), "???");  // C1 controls other than the unassigned five
  EXPECT_EQ(Utf8ToCp1252("a\xFF"
                         "b\xC3"),
            "a?b?");
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");  // overlong '/'
}

TEST(CodePage, FirstCharOutside) {
  EXPECT_EQ(FirstCharOutsideCp1252("Talhão 🌳 東"), "🌳");
  EXPECT_EQ(FirstCharOutsideCp1252("東"), "東");
  EXPECT_EQ(FirstCharOutsideCp1252("a\xFF"), "\xFF");
  EXPECT_TRUE(FirstCharOutsideCp1252("Ação nº 1 €, 2ª Ÿ\u0081").empty());
}

TEST(CodePage, CharLookup) {
  EXPECT_EQ(Cp1252Char(U'A'), 0x41);
  EXPECT_EQ(Cp1252Char(U'\u20AC'), 0x80);
  EXPECT_EQ(Cp1252Char(U'\u0081'), 0x81);
  EXPECT_EQ(Cp1252Char(U'\u0178'), 0x9F);
  EXPECT_EQ(Cp1252Char(U'\u00FF'), 0xFF);
  EXPECT_EQ(Cp1252Char(U'\u0080'), -1);
  EXPECT_EQ(Cp1252Char(U'\u0100'), -1);
  EXPECT_EQ(Cp1252Char(U'\U0001F600'), -1);
}

}  // namespace
