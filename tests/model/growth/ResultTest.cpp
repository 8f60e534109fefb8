// Tallora's growth-and-production report: structure against the simulation's
// own collections, exact cells of hand-built items, escaping of user text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "fixtures/ReferenceSimulation.h"
#include "model/growth/ResultUnit.h"
#include "model/growth/SimulationUnit.h"
#include "platform/rtl/SysUtils.h"

namespace {

using Row = std::vector<std::string>;
struct Table {
  int cells = 0;
  std::vector<Row> rows;  // the head first
};

// Header first, braces balanced outside escapes and closing only at the last
// byte, every row as wide as its definition; returns the tables as written.
std::vector<Table> Tables(const std::string& rtf) {
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl", 0), 0u);
  std::vector<Table> tables(1);
  int depth = 0;
  std::size_t from = 0;
  auto alpha = [&](std::size_t i) { return i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i])); };
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
    EXPECT_TRUE(depth > 0 || i + 1 == rtf.size()) << "closed at " << i;
    if (rtf[i] != '\\' || !alpha(++i)) continue;  // a control symbol is skipped whole
    std::size_t j = i;
    while (alpha(j)) ++j;
    const std::string word = rtf.substr(i, j - i);
    Table& t = tables.back();
    if (word == "trowd") tables.emplace_back();
    if (word == "cellx") ++t.cells;
    if (word == "intbl") t.rows.emplace_back(), from = j + 1;
    if (word == "cell") t.rows.back().push_back(rtf.substr(from, i - 1 - from)), from = j + 1;
    if (word == "row") {
      EXPECT_EQ(static_cast<int>(t.rows.back().size()), t.cells);
    }
    i = j - 1;
  }
  EXPECT_EQ(depth, 0);
  tables.erase(tables.begin());
  return tables;
}

std::vector<Table> WithCells(const std::vector<Table>& tables, int cells) {
  std::vector<Table> out;
  for (const Table& t : tables)
    if (t.cells == cells) out.push_back(t);
  return out;
}

// The cell shows v rounded to `decimals` places with the pt-BR separator.
void ExpectShows(const std::string& cell, double v, int decimals = 1) {
  EXPECT_NEAR(StrToFloat(Trim(cell)), v, 0.5 * std::pow(10.0, -decimals) + 1e-9 * std::max(1.0, std::fabs(v))) << cell;
}

double Carbon(double v) {
  return v * 1.25 * 0.49 * 0.42 * 3.66;
}

std::size_t Count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

struct ResultReference : ::testing::Test {
  void SetUp() override {
    fixtures::FillReferenceSimulation(s);
    ASSERT_TRUE(s.Validate() && s.Execute());
  }
  TSimulation s;
  TResult report;
};

}  // namespace

