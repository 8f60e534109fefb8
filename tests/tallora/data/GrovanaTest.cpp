#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tools/DefaultData.h"

namespace fs = std::filesystem;
using Codes = std::vector<int>;
using Calls = std::vector<std::string>;

namespace {

// The main window's item tree, as calls.
struct RecordingWindow : IThinNotifications {
  Calls calls;
  std::function<void()> onDeleted;
  void ItemPosted(int id, int age) override { calls.push_back(Format("posted %d %d", {id, age})); }
  void ItemDeleted(int id, int age) override {
    calls.push_back(Format("deleted %d %d", {id, age}));
    if (onDeleted) onDeleted();
  }
  void SelectItem(int id) override { calls.push_back(Format("select %d", {id})); }
};

// Writes fields of the current record, in edit state.
void Write(TDataSet& ds, std::initializer_list<std::pair<const char*, TFieldValue>> values) {
  if (ds.State() == TDataSetState::Browse) ds.Edit();
  for (const auto& [name, value] : values) ds.FieldByName(name).SetValue(value);
}

class GrovanaTest : public ::testing::Test {
protected:
  void WriteDefaults() {
    std::vector<TDefaultFile> files;
    AppendTalloraDefaultFiles(files);
    WriteDefaultFiles(exe_.string(), files);
  }
  TGrovana& Make() {
    grovana_.reset();
    grovana_ = std::make_unique<TGrovana>(nullptr, TDataFolders{exe_.string(), work_.string()},
                                          TDataSeams{dialogs_, presenter_});
    grovana_->SetMainWindow(&window_);
    return *grovana_;
  }

  TempDir dir_;
  fs::path exe_ = dir_.Sub("exe"), work_ = dir_.Sub("work");
  RecordingPresenter presenter_;
  RecordingWindow window_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<TGrovana> grovana_;
};

// The product catalogue's own behaviour is checked with Quorva's in
// tests/storage/ProductCatalogTest.cpp.
TEST_F(GrovanaTest, StartsWithEmptyCataloguesAndSavesUnderBareNames) {
  TGrovana& g = Make();
  EXPECT_EQ(g.FormulaRoot().FormulaCollection().Count(), 0);
  EXPECT_TRUE(g.cdsFormula().Active());
  EXPECT_FALSE(g.cdsSimulation().Active() || g.HasSimulation() || g.CurrentSimulation() || g.Calculated());
  EXPECT_TRUE(dialogs_.Prompts().empty());

  // No path, no stored name: "Formulas.dat" beside the executable, the name stays empty.
  g.SaveFormulas();
  EXPECT_TRUE(fs::exists(exe_ / "Formulas.dat"));
  EXPECT_EQ(g.FormulaRoot().Filename(), "");
  g.SaveFormulas("Minhas.dat");
  EXPECT_EQ(g.FormulaRoot().Filename(), "Minhas.dat");
  EXPECT_EQ(g.FormulasPath(), (work_ / "Minhas.dat").string());

  // A damaged catalogue is reported, stays empty, and creation goes on.
  WriteDefaults();
  WriteTruncated(exe_ / "Formulas.dat", exe_ / "Formulas.dat", 300);
  TGrovana& h = Make();
  EXPECT_EQ(dialogs_.Texts(Prompt::Kind::Error).size(), 1u);
  EXPECT_EQ(h.FormulaRoot().FormulaCollection().Count(), 0);
  EXPECT_TRUE(h.cdsFormula().Active());
  EXPECT_EQ(h.ProductRoot().ProductCollection().Count(), 4);
}

TEST_F(GrovanaTest, FaultyEntriesAreStoredShownAndAbortedAndFormulasZeroToThreeAreProtected) {
  WriteDefaults();
  TGrovana& g = Make();
  // A faulty product: Tallora's own validation, its codes in the module's list.
  TCollectionDataSet& products = g.cdsProduct();
  products.Append();
  Write(products, {{"MinDiameter", 8.0}});
  EXPECT_THROW(products.Post(), EAbort);
  EXPECT_EQ(presenter_.Last().title, "Erros em Produtos");
  EXPECT_EQ(presenter_.Last().Codes(), (Codes{201, 204}));
  EXPECT_EQ(g.Errors().Title(), "Erros em Produtos");
  EXPECT_EQ(g.Errors().Count(), 2);
  Write(products, {{"Name", "Moirão"}, {"Size", 2.0}});
  products.Prior();
  EXPECT_EQ(presenter_.hides, 1);

  TCollectionDataSet& formulas = g.cdsFormula();
  formulas.Append();
  Write(formulas, {{"AssociatedFormula", 9}});
  EXPECT_THROW(formulas.Post(), EAbort);
  EXPECT_EQ(presenter_.Last().title, "Erros na Fórmula");
  EXPECT_EQ(presenter_.Last().Codes(), (Codes{101, 102, 103, 105}));
  formulas.SetRecNo(4);
  ASSERT_EQ(formulas.FieldByName("Id").AsInteger(), 3);
  try {
    formulas.Delete();
    ADD_FAILURE() << "formula 3 deleted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Esta Fórmula não pode ser excluida!");
  }
  formulas.SetRecNo(5);
  ASSERT_EQ(formulas.FieldByName("Id").AsInteger(), 4);
  formulas.Delete();
  EXPECT_EQ(g.FormulaRoot().FormulaCollection().Count(), 4);

