// The default "Custo.dat" and "Plano1.dat" the build writes.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/rtl/SysUtils.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "quorva/model/RelatorioCustosUnit.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tools/DefaultDataQuorva.h"

namespace {

TEST(QuorvaDefaultData, CostsValidateAndTheTemplateCalculates) {
  TempDir dir;
  std::vector<TDefaultFile> files;
  AppendQuorvaDefaultFiles(files);
  WriteDefaultFiles(dir.Dir(), files);

  ScriptedDialogs dialogs;
  RecordingPresenter presenter;
  TCatalog catalog(nullptr, {dir.Dir(), dir.Dir()}, {dialogs, presenter});
  ASSERT_GE(catalog.cdsCusto().RecordCount(), 8);
  std::set<std::pair<TCostType, TCostUnit>> kinds;
  for (TCusto& custo : catalog.CostRoot().Custos()) {
    const double before = custo.Custo();
    TErrorList errors;
    custo.Validate(errors);
    EXPECT_EQ(errors.Count(), 0) << custo.Nome();
    EXPECT_EQ(custo.Custo(), before) << custo.Nome();
    EXPECT_LE(Utf8Length(custo.Nome()), 12u);
    kinds.emplace(custo.Type(), custo.Unit());
  }
  EXPECT_EQ(kinds, (std::set<std::pair<TCostType, TCostUnit>>{{TCostType::Anual, TCostUnit::PorHa},
                                                              {TCostType::Unitario, TCostUnit::PorHa},
                                                              {TCostType::Unitario, TCostUnit::PorM3}}));

  TMarquel marquel(nullptr, {dir.Dir(), dir.Dir()}, dialogs);
  marquel.NewPlan();
  EXPECT_TRUE(marquel.NeedsNewName());
  ASSERT_TRUE(marquel.CalculateResults());
  TQuorva& plan = *marquel.CurrentPlan();
  EXPECT_GT(plan.TaxaInternaRetorno(), plan.TaxaAtratividade());
  EXPECT_EQ(plan.AnaliseSensibilidade().Count(), 5);
  TRelatorioCustos costs;
  costs.Build(plan);
  EXPECT_NEAR(costs.GrandPresentValue(), plan.ValorPresenteCusto(), 1e-9);
}

}  // namespace