TEST_F(ResultReference, ReportListsEveryRowThinningHarvestAndClass) {
  report.Build(s);
  const std::string& rtf = report.GetStream();
  EXPECT_TRUE(rtf.ends_with("\\par}"));
  EXPECT_NE(rtf.find("\tDescri\xE7\xE3o: Refer\xEAncia\\par\t\xCDndice de S\xEDtio: 28,0\\par\tDensidade "
                     "(\xE1rvores "
                     "por hectare): 1667\\par\tPorcentagem de sobreviv\xEAncia (1\xBA ano): 95 %\\par\\par"),
            std::string::npos);
  const std::vector<Table> tables = Tables(rtf);

  // Growth rows in order; a new table after each thinning note.
  std::vector<std::pair<Row, int>> rows;
  const std::vector<Table> growth = WithCells(tables, 9);
  for (std::size_t t = 0; t < growth.size(); ++t)
    for (std::size_t r = 1; r < growth[t].rows.size(); ++r) rows.emplace_back(growth[t].rows[r], int(t));
  ASSERT_EQ(rows.size(), std::size_t(s.PrognosisCollection().Count()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TPrognosis& p = s.PrognosisCollection()[int(i)];
    const Row& row = rows[i].first;
    EXPECT_EQ(row[0], Format("%3d", {p.Age()}));
    const double values[] = {p.DominantHeight(), p.NoTrees(), p.MedianDiameter(), p.MedianHeight(), p.BaseArea(),
                             p.Volume(),         p.IMA(),     Carbon(p.Volume())};
    for (std::size_t k = 0; k < 8; ++k) ExpectShows(row[k + 1], values[k], k == 1 ? 0 : 1);
    int earlierThins = 0;
    for (const TThin& t : s.ThinCollection()) earlierThins += t.Age() < p.Age();
    EXPECT_EQ(rows[i].second, earlierThins) << p.Age();
  }
  EXPECT_EQ(Count(rtf, "\tO povoamento foi desbastado pela remo\xE7\xE3o de "), 4u);
  EXPECT_EQ(Count(rtf, "remo\xE7\xE3o de 1 em cada 5 linhas e, depois,\\par"), 1u);

  // Thinnings by increasing age.
  const std::vector<Table> thins = WithCells(tables, 4);
  ASSERT_EQ(thins.size(), 1u);
  ASSERT_EQ(thins[0].rows.size(), 4u);
  const Row* row = &thins[0].rows[1];
  for (TThin* t = s.ThinCollection().FirstThin(); t; t = s.ThinCollection().NextThin(), ++row) {
    EXPECT_EQ((*row)[0], Format("%4d", {t->Age()}));
    ExpectShows((*row)[1], t->RemovedVolume()), ExpectShows((*row)[2], Carbon(t->RemovedVolume()));
    ExpectShows((*row)[3], t->VolumeAfterThin());
  }

  // One table per harvest: products by decreasing minimum diameter, classes
  // by increasing diameter, totals.
  const std::vector<Table> assortments = WithCells(tables, 7);
  ASSERT_EQ(assortments.size(), std::size_t(s.ProductionCollection().Count()));
  std::size_t titleAt = 0;
  for (std::size_t h = 0; h < assortments.size(); ++h) {
    const TProduction& harvest = s.ProductionCollection()[int(h)];
    const std::string title = Format("NO %s (%d ANOS)", {harvest.Origem(), harvest.Age()});
    titleAt = rtf.find("\tSORTIMENTO PARA \xC1RVORES REMOVIDAS " + title, titleAt);
    EXPECT_NE(titleAt, std::string::npos) << h;
    const std::vector<Row>& table = assortments[h].rows;
    EXPECT_EQ(table[0], (Row{"Classes DAP", "  \xC1rv/ha ",
                             "Altura M\xE9"
                             "dia",
                             "Volume Total", "Serraria", "Celulose", "Lenha"}));
    std::vector<const TDiameterClass*> classes;
    for (const TDiameterClass& c : harvest.DiameterClasses()) classes.push_back(&c);
    std::stable_sort(classes.begin(), classes.end(),
                     [](auto* a, auto* b) { return a->MinDiameter() < b->MinDiameter(); });
    ASSERT_EQ(table.size(), classes.size() + 2);
    for (std::size_t c = 0; c < classes.size(); ++c) {
      const TDiameterClass& dc = *classes[c];
      EXPECT_EQ(table[c + 1][0], Format("%4.1f-%4.1f", {dc.MinDiameter(), dc.MaxDiameter()}));
      const double values[] = {dc.NoTrees(),
                               dc.MedianHeight(),
                               dc.Volume(),
                               dc.ProductsVolume()[0].Volume(),
                               dc.ProductsVolume()[1].Volume(),
                               dc.ProductsVolume()[2].Volume()};
      for (std::size_t k = 0; k < 6; ++k) ExpectShows(table[c + 1][k + 1], values[k], k == 0 ? 0 : 1);
    }
    const double totals[] = {harvest.MedianHeight(), harvest.TotalVolume(), harvest.ProductTotal(0),
                             harvest.ProductTotal(1), harvest.ProductTotal(2)};
    EXPECT_EQ(table.back()[0] + "|" + table.back()[1], "Totais|");
    for (std::size_t k = 0; k < 5; ++k) ExpectShows(table.back()[k + 2], totals[k]);
  }

  // Without growth rows nothing is written.
  const std::string before = rtf;
  s.PrognosisCollection().Clear();
  report.Build(s);
  EXPECT_EQ(report.GetStream(), before);
}

TEST_F(ResultReference, UserTextFullOfRTFSpecialsAndAccentsIsEscaped) {
  s.SetDescription("}{\\par\\b1 Pinhão «x» € ł 😀 \\");
  s.SetVolumeEquationAuthor("Schumacher {1933}");
  s.ProductCollection()[1].SetName("Serr}a\\");
  report.Build(s);
  const std::string& rtf = report.GetStream();
  EXPECT_NE(rtf.find("\tDescri\xE7\xE3o: \\}\\{\\\\par\\\\b1 Pinh\xE3o \xABx\xBB \x80 \\u322? "
                     "\\u-10179?\\u-8704? "
                     "\\\\\\par"),
            std::string::npos);
  EXPECT_NE(rtf.find("Equa\xE7\xE3o de Volume: Schumacher \\{1933\\}\\par"), std::string::npos);
  for (const Table& t : WithCells(Tables(rtf), 7)) EXPECT_EQ(t.rows[0][4], "Serr\\}a\\\\");
}

TEST(Result, HandBuiltItemsGiveExactCells) {
  TSimulation s;
  s.SetSiteIndex(12.25), s.SetInventoryType(3), s.SetInventoryMode(3), s.SetInventoryTrees(1100);
  s.SetInventoryAge(4), s.SetMedianDiameter(15.5);
  for (int age : {2, 4, 7, 8}) s.PrognosisCollection().Add().SetAge(age);
  TPrognosis& p = s.PrognosisCollection()[2];
  p.SetDominantHeight(25.04), p.SetNoTrees(1096.4), p.SetMedianDiameter(15.62), p.SetMedianHeight(22.31);
  p.SetBaseArea(21.01), p.SetVolume(250.4), p.SetIMA(35.77);
  TThin& early = fixtures::AddThin(s, 4, 0, 0, 10);
  early.SetRemovedBaseArea(1234.56), early.SetRemovedVolume(37.5), early.SetVolumeAfterThin(120);
  fixtures::AddThin(s, 8, 1, 1, 500);  // at the last row: listed, no note
  for (const char* name : {"A", "B", "C"}) fixtures::AddProduct(s, name, *name == 'C' ? 8 : 25, 2, 1);
  TProduction& thinning = s.ProductionCollection().Add();
  thinning.SetOrigem("DESBASTE"), thinning.SetAge(4), thinning.SetMedianHeight(20), thinning.SetTotalVolume(30);
  for (double min : {100, 8}) {
    TDiameterClass& c = thinning.DiameterClasses().Add();
    c.SetMinDiameter(min), c.SetMaxDiameter(min + 2), c.SetNoTrees(min == 8 ? 12.5 : 0);
    for (double v : min == 8 ? std::vector<double>{2, 1, 0} : std::vector<double>{5})
      c.ProductsVolume().Add().SetVolume(v);
  }
  s.ProductionCollection().Add().SetOrigem("CORTE FINAL");

  TResult report;
  report.Build(s);
  const std::string& rtf = report.GetStream();
  EXPECT_NE(rtf.find("\t\xCDndice de S\xEDtio: 12,3\\par\tDensidade: 1100 \xE1rvores por hectare "
                     "aos 4 anos\\par"
                     "\tDi\xE2metro quadr\xE1tico m\xE9"
                     "dio : 15,5\\par\\par"),
            std::string::npos);
  EXPECT_NE(rtf.find("\\pard\\par\\f2\\fs24\tO povoamento foi desbastado pela remo\xE7\xE3o de "
                     "1.234,6 m2 de \xC1rea "
                     "Basal.\\par\\par"),
            std::string::npos);
  EXPECT_EQ(Count(rtf, "desbastado"), 1u);
  const std::vector<Table> tables = Tables(rtf);
  const std::vector<Table> growth = WithCells(tables, 9);
  ASSERT_EQ(growth.size(), 2u);
  EXPECT_EQ(growth[1].rows[1],
            (Row{"  7", "   25,0", "   1096", "    15,6", "  22,3", "  21,0", "   250,4", "  35,8", " 235,8"}));
  const std::vector<Table> thins = WithCells(tables, 4);
  ASSERT_EQ(thins.size(), 1u);
  EXPECT_EQ(thins[0].rows[1], (Row{"   4", "    37,5", "    35,3", "     120,0"}));
  EXPECT_EQ(thins[0].rows[2][0], "   8");

  // The later of equal minimum diameters first; a missing entry prints empty;
  // a harvest without classes has its head only.
  const std::vector<Table> assortments = WithCells(tables, 7);
  ASSERT_EQ(assortments.size(), 2u);
  EXPECT_EQ(Row(assortments[0].rows[0].begin() + 4, assortments[0].rows[0].end()), (Row{"B", "C", "A"}));
  EXPECT_EQ(assortments[0].rows[1], (Row{" 8,0-10,0", "   13", "    0,0", "    0,0", "    2,0", "    1,0", "    0,0"}));
  EXPECT_EQ(assortments[0].rows[2], (Row{"100,0-102,0", "    0", "    0,0", "    0,0", "    5,0", "", ""}));
  EXPECT_EQ(assortments[0].rows[3], (Row{"Totais", "", "   20,0", "   30,0", "    7,0", "", ""}));
  EXPECT_EQ(assortments[1].rows.size(), 1u);
  EXPECT_TRUE(rtf.ends_with("NO CORTE FINAL (0 ANOS)\\b0\\par\\par\\f1\\fs16\\b1" +
                            std::string(rtf.substr(rtf.rfind("\\trowd")))));

  // Trees in a note round halves to even; rows first give two sentences.
  TThin rows;
  rows.SetThinType(2), rows.SetCutRows(3), rows.SetThinMode(1), rows.SetRemovedTrees(402.5);
  report.WriteHeader(s);
  report.WriteThinNote(rows);
  EXPECT_TRUE(report.GetStream().ends_with(
      "\\pard\\par\\f2\\fs24\tO povoamento foi desbastado pela remo\xE7\xE3o de 1 em cada 3 linhas "
      "e, depois,\\par"
      "\tO povoamento foi desbastado pela remo\xE7\xE3o de 402 \xE1rvores.\\par\\par"));

  // No thinnings, harvests or products: no sections, four fixed columns.
  s.ThinCollection().Clear();
  s.ProductCollection().Clear();
  s.ProductionCollection().GetItem(1).DiameterClasses().Add();
  report.Build(s);
  EXPECT_EQ(report.GetStream().find("DESBASTES"), std::string::npos);
  EXPECT_EQ(WithCells(Tables(report.GetStream()), 4).back().rows.back(), (Row{"Totais", "", "    0,0", "    0,0"}));
  s.ProductionCollection().Clear();
  report.Build(s);
  EXPECT_EQ(report.GetStream().find("SORTIMENTO"), std::string::npos);
}

namespace {

// Code-page-1252 bytes of a UTF-8 text whose characters are all below U+0100.
std::string Cp1252(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c == 0xC2 || c == 0xC3) {
      out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      EXPECT_LT(c, 0x80) << utf8;
      out += static_cast<char>(c);
    }
  }
  return out;
}