  g.NewSimulation();
  g.cdsLog().Append();
  Write(g.cdsLog(), {{"Name", "Poste"}, {"MinDiameter", 15.0}, {"Size", 200.0}});
  EXPECT_THROW(g.cdsLog().Post(), EAbort);
  EXPECT_EQ(presenter_.Last().title, "Erros no Sortimento de Toras");
  EXPECT_EQ(presenter_.Last().Codes(), Codes{203});
  EXPECT_EQ(g.CurrentSimulation()->ProductCollection().Count(), 4);
}

TEST_F(GrovanaTest, ThinningsNotifyTheMainWindowWithIdAndAge) {
  WriteDefaults();
  TGrovana& g = Make();
  g.NewSimulation();
  TCollectionDataSet& thins = g.cdsThin();
  ASSERT_EQ(thins.RecordCount(), 2);

  // An insert is posted at once: the node is added, then selected.
  thins.Append();
  EXPECT_EQ(thins.State(), TDataSetState::Browse);
  const int id = thins.FieldByName("Id").AsInteger();
  EXPECT_EQ(window_.calls, (Calls{Format("posted %d 0", {id}), Format("select %d", {id})}));
  Write(thins, {{"Age", 13}});
  thins.Post();
  EXPECT_EQ(window_.calls.back(), Format("posted %d 13", {id}));

  // Type 2 keeps its row, 0 and 1 zero it; each mode zeroes the other target.
  thins.FieldByName("CutRows").SetAsInteger(5);
  g.SetThinType(TThinType::RowsThenSelective);
  EXPECT_EQ(thins.FieldByName("CutRows").AsInteger(), 5);
  g.SetThinType(TThinType::Systematic);
  EXPECT_EQ(thins.FieldByName("CutRows").AsInteger(), 0);
  thins.FieldByName("RemanescentTrees").SetAsFloat(600);  // browse: straight into the item
  thins.FieldByName("RemanescentBaseArea").SetAsFloat(12);
  g.SetThinMode(TThinMode::RemainingTrees);
  EXPECT_EQ(thins.FieldByName("RemanescentBaseArea").AsFloat(), 0);
  EXPECT_EQ(thins.FieldByName("RemanescentTrees").AsFloat(), 600);
  g.SetThinMode(TThinMode::RemainingBaseArea);
  EXPECT_EQ(thins.FieldByName("RemanescentTrees").AsFloat(), 0);
  EXPECT_EQ(std::pair(g.GetThinType(), g.GetThinMode()),
            std::pair(TThinType::Systematic, TThinMode::RemainingBaseArea));

  EXPECT_FALSE(g.LocateThin(99));
  // The window reacting to a delete cannot move the dataset under it.
  ASSERT_TRUE(g.LocateThin(id));
  window_.calls.clear();
  window_.onDeleted = [&] { EXPECT_FALSE(g.LocateThin(0)); };
  thins.Delete();
  EXPECT_EQ(window_.calls, Calls{Format("deleted %d 13", {id})});
  EXPECT_EQ(g.FindThin(id), nullptr);
  EXPECT_NE(g.FindThin(0), nullptr);

  g.SetMainWindow(nullptr);
  window_.calls.clear();
  thins.Append();
  thins.Delete();
  EXPECT_TRUE(window_.calls.empty());
}

