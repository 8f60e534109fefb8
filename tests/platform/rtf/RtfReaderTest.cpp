// The RTF reader on the reports the programs write, on the rules of their
// output, and on damaged input.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "fixtures/ReferenceReport.h"
#include "model/items/ErrorsUnit.h"
#include "model/items/RTFUnit.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtl/CodePage.h"
#include "quorva/model/RelatorioCustosUnit.h"
#include "quorva/model/ResultUnit.h"
#include "tests/support/ExamplePlans.h"

namespace {

using Row = std::vector<std::string>;

// The rows as the writer lays them out ("\intbl " then "<text>\cell " per
// cell, then "\row"), cut out of the bytes by plain string search.
std::vector<Row> RowsInBytes(const std::string& rtf) {
  std::vector<Row> rows;
  const std::string open = "\\intbl ", cell = "\\cell ", close = "\\row";
  for (std::size_t at = rtf.find(open); at != std::string::npos; at = rtf.find(open, at + 1)) {
    const std::size_t begin = at + open.size();
    const std::size_t end = rtf.find(close, begin);
    std::string body = rtf.substr(begin, end - begin);
    Row row;
    for (std::size_t p = 0, q; (q = body.find(cell, p)) != std::string::npos; p = q + cell.size())
      row.push_back(Cp1252ToUtf8(body.substr(p, q - p)));
    rows.push_back(row);
  }
  return rows;
}

std::vector<Row> RowsRead(const RtfDocument& doc) {
  std::vector<Row> rows;
  for (const RtfTable* table : doc.Tables())
    for (const RtfRow& row : table->rows) {
      Row texts;
      for (const RtfCell& cell : row.cells) texts.push_back(cell.Text());
      rows.push_back(texts);
    }
  return rows;
}

// Every run of the row with text is bold (false for a row without text).
bool RowBold(const RtfRow& row) {
  bool any = false;
  for (const RtfCell& cell : row.cells)
    for (const RtfParagraph& p : cell.paragraphs)
      for (const RtfRun& run : p.runs) {
        if (run.text.find_first_not_of(' ') == std::string::npos) continue;
        if (!run.format.bold) return false;
        any = true;
      }
  return any;
}

std::size_t Count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

std::vector<std::string> ParagraphTexts(const RtfDocument& doc) {
  std::vector<std::string> texts;
  for (const RtfParagraph* p : doc.Paragraphs()) texts.push_back(p->Text());
  return texts;
}

bool HasParagraph(const RtfDocument& doc, const std::string& text) {
  for (const RtfParagraph* p : doc.Paragraphs())
    if (p->Text() == text) return true;
  return false;
}

// Quorva's example plan, calculated.
struct QuorvaReports {
  QuorvaReports() {
    examples::FillExampleA(plan);
    TErrorList errors;
    if (!plan.Validate(errors) || !plan.Calculate()) throw std::runtime_error("the example plan failed");
    quorva::TResult economic;
    economic.Build(plan);
    economicRtf = economic.GetStream();
    TRelatorioCustos costs;
    costs.Build(plan);
    costRtf = costs.GetStream();
  }
  TQuorva plan;
  std::string economicRtf;
  std::string costRtf;
};

const std::string kUtf8Ccedil = "\xC3\xA7";

}  // namespace

