#include <gtest/gtest.h>

#include <limits>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "model/items/ErrorsUnit.h"
#include "model/items/ProductUnit.h"
#include "model/items/PrognosisUnit.h"
#include "model/items/ThinUnit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Every published property but the read-only Id is writable and starts empty.
void ExpectFreshItem(const TCollectionItem& item) {
  for (const PropertyInfo* p : item.Class().Properties()) {
    EXPECT_EQ(p->IsReadOnly(), p->name == "Id") << p->name;
    if (p->name == "Id") continue;
    const PropValue v = GetPropValue(item, *p);
    EXPECT_TRUE(v == PropValue(std::string()) || v == PropValue(0.0) || v == PropValue(std::int32_t{0})) << p->name;
  }
}

class Items : public ::testing::Test {};

}  // namespace

TEST(ErrorList, KeepsEveryMessageInOrderAndClearKeepsTheTitle) {
  TErrorList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Title(), "");
  list.SetTitle("Erros na Simulação");
  for (int i = 0; i < 150; ++i) list.Add(i % 75, "m" + std::to_string(i));
  ASSERT_EQ(list.Count(), 150);
  for (int i = 0; i < 150; ++i) {
    EXPECT_EQ(list.GetItem(i).Code(), i % 75);  // equal codes both stay
    EXPECT_EQ(list.GetItem(i).Text(), "m" + std::to_string(i));
  }
  EXPECT_THROW(list.GetItem(-1), EListError);
  EXPECT_THROW(list.GetItem(150), EListError);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Title(), "Erros na Simulação");
  EXPECT_THROW(list.GetItem(0), EListError);
}

TEST_F(Items, Product) {
  EXPECT_EQ(PropertyNames(TProduct::StaticClass()),
            (std::vector<std::string>{"Id", "Name", "MinDiameter", "Size", "Price", "PriceEvolutionRate"}));
  TProductCollection products;
  TProduct& p = products.Add();
  ExpectFreshItem(p);
  EXPECT_EQ(&products.GetItem(0), &p);

  const std::string k201 = "Falta informar o Nome do Produto";
  const std::string k204 = "Não é possivel ter somente uma das medidas igual a zero";
  struct Case {
    std::string name;
    double minDiameter, size;
    Entries expected;
  };
  const std::vector<Case> cases = {
      {"Celulose", 8, 2.4, {}},
      {"Lenha", 0, 0, {}},
      {"Serraria", 1000, 100, {}},
      {"X", 1001, 2, {{202, "Diâmetro mínimo: 1001 inválido"}}},
      {"X", 1000.5, 2, {{202, "Diâmetro mínimo: 1000,5 inválido"}}},
      {"X", -1, 2, {{202, "Diâmetro mínimo: -1 inválido"}}},
      {"X", kNaN, 2, {{202, "Diâmetro mínimo: NAN inválido"}}},
      {"X", 8, 101, {{203, "Comprimento: 101 inválido"}}},
      {"X", 8, -0.25, {{203, "Comprimento: -0,25 inválido"}}},
      {"X", 8, 0, {{204, k204}}},
      {"X", 0, 2.4, {{204, k204}}},
      {" \t ", 8, 2.4, {{201, k201}}},
      {"", 1001, 0, {{201, k201}, {202, "Diâmetro mínimo: 1001 inválido"}, {204, k204}}},
      {"", -2, 101, {{201, k201}, {202, "Diâmetro mínimo: -2 inválido"}, {203, "Comprimento: 101 inválido"}}},
  };
  p.SetPrice(-5);  // price and evolution are not checked
  p.SetPriceEvolutionRate(-1);
  TErrorList list;
  for (const Case& c : cases) {
    list.Add(999, "left over");
    p.SetName(c.name);
    p.SetMinDiameter(c.minDiameter);
    p.SetSize(c.size);
    EXPECT_EQ(p.Validate(list), c.expected.empty());
    EXPECT_EQ(EntriesOf(list), c.expected) << c.name << " " << c.minDiameter << " " << c.size;
  }
}

namespace {

// Ids of one cursor pass.
std::vector<int> Pass(TThinCollection& thins) {
  std::vector<int> ids;
  for (TThin* t = thins.FirstThin(); t; t = thins.NextThin()) ids.push_back(t->Id());
  return ids;
}

void AddAges(TThinCollection& thins, std::initializer_list<int> ages) {
  for (int age : ages) thins.Add().SetAge(age);
}

}  // namespace

TEST(Thin, PublishedPropertiesAndStart) {
  EXPECT_EQ(PropertyNames(TThin::StaticClass()),
            (std::vector<std::string>{"Id", "Age", "ThinType", "TypeName", "ThinMode", "RemanescentTrees",
                                      "RemanescentBaseArea", "CutRows", "RemovedTrees", "TreesAfterThin",
                                      "RemovedBaseArea", "BaseAreaAfterThin", "MedianDiameter", "MedianHeight",
                                      "RemovedVolume", "VolumeAfterThin"}));
  TThinCollection thins;
  const TThin& t = thins.Add();
  ExpectFreshItem(t);
  EXPECT_EQ(t.SelectivePart().Volume, 0);
  EXPECT_EQ(t.SystematicPart().Trees, 0);
  EXPECT_EQ(t.Sb(), SbParameters{});
}