TEST_F(GrovanaTest, FailedLoadsLeaveTheDocumentsAsTheyWere) {
  WriteDefaults();
  TGrovana& g = Make();
  g.LoadSimulation((exe_ / "Simulation.dat").string());
  TSimulation* current = g.CurrentSimulation();
  Write(g.cdsSimulation(), {{"Description", "Em uso"}});

  WriteTruncated(exe_ / "Simulation.dat", work_ / "Cortado.dat", 40);
  EXPECT_THROW(g.LoadSimulation("Cortado.dat"), EReadError);
  EXPECT_THROW(g.LoadSimulation((exe_ / "Formulas.dat").string()), Exception);
  EXPECT_THROW(g.LoadSimulation("Nenhum.dat"), EFOpenError);
  // A Filename length of 0xFF that swallows the rest up to a 00 00, and a file with a byte appended.
  std::string swallowed = ReadFileBytes(exe_ / "Simulation.dat");
  swallowed[0x22] = '\xFF';
  WriteFileBytes(work_ / "Engolido.dat", swallowed);
  EXPECT_THROW(g.LoadSimulation("Engolido.dat"), EReadError);
  WriteFileBytes(work_ / "Mais.dat", ReadFileBytes(exe_ / "Simulation.dat") + "x");
  EXPECT_THROW(g.LoadSimulation("Mais.dat"), EReadError);
  EXPECT_EQ(g.CurrentSimulation(), current);
  EXPECT_EQ(g.SimulationRoot().SimulationCollection().Count(), 1);
  EXPECT_EQ(g.SimulationPath(), (exe_ / "Simulation.dat").string());
  EXPECT_EQ(g.cdsSimulation().State(), TDataSetState::Edit);
  EXPECT_EQ(g.cdsSimulation().FieldByName("Description").AsString(), "Em uso");
  EXPECT_EQ(g.cdsThin().RecordCount() * 10 + g.cdsLog().RecordCount(), 23);

  WriteTruncated(exe_ / "Formulas.dat", work_ / "Formulas.dat", 30);
  EXPECT_THROW(g.LoadFormulas("Formulas.dat"), EReadError);
  EXPECT_THROW(g.LoadFormulas((exe_ / "Produtos.dat").string()), Exception);
  WriteFileBytes(work_ / "Mais.dat", ReadFileBytes(exe_ / "Formulas.dat") + "x");
  EXPECT_THROW(g.LoadFormulas("Mais.dat"), EReadError);
  EXPECT_EQ(g.cdsProduct().RecordCount(), 4);
  EXPECT_EQ(g.cdsFormula().RecordCount(), 4);
  EXPECT_EQ(g.FormulasPath(), (exe_ / "Formulas.dat").string());
}

// Quorva removed the simulation's file since it was read: a save there asks,
// and Cancelar writes nothing; another file is written unasked.
TEST_F(GrovanaTest, ASaveOverAFileChangedSinceItWasReadAsksFirst) {
  WriteDefaults();
  TGrovana& g = Make();
  g.LoadSimulation((exe_ / "Simulation.dat").string());
  std::filesystem::rename(exe_ / "Simulation.dat", work_ / "Movido.dat");
  dialogs_.Answer(TMsgDlgBtn::Cancel);
  EXPECT_FALSE(g.SaveSimulation());
  EXPECT_FALSE(std::filesystem::exists(exe_ / "Simulation.dat"));
  EXPECT_TRUE(g.SaveSimulation("Outro.dat"));
  EXPECT_EQ(dialogs_.Prompts().size(), 1u);
}