TEST(RtfReader, GrowthReportReadsBackEveryCellAndParagraph) {
  const std::string rtf = fixtures::ReferenceGrowthReport();
  const RtfDocument doc = RtfReader::Read(rtf);

  ASSERT_EQ(doc.fonts.size(), 3u);
  EXPECT_EQ(doc.Font(0)->face, "Courier New");
  EXPECT_EQ(doc.Font(0)->family, "modern");
  EXPECT_EQ(doc.Font(1)->face, "Arial");
  EXPECT_EQ(doc.Font(2)->face, "Times New Roman");
  EXPECT_EQ(doc.Font(2)->family, "roman");

  // Every cell, in order.
  EXPECT_EQ(RowsRead(doc), RowsInBytes(rtf));

  // Three thinnings: four growth tables, the thinning table and four
  // assortment tables (three thinnings and the final cut).
  const std::vector<const RtfTable*> tables = doc.Tables();
  ASSERT_EQ(tables.size(), 9u);
  EXPECT_EQ(tables.size(), Count(rtf, "\\trowd"));
  const std::vector<int> growthEdges = {600, 1960, 3160, 4620, 5620, 6630, 7930, 8880, 9880};
  std::size_t growthRows = 0;
  for (int t = 0; t < 4; ++t) {
    EXPECT_EQ(tables[t]->definition.rightEdges, growthEdges);
    EXPECT_EQ(tables[t]->definition.gap, 80);
    EXPECT_TRUE(tables[t]->definition.centred);
    EXPECT_TRUE(tables[t]->definition.bordered);
    EXPECT_EQ(tables[t]->columns, 9);
    EXPECT_EQ(tables[t]->rows[0].cells[0].Text(), "Idade");
    growthRows += tables[t]->rows.size() - 1;
  }
  TSimulation s;
  fixtures::FillReferenceSimulation(s);
  ASSERT_TRUE(s.Validate() && s.Execute());
  EXPECT_EQ(growthRows, static_cast<std::size_t>(s.PrognosisCollection().Count()));
  EXPECT_EQ(tables[4]->columns, 4);
  EXPECT_EQ(tables[4]->rows.size(), 4u);
  for (int t = 5; t < 9; ++t) {
    EXPECT_EQ(tables[t]->columns, 7);
    EXPECT_EQ(tables[t]->rows.back().cells[0].Text(), "Totais");
    EXPECT_TRUE(RowBold(tables[t]->rows.back()));
  }
  for (const RtfTable* table : tables) {
    EXPECT_TRUE(RowBold(table->rows[0]));
    EXPECT_FALSE(RowBold(table->rows[1]));
    for (const RtfRow& row : table->rows) EXPECT_EQ(static_cast<int>(row.cells.size()), table->columns);
  }
  // Data cells in Courier New 10 pt, heads in Arial 8 pt.
  EXPECT_EQ(tables[0]->rows[1].cells[0].paragraphs[0].runs[0].format, (RtfCharFormat{0, 20, false}));
  EXPECT_EQ(tables[0]->rows[0].cells[0].paragraphs[0].runs[0].format, (RtfCharFormat{1, 16, true}));

  // The blank after a control word is its delimiter.
  EXPECT_TRUE(HasParagraph(doc, std::string(20, ' ') + "Tallora"));
  EXPECT_TRUE(
      HasParagraph(doc, "         TABELA DE CRESCIMENTO E PRODU\xC3\x87\xC3\x83O - Eucalyptus grandis / urograndis"));
  EXPECT_TRUE(HasParagraph(doc, "\tDescri\xC3\xA7\xC3\xA3o: Refer\xC3\xAAncia"));
  EXPECT_TRUE(HasParagraph(doc, "\t\xC3\x8Dndice de S\xC3\xADtio: 28,0"));
  EXPECT_TRUE(
      HasParagraph(doc, "\tO povoamento foi desbastado pela remo\xC3\xA7\xC3\xA3o de 1 em cada 5 linhas e, depois,"));
  const RtfParagraph& title = *doc.Paragraphs()[0];
  ASSERT_EQ(title.runs.size(), 1u);
  EXPECT_EQ(title.runs[0].format, (RtfCharFormat{1, 24, true}));

  // The document ends "\row\b0\par}": the last table keeps its last row, and
  // an empty paragraph follows it.
  ASSERT_TRUE(rtf.ends_with("\\row\\b0\\par}"));
  ASSERT_TRUE(std::holds_alternative<RtfParagraph>(doc.blocks.back()));
  EXPECT_EQ(std::get<RtfParagraph>(doc.blocks.back()).Text(), "");
  EXPECT_TRUE(std::holds_alternative<RtfTable>(doc.blocks[doc.blocks.size() - 2]));
}

