#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>
#include <vector>

#include "model/growth/HardFormulaUnit.h"
#include "model/growth/HarvestBuild.h"
#include "model/items/ProductUnit.h"
#include "model/items/ProductionUnit.h"

namespace {

// An equation given by any callable.
struct Equation : IEquation {
  explicit Equation(std::function<double(std::span<const double>)> f) : f(std::move(f)) {}
  double Compute(std::span<const double> values) override { return f(values); }
  std::function<double(std::span<const double>)> f;
};

Equation builtInVolume(DefaultVolume);
Equation builtInTaper(DefaultShapeFunction);
Equation builtInIntegral(DefaultShapeIntegral);
Equation unitVolume([](std::span<const double>) { return 1.0; });
Equation coneTaper([](std::span<const double> v) { return v[0] * v[1]; });
Equation cubeIntegral([](std::span<const double> v) { return v[0] * v[0] * v[0]; });

void AddProduct(TProductCollection& products, double minDiameter, double size) {
  TProduct& p = products.Add();
  p.SetMinDiameter(minDiameter);
  p.SetSize(size);
}

// A synthetic harvest of 500 trees at age 9; ThinType 0 truncates at 22 cm and 27 m.
struct Harvest {
  TProductCollection products;
  TProduction p;
  THarvestBuilder build;

  explicit Harvest(int thinType, int width = 2, IEquation& volume = builtInVolume)
      : build(volume, builtInTaper, builtInIntegral) {
    AddProduct(products, 25, 2.4);
    AddProduct(products, 8, 2.4);
    AddProduct(products, 0, 0);
    p.Sb() = {-1.0, 1.6, 1.3, 1.5, 0.6, 18, 32, 14, 36};
    p.SetAge(9);
    p.SetNoTree(500);
    p.SetTotalVolume(200);
    p.SetThinType(thinType);
    p.SetMedianDiameter(22);
    p.SetMedianHeight(27);
    p.SetProducts(&products);
    p.SetClassWidth(width);
  }

  double ClassTrees(double lower, double upper) const { return THarvestBuilder::ClassTrees(p, lower, upper); }
  double ClassMedianHeight(double lower, double upper) const {
    return THarvestBuilder::ClassMedianHeight(p, lower, upper);
  }
  double ClassVolume(double lower, double upper) const { return build.ClassVolume(p, lower, upper); }
  void BuildDiameterClasses() { build.BuildDiameterClasses(p); }
};

std::vector<std::pair<int, double>> Entries(const TDiameterClass& c) {
  std::vector<std::pair<int, double>> out;
  for (const TProductVolume& v : c.ProductsVolume()) out.emplace_back(v.ProductIndex(), v.Volume());
  return out;
}

}  // namespace

TEST(Harvest, ClassTreesAddUpToTheLawAndToTheRegionBelowTheTruncation) {
  Harvest all(1), removed(0);
  double sumAll = 0, sumRemoved = 0;
  for (double d = 14; d < 36; d += 2) {
    sumAll += all.ClassTrees(d, d + 2);
    sumRemoved += removed.ClassTrees(d, d + 2);
  }
  EXPECT_NEAR(sumAll, 500, 500 * 4e-5);
  // 500 (1 - P(z_h >= z_h(27), z_d >= z_d(22))), exact bivariate normal.
  EXPECT_NEAR(sumRemoved, 370.838889, 0.02);
}

TEST(Harvest, ClassVolumeMatchesExactIntegralsAndTreesUnderAUnitVolume) {
  Harvest h(1);
  EXPECT_NEAR(h.ClassVolume(20, 22), 51.08255271, 51.08255271 * 1e-4);
  EXPECT_NEAR(h.ClassVolume(14, 16), 1.596239333, 1.596239333 * 1e-4);
  EXPECT_NEAR(h.ClassVolume(14, 36), 210.9123714, 210.9123714 * 1e-4);
  for (int type : {1, 0}) {
    Harvest unit(type, 2, unitVolume);
    for (double d = 16; d < 34; d += 2) {
      const double n = unit.ClassTrees(d, d + 2);
      EXPECT_NEAR(unit.ClassVolume(d, d + 2), n, 1e-3 * std::max(n, 1.0)) << type << " " << d;
    }
  }
}

TEST(Harvest, ClassHeightsFollowTheDiametersUpToTheEdgeClasses) {
  Harvest symmetric(1);
  symmetric.p.Sb().HeightGamma = 0;
  symmetric.p.Sb().Rho = 0;
  EXPECT_NEAR(symmetric.ClassMedianHeight(20, 22), 25, 1e-9);
  // Width 4 puts the midpoint of the first class on the diameter minimum.
  Harvest h(1, 4);
  h.BuildDiameterClasses();
  const TDiameterClasses& classes = h.p.DiameterClasses();
  ASSERT_GE(classes.Count(), 5);
  EXPECT_EQ(classes[0].MinDiameter(), 12);
  for (int i = 0; i < classes.Count(); ++i) {
    EXPECT_GT(classes[i].MedianHeight(), 18);
    EXPECT_LT(classes[i].MedianHeight(), 32);
    if (i > 0) {
      EXPECT_GE(classes[i].MedianHeight(), classes[i - 1].MedianHeight()) << i;
    }
  }
  EXPECT_LT(classes[0].MedianHeight(), 25);
}

