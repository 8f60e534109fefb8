#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "fixtures/ReferenceSimulation.h"
#include "fixtures/SimulationAccess.h"
#include "model/growth/SimulationUnit.h"
#include "model/growth/SortUnit.h"
#include "model/growth/StrTok.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

using Access = TSimulationTestAccess;

class Simulation : public ::testing::Test {
protected:
  void SetUp() override { fixtures::FillReferenceSimulation(s); }
  Entries Check() {
    s.Validate();
    return EntriesOf(s.Errors());
  }

  TSimulation s;
};

}  // namespace

TEST(SimulationClasses, PublishedPropertiesAreDeclaredOnceInStreamOrder) {
  const std::vector<std::string> expected{"Description",
                                          "SpeciesName",
                                          "SiteIndex",
                                          "InventoryType",
                                          "InventoryMode",
                                          "InitialTrees",
                                          "SurvivalPercentage",
                                          "InventoryAge",
                                          "InventoryTrees",
                                          "BaseArea",
                                          "MedianDiameter",
                                          "HomogeneityDegree",
                                          "ListingOption",
                                          "InitialAge",
                                          "FinalAge",
                                          "IncrementalAge",
                                          "ResultAges",
                                          "SiteIndexEquation",
                                          "VolumeEquation",
                                          "ShapeFunctionEquation",
                                          "ShapeFunctionIntegral2Equation",
                                          "SiteIndexEquationAuthor",
                                          "VolumeEquationAuthor",
                                          "ShapeFunctionEquationAuthor",
                                          "SiteIndexEquationDescription",
                                          "VolumeEquationDescription",
                                          "ShapeFunctionEquationDescription",
                                          "DiameterClassInterval",
                                          "VolumeUnit",
                                          "ProductCollection",
                                          "ThinCollection",
                                          "PrognosisCollection",
                                          "ProductionCollection"};
  EXPECT_EQ(PropertyNames(TSimulation::StaticClass()), expected);
  EXPECT_EQ(TSimulation::StaticClass().Parent(), &TSimulationData::StaticClass());
  EXPECT_EQ(TSimulation::StaticClass().Find("ProductionCollection")->itemClass, &TProduction::StaticClass());
  EXPECT_TRUE(TSimulation::StaticClass().CanCreate());
  EXPECT_EQ(PropertyNames(TProduction::StaticClass()),
            (std::vector<std::string>{"Id", "Age", "Origem", "NoTree", "MedianHeight", "MedianDiameter", "TotalVolume",
                                      "DiameterClasses", "ThinType"}));
  EXPECT_EQ(PropertyNames(TDiameterClass::StaticClass()),
            (std::vector<std::string>{"Id", "MinDiameter", "MaxDiameter", "NoTrees", "MedianHeight", "Volume",
                                      "ProductsVolume"}));
  EXPECT_EQ(PropertyNames(TProductVolume::StaticClass()), (std::vector<std::string>{"ProductIndex", "Volume"}));
  TSimulationCollection simulations;
  TSimulation& fresh = simulations.Add();
  EXPECT_EQ(&fresh.Class(), &TSimulation::StaticClass());
  EXPECT_FALSE(fresh.Valid());
  EXPECT_EQ(fresh.Errors().Title(), "Erros na Simulação");
}

TEST(SimulationHelpers, TokenizerAndSort) {
  TStrTok t;
  t.SetText("10,, 5 ");
  t.SetSeparators(" ,");
  std::vector<std::string> tokens;
  for (std::string s = t.FirstToken(); !t.End(); s = t.NextToken()) tokens.push_back(s);
  EXPECT_EQ(tokens, (std::vector<std::string>{"10", "", "", "5"}));
  EXPECT_TRUE(t.IsSeparator('\0'));
  EXPECT_FALSE(t.IsSeparator(';'));
  t.SetText("");
  t.FirstToken();
  EXPECT_TRUE(t.End());

  std::int32_t v[] = {9, 3, 7, 3, 1, 99};
  SortIntegers(v, 49, 5);
  EXPECT_EQ(std::vector<int>(v, v + 6), (std::vector<int>{1, 3, 3, 7, 9, 99}));
  SortIntegers(v, 49, 0);
}