TEST(RtfReader, QuorvaReportsReadBackEveryCell) {
  const QuorvaReports reports;
  {
    const RtfDocument doc = RtfReader::Read(reports.economicRtf);
    EXPECT_EQ(RowsRead(doc), RowsInBytes(reports.economicRtf));
    const std::vector<const RtfTable*> tables = doc.Tables();
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0]->columns, 5);
    EXPECT_EQ(tables[0]->rows.size(), 1u + 8u);  // the head and years 0 to 7
    EXPECT_EQ(tables[0]->definition.gap, 200);
    EXPECT_EQ(tables[1]->columns, 4);
    EXPECT_EQ(tables[1]->rows.size(), 1u + 3u);  // rates 6, 10 and 14
    EXPECT_EQ(tables[1]->definition.gap, 400);
    for (const RtfTable* t : tables) {
      EXPECT_TRUE(RowBold(t->rows[0]));
      for (std::size_t r = 1; r < t->rows.size(); ++r) EXPECT_FALSE(RowBold(t->rows[r]));
    }
    EXPECT_EQ(tables[1]->rows[1].cells[1].Text(), "    8.633,74");
    EXPECT_TRUE(HasParagraph(doc, "\t\t\t\t\t\tQUORVA"));
    EXPECT_TRUE(HasParagraph(doc, "\tAn\xC3\xA1lise de Sensibilidade: "));
    EXPECT_TRUE(HasParagraph(doc, "\tReceita Total:\t\t\t\t\t   23.400,00"));
    EXPECT_TRUE(std::holds_alternative<RtfParagraph>(doc.blocks.back()));
  }
  {
    const RtfDocument doc = RtfReader::Read(reports.costRtf);
    EXPECT_EQ(RowsRead(doc), RowsInBytes(reports.costRtf));
    const std::vector<const RtfTable*> tables = doc.Tables();
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0]->columns, 6);
    EXPECT_EQ(tables[1]->columns, 4);
    EXPECT_EQ(tables[2]->columns, 3);
    for (const RtfTable* t : tables) {
      EXPECT_FALSE(t->definition.centred);
      ASSERT_EQ(t->rows.size(), 5u);  // the head, three costs and the total
      EXPECT_TRUE(RowBold(t->rows[0]));
      EXPECT_FALSE(RowBold(t->rows[1]));
      EXPECT_TRUE(RowBold(t->rows[4]));
      EXPECT_EQ(t->rows[4].cells[0].Text(), "Total");
    }
    EXPECT_TRUE(HasParagraph(doc, "\tRelat\xC3\xB3rio de Custos "));
  }
}

TEST(RtfReader, TheBlankAfterAControlWordIsItsDelimiter) {
  const RtfDocument doc =
      RtfReader::Read("{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\pard\\b1" + std::string(21, ' ') +
                      "Tallora\\par\\f1\\fs20 A - \\f1\\fs18 B\\b0\\par\\fs24\\par x\\tab y\\b\\'e7\\b0\\par}");
  EXPECT_EQ(ParagraphTexts(doc),
            (std::vector<std::string>{std::string(20, ' ') + "Tallora", "A - B", "", "x\ty" + kUtf8Ccedil}));
  const RtfParagraph& last = *doc.Paragraphs()[3];
  ASSERT_EQ(last.runs.size(), 2u);
  EXPECT_FALSE(last.runs[0].format.bold);
  EXPECT_TRUE(last.runs[1].format.bold);
  // An empty paragraph keeps the size at its end.
  EXPECT_EQ(doc.Paragraphs()[2]->mark.halfPoints, 24);
}

