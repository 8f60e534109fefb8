#include "model/growth/SimulationUnit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <numbers>

#include "model/growth/HarvestBuild.h"
#include "model/growth/SortUnit.h"
#include "model/growth/StrTok.h"
#include "platform/rtl/FloatChecks.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr const char* kMsgBadAgesList = "Lista de Idades para Simulação invalida";
constexpr const char* kMsgBadRemainingTrees = "Número inválido de árvores remanescentes.";
constexpr const char* kMsgBadRemainingBaseArea = "Área basal remanescente inválida.";
// Room of the ages list: a longer typed list is refused, the grid of listed
// ages stops there.
constexpr std::size_t kMaxListedAges = 49;

// NaN is outside every range.
bool InRange(double v, double lo, double hi) {
  return lo <= v && v <= hi;
}

std::string Value(double v) {
  return FloatToStr(v);
}
std::string Value(int v) {
  return IntToStr(v);
}

// Basal area (m²/ha) of trees/ft² with a quadratic mean diameter in inches.
double BasalArea(double dq, double trees) {
  const double d = dq * kMetresPerInch;
  return d * d * (trees / kHectaresPerSquareFoot) * std::numbers::pi / 4;
}

}  // namespace

const ClassInfo& TSimulation::StaticClass() {
  static const auto ci = ClassBuilder<TSimulation>("TSimulation", &TSimulationData::StaticClass()).Build();
  return *ci;
}

TSimulation::TSimulation() {
  errors_.SetTitle("Erros na Simulação");
}

TSimulation::~TSimulation() = default;

// ---- validation ----

bool TSimulation::Validate() {
  errors_.Clear();
  try {
    if (!InRange(SiteIndex(), 10, 50)) errors_.Add(1, "Índice de Sítio: " + Value(SiteIndex()) + " inválido");

    auto checkInventory = [this](int treesCode, int ageCode) {
      if (!InRange(InventoryTrees(), 10, 7999))
        errors_.Add(treesCode, "Número de árvores: " + Value(InventoryTrees()) + " inválido");
      if (InventoryAge() < 0 || InventoryAge() > 30)
        errors_.Add(ageCode, "Ano do Inventário: " + Value(InventoryAge()) + " inválido");
    };
    switch (Inventory()) {
      case TInventoryType::PlantingDensity:
        if (!InRange(InitialTrees(), 10, 7999))
          errors_.Add(2, "Número de árvores: " + Value(InitialTrees()) + " inválido");
        if (!InRange(SurvivalPercentage(), 50, 100))
          errors_.Add(3, "Percentagem Inicial de Sobrevivência: " + Value(SurvivalPercentage()) + " inválida");
        break;
      case TInventoryType::TreesAtAge:
        checkInventory(4, 5);
        break;
      case TInventoryType::TreesAndSizeAtAge:
        checkInventory(6, 7);
        if (InventoryGiven() == TInventoryMode::BaseArea) {
          if (!InRange(BaseArea(), 0, 50)) errors_.Add(8, "Área Basal: " + Value(BaseArea()) + " inválida");
        } else if (InventoryGiven() == TInventoryMode::MedianDiameter) {
          if (!InRange(MedianDiameter(), 0, 50))
            errors_.Add(9, "Diametro Quadrático médio: " + Value(MedianDiameter()) + " inválido");
        } else {
          errors_.Add(10, "Falta informar a Área Basal ou o Diâmetro Quadrático Médio");
        }
        break;
      default:
        errors_.Add(11, "Falta informar o tipo de Inventário");
    }

    if (!InRange(HomogeneityDegree(), 1, 10))
      errors_.Add(12, "Nível de Homogeneidade do Plantio: " + Value(HomogeneityDegree()) + " inválido");

    auto checkAges = [this](int initialCode, int finalCode) {
      if (InitialAge() < 0 || InitialAge() > 30)
        errors_.Add(initialCode, "Idade inicial: " + Value(InitialAge()) + " inválida");
      if (FinalAge() < InitialAge() || FinalAge() > 40)
        errors_.Add(finalCode, "Idade final: " + Value(FinalAge()) + " inválida");
    };
    if (Listing() == TListingOption::AgeInterval) {
      checkAges(13, 14);
      if (IncrementalAge() < 1 || IncrementalAge() > 10)
        errors_.Add(15, "Intervalo: " + Value(IncrementalAge()) + " inválido");
    } else if (Listing() == TListingOption::AgeList) {
      const int n = ParseResultAges(ResultAges());
      if (n < 1) {
        errors_.Add(19, "Lista de Idades vazia!");
      } else {
        SortIntegers(ages_.data(), static_cast<int>(kMaxListedAges), n);
        SetInitialAge(ages_.front());
        SetFinalAge(ages_.back());
        checkAges(16, 17);
        if (HasRepeatedAges(n)) errors_.Add(18, "Idades de Simulacao repetidas");
      }
    } else {
      ages_ = {InitialAge(), FinalAge()};
    }

    int lowest;
    if (InventoryAge() < InitialAge())
      lowest = InitialAge();
    else
      lowest = Inventory() == TInventoryType::PlantingDensity ? 1 : InventoryAge();
    const int highest = LastListedAge();
    for (const TThin& thin : ThinCollection()) thin.Validate(errors_, lowest, highest);
    if (ThinCollection().HasRepeatedAges()) errors_.Add(55, "Existe no minimo dois desbastes na mesma idade");

    if (DiameterClassInterval() < 1 || DiameterClassInterval() > 10)
      errors_.Add(20, "Intervalo de Classes de Diâmetros: " + Value(DiameterClassInterval()) + " inválido");

    PrepareEquations();
  } catch (const Exception& e) {
    errors_.Add(99, e.Message());
  } catch (const std::bad_alloc& e) {
    errors_.Add(99, e.what());
  }
  valid_ = errors_.Count() == 0;
  return valid_;
}