TEST_F(Simulation, ReferenceIsValidAndEveryInputCheckHasItsCodeAndText) {
  EXPECT_TRUE(s.Validate());
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    std::function<void(TSimulation&)> change;
    Entries expected;
  };
  const std::vector<Case> cases{
      {[](TSimulation& x) { x.SetSiteIndex(10); }, {}},
      {[](TSimulation& x) { x.SetSiteIndex(50.01); }, {{1, "Índice de Sítio: 50,01 inválido"}}},
      {[&](TSimulation& x) { x.SetSiteIndex(nan); }, {{1, "Índice de Sítio: NAN inválido"}}},
      {[](TSimulation& x) { x.SetInitialTrees(9.5), x.SetSurvivalPercentage(49); },
       {{2, "Número de árvores: 9,5 inválido"}, {3, "Percentagem Inicial de Sobrevivência: 49 inválida"}}},
      {[](TSimulation& x) { x.SetInventoryType(2), x.SetInventoryTrees(8000), x.SetInventoryAge(-1); },
       {{4, "Número de árvores: 8000 inválido"}, {5, "Ano do Inventário: -1 inválido"}}},
      {[](TSimulation& x) { x.SetInventoryType(3), x.SetInventoryTrees(5), x.SetInventoryAge(31); },
       {{6, "Número de árvores: 5 inválido"},
        {7, "Ano do Inventário: 31 inválido"},
        {10, "Falta informar a Área Basal ou o Diâmetro Quadrático Médio"}}},
      {[](TSimulation& x) {
         x.SetInventoryType(3), x.SetInventoryTrees(900), x.SetInventoryMode(2), x.SetBaseArea(50.5);
       },
       {{8, "Área Basal: 50,5 inválida"}}},
      {[](TSimulation& x) {
         x.SetInventoryType(3), x.SetInventoryTrees(900), x.SetInventoryMode(3), x.SetMedianDiameter(-1);
       },
       {{9, "Diametro Quadrático médio: -1 inválido"}}},
      {[](TSimulation& x) { x.SetInventoryType(0), x.SetHomogeneityDegree(0.5); },
       {{11, "Falta informar o tipo de Inventário"}, {12, "Nível de Homogeneidade do Plantio: 0,5 inválido"}}},
      {[](TSimulation& x) { x.SetInitialAge(31), x.SetFinalAge(41), x.SetIncrementalAge(0); },
       {{13, "Idade inicial: 31 inválida"}, {14, "Idade final: 41 inválida"}, {15, "Intervalo: 0 inválido"}}},
      {[](TSimulation& x) { x.SetDiameterClassInterval(11); },
       {{20, "Intervalo de Classes de Diâmetros: 11 inválido"}}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    TSimulation x;
    fixtures::FillReferenceSimulation(x);
    x.ThinCollection().Clear();
    cases[i].change(x);
    x.Validate();
    EXPECT_EQ(EntriesOf(x.Errors()), cases[i].expected) << "case " << i;
    EXPECT_EQ(x.Valid(), cases[i].expected.empty());
  }
}