TEST(RtfReader, DataRowsReuseTheLastRowDefinition) {
  const RtfDocument doc = RtfReader::Read(
      "{\\rtf1\\pard\\b1\\trowd\\trgaph90\\trqc\\cellx1000\\cellx2500\\intbl A\\cell B\\cell \\row"
      "\\b0\\intbl 1\\cell 2\\cell \\row\\intbl 3\\cell 4\\cell \\row\\pard\\par Texto\\par"
      "\\trowd\\trgaph90\\trqc\\cellx1000\\cellx2500\\intbl C\\cell D\\cell \\row}");
  const std::vector<const RtfTable*> tables = doc.Tables();
  ASSERT_EQ(tables.size(), 2u);  // a paragraph between two definitions: two tables
  EXPECT_EQ(tables[0]->definition.rightEdges, (std::vector<int>{1000, 2500}));
  EXPECT_EQ(tables[0]->definition.gap, 90);
  EXPECT_TRUE(tables[0]->definition.centred);
  EXPECT_EQ(RowsRead(doc), (std::vector<Row>{{"A", "B"}, {"1", "2"}, {"3", "4"}, {"C", "D"}}));
  EXPECT_EQ(ParagraphTexts(doc), (std::vector<std::string>{"", "Texto"}));
  // A row of another structure starts a new table, even without a paragraph.
  const RtfDocument wider = RtfReader::Read(
      "{\\rtf1\\trowd\\cellx1000\\intbl A\\cell \\row\\trowd\\cellx1000\\cellx2000\\intbl B\\cell C\\cell \\row"
      "\\intbl D\\cell E\\cell \\row}");
  ASSERT_EQ(wider.Tables().size(), 2u);
  EXPECT_EQ(wider.Tables()[1]->rows.size(), 2u);
}

TEST(RtfReader, AParagraphAfterTheLastRowIsOutsideTheTable) {
  const RtfDocument doc =
      RtfReader::Read("{\\rtf1\\trowd\\cellx1000\\intbl A\\cell \\row\\intbl B\\cell \\row\\par Fim\\par}");
  ASSERT_EQ(doc.blocks.size(), 3u);
  const RtfTable& table = std::get<RtfTable>(doc.blocks[0]);
  EXPECT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(std::get<RtfParagraph>(doc.blocks[1]).Text(), "");
  EXPECT_EQ(std::get<RtfParagraph>(doc.blocks[2]).Text(), "Fim");
}

TEST(RtfReader, CodePageBytesAndUnicodeGiveTheSameCharacter) {
  const RtfDocument doc = RtfReader::Read("{\\rtf1 a\\'e7b\\par a\\u231?b\\par a\\uc2\\u231??b\\par \\'80\\par}");
  EXPECT_EQ(ParagraphTexts(doc), (std::vector<std::string>{"a" + kUtf8Ccedil + "b", "a" + kUtf8Ccedil + "b",
                                                           "a" + kUtf8Ccedil + "b", "\xE2\x82\xAC"}));
  // What the writer escapes reads back as it was.
  const std::string text = "{a\\b} \xC3\xA7\xE2\x82\xAC \xC5\x91 \xF0\x9F\x98\x80 \xE2\x80\x94";
  const RtfDocument escaped = RtfReader::Read("{\\rtf1\\pard " + EncodeRTFText(text) + "\\par}");
  EXPECT_EQ(ParagraphTexts(escaped), std::vector<std::string>{text});
}