TEST(ThinCursor, IncreasingAgesFirstOfEqualAgesSentinelAndAgeZero) {
  TThinCollection thins;
  AddAges(thins, {8, 4, 6});
  EXPECT_EQ(Pass(thins), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(Pass(thins), (std::vector<int>{1, 2, 0}));  // a second pass is the same
  EXPECT_FALSE(thins.HasRepeatedAges());

  TThinCollection ties;
  AddAges(ties, {9, 6, 3, 6, 3});
  EXPECT_EQ(Pass(ties), (std::vector<int>{2, 1, 0}));
  EXPECT_TRUE(ties.HasRepeatedAges());

  TThinCollection edges;
  AddAges(edges, {99, 0, 98, 150, -4});
  EXPECT_EQ(Pass(edges), (std::vector<int>{2}));
  TThinCollection none;
  AddAges(none, {0, 99});
  EXPECT_EQ(none.FirstThin(), nullptr);
  TThinCollection empty;
  EXPECT_EQ(empty.FirstThin(), nullptr);
  EXPECT_FALSE(empty.HasRepeatedAges());
}

TEST(ThinCursor, StaysWhereItWasWhenNothingIsLeft) {
  TThinCollection thins;
  AddAges(thins, {4});
  EXPECT_EQ(thins.FirstThin(), &thins[0]);
  EXPECT_EQ(thins.NextThin(), nullptr);
  EXPECT_EQ(thins.NextThin(), nullptr);
  AddAges(thins, {3, 5});
  EXPECT_EQ(thins.NextThin(), &thins[2]);  // after 4, not 3
  EXPECT_EQ(thins.NextThin(), nullptr);
}

TEST_F(Items, ThinValidation) {
  struct Case {
    int age, type, rows, mode;
    double trees, baseArea;
    Entries expected;
  };
  // Ages must lie in [3, 20).
  const std::vector<Case> cases = {
      {3, 0, 0, 1, 600, kNaN, {}},
      {19, 1, 31, 0, -7, 1, {}},  // types 0 and 1 ignore CutRows, mode 0 the trees
      {10, 2, 1, 0, 0, 100, {}},
      {10, 2, 30, 1, 5000, 0, {}},
      {10, 2, 30, 1, 1, 0, {}},
      // Other modes check neither the trees nor the basal area, and are refused.
      {10, 0, 0, 2, -1, -1, {{57, "Desbaste na idade 10: Modo de desbaste 2 é inválido!"}}},
      {10, 3, 0, 1, 600, 0, {{56, "Desbaste na idade 10: Tipo de desbaste 3 é inválido!"}}},
      {10, -1, 0, 0, 0, 15, {{56, "Desbaste na idade 10: Tipo de desbaste -1 é inválido!"}}},
      {10,
       7,
       0,
       -1,
       0,
       0,
       {{56, "Desbaste na idade 10: Tipo de desbaste 7 é inválido!"},
        {57, "Desbaste na idade 10: Modo de desbaste -1 é inválido!"}}},
      {2, 0, 0, 1, 600, 0, {{51, "Desbaste na idade 2: Idade Inválida!"}}},
      {20, 0, 0, 1, 600, 0, {{51, "Desbaste na idade 20: Idade Inválida!"}}},
      {6, 2, 0, 1, 600, 0, {{52, "Desbaste na idade 6: A linha a ser desbasta 0 é inválida!"}}},
      {6, 2, 31, 1, 600, 0, {{52, "Desbaste na idade 6: A linha a ser desbasta 31 é inválida!"}}},
      {6, 0, 0, 0, 0, 0.5, {{53, "Desbaste na idade 6: Área Basal 0,5 é inválida!"}}},
      {6, 0, 0, 0, 0, 100.25, {{53, "Desbaste na idade 6: Área Basal 100,25 é inválida!"}}},
      {6, 0, 0, 0, 0, kNaN, {{53, "Desbaste na idade 6: Área Basal NAN é inválida!"}}},
      {6, 1, 0, 1, 5001, 0, {{54, "Desbaste na idade 6: Número de árvores 5001é inválido!"}}},
      {6, 1, 0, 1, 0.5, 0, {{54, "Desbaste na idade 6: Número de árvores 0,5é inválido!"}}},
      {6, 1, 0, 1, kNaN, 0, {{54, "Desbaste na idade 6: Número de árvores NANé inválido!"}}},
      {25,
       2,
       40,
       0,
       0,
       0,
       {{51, "Desbaste na idade 25: Idade Inválida!"},
        {52, "Desbaste na idade 25: A linha a ser desbasta 40 é inválida!"},
        {53, "Desbaste na idade 25: Área Basal 0 é inválida!"}}},
      {-3,
       2,
       -1,
       1,
       0,
       0,
       {{51, "Desbaste na idade -3: Idade Inválida!"},
        {52, "Desbaste na idade -3: A linha a ser desbasta -1 é inválida!"},
        {54, "Desbaste na idade -3: Número de árvores 0é inválido!"}}},
  };
  TThinCollection thins;
  TThin& t = thins.Add();
  for (const Case& c : cases) {
    t.SetAge(c.age);
    t.SetThinType(c.type);
    t.SetCutRows(c.rows);
    t.SetThinMode(c.mode);
    t.SetRemanescentTrees(c.trees);
    t.SetRemanescentBaseArea(c.baseArea);
    TErrorList list;
    list.Add(5, "antes");  // appended to, never cleared
    t.Validate(list, 3, 20);
    Entries expected{{5, "antes"}};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(EntriesOf(list), expected) << c.age << " " << c.type << " " << c.mode;
  }
}

namespace {

// A volume equation that records what it was given.
class RecordingVolume : public IEquation {
public:
  double Compute(std::span<const double> values) override {
    seen.assign(values.begin(), values.end());
    return result;
  }
  std::vector<double> seen;
  double result = 0;
};

}  // namespace

TEST(Prognosis, PublishedPropertiesBasalAreaAndVolume) {
  EXPECT_EQ(PropertyNames(TPrognosis::StaticClass()),
            (std::vector<std::string>{"Id", "Age", "DominantHeight", "NoTrees", "MedianDiameter", "MedianHeight",
                                      "BaseArea", "Volume", "IMA", "ICA"}));
  TPrognosisCollection rows;
  TPrognosis& r = rows.Add();
  ExpectFreshItem(r);
  EXPECT_EQ(r.Sb(), SbParameters{});

  // 1000 trees of 0.2 m: 1000 × π × 0.1² = 10π; 1250 of 0.12 m: 4.5π.
  r.SetMedianDiameter(20);
  r.SetNoTrees(1000);
  r.ComputeBasalArea();
  EXPECT_NEAR(r.BaseArea(), 10 * std::numbers::pi, 1e-12 * r.BaseArea());
  r.SetMedianDiameter(12);
  r.SetNoTrees(1250);
  r.ComputeBasalArea();
  EXPECT_NEAR(r.BaseArea(), 4.5 * std::numbers::pi, 1e-12 * r.BaseArea());

  r.SetAge(7);
  r.SetMedianDiameter(14.5);
  r.SetMedianHeight(19.25);
  r.SetNoTrees(1111);
  RecordingVolume eq;
  eq.result = 0.125;
  EXPECT_EQ(r.ComputeVolume(eq), 138.875);
  EXPECT_EQ(r.Volume(), 138.875);
  EXPECT_EQ(eq.seen, (std::vector<double>{14.5, 19.25, 7.0}));
  eq.result = kNaN;
  EXPECT_THROW(r.ComputeVolume(eq), EInvalidOp);
  EXPECT_EQ(r.Volume(), 138.875);
}

TEST(Prognosis, IncrementsOverRowsAndAThinning) {
  // Rows at 4, 6 (just before a thinning that takes 50 and leaves 100) and 8:
  // volumes 80, 150 and 160.
  TPrognosisCollection rows;
  RecordingVolume eq;
  auto row = [&](int age, double volumePerTree, double removed, int previousAge, double previousVolume) {
    TPrognosis& r = rows.Add();
    r.SetAge(age);
    r.SetNoTrees(1000);
    eq.result = volumePerTree;
    r.ComputeVolume(eq);
    r.ComputeIMA(removed);
    r.ComputeICA(previousAge, previousVolume);
    return std::vector<double>{r.Volume(), r.IMA(), r.ICA()};
  };
  EXPECT_EQ(row(4, 0.08, 0, 0, 0), (std::vector<double>{80, 20, 20}));         // first row: ICA = IMA
  EXPECT_EQ(row(6, 0.15, 0, 4, 80), (std::vector<double>{150, 25, 35}));       // 150/6, 70/2
  EXPECT_EQ(row(8, 0.16, 50, 6, 100), (std::vector<double>{160, 26.25, 30}));  // 210/8, 60/2
  EXPECT_EQ(row(10, 0.15, 50, 8, 160), (std::vector<double>{150, 20, -5}));

  TPrognosis& r = rows.Add();
  r.SetVolume(80);
  EXPECT_THROW(r.ComputeIMA(0), EZeroDivide);  // age 0
  r.SetVolume(0);
  EXPECT_THROW(r.ComputeIMA(0), EInvalidOp);
  r.SetAge(6);
  r.SetVolume(90);
  EXPECT_THROW(r.ComputeICA(6, 80), EZeroDivide);  // the previous age again
  EXPECT_THROW(r.ComputeICA(6, 90), EInvalidOp);
  EXPECT_EQ(r.ICA(), 0);
}