TEST_F(Simulation, TypedAgesAreParsedSortedAndChecked) {
  s.ThinCollection().Clear();
  s.SetListingOption(2);
  s.SetResultAges("10, 4 3,8  6");
  EXPECT_TRUE(s.Validate());
  EXPECT_EQ(Access::Ages(s), (std::vector<int>{3, 4, 6, 8, 10}));
  EXPECT_EQ(s.InitialAge(), 3);
  EXPECT_EQ(s.FinalAge(), 10);
  const std::vector<std::pair<std::string, Entries>> cases{
      {"10, ,5 ,5", {{18, "Idades de Simulacao repetidas"}}},
      {" , ,", {{19, "Lista de Idades vazia!"}}},
      {"-3 8", {{16, "Idade inicial: -3 inválida"}}},
      {"8 41", {{17, "Idade final: 41 inválida"}}},
      {"$A 12", {}},
      {"5\t10", {{99, "Lista de Idades para Simulação invalida"}}},
      {"5\t 10", {{99, "Lista de Idades para Simulação invalida"}}},
      {"0x10 3", {{99, "Lista de Idades para Simulação invalida"}}},
  };
  for (const auto& [text, expected] : cases) {
    s.SetResultAges(text);
    EXPECT_EQ(Check(), expected) << text;
  }
  // A list that does not parse skips the later checks.
  fixtures::AddThin(s, 40, 2, 0, 0, 0);
  s.SetDiameterClassInterval(0);
  s.SetSiteIndexEquation("S+Q");
  s.SetResultAges("5;10");
  EXPECT_EQ(Check(), (Entries{{99, "Lista de Idades para Simulação invalida"}}));
}

TEST_F(Simulation, ThinningsAreCheckedBelowTheLastListedAge) {
  fixtures::AddThin(s, 16, 2, 0, 0.5, 31);
  fixtures::AddThin(s, 5, 1, 1, 5001);
  EXPECT_EQ(Check(), (Entries{{51, "Desbaste na idade 16: Idade Inválida!"},
                              {52, "Desbaste na idade 16: A linha a ser desbasta 31 é inválida!"},
                              {53, "Desbaste na idade 16: Área Basal 0,5 é inválida!"},
                              {54, "Desbaste na idade 5: Número de árvores 5001é inválido!"},
                              {55, "Existe no minimo dois desbastes na mesma idade"}}));
  // Grid 2, 5, 8, 11, 14 up to 16: the last listed age is 14.
  s.ThinCollection().Clear();
  s.SetIncrementalAge(3);
  for (int age : {13, 14, 15}) fixtures::AddThin(s, age, 1, 1, 700);
  EXPECT_EQ(Check(),
            (Entries{{51, "Desbaste na idade 14: Idade Inválida!"}, {51, "Desbaste na idade 15: Idade Inválida!"}}));
  // A planting may be thinned before the first listed age.
  s.ThinCollection().Clear();
  s.SetInventoryAge(5);
  s.SetInitialAge(3);
  fixtures::AddThin(s, 1, 1, 1, 700);
  EXPECT_TRUE(s.Validate());
}

TEST_F(Simulation, EquationTextsCompileOrSelectTheBuiltInOnes) {
  s.SetSiteIndexEquation(" \t ");
  Access::SiteFormula(s).SetExpression("kept");
  EXPECT_TRUE(s.Validate());
  EXPECT_TRUE(Access::SiteFormula(s).HasBuiltInFunction());
  EXPECT_EQ(Access::SiteFormula(s).Expression(), "kept");

  s.SetSiteIndexEquation("S+Q");
  s.SetVolumeEquation("D*");
  s.SetShapeFunctionEquation("D*(X");
  s.SetShapeFunctionIntegral2Equation("X^");
  const Entries e = Check();
  ASSERT_EQ(e.size(), 4u);
  const std::pair<int, std::string> tails[] = {{31, " da Equação de Sítio."},
                                               {33, " da Equação de Volume."},
                                               {35, " da Equação da Função de Sortimento"},
                                               {37, " da Equação da Integral da Função de Sortimento Quadrado"}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(e[i].first, tails[i].first);
    EXPECT_TRUE(e[i].second.starts_with("Erro de sintaxe na expressão ")) << e[i].second;
    EXPECT_TRUE(e[i].second.ends_with(tails[i].second)) << e[i].second;
  }
  fixtures::SetBuiltInFormulaTexts(s);
  s.SetShapeFunctionEquation(" D*X\r\n");
  EXPECT_TRUE(s.Validate());
  EXPECT_FALSE(Access::ShapeFormula(s).HasBuiltInFunction());
  EXPECT_EQ(Access::ShapeFormula(s).Expression(), " D*X\r\n");

  // Each validation sees only its own errors.
  TSimulation other;
  fixtures::FillReferenceSimulation(other);
  EXPECT_TRUE(other.Validate());
  EXPECT_EQ(s.Errors().Count(), 0);
  s.SetSiteIndexEquation("S+Q");
  s.Validate();
  EXPECT_TRUE(other.Validate());
  EXPECT_EQ(s.Errors().Count(), 1);
}

