#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "fixtures/ReferenceSimulation.h"
#include "fixtures/SimulationAccess.h"
#include "model/growth/HarvestBuild.h"
#include "model/growth/SimulationUnit.h"
#include "platform/rtl/SysUtils.h"

namespace {

using Access = TSimulationTestAccess;

void ExpectRel(double actual, double expected, double rel, const std::string& what = "") {
  EXPECT_NEAR(actual, expected, rel * std::max(std::fabs(expected), 1.0)) << what;
}

std::vector<int> RowAges(const TSimulation& s) {
  std::vector<int> ages;
  for (const TPrognosis& p : s.PrognosisCollection()) ages.push_back(p.Age());
  return ages;
}

const TPrognosis& RowAt(const TSimulation& s, int age) {
  for (const TPrognosis& p : s.PrognosisCollection())
    if (p.Age() == age) return p;
  throw std::runtime_error("no row at " + std::to_string(age));
}

double ClassTrees(const TProduction& p) {
  double n = 0;
  for (const TDiameterClass& c : p.DiameterClasses()) n += c.NoTrees();
  return n;
}

// Trees of every candidate class of a harvest, kept or dropped, and how many
// were dropped (each with at most half a tree).
std::pair<double, int> CandidateTrees(const TProduction& p) {
  const double w = p.ClassWidth();
  double n = 0;
  int candidates = 0;
  for (double lower = std::trunc(p.Sb().DiameterMin / w) * w; lower < p.Sb().DiameterMax; lower += w, ++candidates)
    n += THarvestBuilder::ClassTrees(p, lower, lower + w);
  return {n, candidates - p.DiameterClasses().Count()};
}

void ExpectClassTrees(const TProduction& p, double taken) {
  const auto [all, dropped] = CandidateTrees(p);
  ExpectRel(all, taken, 1e-4, "harvest at " + std::to_string(p.Age()));
  EXPECT_NEAR(ClassTrees(p), taken, 0.5 * dropped + 1e-4 * taken);
}

struct Ran {
  std::unique_ptr<TSimulation> s = std::make_unique<TSimulation>();
  bool valid = false, done = false;
  explicit Ran(void (*fill)(TSimulationData&), void (*change)(TSimulation&) = nullptr) {
    fill(*s);
    if (change) change(*s);
    valid = s->Validate();
    done = s->Execute();
  }
  std::vector<std::pair<int, std::string>> Errors() const {
    std::vector<std::pair<int, std::string>> out;
    for (const TError& e : s->Errors()) out.emplace_back(e.Code(), e.Text());
    return out;
  }
};

}  // namespace

TEST(SimulationRun, ReferenceRowsThinningsAndHarvestsHoldTheirBalances) {
  Ran r(fixtures::FillReferenceSimulation);
  ASSERT_TRUE(r.done) << (r.s->Errors().Count() ? r.s->Errors().GetItem(0).Text() : "");
  const TSimulation& s = *r.s;
  EXPECT_EQ(RowAges(s), (std::vector<int>{2, 4, 5, 6, 8, 9, 10, 12, 14, 16}));
  double removedSoFar = 0;
  for (const TPrognosis& p : s.PrognosisCollection()) {
    ExpectRel(p.BaseArea(), p.NoTrees() * std::numbers::pi / 40000 * p.MedianDiameter() * p.MedianDiameter(), 1e-12);
    ExpectRel(p.IMA() * p.Age(), p.Volume() + removedSoFar, 1e-12);
    for (const TThin& t : s.ThinCollection())
      if (t.Age() == p.Age()) removedSoFar += t.RemovedVolume();
  }
  ExpectRel(s.PrognosisCollection()[0].ICA(), s.PrognosisCollection()[0].Volume() / 2, 1e-12);

  for (const TThin& t : s.ThinCollection()) {
    const TPrognosis& before = RowAt(s, t.Age());
    const std::string at = "thinning at " + std::to_string(t.Age());
    const double rows = t.ThinType() == 2 ? t.SystematicPart().Trees : 0;
    ExpectRel(before.NoTrees(), rows + t.RemovedTrees() + t.TreesAfterThin(), 1e-9, at);
    ExpectRel(before.Volume(), t.RemovedVolume() + t.VolumeAfterThin(), 1e-9, at);
    ExpectRel(t.RemovedVolume(), t.SystematicPart().Volume + t.SelectivePart().Volume, 1e-9, at);
    if (t.ThinType() == 2) {
      ExpectRel(t.SystematicPart().Volume, before.Volume() / t.CutRows(), 1e-9, at);
      ExpectRel(before.BaseArea() * (1 - 1.0 / t.CutRows()), t.RemovedBaseArea() + t.BaseAreaAfterThin(), 1e-9, at);
    } else {
      ExpectRel(before.BaseArea(), t.RemovedBaseArea() + t.BaseAreaAfterThin(), 1e-9, at);
    }
    if (t.ThinMode() == 1)
      ExpectRel(t.TreesAfterThin(), t.RemanescentTrees(), 1e-7, at);
    else
      ExpectRel(t.BaseAreaAfterThin(), t.RemanescentBaseArea(), 1e-7, at);
    if (t.ThinType() == 1) ExpectRel(t.MedianDiameter(), before.MedianDiameter(), 1e-12, at);
  }

  const TProductionCollection& h = s.ProductionCollection();
  ASSERT_EQ(h.Count(), 4);
  const int ages[] = {5, 9, 12, 16};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(h[i].Age(), ages[i]);
    EXPECT_EQ(h[i].Origem(), i < 3 ? "DESBASTE" : "CORTE FINAL");
    EXPECT_EQ(h[i].ThinType(), i == 2 ? 0 : 1);
  }
  // Class trees: the systematic cut at 9, the selective cut at 12, the whole stand at 16.
  const TThinCollection& thins = s.ThinCollection();
  ExpectClassTrees(h[1], thins[2].RemovedTrees());
  ExpectClassTrees(h[2], thins[0].RemovedTrees());
  ExpectClassTrees(h[3], s.PrognosisCollection()[9].NoTrees());
  EXPECT_EQ(h[0].DiameterClasses()[0].ProductsVolume().Count(), 3);
  EXPECT_EQ(h[3].TotalVolume(), s.PrognosisCollection()[9].Volume());
}