int TSimulation::ParseResultAges(const std::string& text) {
  TStrTok tokens;
  tokens.SetText(text);
  tokens.SetSeparators(" ,");
  std::vector<int> ages;
  try {
    for (std::string token = tokens.FirstToken(); !tokens.End(); token = tokens.NextToken()) {
      if (token.empty()) continue;
      if (ages.size() == kMaxListedAges) throw Exception(kMsgBadAgesList);
      ages.push_back(StrToInt(token));
    }
  } catch (const Exception&) {
    throw Exception(kMsgBadAgesList);
  }
  ages_ = std::move(ages);
  return static_cast<int>(ages_.size());
}

bool TSimulation::HasRepeatedAges(int count) const {
  const int n = std::min(count, static_cast<int>(ages_.size()));
  for (int i = 1; i < n; ++i)
    if (ages_[i] == ages_[i - 1]) return true;
  return false;
}

void TSimulation::PrepareEquations() {
  struct Row {
    TFormula& formula;
    const std::string& text;
    int code;
    const char* suffix;
  };
  const Row rows[] = {
      {siteFormula_, SiteIndexEquation(), 31, " da Equação de Sítio."},
      {volumeFormula_, VolumeEquation(), 33, " da Equação de Volume."},
      {shapeFormula_, ShapeFunctionEquation(), 35, " da Equação da Função de Sortimento"},
      {integralFormula_, ShapeFunctionIntegral2Equation(), 37,
       " da Equação da Integral da Função de Sortimento Quadrado"},
  };
  for (const Row& row : rows) {
    if (Trim(row.text).empty()) {
      row.formula.InstallBuiltInFunction();
      continue;
    }
    row.formula.SetExpression(row.text);
    try {
      row.formula.CheckSyntax();
    } catch (const Exception& e) {
      errors_.Add(row.code, e.Message() + row.suffix);
    }
  }
}

