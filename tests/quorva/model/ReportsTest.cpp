// The economic and cost reports: structure, and totals that agree with the plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/items/ErrorsUnit.h"
#include "model/items/RTFUnit.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/RelatorioCustosUnit.h"
#include "quorva/model/ResultUnit.h"
#include "tests/support/ExamplePlans.h"

namespace {

using Row = std::vector<std::string>;

// The header, braces closing only at the end, and every row with as many
// cells as its definition; returns the cell count of each definition.
std::vector<int> CheckStructure(const std::string& rtf) {
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl{\\f0\\fmodern\\fcharset0 "
                      "Courier New;}"
                      "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\froman\\fcharset0 Times New Roman;}}\\pard",
                      0),
            0u);
  std::vector<int> defs;
  int depth = 0, cells = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
    EXPECT_TRUE(depth > 0 || i + 1 == rtf.size()) << i;
    if (rtf[i] != '\\') continue;
    std::size_t j = i + 1;
    while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
    const std::string word = rtf.substr(i + 1, j - i - 1);
    if (word == "trowd") defs.push_back(0);
    if (word == "cellx") ++defs.back();
    if (word == "cell") ++cells;
    if (word == "row") {
      EXPECT_EQ(cells, defs.back());
      cells = 0;
    }
    i = std::max(i + 1, j - 1);  // a control symbol such as \{ is skipped whole
  }
  EXPECT_EQ(depth, 0);
  return defs;
}

// The table rows as cell texts (RTF-encoded).
std::vector<Row> Rows(const std::string& rtf) {
  std::vector<Row> rows;
  for (std::size_t at = rtf.find("\\intbl "); at != std::string::npos; at = rtf.find("\\intbl ", at + 1)) {
    Row row;
    for (std::size_t from = at + 7, c; (c = rtf.find("\\cell ", from)) < rtf.find("\\row", at); from = c + 6)
      row.push_back(rtf.substr(from, c - from));
    rows.push_back(row);
  }
  return rows;
}

// "  12.345,67   " back to 12345.67.
double Number(std::string cell) {
  std::erase(cell, '.');
  return StrToFloat(Trim(cell));
}

bool Contains(const std::string& rtf, const std::string& text) {
  return rtf.find(text) != std::string::npos;
}

class ReportTest : public ::testing::Test {
protected:
  void SetUp() override { examples::FillExampleA(plan); }
  void Calculate() {
    ASSERT_TRUE(plan.Validate(errors));
    ASSERT_TRUE(plan.Calculate()) << plan.CalculationError();
  }
  TQuorva plan;
  TErrorList errors;
};

TEST_F(ReportTest, EconomicReportOfACalculatedPlan) {
  EXPECT_EQ(quorva::TResult::FormatValue(12, -2100.1829), "   -2.100,18");
  EXPECT_EQ(quorva::TResult::FormatValue(12, 12345678.9), "12.345.678,90");
  Calculate();
  quorva::TResult report;
  report.Build(plan);
  const std::string& rtf = report.GetStream();
  EXPECT_EQ(CheckStructure(rtf), (std::vector<int>{5, 4}));
  EXPECT_TRUE(Contains(rtf, "\\b1\\par\\par\t\t\t\t\t\tQUORVA\\b0"));
  EXPECT_TRUE(Contains(rtf, "\tFluxo de Receitas e Custos para Colheita Final aos 7 anos."));
  EXPECT_TRUE(Contains(rtf,
                       "\\intbl   4   \\cell     2.400,00   \\cell     1.300,00   \\cell     1.639,23   "
                       "\\cell       887,92   \\cell \\row"));

  // One row per year; its columns add up to the plan's totals.
  const std::vector<Row> rows = Rows(rtf);
  ASSERT_EQ(rows.size(), 1u + 8u + 1u + 3u);
  double sums[4] = {0, 0, 0, 0};
  for (int year = 0; year <= 7; ++year)
    for (int k = 0; k < 4; ++k) sums[k] += Number(rows[1 + year][1 + k]);
  EXPECT_NEAR(sums[0], plan.ReceitaTotal(), 0.04);
  EXPECT_NEAR(sums[1], plan.CustoTotal(), 0.04);
  EXPECT_NEAR(sums[2], plan.ValorPresenteReceita(), 0.04);
  EXPECT_NEAR(sums[3], plan.ValorPresenteCusto(), 0.04);

  EXPECT_TRUE(Contains(rtf, "\tReceita Total:\\b0\\f0\\fs24\t\t\t\t\t   23.400,00\\par"));
  EXPECT_TRUE(Contains(rtf, "\tValor Presente dos Custo:\\b0\\f0\\fs24\t\t\t\t    6.223,68\\par"));
  EXPECT_TRUE(Contains(rtf, "\t\t\t\t       33,72\\par"));
  EXPECT_TRUE(Contains(rtf, EncodeRTFText("\tAnálise de Sensibilidade: ")));
  EXPECT_EQ(rows[10], (Row{" 6,00", "    8.633,74", "    1.546,61", "      2,19"}));
  EXPECT_EQ(rows[12][0], "14,00");
  EXPECT_TRUE(rtf.ends_with("\\cell \\row\\par}"));
}