TEST(SimulationRun, MergingSameAgeHarvestsConservesTreesAndVolume) {
  Ran r(fixtures::FillReferenceSimulation);
  ASSERT_TRUE(r.done);
  TSimulation& s = *r.s;
  s.ProductionCollection().Clear();
  Access::BuildProductions(s);
  TProductionCollection& h = s.ProductionCollection();
  ASSERT_EQ(h.Count(), 5);
  EXPECT_EQ(h[0].Age(), 5);
  EXPECT_EQ(h[1].Age(), 5);
  ExpectClassTrees(h[0], s.ThinCollection()[1].SystematicPart().Trees);
  ExpectClassTrees(h[1], s.ThinCollection()[1].RemovedTrees());
  auto sums = [](const TProduction& p) {
    std::vector<double> v{ClassTrees(p), p.TotalVolume(), 0, p.ProductTotal(0), p.ProductTotal(1), p.ProductTotal(2)};
    for (const TDiameterClass& c : p.DiameterClasses()) v[2] += c.Volume();
    return v;
  };
  const auto a = sums(h[0]), b = sums(h[1]);
  Access::MergeProductions(s);
  ASSERT_EQ(h.Count(), 4);
  const auto m = sums(h[0]);
  for (std::size_t i = 0; i < m.size(); ++i) ExpectRel(m[i], a[i] + b[i], 1e-12);
}

TEST(SimulationRun, FormulaTextsEqualToTheBuiltInsGiveTheSameResults) {
  for (auto fill : {fixtures::FillReferenceSimulation, fixtures::FillInventorySimulation}) {
    Ran built(fill), texts(fill, [](TSimulation&s) { fixtures::SetBuiltInFormulaTexts(s); });
    ASSERT_TRUE(built.done && texts.done);
    EXPECT_FALSE(Access::VolumeFormula(*texts.s).HasBuiltInFunction());
    const TSimulation &a = *built.s, &b = *texts.s;
    ASSERT_EQ(RowAges(a), RowAges(b));
    for (int i = 0; i < a.PrognosisCollection().Count(); ++i) {
      ExpectRel(b.PrognosisCollection()[i].Volume(), a.PrognosisCollection()[i].Volume(), 1e-9);
      ExpectRel(b.PrognosisCollection()[i].MedianDiameter(), a.PrognosisCollection()[i].MedianDiameter(), 1e-9);
    }
    ASSERT_EQ(a.ProductionCollection().Count(), b.ProductionCollection().Count());
    for (int i = 0; i < a.ProductionCollection().Count(); ++i) {
      const TProduction &x = a.ProductionCollection()[i], &y = b.ProductionCollection()[i];
      ASSERT_EQ(x.DiameterClasses().Count(), y.DiameterClasses().Count());
      for (int k = 0; k < 3; ++k) ExpectRel(y.ProductTotal(k), x.ProductTotal(k), 1e-9);
    }
  }
}