std::vector<int> TSimulation::GridAges() const {
  const int first = Inventory() == TInventoryType::PlantingDensity ? 1 : InventoryAge();
  std::vector<int> ages;
  // Wide: the stored ages may be any Integer, and the step must not overflow.
  for (std::int64_t age = std::max(InitialAge(), first); age <= FinalAge() && ages.size() < kMaxListedAges;
       age += IncrementalAge())
    ages.push_back(static_cast<int>(age));
  return ages;
}

int TSimulation::LastListedAge() const {
  if (Listing() != TListingOption::AgeInterval || IncrementalAge() < 1) return FinalAge();
  const std::vector<int> grid = GridAges();
  return grid.empty() ? FinalAge() : grid.back();
}

// ---- the run ----

bool TSimulation::Execute() {
  if (!valid_) return false;
  try {
    for (TFormula* formula : {static_cast<TFormula*>(&siteFormula_), static_cast<TFormula*>(&volumeFormula_),
                              static_cast<TFormula*>(&shapeFormula_), static_cast<TFormula*>(&integralFormula_)})
      if (!formula->HasBuiltInFunction()) formula->CheckSyntax();

    if (Listing() == TListingOption::AgeInterval) ages_ = GridAges();
    // Age 0 is never a growth age.
    std::vector<int> ages = ages_;
    std::erase(ages, 0);

    siteIndexFeet_ = SiteIndex() * kFeetPerMetre;
    species_.ResetStand();
    StartStand();

    previousVolume_ = 0;
    removedVolume_ = 0;
    int previousAge = 0;
    std::size_t slot = 0;
    TThinCollection& thins = ThinCollection();
    TThin* thin = thins.FirstThin();
    while (slot < ages.size() || thin) {
      if (!thin || (slot < ages.size() && ages[slot] < thin->Age())) {
        const int age = ages[slot];
        species_.Grow(age, siteFormula_);
        AddPrognosis(age, previousAge);
        previousAge = age;
        ++slot;
      } else {
        const int age = thin->Age();
        if (slot < ages.size() && ages[slot] == age) ++slot;
        TThin* next = thins.NextThin();
        species_.Grow(age, siteFormula_);
        AddPrognosis(age, previousAge);
        ApplyThin(age, *thin);
        previousAge = age;
        thin = next;
      }
    }

    BuildProductions();
    MergeProductions();
    return true;
  } catch (const Exception& e) {
    errors_.Add(99, e.Message());
  } catch (const std::bad_alloc& e) {
    errors_.Add(99, e.what());
  }
  return false;
}

void TSimulation::StartStand() {
  const double si = siteIndexFeet_;
  const double hd = HomogeneityDegree();
  if (Inventory() == TInventoryType::PlantingDensity) {
    species_.InitStand(InitialTrees() / kSquareFeetPerHectare * SurvivalPercentage() / 100, si, hd);
    return;
  }
  auto startFromInventory = [&] {
    const double trees = InventoryTrees() / kSquareFeetPerHectare;
    const double h = species_.SiteHeightFor(InventoryAge(), siteFormula_, si);
    species_.InitStand(species_.InitialDensity(trees, si, 0.837 * h), si, hd);
  };
  if (Inventory() == TInventoryType::TreesAtAge) {
    startFromInventory();
    return;
  }
  // Trees and size: the measured quadratic mean diameter, in inches.
  double target;
  if (InventoryGiven() == TInventoryMode::MedianDiameter) {
    target = hd > 9 ? (hd / 200 + 1) * kInchesPerCentimetre * MedianDiameter()
                    : kInchesPerCentimetre * MedianDiameter() / (hd / 200 + 1);
  } else {
    const double b = CheckedDiv(0.15500031000062 * BaseArea() * 40000, std::numbers::pi * InventoryTrees());
    const double f = hd / 200 + 1;
    const double q = hd / 400 + 1.03;
    target = hd > 9 ? CheckedSqrt(f * f * b) : CheckedSqrt(b / (q * q));
  }
  startFromInventory();
  species_.Grow(InventoryAge(), siteFormula_);
  species_.AdjustToDiameter(target);
}

