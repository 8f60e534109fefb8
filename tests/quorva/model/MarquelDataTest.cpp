// The project data module: plan files, the cached result, cost-type rules,
// notifications and copies from the catalogues.
#include <gtest/gtest.h>

#include <functional>

#include "platform/rtl/SysUtils.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "storage/PersistUnit.h"
#include "tests/support/ExamplePlans.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"

namespace {

using Pairs = std::vector<std::pair<int, int>>;
using CostType = std::pair<TCostType, TCostUnit>;

struct SpyNotifications : IQuorvaNotifications {
  std::vector<std::pair<int, int>> posted, deleted;
  std::vector<CostType> costTypes;
  void ProductionPosted(int id, int idade) override { posted.emplace_back(id, idade); }
  void ProductionDeleted(int id, int idade) override { deleted.emplace_back(id, idade); }
  void CostTypeChanged(TCostType type, TCostUnit unit) override { costTypes.emplace_back(type, unit); }
};

std::string SavePlanFile(const std::string& path, const std::string& filename, const std::string& descricao,
                         bool withPlan = true) {
  TQuorvaPersist root;
  root.SetFilename(filename);
  if (withPlan) {
    examples::FillExampleA(root.Quorvas().Add());
    root.Quorvas()[0].SetDescricao(descricao);
  }
  SaveComponent(path, root);
  return path;
}

template <class V>
void Edit(TDataSet& ds, const char* field, V value) {
  ds.Edit();
  ds.FieldByName(field).SetValue(TFieldValue(value));
  ds.Post();
}

class MarquelTest : public ::testing::Test {
protected:
  void SetUp() override {
    marquel.SetMainWindow(&spy);
    marquel.SetCatalog(&catalog);
  }
  TDataFolders Folders() const { return {exe.Dir(), work.Dir()}; }

  TempDir dir, work, exe;
  ScriptedDialogs dialogs;
  // The catalogues' own, apart from the plan's.
  ScriptedDialogs catalogDialogs;
  RecordingPresenter presenter;
  SpyNotifications spy;
  TCatalog catalog{nullptr, Folders(), {catalogDialogs, presenter}};
  TMarquel marquel{nullptr, Folders(), dialogs};
  std::string fazenda = SavePlanFile(dir / "Fazenda.dat", "Fazenda.dat", "Fazenda");
};

TEST_F(MarquelTest, TemplateOpenSaveAndFailedOpens) {
  EXPECT_THROW(marquel.NewPlan(), EFOpenError);
  marquel.NewEmptyPlan();
  EXPECT_TRUE(marquel.HasPlan() && marquel.NeedsNewName() && marquel.cdsCusto().Active());

  // The template in the current directory first, else beside the executable.
  SavePlanFile(exe / "Plano1.dat", "Plano1.dat", "Modelo");
  marquel.NewPlan();
  EXPECT_EQ(marquel.CurrentPlan()->Descricao(), "Modelo");
  SavePlanFile(work / "Plano1.dat", "Plano1.dat", "Local");
  marquel.NewPlan();
  EXPECT_EQ(marquel.CurrentPlan()->Descricao(), "Local");
  // A new plan remembers no path, whatever name its template stores.
  EXPECT_EQ(marquel.PlanPath(), "");
  EXPECT_TRUE(marquel.NeedsNewName());
  marquel.SavePlan(dir / "Outro.dat");
  EXPECT_EQ(std::tuple(marquel.GetFileName(), marquel.PlanPath()), std::tuple("Outro.dat", dir / "Outro.dat"));
  EXPECT_FALSE(marquel.NeedsNewName());

  // Another class or a missing file: the plan and its datasets stay.
  SaveComponent(dir / "Custo.dat", TCustoPersist());
  TQuorva* plan = marquel.CurrentPlan();
  try {
    marquel.OpenPlan(dir / "Custo.dat");
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Não foi possível ler o arquivo \"Custo.dat\": não é um arquivo de plano.\n"
              "Arquivo não contém o objeto do tipo: TQuorvaPersist");
  }
  EXPECT_THROW(marquel.OpenPlan(dir / "Nenhum.dat"), EFOpenError);
  EXPECT_EQ(marquel.CurrentPlan(), plan);
  EXPECT_EQ(marquel.cdsCusto().RecordCount(), 3);