TEST(SimulationRun, InventoryOfTypeThreeWithTypedAges) {
  Ran r(fixtures::FillInventorySimulation);
  ASSERT_TRUE(r.done);
  const TSimulation& s = *r.s;
  EXPECT_EQ(s.InitialAge(), 3);
  EXPECT_EQ(s.FinalAge(), 10);
  EXPECT_EQ(RowAges(s), (std::vector<int>{3, 4, 6, 8, 10}));
  ExpectRel(s.ThinCollection()[1].BaseAreaAfterThin(), 12, 1e-7);
  ExpectRel(s.ThinCollection()[0].TreesAfterThin(), 400, 1e-7);
  EXPECT_EQ(s.ProductionCollection().Count(), 3);
}

TEST(SimulationRun, AgeZeroIsNeverGrown) {
  Ran r(fixtures::FillReferenceSimulation, [](TSimulation& s) {
    s.ThinCollection().Clear();
    s.SetListingOption(2);
    s.SetResultAges("0 5 10");
  });
  ASSERT_TRUE(r.done);
  EXPECT_EQ(RowAges(*r.s), (std::vector<int>{5, 10}));
  Ran only(fixtures::FillReferenceSimulation, [](TSimulation& s) {
    s.ThinCollection().Clear();
    s.SetListingOption(2);
    s.SetResultAges("0");
  });
  EXPECT_TRUE(only.valid);
  EXPECT_FALSE(only.done);
  ASSERT_EQ(only.s->Errors().Count(), 1);
  EXPECT_EQ(only.s->Errors().GetItem(0).Code(), 99);
}

TEST(SimulationRun, FailuresBecomeCode99AndKeepTheRowsMadeBefore) {
  const std::string trees = "Número inválido de árvores remanescentes.";
  const std::string basal = "Área basal remanescente inválida.";
  struct Case {
    void (*change)(TSimulation&);
    std::string text;
    int rows;
  };
  const Case cases[] = {
      {[](TSimulation& s) { s.ThinCollection()[2].SetRemanescentTrees(75); }, trees, 6},
      {[](TSimulation& s) { s.ThinCollection()[2].SetRemanescentTrees(1000); }, trees, 6},
      {[](TSimulation& s) { s.ThinCollection()[0].SetRemanescentBaseArea(4); }, basal, 8},
      {[](TSimulation& s) { s.ThinCollection()[1].SetCutRows(1); }, trees, 3},
  };
  for (const Case& c : cases) {
    Ran r(fixtures::FillReferenceSimulation, c.change);
    EXPECT_TRUE(r.valid);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.Errors(), (std::vector<std::pair<int, std::string>>{{99, c.text}}));
    EXPECT_EQ(r.s->PrognosisCollection().Count(), c.rows);
    EXPECT_EQ(r.s->ProductionCollection().Count(), 0);
  }
}

TEST(SimulationRun, FormulasAreCompiledInsideTheGuardAndOnlyWithoutBuiltIns) {
  // A stale text left under a built-in is not compiled.
  Ran stale(fixtures::FillReferenceSimulation, [](TSimulation& s) { s.SetSiteIndexEquation("S+"); });
  EXPECT_FALSE(stale.valid);
  stale.s->SetSiteIndexEquation("");
  EXPECT_TRUE(stale.s->Validate());
  EXPECT_EQ(Access::SiteFormula(*stale.s).Expression(), "S+");
  EXPECT_TRUE(stale.s->Execute());
  // A text that no longer compiles fails the run instead of escaping it.
  Ran bad(fixtures::FillReferenceSimulation, [](TSimulation& s) { s.SetVolumeEquation("D*H"); });
  ASSERT_TRUE(bad.done);
  Access::VolumeFormula(*bad.s).SetExpression("D*");
  EXPECT_FALSE(bad.s->Execute());
  ASSERT_EQ(bad.s->Errors().Count(), 1);
  EXPECT_EQ(bad.s->Errors().GetItem(0).Code(), 99);
  // Not valid: nothing happens.
  TSimulation fresh;
  EXPECT_FALSE(fresh.Execute());
  EXPECT_EQ(fresh.Errors().Count(), 0);
}