void TSimulation::AddPrognosis(int age, int previousAge) {
  auto row = std::make_unique<TPrognosis>();
  row->SetAge(age);
  row->SetDominantHeight(CheckResult(species_.Hdom() * kMetresPerFoot));
  row->SetNoTrees(CheckResult(species_.N() / kHectaresPerSquareFoot));
  row->SetMedianHeight(CheckResult(species_.Hmean() * kMetresPerFoot));
  row->SetMedianDiameter(CheckResult(species_.Dq() * kCentimetresPerInch));
  const double before = previousVolume_;
  const double volume = row->ComputeVolume(volumeFormula_);
  row->Sb() = species_.SbLaws();
  row->ComputeBasalArea();
  row->ComputeIMA(removedVolume_);
  row->ComputeICA(previousAge, before);
  previousVolume_ = volume;
  PrognosisCollection().AddItem(std::move(row));
}

void TSimulation::CheckRemainingTrees(double trees, double fraction) {
  if (!(fraction > 0 && fraction < 1 && trees > 75)) throw Exception(kMsgBadRemainingTrees);
}

void TSimulation::CheckRemainingBaseArea(double basalArea, double fraction) {
  if (!(fraction > 0 && fraction < 1 && basalArea > 4)) throw Exception(kMsgBadRemainingBaseArea);
}

double TSimulation::StandVolume(double dq, double hmean, double trees, int age) {
  const std::array<double, 3> values{dq * kCentimetresPerInch, hmean * kMetresPerFoot, static_cast<double>(age)};
  return CheckResult(volumeFormula_.Compute(values) * trees / kHectaresPerSquareFoot);
}