// A bordered, centred row definition with these right edges, then the row.
std::string TableRow(int gap, const std::string& edges, const std::vector<std::string>& cells) {
  std::string row = "\\trowd\\trgaph" + std::to_string(gap) +
                    "\\trqc\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\brdrw10\\trbrdrb\\brdrs\\brdrw10"
                    "\\trbrdrr\\brdrs\\brdrw10" +
                    edges + "\\intbl ";
  for (const std::string& cell : cells) row += Cp1252(cell) + "\\cell ";
  return row + "\\row";
}

}  // namespace

TEST_F(ResultReference, FixedTextsAndTheHeaderAreWrittenByteForByte) {
  s.SetSiteIndexEquationAuthor("Autor S");
  s.SetVolumeEquationAuthor("Autor V");
  s.SetShapeFunctionEquationAuthor("Autor T");
  report.Build(s);
  const std::string& rtf = report.GetStream();

  const std::string growthHead =
      "\\f1\\fs16\\b1" +
      TableRow(80,
               "\\cellx600\\cellx1960\\cellx3160\\cellx4620\\cellx5620\\cellx6630\\cellx7930\\cellx"
               "8880\\cellx9880",
               {"Idade", "Alt. Dominante", "Árvores/Ha", "Diâmetro Médio", "Alt. Média", "Área Basal", "Volume Total",
                "   I.M.A.", "   tCO2  "}) +
      "\\b0";
  const std::string start =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier "
      "New;}"
      "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\froman\\fcharset0 Times New Roman;}}\\pard"
      "\\f1\\fs24\\b1" +
      std::string(21, ' ') +
      "Tallora\\par\\par"
      "\\f1\\fs20" +
      std::string(10, ' ') + Cp1252("TABELA DE CRESCIMENTO E PRODUÇÃO - ") +
      "\\f1\\fs18 Eucalyptus grandis / urograndis\\b0\\f1\\fs18\\par\\par\\f2\\fs18" +
      Cp1252(
          "\tDescrição: Referência\\par\tÍndice de Sítio: 28,0\\par"
          "\tDensidade (árvores por hectare): 1667\\par\tPorcentagem de sobrevivência (1º ano): 95 "
          "%") +
      "\\par\\par" + growthHead;
  EXPECT_EQ(rtf.substr(0, start.size()), start);
  // Once at the start and again after the note of each of the three thinnings.
  EXPECT_EQ(Count(rtf, growthHead), 4u);

  const std::string equations = "\\pard\\f1\\fs24\\b1\\b0\\par\\f2\\fs18" +
                                Cp1252(
                                    "\tEquação de Sítio: Autor S\\par\tEquação de Volume: Autor V\\par\tEquação de "
                                    "sortimento: Autor T"
                                    "\\par\ttCO2 = (Vol+25%)x(Dens. Básica: 0,49)x(C: 0,42)x(CO2: 3,66)");
  const std::string thinnings = "\\pard\\par\\par\\f1\\fs20\\b1\tDESBASTES\\b0\\par\\f1\\fs16\\b1" +
                                TableRow(90, "\\cellx840\\cellx2490\\cellx3740\\cellx5790",
                                         {"   Idade", "Volume Removido", "       tCO2  ", "Volume Remanescente"}) +
                                "\\b0\\f0\\fs20\\intbl ";
  EXPECT_EQ(Count(rtf, equations + thinnings), 1u);
}
