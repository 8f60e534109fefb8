// The import of simulator files written by Tallora's own code.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "fixtures/ReferenceSimulation.h"
#include "model/growth/SimulationUnit.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/ExamplePlans.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"

namespace {

double Evolved(double price, double rate, int age) {
  return price * std::pow(1 + rate / 100, age);
}

void AddClass(TProduction& harvest, std::vector<std::pair<int, double>> volumes) {
  TDiameterClass& c = harvest.DiameterClasses().Add();
  for (const auto& [index, volume] : volumes) {
    c.ProductsVolume().Add().SetProductIndex(index);
    c.ProductsVolume()[c.ProductsVolume().Count() - 1].SetVolume(volume);
  }
}

class ImportTest : public ::testing::Test {
protected:
  void SetUp() override { root.SetFilename("Simulation.dat"); }
  std::string Save(const std::string& name) {
    SaveComponent(dir / name, root);
    return dir / name;
  }

  TempDir dir;
  ::TSimulationPersist root;  // Tallora's
  ::TSimulation& sim = root.SimulationCollection().Add();
  ScriptedDialogs dialogs;
  RecordingPresenter presenter;
  TCatalog catalog{nullptr, {dir.Dir(), dir.Dir()}, {dialogs, presenter}};
};

TEST_F(ImportTest, HarvestsOfATalloraRunBecomeProductions) {
  const auto& ours = quorva::TSimulation::StaticClass().Properties();
  const auto& theirs = ::TSimulation::StaticClass().Properties();
  ASSERT_EQ(ours.size(), theirs.size());
  for (std::size_t i = 0; i < ours.size(); ++i)
    EXPECT_EQ(std::tie(ours[i]->name, ours[i]->kind), std::tie(theirs[i]->name, theirs[i]->kind));

  fixtures::FillReferenceSimulation(sim);  // products not in decreasing diameter
  ASSERT_TRUE(sim.Validate() && sim.Execute());
  TQuorva plan;
  catalog.ImportProductions(Save("Referencia.dat"), plan);

  EXPECT_EQ(plan.IndiceSitio(), 28);
  const TProductCollection& products = sim.ProductCollection();
  ASSERT_GE(sim.ProductionCollection().Count(), 3);
  ASSERT_EQ(plan.Producoes().Count(), sim.ProductionCollection().Count());
  for (int i = 0; i < plan.Producoes().Count(); ++i) {
    const TProduction& h = sim.ProductionCollection()[i];
    const TProducao& p = plan.Producoes()[i];
    EXPECT_EQ(std::tuple(p.Idade(), p.Origem()), std::tuple(h.Age(), h.Origem()));
    double all = 0;
    for (const TDiameterClass& c : h.DiameterClasses())
      for (const TProductVolume& pv : c.ProductsVolume()) all += pv.Volume();
    EXPECT_NEAR(p.SumVolume(), all, 1e-9 * all);
    for (const TItemProducao& item : p.ItensProducao()) {
      const TProduct* product = nullptr;
      for (const TProduct& candidate : products)
        if (candidate.Name() == item.Produto()) product = &candidate;
      ASSERT_NE(product, nullptr);
      EXPECT_GT(item.Volume(), 0);
      EXPECT_NEAR(item.Preco(), Evolved(product->Price(), product->PriceEvolutionRate(), h.Age()), 1e-9);
    }
  }
}

TEST_F(ImportTest, VolumesAreSummedByProductIndexAndEdgeFilesBringNothing) {
  fixtures::AddProduct(sim, "A", 8, 2.4, 40, 3);
  fixtures::AddProduct(sim, "B", 25, 2.4, 100);
  fixtures::AddProduct(sim, "C", 0, 0, 10);
  sim.SetSiteIndex(31.5);
  sim.SetSiteIndexEquationDescription("Sítio {Schumacher}");  // catalogue equations store descriptions
  TProduction& h = sim.ProductionCollection().Add();
  h.SetAge(10);
  AddClass(h, {{1, 2.0}, {0, 3.0}, {2, 0}});
  AddClass(h, {{1, 1.0}, {0, 0.5}, {2, 0}});
  TQuorva plan;
  catalog.ImportProductions(Save("Abc.dat"), plan);
  EXPECT_EQ(plan.IndiceSitio(), 31.5);
  ASSERT_EQ(plan.Producoes().Count(), 1);
  const TItensProducao& items = plan.Producoes()[0].ItensProducao();
  ASSERT_EQ(items.Count(), 2);
  EXPECT_EQ(std::tuple(items[0].Produto(), items[0].Volume()), std::tuple("A", 3.5));
  EXPECT_NEAR(items[0].Preco(), 53.756655, 1e-6);
  EXPECT_EQ(std::tuple(items[1].Produto(), items[1].Volume(), items[1].Preco()), std::tuple("B", 3.0, 100.0));

  // Files that bring no production leave the plan as it was and say so: no
  // positive volume, no products, no harvest, no simulation (a new, empty
  // one is current).
  sim.SetSiteIndex(27);
  for (TProductVolume& pv : h.DiameterClasses()[0].ProductsVolume()) pv.SetVolume(0);
  for (TProductVolume& pv : h.DiameterClasses()[1].ProductsVolume()) pv.SetVolume(-1);
  const std::string noVolume = Save("SemVolume.dat");
  sim.ProductCollection().Clear();
  const std::string noProducts = Save("SemProdutos.dat");
  fixtures::AddProduct(sim, "A", 8, 2.4, 40, 3);
  sim.ProductionCollection().Clear();
  const std::string noHarvest = Save("SemColheita.dat");
  root.SimulationCollection().Clear();
  const std::string empty = Save("Vazio.dat");
  for (const std::string& path : {noVolume, noProducts, noHarvest, empty}) {
    try {
      catalog.ImportProductions(path, plan);
      ADD_FAILURE() << path;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "O arquivo \"" + ExtractFileName(path) + "\" não contém colheita para importar.");
    }
    EXPECT_EQ(plan.IndiceSitio(), 31.5);
    EXPECT_EQ(plan.Producoes().Count(), 1);
  }
  EXPECT_EQ(catalog.SimulationRoot().SimulationCollection().Count(), 1);
}