TEST_F(ReportTest, EconomicReportWithoutSensitivityOrRateOfReturn) {
  plan.SetTemAnaliseSensibilidade(0);
  for (TProducao& p : plan.Producoes())
    for (TItemProducao& item : p.ItensProducao()) item.SetPreco(1);
  Calculate();
  quorva::TResult report;
  report.Build(plan);
  report.Build(plan);
  EXPECT_EQ(CheckStructure(report.GetStream()), std::vector<int>{5});
  EXPECT_TRUE(report.GetStream().ends_with("\tTaxa Interna de Retorno:\\b0\\f0\\fs24\t\t\t\t V. negativo\\par\\par}"));
}

TEST_F(ReportTest, CostReportTotalsEqualThePlansCostAndItsPresentValue) {
  Calculate();
  TRelatorioCustos report;
  report.Build(plan);
  const std::string& rtf = report.GetStream();
  EXPECT_EQ(CheckStructure(rtf), (std::vector<int>{6, 4, 3}));
  EXPECT_TRUE(Contains(rtf, EncodeRTFText("\tRelatório de Custos ")));
  for (int year = 0; year <= 7; ++year) {
    double sum = 0;
    for (const auto& row : report.CostMatrix()) sum += row[static_cast<std::size_t>(year)];
    EXPECT_DOUBLE_EQ(sum, plan.FluxosFinanceiros()[year].Custo()) << year;
  }
  const std::vector<Row> rows = Rows(rtf);
  ASSERT_EQ(rows.size(), 15u);
  EXPECT_EQ(rows[0], (Row{"     IDADE", "      0  ", "      1  ", "      2  ", "      3  ", "      4  "}));
  EXPECT_EQ(rows[1][0], "Implantacao     ");
  EXPECT_EQ(rows[4], (Row{"Total", "  2.000,00", "    300,00", "    150,00", "    100,00", "  1.300,00"}));
  EXPECT_EQ(rows[9], (Row{"Total", "    100,00", "    100,00", "  5.350,00"}));
  EXPECT_EQ(rows[10], (Row{"  Custo", "          Total", "   Total em Valor Presente"}));
  EXPECT_EQ(rows[12], (Row{"Manutencao      ", "        950,00", "            709,98"}));
  EXPECT_EQ(rows[13], (Row{"Colheita        ", "      6.450,00", "          3.513,70"}));
  EXPECT_EQ(rows[14], (Row{"Total", TRelatorioCustos::FormatValue(14, plan.CustoTotal()),
                           TRelatorioCustos::FormatValue(18, plan.ValorPresenteCusto())}));
  EXPECT_NEAR(report.GrandTotal(), plan.CustoTotal(), 1e-9);
  EXPECT_NEAR(report.GrandPresentValue(), 6223.678645, 1e-6);
}

TEST_F(ReportTest, CostMatrixRulesBlocksAndEmptyPlans) {
  TQuorva p;
  p.SetIdadeFinal(14);
  p.SetTaxaAtratividade(10);
  AddCusto(p.Custos(), "{Frete}", "$/m3", "Unitario", 3);
  AddCusto(p.Custos(), "Transporte", " $/M3", "Anual", 0, {{7, 2}, {10, 5}});
  AddCusto(p.Custos(), "Adubação", "$/ha", "anual", 0, {{3, 10}, {3, 20}, {30, 9}});
  examples::AddProducao(p, 7, "DESBASTE", {{"Lenha", 120, 10}});
  examples::AddProducao(p, 14, "CORTE FINAL", {{"Serraria", 250, 10}});
  examples::AddProducao(p, 7, "DESBASTE", {{"Lenha", 999, 10}});  // not visited
  TRelatorioCustos report;
  report.Build(p);
  const auto& m = report.CostMatrix();
  EXPECT_EQ((std::vector<double>{m[0][7], m[0][14], m[1][7], m[1][10], m[2][3]}),
            (std::vector<double>{360, 750, 240, 0, 20}));
  EXPECT_NEAR(report.GrandPresentValue() - 240 / std::pow(1.1, 7) - 20 / std::pow(1.1, 3), 382.235363, 1e-6);
  EXPECT_EQ(CheckStructure(report.GetStream()), (std::vector<int>{6, 6, 6, 3}));
  EXPECT_TRUE(Contains(report.GetStream(), "\\intbl \\{Frete\\}         \\cell "));
  EXPECT_TRUE(Contains(report.GetStream(), "\\intbl Aduba\xE7\xE3o        \\cell "));

  // Blocks of five years ending at the final age; without costs, zero totals.
  for (auto [n, blocks] : {std::pair{4, std::vector<int>{6, 3}}, std::pair{5, std::vector<int>{6, 2, 3}},
                           std::pair{9, std::vector<int>{6, 6, 3}}, std::pair{12, std::vector<int>{6, 6, 4, 3}}}) {
    TQuorva empty;
    empty.SetIdadeFinal(n);
    report.Build(empty);
    EXPECT_EQ(CheckStructure(report.GetStream()), blocks) << n;
    const std::vector<Row> rows = Rows(report.GetStream());
    ASSERT_EQ(rows.size(), 2 * blocks.size());
    EXPECT_EQ(rows[1], (Row{"Total", "      0,00", "      0,00", "      0,00", "      0,00", "      0,00"}));
    EXPECT_EQ(rows.back(), (Row{"Total", "          0,00", "              0,00"}));
  }
}

}  // namespace