  // A stored Filename without plans gets one; no Filename gets a new one, current.
  marquel.OpenPlan(SavePlanFile(dir / "Vazio.dat", "Vazio.dat", "", false));
  EXPECT_EQ(marquel.Root().Quorvas().Count(), 1);
  TMarquel fresh(nullptr, Folders(), dialogs);
  fresh.OpenPlan(SavePlanFile(dir / "SemNome.dat", "", "Antigo"));
  EXPECT_EQ(fresh.CurrentPlan(), &fresh.Root().Quorvas()[1]);
  EXPECT_EQ(fresh.cdsQuorva().RecNo(), 2);
}

// Tallora saved a simulation onto the plan's file: the plan's save asks.
TEST_F(MarquelTest, ASaveOverAFileChangedSinceItWasReadAsksFirst) {
  marquel.OpenPlan(fazenda);
  WriteFileBytes(fazenda, "uma simulação");
  dialogs.Answer(TMsgDlgBtn::No).Answer(TMsgDlgBtn::Yes);
  EXPECT_FALSE(marquel.SavePlan(marquel.PlanPath()));
  EXPECT_EQ(ReadFileBytes(fazenda), "uma simulação");
  EXPECT_TRUE(marquel.SavePlan(marquel.PlanPath()));
  EXPECT_TRUE(marquel.SavePlan(marquel.PlanPath()));
  EXPECT_EQ(dialogs.Prompts().size(), 2u);
}

TEST_F(MarquelTest, DetailRowsBeingTypedSurviveTheMastersPost) {
  marquel.OpenPlan(fazenda);
  TCollectionDataSet &c = marquel.cdsCusto(), &a = marquel.cdsCustoAnual();
  TCollectionDataSet &p = marquel.cdsProducao(), &i = marquel.cdsItemProducao();
  c.SetRecNo(2);
  const int annual = a.RecordCount();
  c.Edit();
  c.FieldByName("Nome").SetAsString("Manutenção");
  a.Append();
  a.FieldByName("Idade").SetAsInteger(3);
  a.FieldByName("Custo").SetAsFloat(99);
  p.Last();
  const int items = i.RecordCount();
  p.Edit();
  p.FieldByName("Origem").SetAsString("CORTE");
  i.Append();
  i.FieldByName("Volume").SetAsFloat(12);
  marquel.CalculateResults();
  EXPECT_EQ(marquel.CurrentPlan()->Custos()[1].CustosAnuais().Count(), annual + 1);
  EXPECT_EQ(marquel.CurrentPlan()->Producoes()[marquel.CurrentPlan()->Producoes().Count() - 1].ItensProducao().Count(),
            items + 1);
}

