#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/SimulationAccess.h"
#include "model/growth/HardFormulaUnit.h"
#include "platform/rtl/SysUtils.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tools/DefaultData.h"

namespace fs = std::filesystem;

namespace {

class DefaultDataTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::vector<TDefaultFile> files;
    AppendTalloraDefaultFiles(files);
    WriteDefaultFiles((dir_ / "bin").string(), files);
    grovana_ = std::make_unique<TGrovana>(nullptr, TDataFolders{(dir_ / "bin").string(), tempDir_.Sub("work").string()},
                                          TDataSeams{dialogs_, presenter_});
  }

  static std::string ReadBytes(const fs::path& path) { return ReadFileBytes(path); }

  TempDir tempDir_;
  const fs::path& dir_ = tempDir_.Path();
  ScriptedDialogs dialogs_;
  RecordingPresenter presenter_;
  std::unique_ptr<TGrovana> grovana_;
};

TEST_F(DefaultDataTest, GeneratedCataloguesLoadValidateAndMatchTheBuiltIns) {
  TGrovana& g = *grovana_;
  EXPECT_EQ(g.ProductRoot().Filename(), "Produtos.dat");
  EXPECT_EQ(g.FormulaRoot().Filename(), "Formulas.dat");
  TErrorList errors;
  std::vector<std::string> names;
  for (const TProduct& p : g.ProductRoot().ProductCollection()) {
    EXPECT_TRUE(p.Validate(errors)) << p.Name();
    EXPECT_GT(p.Price(), 0) << p.Name();
    names.push_back(p.Name());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Laminação", "Serraria", "Celulose", "Energia"}));
  EXPECT_NE(ReadBytes(dir_ / "bin" / "Produtos.dat").find("Lamina\xE7\xE3o"), std::string::npos);

  TFormulaCollection& formulas = g.FormulaRoot().FormulaCollection();
  ASSERT_EQ(formulas.Count(), 4);
  for (int id = 0; id < 4; ++id) {
    TFormula* f = g.FindFormula(id);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->Validate(errors)) << f->Description();
    EXPECT_EQ(f->Author(), "Tallora");
    EXPECT_NO_THROW(f->CheckSyntax()) << f->Expression();
  }
  EXPECT_EQ(g.FindFormula(0)->EquationType(), kSiteEquationType);
  EXPECT_EQ(g.FindFormula(1)->EquationType(), kVolumeEquationType);
  EXPECT_EQ(g.FindFormula(2)->EquationType(), kShapeEquationType);
  EXPECT_EQ(g.FindFormula(3)->EquationType(), kIntegralEquationType);
  EXPECT_EQ(g.FindFormula(2)->AssociatedFormula(), 3);

  // Each text against its built-in at sample points.
  auto check = [](TFormula& f, std::vector<std::string> names, std::vector<double> values, double builtIn) {
    for (std::size_t i = 0; i < names.size(); ++i) f.AssignVariable(names[i], values[i]);
    EXPECT_NEAR(f.GetValue(), builtIn, 1e-12 * std::max(1.0, std::fabs(builtIn))) << f.Expression();
  };
  for (double a : {1.0, 3.5, 7.0, 15.0, 30.0})
    for (double s : {15.0, 40.0}) check(*g.FindFormula(0), {"S", "A"}, {s, a}, DefaultSiteIndex(std::vector{s, a}));
  for (double d : {5.0, 20.0, 42.0})
    for (double h : {8.0, 40.0}) check(*g.FindFormula(1), {"D", "H"}, {d, h}, DefaultVolume(std::vector{d, h, 9.0}));
  for (double x : {0.0, 0.1, 0.25, 0.5, 0.9, 1.0}) {
    check(*g.FindFormula(2), {"D", "X"}, {30, x}, DefaultShapeFunction(std::vector{30.0, x}));
    check(*g.FindFormula(3), {"X"}, {x}, DefaultShapeIntegral(std::vector{x}));
  }

  // The generator writes the same bytes every time.
  std::vector<TDefaultFile> files;
  AppendTalloraDefaultFiles(files);
  WriteDefaultFiles((dir_ / "again").string(), files);
  for (const char* name : {"Produtos.dat", "Formulas.dat", "Simulation.dat"})
    EXPECT_EQ(ReadBytes(dir_ / "again" / name), ReadBytes(dir_ / "bin" / name)) << name;
}