TEST_F(Simulation, RangeChecksHoldTheirBoundsOnBothSides) {
  struct Case {
    const char* what;
    std::function<void(TSimulation&)> change;
    int code;  // 0: passes
  };
  const std::vector<Case> cases{
      {"site 10", [](TSimulation& x) { x.SetSiteIndex(10); }, 0},
      {"site 50", [](TSimulation& x) { x.SetSiteIndex(50); }, 0},
      {"site 9.99", [](TSimulation& x) { x.SetSiteIndex(9.99); }, 1},
      {"site 50.01", [](TSimulation& x) { x.SetSiteIndex(50.01); }, 1},
      {"trees 10", [](TSimulation& x) { x.SetInitialTrees(10); }, 0},
      {"trees 7999", [](TSimulation& x) { x.SetInitialTrees(7999); }, 0},
      {"trees 9.99", [](TSimulation& x) { x.SetInitialTrees(9.99); }, 2},
      {"trees 8000", [](TSimulation& x) { x.SetInitialTrees(8000); }, 2},
      {"survival 50", [](TSimulation& x) { x.SetSurvivalPercentage(50); }, 0},
      {"survival 100", [](TSimulation& x) { x.SetSurvivalPercentage(100); }, 0},
      {"survival 49.99", [](TSimulation& x) { x.SetSurvivalPercentage(49.99); }, 3},
      {"survival 100.01", [](TSimulation& x) { x.SetSurvivalPercentage(100.01); }, 3},
      {"homogeneity 1", [](TSimulation& x) { x.SetHomogeneityDegree(1); }, 0},
      {"homogeneity 10", [](TSimulation& x) { x.SetHomogeneityDegree(10); }, 0},
      {"homogeneity 0.99", [](TSimulation& x) { x.SetHomogeneityDegree(0.99); }, 12},
      {"homogeneity 10.01", [](TSimulation& x) { x.SetHomogeneityDegree(10.01); }, 12},
      {"final = initial", [](TSimulation& x) { x.SetInitialAge(16), x.SetFinalAge(16); }, 0},
      {"final < initial", [](TSimulation& x) { x.SetInitialAge(16), x.SetFinalAge(15); }, 14},
      {"initial 0", [](TSimulation& x) { x.SetInitialAge(0); }, 0},
      {"initial 30", [](TSimulation& x) { x.SetInitialAge(30), x.SetFinalAge(40); }, 0},
      {"initial -1", [](TSimulation& x) { x.SetInitialAge(-1); }, 13},
      {"initial 31", [](TSimulation& x) { x.SetInitialAge(31), x.SetFinalAge(40); }, 13},
      {"final 41", [](TSimulation& x) { x.SetFinalAge(41); }, 14},
      {"step 1", [](TSimulation& x) { x.SetIncrementalAge(1); }, 0},
      {"step 10", [](TSimulation& x) { x.SetIncrementalAge(10); }, 0},
      {"step 11", [](TSimulation& x) { x.SetIncrementalAge(11); }, 15},
      {"class width 1", [](TSimulation& x) { x.SetDiameterClassInterval(1); }, 0},
      {"class width 10", [](TSimulation& x) { x.SetDiameterClassInterval(10); }, 0},
      {"class width 0", [](TSimulation& x) { x.SetDiameterClassInterval(0); }, 20},
      {"class width 11", [](TSimulation& x) { x.SetDiameterClassInterval(11); }, 20},
  };
  for (const Case& c : cases) {
    TSimulation x;
    fixtures::FillReferenceSimulation(x);
    x.ThinCollection().Clear();
    c.change(x);
    const bool valid = x.Validate();
    std::vector<int> codes;
    for (const TError& e : x.Errors()) codes.push_back(e.Code());
    EXPECT_EQ(codes, c.code ? std::vector<int>{c.code} : std::vector<int>{}) << c.what;
    EXPECT_EQ(valid, c.code == 0) << c.what;
  }
}