TEST_F(MarquelTest, CachedResultAndWhatClearsIt) {
  marquel.OpenPlan(fazenda);
  ASSERT_TRUE(marquel.CalculateResults());
  TQuorva& plan = *marquel.CurrentPlan();
  plan.Custos()[0].SetCusto(2500);  // behind the datasets' back: results reused
  ASSERT_TRUE(marquel.CalculateResults());
  EXPECT_DOUBLE_EQ(plan.CustoTotal(), 9400);
  plan.Custos()[0].SetCusto(2000);

  TCollectionDataSet &q = marquel.cdsQuorva(), &c = marquel.cdsCusto(), &a = marquel.cdsCustoAnual();
  TCollectionDataSet &p = marquel.cdsProducao(), &i = marquel.cdsItemProducao();
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"plan post", [&] { Edit(q, "Descricao", std::string("Nova")); }},
      {"cost post", [&] { Edit(c, "Nome", std::string("Plantio")); }},
      {"annual post", [&] { c.SetRecNo(2), Edit(a, "Custo", 120.0); }},
      {"production post", [&] { Edit(p, "Origem", std::string("DESB.")); }},
      {"item post", [&] { p.Last(), Edit(i, "Volume", 210.0); }},
      {"sensitivity tick", [&] { marquel.SetTemAnaliseSensibilidade(0); }},
      {"item delete", [&] { i.Delete(); }},
      {"annual delete", [&] { c.SetRecNo(2), a.Last(), a.Delete(); }},
      {"cost delete", [&] { c.Last(), c.Delete(); }},
      {"production delete", [&] { p.First(), p.Delete(); }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    change();
    EXPECT_FALSE(marquel.Calculated());
    EXPECT_TRUE(marquel.CalculateResults());
  }
  EXPECT_EQ(spy.deleted, (Pairs{{0, 4}}));
  EXPECT_EQ(i.Collection(), &plan.Producoes()[0].ItensProducao());
  marquel.SetTemAnaliseSensibilidade(0);  // the same value
  EXPECT_TRUE(marquel.Calculated());

  // A pending edit is posted first.
  q.Edit();
  q.FieldByName("TaxaAtratividade").SetAsFloat(12);
  const double before = plan.ValorPresenteCusto();
  ASSERT_TRUE(marquel.CalculateResults());
  EXPECT_NE(plan.ValorPresenteCusto(), before);

  // A failed validation, then a failed calculation, under the same title.
  Edit(q, "IdadeFinal", 10);
  EXPECT_FALSE(marquel.CalculateResults());
  EXPECT_EQ(marquel.Errors().Title(), "Erros no Quorva");
  EXPECT_EQ(marquel.Errors().GetItem(0).Code(), 7);
  Edit(q, "IdadeFinal", 7);
  EXPECT_TRUE(marquel.Verify());
  for (TCusto& k : plan.Custos()) k.CustosAnuais().Clear(), k.SetTipoCusto("Unitario"), k.SetCusto(0);
  dialogs.Answer(TMsgDlgBtn::Yes);  // the current cost was annual
  Edit(c, "Custo", 0.0);
  EXPECT_FALSE(marquel.CalculateResults());
  ASSERT_EQ(marquel.Errors().Count(), 1);
  EXPECT_EQ(std::tuple(marquel.Errors().GetItem(0).Code(), marquel.Errors().GetItem(0).Text()),
            std::tuple(99, "Divisão por zero."));

  marquel.OpenPlan(fazenda);
  ASSERT_TRUE(marquel.CalculateResults());
  marquel.ClearProducoes();
  EXPECT_FALSE(marquel.Calculated());
}

TEST_F(MarquelTest, CostTypeRulesAndTheirNotices) {
  TQuorvaPersist root;
  root.SetFilename("Custos.dat");
  TCustos& stored = root.Quorvas().Add().Custos();
  AddCusto(stored, "Adubo", "  $/M3 ", "Anual", 5, {{3, 10}});
  AddCusto(stored, "Manut", "$/ha", "Anual", 0, {{1, 30}, {2, 40}});
  AddCusto(stored, "Outro", "$/ha", "", 1);
  SaveComponent(dir / "Custos.dat", root);
  marquel.OpenPlan(dir / "Custos.dat");
  TCollectionDataSet& c = marquel.cdsCusto();
  TCustos& custos = marquel.CurrentPlan()->Custos();
  EXPECT_EQ(custos[0].TipoCusto(), "Unitario");  // scrolled onto: "$/M3" is one-off
  c.Next();
  EXPECT_EQ(marquel.PreviousTipoCusto(), "Anual");
  EXPECT_EQ(marquel.cdsCustoAnual().RecordCount(), 2);
  c.Next();
  EXPECT_EQ(spy.costTypes, (std::vector<CostType>{{TCostType::Unitario, TCostUnit::PorM3},
                                                  {TCostType::Anual, TCostUnit::Other},
                                                  {TCostType::Unitario, TCostUnit::Other}}));

  // "Anual" to "Unitario": No keeps the entries, also after a column enter.
  c.SetRecNo(2);
  c.Edit();
  c.FieldByName("TipoCusto").SetAsString("Unitario");
  marquel.CostColumnEntered();
  dialogs.Answer(TMsgDlgBtn::No);
  c.Post();
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNo), std::vector<std::string>{kMsgCostTypeToUnitario});
  EXPECT_EQ(std::tuple(custos[1].TipoCusto(), custos[1].CustosAnuais().Count()), std::tuple("Anual", 2));
  // Yes empties them, and the next post asks nothing.
  c.Edit();
  c.FieldByName("TipoCusto").SetAsString("Unitario");
  dialogs.Answer(TMsgDlgBtn::Yes);
  c.Post();
  Edit(c, "Custo", 70.0);
  EXPECT_EQ(dialogs.Prompts().size(), 2u);
  EXPECT_EQ(custos[1].CustosAnuais().Count(), 0);
  EXPECT_EQ(spy.costTypes.back(), CostType(TCostType::Unitario, TCostUnit::Other));

  // A new "$/m3" cost posted as "Anual" is stored one-off.
  c.Append();
  EXPECT_EQ(marquel.PreviousTipoCusto(), "");
  c.FieldByName("UnidadeMedida").SetAsString("$/m3");
  c.FieldByName("TipoCusto").SetAsString("Anual");
  c.Post();
  EXPECT_EQ(custos[3].TipoCusto(), "Unitario");
  EXPECT_EQ(spy.costTypes.back(), CostType(TCostType::Unitario, TCostUnit::PorM3));
  EXPECT_EQ(marquel.cdsCustoAnual().Collection(), &custos[3].CustosAnuais());
}

