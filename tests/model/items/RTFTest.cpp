#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <string_view>

#include "model/items/RTFUnit.h"

namespace {

const std::string kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046";
const std::string kBorders =
    "\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\brdrw10"
    "\\trbrdrb\\brdrs\\brdrw10\\trbrdrr\\brdrs\\brdrw10";

// What the calls append to a begun document without fonts.
template <typename F>
std::string Appended(F write) {
  TRTFDocument doc;
  doc.BeginDocument();
  const std::size_t start = doc.Data().size();
  write(doc);
  return doc.Data().substr(start);
}

// The header's group closes at the last byte, braces balance outside escapes,
// every control word is one the writer emits and "\u" has its "?" fallback.
::testing::AssertionResult WellFormed(const std::string& rtf) {
  static const std::set<std::string> kWords = {
      "rtf",      "ansi",    "ansicpg", "deff",  "deflang", "fonttbl", "f",      "fmodern", "fswiss",  "froman",
      "fcharset", "pard",    "par",     "fs",    "b",       "trowd",   "trgaph", "trqc",    "trbrdrt", "trbrdrl",
      "trbrdrb",  "trbrdrr", "brdrs",   "brdrw", "cellx",   "intbl",   "cell",   "row",     "u"};
  if (rtf.rfind(kHeader, 0) != 0) return ::testing::AssertionFailure() << "no header";
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '{' || rtf[i] == '}') {
      depth += rtf[i] == '{' ? 1 : -1;
      if (depth <= 0 && i + 1 != rtf.size()) return ::testing::AssertionFailure() << "group closed at byte " << i;
    } else if (rtf[i] == '\\') {
      std::size_t j = i + 1;
      if (j < rtf.size() && std::string_view("\\{}").find(rtf[j]) != std::string_view::npos) {
        i = j;
        continue;
      }
      while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
      const std::string word = rtf.substr(i + 1, j - i - 1);
      if (!kWords.count(word)) return ::testing::AssertionFailure() << "bad control at " << i;
      if (j < rtf.size() && rtf[j] == '-') ++j;
      while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j]))) ++j;
      if (word == "u" && (j >= rtf.size() || rtf[j++] != '?'))
        return ::testing::AssertionFailure() << "\\u without fallback at " << i;
      i = j - 1;
    }
  }
  if (depth != 0) return ::testing::AssertionFailure() << "depth " << depth << " at the end";
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(RTFDocument, HeaderAndFontTable) {
  TRTFDocument doc;
  EXPECT_EQ(doc.Header(), kHeader);
  EXPECT_EQ(doc.AddFont("modern", "Courier New"), 0);
  EXPECT_EQ(doc.AddFont("swiss", "Arial"), 1);
  EXPECT_EQ(doc.AddFont("roman", "Times New Roman"), 2);
  ASSERT_EQ(doc.Fonts().size(), 3u);
  EXPECT_EQ(doc.Fonts()[1], "{\\f1\\fswiss\\fcharset0 Arial;}");
  EXPECT_TRUE(doc.Data().empty());
  doc.BeginDocument();
  EXPECT_EQ(doc.Data(),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl"
            "{\\f0\\fmodern\\fcharset0 Courier New;}{\\f1\\fswiss\\fcharset0 Arial;}"
            "{\\f2\\froman\\fcharset0 Times New Roman;}}\\pard");
  EXPECT_EQ(doc.Position(), doc.Data().size());

  TRTFDocument bare;
  bare.BeginDocument();
  EXPECT_EQ(bare.Data(), kHeader + "\\pard");
}