TEST_F(Simulation, UnknownThinningTypeOrModeIsRefusedAndNotRun) {
  fixtures::AddThin(s, 7, 3, 1, 700);
  fixtures::AddThin(s, 11, 1, 2, 500);
  EXPECT_EQ(Check(), (Entries{{56, "Desbaste na idade 7: Tipo de desbaste 3 é inválido!"},
                              {57, "Desbaste na idade 11: Modo de desbaste 2 é inválido!"}}));
  EXPECT_FALSE(s.Valid());
  EXPECT_FALSE(s.Execute());
  EXPECT_EQ(s.PrognosisCollection().Count(), 0);
}

TEST_F(Simulation, AgesNearTheIntegerLimitsGiveCodesInsteadOfOverflowing) {
  // The grid's second age would pass the largest Integer.
  s.SetInitialAge(2147483000);
  s.SetFinalAge(2147483647);
  s.SetIncrementalAge(134217738);
  EXPECT_EQ(Check(), (Entries{{13, "Idade inicial: 2147483000 inválida"},
                              {14, "Idade final: 2147483647 inválida"},
                              {15, "Intervalo: 134217738 inválido"},
                              {51, "Desbaste na idade 12: Idade Inválida!"},
                              {51, "Desbaste na idade 5: Idade Inválida!"},
                              {51, "Desbaste na idade 9: Idade Inválida!"}}));
  const int lowest = std::numeric_limits<int>::min(), highest = std::numeric_limits<int>::max();
  const int steps[][3] = {{lowest, highest, highest},
                          {highest, highest, 1},
                          {lowest, lowest, -1},
                          {1, highest, highest},
                          {highest, lowest, lowest}};
  for (const auto& [initial, final, step] : steps) {
    s.SetInitialAge(initial);
    s.SetFinalAge(final);
    s.SetIncrementalAge(step);
    EXPECT_FALSE(s.Validate()) << initial << " " << final << " " << step;
    EXPECT_FALSE(s.Execute());
  }
  // Unchecked ages of another listing option reach the run, which fails soundly.
  s.ThinCollection().Clear();
  s.SetListingOption(3);
  s.SetInitialAge(lowest);
  s.SetFinalAge(highest);
  EXPECT_TRUE(s.Validate());
  EXPECT_FALSE(s.Execute());
  ASSERT_EQ(s.Errors().Count(), 1);
  EXPECT_EQ(s.Errors().GetItem(0).Code(), 99);
}

TEST_F(Simulation, TypedAgesListHoldsAtMost49Ages) {
  s.ThinCollection().Clear();
  s.SetListingOption(2);
  auto list = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::to_string(1 + i % 40) + (i % 2 ? "," : " ");
    return text;
  };
  s.SetResultAges(list(49));
  EXPECT_EQ(Check(), (Entries{{18, "Idades de Simulacao repetidas"}}));
  EXPECT_EQ(Access::Ages(s).size(), 49u);
  EXPECT_EQ(s.InitialAge(), 1);
  EXPECT_EQ(s.FinalAge(), 40);
  // Blanks and commas between ages do not count.
  s.SetResultAges(" ,, " + list(49) + " , ");
  EXPECT_EQ(Check(), (Entries{{18, "Idades de Simulacao repetidas"}}));
  for (int count : {50, 100000}) {
    s.SetResultAges(list(count));
    EXPECT_EQ(Check(), (Entries{{99, "Lista de Idades para Simulação invalida"}})) << count;
  }
}