TEST(RtfReader, DamagedInputGivesWhatCanBeRead) {
  // Unbalanced braces, stray words, a trailing backslash, a cut escape.
  EXPECT_EQ(ParagraphTexts(RtfReader::Read("}}{\\rtf1 a}}b\\zzz c\\par\\")), std::vector<std::string>{"abc"});
  EXPECT_EQ(ParagraphTexts(RtfReader::Read("{\\rtf1 x\\'4")), std::vector<std::string>{"x"});
  EXPECT_EQ(ParagraphTexts(RtfReader::Read("{\\rtf1 x\\'4y\\'}")), std::vector<std::string>{"xy"});
  EXPECT_TRUE(RtfReader::Read("").blocks.empty());
  // Absurd parameters are kept within bounds.
  const RtfDocument big = RtfReader::Read(
      "{\\rtf1\\fs999999999999999999999 a\\par\\fs-5 b\\par\\trowd\\trgaph-7\\cellx99999999999\\intbl c\\cell \\row}");
  EXPECT_EQ(big.Paragraphs()[0]->runs[0].format.halfPoints, RtfReader::kMaxHalfPoints);
  EXPECT_EQ(big.Paragraphs()[1]->runs[0].format.halfPoints, 24);
  EXPECT_EQ(big.Tables()[0]->definition.rightEdges, std::vector<int>{RtfReader::kMaxTwips});
  EXPECT_EQ(big.Tables()[0]->definition.gap, 0);
  // A row of many cells keeps at most the column limit; nothing is lost.
  std::string many = "{\\rtf1\\intbl ";
  for (int i = 0; i < 1000; ++i) many += "x\\cell ";
  many += "\\row}";
  const RtfDocument wide = RtfReader::Read(many);
  ASSERT_EQ(wide.Tables().size(), 1u);
  const RtfRow& row = wide.Tables()[0]->rows[0];
  EXPECT_EQ(static_cast<int>(row.cells.size()), RtfReader::kMaxColumns);
  EXPECT_EQ(row.cells.back().paragraphs.size(), 1000u - RtfReader::kMaxColumns + 1);
  // Deep nesting, skipped destinations.
  EXPECT_EQ(ParagraphTexts(RtfReader::Read(std::string(200000, '{') + "z")), std::vector<std::string>{"z"});
  EXPECT_EQ(ParagraphTexts(RtfReader::Read("{\\rtf1{\\*\\generator x;}{\\colortbl;\\red0;}{\\info{\\title t}}y\\par}")),
            std::vector<std::string>{"y"});
}

TEST(RtfReader, EveryPrefixAndRandomMutationsFinish) {
  const QuorvaReports quorva;
  const std::vector<std::string> reports = {fixtures::ReferenceGrowthReport(), quorva.economicRtf};
  using Clock = std::chrono::steady_clock;
  Clock::duration slowest{};
  auto read = [&](const std::string& rtf) {
    const Clock::time_point start = Clock::now();
    const RtfDocument doc = RtfReader::Read(rtf);
    slowest = std::max(slowest, Clock::now() - start);
    for (const RtfTable* t : doc.Tables())
      for (const RtfRow& row : t->rows) EXPECT_LE(row.cells.size(), static_cast<std::size_t>(t->columns));
  };
  for (const std::string& rtf : reports)
    for (std::size_t n = 0; n <= rtf.size(); ++n) read(rtf.substr(0, n));

  // The writer's pieces and hostile ones, spliced into the reports.
  const std::vector<std::string> pieces = {"{",
                                           "}",
                                           "\\",
                                           "\\par",
                                           "\\pard",
                                           "\\row",
                                           "\\cell ",
                                           "\\intbl ",
                                           "\\trowd",
                                           "\\cellx",
                                           "\\cellx-99999999999",
                                           "\\fs999999999",
                                           "\\u",
                                           "\\u-1?",
                                           "\\'",
                                           "\\'zz",
                                           "\\*",
                                           "\\fonttbl",
                                           "\\uc9",
                                           "\\b",
                                           "\t",
                                           "\r\n",
                                           std::string(1, '\0'),
                                           "\\f1234567"};
  std::uint32_t seed = 20240601;
  auto next = [&seed](std::uint32_t bound) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<std::size_t>((seed >> 8) % bound);
  };
  for (int i = 0; i < 3000; ++i) {
    std::string rtf = reports[static_cast<std::size_t>(i) % reports.size()];
    const int edits = 1 + static_cast<int>(next(8));
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = next(static_cast<std::uint32_t>(rtf.size() + 1));
      switch (next(5)) {
        case 0:
          if (at < rtf.size()) rtf[at] = static_cast<char>(next(256));
          break;
        case 1:
          rtf.erase(at, next(64));
          break;
        case 2:
          rtf.insert(at, pieces[next(static_cast<std::uint32_t>(pieces.size()))]);
          break;
        case 3:
          rtf.insert(at, rtf.substr(next(static_cast<std::uint32_t>(rtf.size())), next(200)));
          break;
        default:
          rtf.resize(at);
          break;
      }
    }
    read(rtf);
  }
  EXPECT_LT(std::chrono::duration<double>(slowest).count(), 1.0);
}