void TSimulation::ApplyThin(int age, TThin& thin) {
  TSpecies& s = species_;
  const double dq = s.Dq();
  const SbParameters before = s.SbLaws();
  // Fraction of the stand to leave against a density nb (trees/ft²).
  auto fraction = [&](double nb) {
    if (thin.Mode() == TThinMode::RemainingTrees) {
      const double g = CheckedDiv(thin.RemanescentTrees(), nb / kHectaresPerSquareFoot);
      CheckRemainingTrees(thin.RemanescentTrees(), g);
      return g;
    }
    const double g = CheckedDiv(thin.RemanescentBaseArea() * kSquareInchesPerSquareMetre / kSquareFeetPerHectare,
                                nb * dq * dq * std::numbers::pi / 4);
    CheckRemainingBaseArea(thin.RemanescentBaseArea(), g);
    return g;
  };
  auto truncation = [&](double g) {
    return thin.Mode() == TThinMode::RemainingTrees ? s.TruncationByTrees(g) : s.TruncationByBasalArea(g);
  };
  auto removed = [&] {
    return ThinPart{CheckResult(s.Nrem() / kHectaresPerSquareFoot), CheckResult(s.Drem() * kCentimetresPerInch),
                    CheckResult(s.Hrem() * kMetresPerFoot), 0};
  };

  ThinPart systematic;
  ThinPart selective;
  double rowsVolume = 0;
  double base = s.N();  // the stand the last cut worked on
  switch (thin.Type()) {
    case TThinType::Systematic: {
      s.SetRemaining(fraction(base), base);
      s.ApplySystematicThin(age, siteFormula_);
      systematic = removed();
      break;
    }
    case TThinType::RowsThenSelective: {
      const double g = 1 - 1.0 / thin.CutRows();
      CheckRemainingTrees(g * base / kHectaresPerSquareFoot, g);
      s.SetRemaining(g, base);
      systematic.Trees = CheckResult((1 - g) * base / kHectaresPerSquareFoot);
      systematic.Diameter = CheckResult(s.Dqa() * kCentimetresPerInch);
      systematic.Height = CheckResult(s.Hmeana() * kMetresPerFoot);
      base = s.Na();
      s.SetN(base);
      const double z = truncation(fraction(base));
      s.TruncatedState(z, base);
      s.ApplySelectiveThin(age, siteFormula_, z);
      rowsVolume = (1 - g) * previousVolume_;
      selective = removed();
      break;
    }
    case TThinType::Selective: {
      const double z = truncation(fraction(base));
      s.TruncatedState(z, base);
      s.ApplySelectiveThin(age, siteFormula_, z);
      selective = removed();
      break;
    }
    default:
      break;
  }

  const double treesAfter = CheckResult(s.Na() / kHectaresPerSquareFoot);
  const double basalAfter = CheckResult(BasalArea(s.Dqa(), s.Na()));
  const double volumeAfter = StandVolume(s.Dqa(), s.Hmeana(), s.Na(), age);
  const double removedVolume = previousVolume_ - volumeAfter;
  switch (thin.Type()) {
    case TThinType::Selective:
      selective.Volume = removedVolume;
      break;
    case TThinType::Systematic:
      systematic.Volume = removedVolume;
      break;
    case TThinType::RowsThenSelective:
      selective.Volume = removedVolume - rowsVolume;
      systematic.Volume = rowsVolume;
      break;
    default:
      break;
  }

  thin.Sb() = before;
  thin.SystematicPart() = systematic;
  thin.SelectivePart() = selective;
  thin.SetTreesAfterThin(treesAfter);
  thin.SetRemovedTrees(base / kHectaresPerSquareFoot - treesAfter);
  thin.SetMedianHeight(CheckResult(s.Hmeana() * kMetresPerFoot));
  thin.SetMedianDiameter(CheckResult(s.Dqa() * kCentimetresPerInch));
  thin.SetBaseAreaAfterThin(basalAfter);
  thin.SetRemovedBaseArea(BasalArea(dq, base) - basalAfter);
  thin.SetVolumeAfterThin(volumeAfter);
  thin.SetRemovedVolume(removedVolume);

  removedVolume_ += removedVolume;
  previousVolume_ = volumeAfter;
}

// ---- harvests ----

void TSimulation::BuildProductions() {
  const THarvestBuilder builder(volumeFormula_, shapeFormula_, integralFormula_);
  auto add = [this](auto fill) {
    auto harvest = std::make_unique<TProduction>();
    harvest->SetProducts(&ProductCollection());
    harvest->SetClassWidth(DiameterClassInterval());
    fill(*harvest);
    ProductionCollection().AddItem(std::move(harvest));
  };
  auto fromThin = [&](const TThin& thin, TThinType part) {
    add([&](TProduction& p) { builder.SetFromThin(p, thin, part); });
  };
  TThinCollection& thins = ThinCollection();
  for (TThin* thin = thins.FirstThin(); thin; thin = thins.NextThin()) {
    switch (thin->Type()) {
      case TThinType::RowsThenSelective:
        fromThin(*thin, TThinType::Systematic);
        fromThin(*thin, TThinType::Selective);
        break;
      case TThinType::Systematic:
        fromThin(*thin, TThinType::Systematic);
        break;
      case TThinType::Selective:
        fromThin(*thin, TThinType::Selective);
        break;
      default:
        break;
    }
  }
  const TPrognosisCollection& rows = PrognosisCollection();
  const TPrognosis& last = rows.GetItem(rows.Count() - 1);
  add([&](TProduction& p) { builder.SetFromPrognosis(p, last); });
}

void TSimulation::MergeProductions() {
  TProductionCollection& harvests = ProductionCollection();
  for (int i = 0; i <= harvests.Count() - 2; ++i) {
    if (harvests[i].Age() == harvests[i + 1].Age()) {
      harvests[i].MergeProduction(harvests[i + 1]);
      harvests.Delete(i + 1);
    }
  }
}