TEST_F(GrovanaTest, FilesWithoutSimulationsOrWithoutNameGetANewCurrentSimulation) {
  TGrovana& g = Make();
  TSimulationPersist named;
  named.SetFilename("Vazio.dat");
  SaveComponent((work_ / "Vazio.dat").string(), named);
  g.LoadSimulation("Vazio.dat");
  ASSERT_EQ(g.SimulationRoot().SimulationCollection().Count(), 1);
  EXPECT_EQ(g.CurrentSimulation(), &g.SimulationRoot().SimulationCollection()[0]);

  // No stored name while the root has none: a new simulation after the stored ones.
  TSimulationPersist unnamed;
  FillDefaultSimulation(unnamed);
  unnamed.SetFilename("");
  unnamed.SimulationCollection().Add();
  SaveComponent((work_ / "Anonimo.dat").string(), unnamed);
  TGrovana& h = Make();
  h.LoadSimulation("Anonimo.dat");
  TSimulationCollection& sims = h.SimulationRoot().SimulationCollection();
  ASSERT_EQ(sims.Count(), 3);
  EXPECT_EQ(h.CurrentSimulation(), &sims[2]);
  EXPECT_EQ(h.cdsSimulation().RecNo(), 3);
  EXPECT_EQ(h.cdsThin().RecordCount(), 0);
  // Without a template: the constructor's values, to be named on save.
  h.NewBlankSimulation();
  EXPECT_EQ(h.SimulationRoot().SimulationCollection().Count(), 1);
  EXPECT_TRUE(h.GetFileName().empty() && h.SimulationNeedsName());
  EXPECT_FALSE(h.CalculateResults());
}

TEST_F(GrovanaTest, CalculateResultsRunsOnceUntilAnInputChanges) {
  WriteDefaults();
  TGrovana& g = Make();
  g.NewSimulation();
  EXPECT_EQ(g.cdsSimulation().FieldCount(), 29);
  for (TDataSet* ds : {&g.cdsSimulation(), &g.cdsLog(), &g.cdsThin()})
    for (int i = 0; i < ds->FieldCount(); ++i) EXPECT_GT(ds->Fields(i).FieldNo(), 0) << ds->Fields(i).FieldName();

  ASSERT_TRUE(g.CalculateResults());
  EXPECT_TRUE(g.Calculated() && g.cdsPrognosis().Active());
  EXPECT_GT(g.cdsPrognosis().RecordCount(), 10);
  EXPECT_GT(g.cdsThin().FieldByName("RemovedTrees").AsFloat(), 0);
  EXPECT_TRUE(g.CalculateResults());
  EXPECT_EQ(g.RunCount(), 1);

  // Rewriting a value keeps the results; a change or a post runs again.
  g.SetListingOption(g.GetListingOption());
  g.SetInventoryType(TInventoryType::PlantingDensity);
  EXPECT_TRUE(g.Calculated());
  g.SetListingOption(TListingOption::AgeList);
  EXPECT_TRUE(g.CalculateResults());
  Write(g.cdsThin(), {{"RemanescentTrees", 650.0}});
  EXPECT_TRUE(g.CalculateResults());
  g.cdsPrognosis().Edit();
  g.cdsPrognosis().Post();
  EXPECT_TRUE(g.CalculateResults());
  EXPECT_EQ(g.RunCount(), 4);

  // Verify posts the simulation and validates, without setting the flag.
  g.SetHomogeneityDegree(7);
  EXPECT_EQ(g.cdsSimulation().State(), TDataSetState::Edit);
  EXPECT_TRUE(g.Verify());
  EXPECT_EQ(g.cdsSimulation().State(), TDataSetState::Browse);
  EXPECT_FALSE(g.Calculated());

  // Invalid: false with the simulation's codes, no run.
  Write(g.cdsSimulation(), {{"SiteIndex", 5.0}});
  EXPECT_FALSE(g.CalculateResults());
  EXPECT_EQ(g.CurrentSimulation()->Errors().GetItem(0).Code(), 1);
  EXPECT_EQ(g.RunCount(), 4);
  // A run that fails leaves the flag down, so the next call runs again.
  Write(g.cdsSimulation(), {{"SiteIndex", 28.0}, {"VolumeEquation", "D/(H-H)"}});
  EXPECT_FALSE(g.CalculateResults());
  EXPECT_EQ(g.CurrentSimulation()->Errors().GetItem(0).Code(), 99);
  EXPECT_FALSE(g.CalculateResults());
  EXPECT_EQ(g.RunCount(), 6);

  // A new document: nothing calculated, no growth table of the old one.
  g.NewSimulation();
  EXPECT_FALSE(g.Calculated() || g.cdsPrognosis().Active());
  EXPECT_EQ(g.cdsPrognosis().Collection(), nullptr);

  // Posts in the catalogues make the results stale too.
  for (TDataSet* catalogue : {&g.cdsProduct(), &g.cdsFormula()}) {
    ASSERT_TRUE(g.CalculateResults());
    catalogue->Edit();
    catalogue->Post();
    EXPECT_FALSE(g.Calculated()) << catalogue->Name();
  }
}