TEST_F(ImportTest, ImportRoadReplacesProductionsOrLeavesThePlanAsItWas) {
  TQuorvaPersist planFile;
  planFile.SetFilename("ExemploA.dat");
  examples::FillExampleA(planFile.Quorvas().Add());
  SaveComponent(dir / "ExemploA.dat", planFile);
  TMarquel marquel(nullptr, {dir.Dir(), dir.Dir()}, dialogs);
  marquel.SetCatalog(&catalog);
  marquel.OpenPlan(dir / "ExemploA.dat");
  ASSERT_TRUE(marquel.CalculateResults());

  fixtures::AddProduct(sim, "Celulose", 8, 2.4, 35);
  fixtures::AddProduct(sim, "Serraria", 25, 2.4, 60, 2);
  sim.SetSiteIndex(28.5);
  for (int age : {8, 16}) {
    TProduction& h = sim.ProductionCollection().Add();
    h.SetAge(age);
    h.SetOrigem(age == 8 ? "DESBASTE" : "CORTE FINAL");
    AddClass(h, {{1, 10.0}, {0, 20.0}});
  }
  const std::string path = Save("Simulation.dat");
  marquel.ImportProductions(path);
  EXPECT_FALSE(marquel.Calculated());
  marquel.ImportProductions(path);  // replaces, never adds up

  TQuorva& plan = *marquel.CurrentPlan();
  ASSERT_EQ(plan.Producoes().Count(), 2);
  EXPECT_EQ(plan.Producoes()[1].Origem(), "CORTE FINAL");
  EXPECT_NEAR(plan.Producoes()[0].ItensProducao()[1].Preco(), Evolved(60, 2, 8), 1e-9);
  EXPECT_EQ(plan.Custos().Count(), 3);
  EXPECT_EQ(plan.TaxaAtratividade(), 10);
  EXPECT_EQ(marquel.cdsItemProducao().Collection(), &plan.Producoes()[0].ItensProducao());
  EXPECT_EQ(marquel.cdsQuorva().FieldByName("IndiceSitio").AsFloat(), 28.5);
  ASSERT_TRUE(marquel.CalculateResults());

  const TProducao* first = &plan.Producoes()[0];
  const quorva::TSimulation* current = catalog.CurrentSimulation();
  const std::string damaged = dir / "Danificado.dat";
  std::filesystem::copy_file(path, damaged);
  std::filesystem::resize_file(damaged, std::filesystem::file_size(path) - 40);
  // One that fails while its productions are built, one without harvests.
  sim.ProductCollection()[1].SetPriceEvolutionRate(1e50);
  const std::string overflow = Save("Estouro.dat");
  sim.ProductionCollection().Clear();
  const std::string noHarvest = Save("Modelo.dat");
  for (const std::string& bad : {dir / "NaoExiste.dat", dir / "ExemploA.dat", damaged, overflow, noHarvest}) {
    SCOPED_TRACE(bad);
    try {
      marquel.ImportProductions(bad);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      if (bad == dir / "ExemploA.dat") {
        EXPECT_EQ(e.Message(),
                  "Não foi possível ler o arquivo \"ExemploA.dat\": não é um arquivo de simulação.\n"
                  "Arquivo não contém o objeto do tipo: TSimulationPersist");
      }
    }
    EXPECT_TRUE(marquel.Calculated());
    EXPECT_EQ(plan.IndiceSitio(), 28.5);
    ASSERT_EQ(plan.Producoes().Count(), 2);
    EXPECT_EQ(&plan.Producoes()[0], first);
    if (bad != overflow && bad != noHarvest) {
      EXPECT_EQ(catalog.CurrentSimulation(), current);
    }
    EXPECT_TRUE(marquel.cdsProducao().Active());
    EXPECT_EQ(marquel.cdsItemProducao().Collection(), &first->ItensProducao());
  }
}

}  // namespace