TEST_F(MarquelTest, ProductionNoticesAndCopiesFromTheCatalogues) {
  TProductPersist products;
  TProduct& tora = products.ProductCollection().Add();
  tora.SetName("Tora");
  tora.SetPrice(50);
  tora.SetPriceEvolutionRate(2);
  SaveComponent(exe / "Produtos.dat", products);
  TCustoPersist costs;
  AddCusto(costs.Custos(), "Adubacao", "$/ha", "Unitario", 120);
  AddCusto(costs.Custos(), "Frete", "$/m3", "Unitario", 4);
  SaveComponent(exe / "Custo.dat", costs);
  TCatalog filled(nullptr, Folders(), {catalogDialogs, presenter});
  marquel.SetCatalog(&filled);
  marquel.OpenPlan(fazenda);
  TQuorva& plan = *marquel.CurrentPlan();

  TCollectionDataSet& p = marquel.cdsProducao();
  p.Append();
  p.FieldByName("Idade").SetAsInteger(12);
  p.Post();
  EXPECT_EQ(spy.posted, (Pairs{{2, 12}}));
  ASSERT_EQ(marquel.FindProducao(2), &plan.Producoes()[2]);
  EXPECT_EQ(marquel.cdsItemProducao().Collection(), &plan.Producoes()[2].ItensProducao());
  p.Delete();
  EXPECT_EQ(spy.deleted, (Pairs{{2, 12}}));

  // A product priced for the current production's age; bad record numbers do nothing.
  ASSERT_TRUE(marquel.LocateProducao(plan.Producoes()[1]));
  marquel.CopyProductToItems(0);
  marquel.CopyProductToItems(2);
  marquel.CopyAllProductsToItems();
  const TItensProducao& items = plan.Producoes()[1].ItensProducao();
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(std::tuple(items[2].Produto(), items[2].Volume()), std::tuple("Tora", 0.0));
  EXPECT_NEAR(items[2].Preco(), 57.434283, 1e-6);

  // Costs are appended and posted through the cost rules.
  marquel.CopyAllCostsToCustos();
  marquel.CopyCostToCustos(3);
  ASSERT_EQ(plan.Custos().Count(), 5);
  EXPECT_EQ(std::tuple(plan.Custos()[3].Nome(), plan.Custos()[3].Custo()), std::tuple("Adubacao", 120.0));
  EXPECT_EQ(spy.costTypes.back(), CostType(TCostType::Unitario, TCostUnit::PorM3));
  EXPECT_EQ(marquel.cdsCusto().State(), TDataSetState::Browse);
  EXPECT_FALSE(marquel.Calculated());
}

}  // namespace