// The simulation frame asks for that name when it saves.
TEST_F(GrovanaTest, TheTemplateNeedsANameAndIsLookedUpInTheWorkingFolderFirst) {
  WriteDefaults();
  TGrovana& g = Make();
  g.NewSimulation();
  EXPECT_EQ(g.GetFileName(), "Simulation.dat");
  EXPECT_TRUE(g.SimulationNeedsName());

  // The template is looked up in the working folder first.
  TSimulationPersist local;
  FillDefaultSimulation(local);
  local.SimulationCollection()[0].SetDescription("Local");
  SaveComponent((work_ / "Simulation.dat").string(), local);
  g.NewSimulation();
  EXPECT_EQ(g.CurrentSimulation()->Description(), "Local");
  EXPECT_EQ(g.SimulationPath(), "");
}

TEST_F(GrovanaTest, CopiesCatalogueEntriesIntoTheSimulation) {
  WriteDefaults();
  TGrovana& g = Make();
  g.NewSimulation();
  TProductCollection& logs = g.CurrentSimulation()->ProductCollection();
  g.CopyProductToLogs(1);
  ASSERT_EQ(logs.Count(), 4);
  EXPECT_EQ(logs[3].Name(), "Laminação");
  EXPECT_EQ(logs[3].Size() * logs[3].Price(), 2.6 * 150);
  g.CopyProductToLogs(0);
  g.CopyProductToLogs(5);
  EXPECT_EQ(logs.Count(), 4);

  // A faulty catalogue entry stops the copy of all after the valid ones.
  g.ProductRoot().ProductCollection().Add().SetMinDiameter(5);
  EXPECT_THROW(g.CopyAllProductsToLogs(), EAbort);
  EXPECT_EQ(logs.Count(), 9);
  EXPECT_EQ(presenter_.Last().title, "Erros no Sortimento de Toras");

  // The taper formula brings its integral along.
  TDataSet& sim = g.cdsSimulation();
  g.SetShapeFunctionEquation(g.FindFormula(2));
  EXPECT_EQ(sim.State(), TDataSetState::Edit);
  EXPECT_EQ(sim.FieldByName("ShapeFunctionEquation").AsString(), g.FindFormula(2)->Expression());
  EXPECT_EQ(sim.FieldByName("ShapeFunctionIntegral2Equation").AsString(), g.FindFormula(3)->Expression());
  g.SetSiteIndexEquation(nullptr);
  EXPECT_EQ(sim.FieldByName("SiteIndexEquation").AsString(), "");
}

}  // namespace