TEST(RTFDocument, ControlWordsAsWritten) {
  EXPECT_EQ(Appended([](TRTFDocument& d) { d.SetFontAndSize(1, 12); }), "\\f1\\fs24");
  EXPECT_EQ(Appended([](TRTFDocument& d) {
              d.SetFont(2);
              d.SetFontSize(9);
            }),
            "\\f2\\fs18");
  EXPECT_EQ(Appended([](TRTFDocument& d) {
              d.NewParagraph();
              d.NewParagraphs(2);
            }),
            "\\par\\par\\par");
  EXPECT_EQ(Appended([](TRTFDocument& d) {
              d.NewParagraphs(0);
              d.NewParagraphs(-2);
            }),
            "");
  EXPECT_EQ(Appended([](TRTFDocument& d) {
              d.ResetParagraph();
              d.BoldOn();
              d.BoldOff();
            }),
            "\\pard\\b1\\b0");
  EXPECT_EQ(Appended([](TRTFDocument& d) {
              d.BeginTableRow(80, {600, 1360});
            }),
            "\\trowd\\trgaph80\\trqc" + kBorders + "\\cellx600\\cellx1960");
  EXPECT_EQ(Appended([](TRTFDocument& d) {
              d.BeginLeftTableRow(150, {2250, 1500, 1500});
            }),
            "\\trowd\\trgaph150" + kBorders + "\\cellx2250\\cellx3750\\cellx5250");
  EXPECT_EQ(Appended([](TRTFDocument& d) { d.WriteTableRow({"a", "b"}); }), "\\intbl a\\cell b\\cell \\row");
  EXPECT_EQ(Appended([](TRTFDocument& d) { d.WriteTableRow({"Totais", ""}); }), "\\intbl Totais\\cell \\cell \\row");
}

TEST(RTFDocument, EndRewindsAndBeginStartsAgain) {
  TRTFDocument doc;
  doc.AddFont("swiss", "Arial");
  doc.BeginDocument();
  doc.WriteText(" primeiro");  // the caller supplies the delimiter
  doc.EndDocument();
  const std::string begun = kHeader + "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\pard";
  EXPECT_EQ(doc.Data(), begun + " primeiro}");
  EXPECT_EQ(doc.Position(), 0u);
  EXPECT_TRUE(WellFormed(doc.Data()));
  doc.BeginDocument();
  EXPECT_EQ(doc.Data(), begun);
}

TEST(RTFText, EscapesAndCodePage) {
  EXPECT_EQ(EncodeRTFText("a{b}c\\d"), "a\\{b\\}c\\\\d");
  EXPECT_EQ(EncodeRTFText("\tÍndice de Sítio: "),
            "\t\xCD"
            "ndice de S\xEDtio: ");
  EXPECT_EQ(EncodeRTFText("€—“”"), "\x80\x97\x93\x94");
  EXPECT_EQ(EncodeRTFText("ł"), "\\u322?");
  EXPECT_EQ(EncodeRTFText("中"), "\\u20013?");
  EXPECT_EQ(EncodeRTFText("한"), "\\u-10916?");          // U+D55C
  EXPECT_EQ(EncodeRTFText("😀"), "\\u-10179?\\u-8704?");  // U+1F600 as D83D DE00
  EXPECT_EQ(EncodeRTFText("a\xFF"
                          "b"),
            "a?b");  // invalid UTF-8 byte
}

TEST(RTFDocument, UserTextGivesAWellFormedDocument) {
  const std::string description = "Talhão {7} \\ Açaí } { \\par 中 € ł ções";
  const std::string encoded =
      "Talh\xE3o \\{7\\} \\\\ A\xE7"
      "a\xED \\} \\{ \\\\par \\u20013? \x80 \\u322? \xE7\xF5"
      "es";
  EXPECT_FALSE(WellFormed(kHeader + "\\pard " + description + "}"));

  TRTFDocument doc;
  doc.AddFont("modern", "Courier New");
  doc.AddFont("swiss", "Arial {x}");
  doc.BeginDocument();
  doc.SetFontAndSize(0, 9);
  doc.WriteText("\tDescrição: " + description);
  doc.NewParagraph();
  doc.BeginTableRow(90, {1300, 900});
  doc.WriteTableRow({"Classes {DAP}", "}\\"});
  doc.WriteTableRow({description, "中"});
  doc.NewParagraph();
  doc.EndDocument();

  const std::string& rtf = doc.Data();
  EXPECT_TRUE(WellFormed(rtf));
  EXPECT_NE(rtf.find("{\\f1\\fswiss\\fcharset0 Arial \\{x\\};}"), std::string::npos);
  EXPECT_NE(rtf.find("\\fs18\tDescri\xE7\xE3o: " + encoded + "\\par"), std::string::npos);
  EXPECT_NE(rtf.find("\\intbl Classes \\{DAP\\}\\cell \\}\\\\\\cell \\row"), std::string::npos);
  EXPECT_NE(rtf.find("\\intbl " + encoded + "\\cell \\u20013?\\cell \\row"), std::string::npos);
}