TEST(Harvest, ClassesAreScaledToTheHarvestAndSplitWholeIntoProducts) {
  Harvest h(1);
  h.BuildDiameterClasses();
  const double whole = h.ClassVolume(14, 36);
  double kept = 0, dropped = 0;
  int next = 0;
  for (double d = 14; d < 36; d += 2) {
    const double v = h.ClassVolume(d, d + 2) * 200 / whole;
    if (std::fabs(h.ClassTrees(d, d + 2)) > 0.5) {
      const TDiameterClass& c = h.p.DiameterClasses()[next++];
      EXPECT_EQ(c.MinDiameter(), d);
      EXPECT_EQ(c.MaxDiameter(), d + 2);
      EXPECT_NEAR(c.Volume(), v, 1e-9 * v);
      auto e = Entries(c);
      ASSERT_EQ(e.size(), 3u);
      EXPECT_EQ(e[0].first, 0);  // 25 cm at the butt, then 8, then the rest
      EXPECT_EQ(e[1].first, 1);
      EXPECT_EQ(e[2].first, 2);
      EXPECT_NEAR(e[0].second + e[1].second + e[2].second, c.Volume(), 1e-9 * c.Volume());
      kept += c.Volume();
    } else {
      dropped += v;
    }
  }
  EXPECT_EQ(next, h.p.DiameterClasses().Count());
  EXPECT_NEAR(kept + dropped, 200, 200 * 1e-4);
  EXPECT_NEAR(h.p.ProductTotal(0) + h.p.ProductTotal(1) + h.p.ProductTotal(2), kept, 1e-9 * kept);
}

TEST(Harvest, AssortmentCutsWholeLogsAndTheLaterOfEqualProducts) {
  TProductCollection two, four;
  AddProduct(two, 10, 4);
  AddProduct(two, 0, 0);
  for (auto [m, l] : {std::pair{0.0, 0.0}, {18.0, 3.0}, {18.0, 2.0}, {5.0, 4.0}}) AddProduct(four, m, l);
  TDiameterClass a, b;
  a.AssortProducts(two, coneTaper, cubeIntegral, -100, 20, 7, 2, 24);
  EXPECT_EQ(a.Volume(), 100);
  auto ea = Entries(a);
  ASSERT_EQ(ea.size(), 2u);
  EXPECT_NEAR(ea[0].second, 78.4, 1e-9);  // two logs: at 12 m the diameter is exactly 10
  EXPECT_NEAR(ea[1].second, 21.6, 1e-9);
  b.AssortProducts(four, coneTaper, cubeIntegral, 100, 20, 7, 2, 24);
  auto eb = Entries(b);
  ASSERT_EQ(eb.size(), 4u);
  const int index[] = {2, 3, 0, 0};
  const double volume[] = {48.8, 44.8, 6.4, 0};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(eb[k].first, index[k]);
    EXPECT_NEAR(eb[k].second, volume[k], 1e-9);
  }
}

TEST(Harvest, LogsNeverPassTheTreeTop) {
  TProductCollection products;
  AddProduct(products, 1, 30);    // longer than the tree
  AddProduct(products, 0.5, -2);  // negative length
  AddProduct(products, 0, 0);
  TDiameterClass c;
  c.AssortProducts(products, builtInTaper, builtInIntegral, 10, 15, 5, 2, 20);
  auto e = Entries(c);
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].second, 0);
  EXPECT_EQ(e[1].second, 0);
  EXPECT_NEAR(e[2].second, 10, 1e-9);
}

TEST(Harvest, MergeConservesTreesAndVolumesAndTheCursorRestoresOrder) {
  Harvest first(1, 2), second(0, 2);
  first.p.Sb().DiameterMax = 26;  // the second harvest reaches classes above the first
  first.BuildDiameterClasses();
  second.BuildDiameterClasses();
  auto totals = [](const TProduction& p) {
    std::vector<double> t{0, 0, p.TotalVolume(), p.ProductTotal(0), p.ProductTotal(2)};
    for (const TDiameterClass& c : p.DiameterClasses()) {
      t[0] += c.NoTrees();
      t[1] += c.Volume();
    }
    return t;
  };
  const auto a = totals(first.p), b = totals(second.p);
  const int firstCount = first.p.DiameterClasses().Count();
  first.p.MergeProduction(second.p);
  const auto m = totals(first.p);
  for (std::size_t i = 0; i < m.size(); ++i) EXPECT_NEAR(m[i], a[i] + b[i], 1e-9 * m[i]) << i;
  EXPECT_EQ(first.p.NoTree(), 500);
  EXPECT_EQ(first.p.ThinType(), 1);

  TDiameterClasses& classes = first.p.DiameterClasses();
  EXPECT_GT(classes.Count(), firstCount);
  std::vector<double> visited;
  for (TDiameterClass* c = classes.FirstByDiameter(); c; c = classes.NextByDiameter())
    visited.push_back(c->MinDiameter());
  EXPECT_EQ(static_cast<int>(visited.size()), classes.Count());
  EXPECT_TRUE(std::is_sorted(visited.begin(), visited.end()));
}

TEST(Harvest, CursorTakesTheFirstOfEqualDiametersAndStaysAtTheEnd) {
  TDiameterClasses classes;
  for (double d : {4.0, 0.0, 2.0, 0.0}) classes.Add().SetMinDiameter(d);
  EXPECT_EQ(classes.FirstByDiameter(), &classes[1]);
  EXPECT_EQ(classes.NextByDiameter(), &classes[2]);
  EXPECT_EQ(classes.NextByDiameter(), &classes[0]);
  EXPECT_EQ(classes.NextByDiameter(), nullptr);
  EXPECT_EQ(classes.NextByDiameter(), nullptr);
  EXPECT_EQ(TDiameterClasses().FirstByDiameter(), nullptr);
}