TEST_F(DefaultDataTest, TemplateRunsAlikeWithBuiltInsAndWithTheCatalogueFormulas) {
  TGrovana& g = *grovana_;
  g.NewSimulation();
  EXPECT_EQ(g.TemplatePath(), (dir_ / "bin" / "Simulation.dat").string());
  EXPECT_EQ(g.GetFileName(), "Simulation.dat");
  TSimulation& s = *g.CurrentSimulation();
  TErrorList errors;
  for (const TProduct& p : s.ProductCollection()) EXPECT_TRUE(p.Validate(errors)) << p.Name();
  ASSERT_TRUE(g.Verify());
  ASSERT_TRUE(g.CalculateResults()) << (s.Errors().Count() ? s.Errors().GetItem(0).Text() : "");

  // Heights and volumes of the growth table, then every harvest's product volumes.
  auto results = [&s] {
    std::vector<double> v;
    for (const TPrognosis& p : s.PrognosisCollection()) v.insert(v.end(), {p.DominantHeight(), p.Volume()});
    for (const TProduction& p : s.ProductionCollection())
      for (int i = 0; i < s.ProductCollection().Count(); ++i) v.push_back(p.ProductTotal(i));
    return v;
  };
  const std::vector<double> builtIns = results();
  EXPECT_EQ(s.PrognosisCollection().Count(), 15);
  EXPECT_EQ(s.ProductionCollection().Count(), 3);
  for (const TPrognosis& p : s.PrognosisCollection()) EXPECT_GT(p.Volume(), 0) << p.Age();
  for (const TThin& t : s.ThinCollection()) EXPECT_GT(t.RemovedVolume(), 0) << t.Age();

  // The same run through the catalogue's formula texts.
  g.SetSiteIndexEquation(g.FindFormula(0));
  g.SetVolumeEquation(g.FindFormula(1));
  g.SetShapeFunctionEquation(g.FindFormula(2));
  ASSERT_TRUE(g.CalculateResults()) << (s.Errors().Count() ? s.Errors().GetItem(0).Text() : "");
  EXPECT_EQ(g.RunCount(), 2);
  EXPECT_FALSE(TSimulationTestAccess::SiteFormula(s).HasBuiltInFunction() ||
               TSimulationTestAccess::IntegralFormula(s).HasBuiltInFunction());
  const std::vector<double> texts = results();
  ASSERT_EQ(texts.size(), builtIns.size());
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_NEAR(texts[i], builtIns[i], 1e-9 * std::max(1.0, builtIns[i])) << i;
}

std::string Printed(double value, int decimals = 1) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The template's last growth row and final cut, to the digits the report prints.
TEST(DefaultTemplate, FinalCutKeepsTheDiameterSpreadOfTheStand) {
  TSimulationPersist root;
  FillDefaultSimulation(root);
  TSimulation& s = root.SimulationCollection().GetItem(0);
  ASSERT_TRUE(s.Validate());
  ASSERT_TRUE(s.Execute()) << (s.Errors().Count() ? s.Errors().GetItem(0).Text() : "");

  const TPrognosis& row = s.PrognosisCollection()[s.PrognosisCollection().Count() - 1];
  EXPECT_EQ(row.Age(), 16);
  const double carbon = row.Volume() * 1.25 * 0.49 * 0.42 * 3.66;
  EXPECT_EQ(
      (std::vector<std::string>{Printed(row.DominantHeight()), Printed(row.NoTrees(), 0), Printed(row.MedianDiameter()),
                                Printed(row.MedianHeight()), Printed(row.BaseArea()), Printed(row.Volume()),
                                Printed(row.IMA()), Printed(carbon)}),
      (std::vector<std::string>{"51.1", "310", "33.4", "44.8", "27.2", "540.5", "49.4", "508.9"}));

  TProduction& cut = s.ProductionCollection()[s.ProductionCollection().Count() - 1];
  ASSERT_EQ(cut.Origem(), "CORTE FINAL");
  EXPECT_EQ(cut.Age(), 16);
  std::vector<std::string> classes;
  TDiameterClasses& all = cut.DiameterClasses();
  for (TDiameterClass* c = all.FirstByDiameter(); c; c = all.NextByDiameter())
    classes.push_back(Printed(c->MinDiameter(), 0) + "-" + Printed(c->MaxDiameter(), 0) + " " + Printed(c->NoTrees()) +
                      " " + Printed(c->MedianHeight()));
  EXPECT_EQ(classes, (std::vector<std::string>{"30-32 12.9 38.2", "32-34 225.4 44.6", "34-36 62.1 46.7",
                                               "36-38 8.5 47.8", "38-40 1.1 48.5"}));
  EXPECT_EQ(Printed(cut.MedianHeight()), "44.8");
  EXPECT_EQ(Printed(cut.TotalVolume()), "540.5");
}

}  // namespace
