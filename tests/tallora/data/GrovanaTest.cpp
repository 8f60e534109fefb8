#include <gtest/gtest.h>

#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "tallora/data/GrovanaData.h"
#include "tools/DefaultData.h"

namespace fs = std::filesystem;
using Codes = std::vector<int>;
using Calls = std::vector<std::string>;

namespace {

struct RecordingPresenter : IErrorPresenter {
  std::vector<std::pair<std::string, Codes>> shown;  // title, codes
  int hides = 0;
  void ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors) override {
    shown.emplace_back(title, Codes{});
    for (const ErrorLine& e : errors) shown.back().second.push_back(e.code);
  }
  void HideErrors() override { ++hides; }
};

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

// Save dialogs answer from a script; errors are recorded; anything else fails.
struct ScriptedDialogs : IDialogs {
  std::deque<std::string> saveAnswers;
  std::vector<FileDialogOptions> saves;
  std::vector<std::string> errors;
  std::string OpenFile(const FileDialogOptions&) override { return Unexpected("open"); }
  std::string SaveFile(const FileDialogOptions& options) override {
    saves.push_back(options);
    if (saveAnswers.empty()) return Unexpected("save");
    std::string answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }
  void Information(const std::string& text) override { Unexpected(text); }
  void Error(const std::string& text) override { errors.push_back(text); }
  TMsgDlgBtn AskYesNo(const std::string& text) override { Unexpected(text); return TMsgDlgBtn::No; }
  TMsgDlgBtn AskYesNoCancel(const std::string& text) override { Unexpected(text); return TMsgDlgBtn::Cancel; }
  bool PrinterSetup() override { Unexpected("printer"); return false; }
  static std::string Unexpected(const std::string& what) {
    ADD_FAILURE() << "unexpected dialog: " << what;
    return {};
  }
};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes fields of the current record, in edit state.
void Write(TDataSet& ds, std::initializer_list<std::pair<const char*, TFieldValue>> values) {
  if (ds.State() == TDataSetState::Browse) ds.Edit();
  for (const auto& [name, value] : values) ds.FieldByName(name).SetValue(value);
}

// A copy of a file without its last bytes.
void WriteTruncated(const fs::path& from, const fs::path& to, std::size_t cut) {
  const std::string bytes = ReadBytes(from);
  std::ofstream(to, std::ios::binary) << bytes.substr(0, bytes.size() - cut);
}

class GrovanaTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tq-grovana-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(exe_ = dir_ / "exe");
    fs::create_directories(work_ = dir_ / "work");
  }
  void TearDown() override {
    grovana_.reset();
    fs::remove_all(dir_);
  }
  void WriteDefaults() {
    std::vector<TDefaultFile> files;
    AppendTalloraDefaultFiles(files);
    WriteDefaultFiles(exe_.string(), files);
  }
  TGrovana& Make() {
    grovana_.reset();
    grovana_ = std::make_unique<TGrovana>(TGrovanaFolders{exe_.string(), work_.string()}, &dialogs_);
    grovana_->SetErrorPresenter(&presenter_);
    grovana_->SetMainWindow(&window_);
    return *grovana_;
  }

  fs::path dir_, exe_, work_;
  RecordingPresenter presenter_;
  RecordingWindow window_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<TGrovana> grovana_;
};

TEST_F(GrovanaTest, StartsWithEmptyCataloguesAndSavesUnderBareNames) {
  TGrovana& g = Make();
  EXPECT_EQ(g.ProductRoot().ProductCollection().Count() + g.FormulaRoot().FormulaCollection().Count(), 0);
  EXPECT_TRUE(g.cdsProduct().Active() && g.cdsFormula().Active());
  EXPECT_FALSE(g.cdsSimulation().Active() || g.HasSimulation() || g.CurrentSimulation() || g.Calculated());
  EXPECT_TRUE(dialogs_.errors.empty());

  // No path, no stored name: "Produtos.dat" beside the executable, the name stays empty.
  g.SaveProducts();
  EXPECT_TRUE(fs::exists(exe_ / "Produtos.dat"));
  EXPECT_EQ(g.ProductRoot().Filename(), "");
  g.SaveProducts("Meus.dat");
  EXPECT_TRUE(fs::exists(work_ / "Meus.dat"));
  EXPECT_EQ(g.ProductRoot().Filename(), "Meus.dat");
  // A failed save raises and keeps the old name.
  EXPECT_THROW(g.SaveProducts((dir_ / "missing" / "X.dat").string()), EFCreateError);
  EXPECT_EQ(g.ProductRoot().Filename(), "Meus.dat");
  EXPECT_EQ(g.ProductsPath(), (work_ / "Meus.dat").string());

  // A damaged catalogue is reported, stays empty, and creation goes on.
  WriteDefaults();
  WriteTruncated(exe_ / "Formulas.dat", exe_ / "Formulas.dat", 300);
  TGrovana& h = Make();
  EXPECT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_EQ(h.FormulaRoot().FormulaCollection().Count(), 0);
  EXPECT_TRUE(h.cdsFormula().Active());
  EXPECT_EQ(h.ProductRoot().ProductCollection().Count(), 4);
}

TEST_F(GrovanaTest, FaultyEntriesAreStoredShownAndAbortedAndFormulasZeroToThreeAreProtected) {
  WriteDefaults();
  TGrovana& g = Make();
  TCollectionDataSet& products = g.cdsProduct();
  products.Append();
  Write(products, {{"MinDiameter", 8.0}});
  EXPECT_THROW(products.Post(), EAbort);
  EXPECT_EQ(products.State(), TDataSetState::Browse);
  ASSERT_EQ(g.ProductRoot().ProductCollection().Count(), 5);
  EXPECT_EQ(g.ProductRoot().ProductCollection()[4].MinDiameter(), 8);
  EXPECT_EQ(presenter_.shown.back(), std::make_pair(std::string("Erros em Produtos"), Codes{201, 204}));
  // Moving away posts again: the cursor stays on the faulty record until it is mended.
  Write(products, {{"Size", 2.0}});
  EXPECT_THROW(products.Prior(), EAbort);
  EXPECT_EQ(products.RecNo(), 5);
  EXPECT_EQ(presenter_.shown.back().second, Codes{201});
  Write(products, {{"Name", "Moirão"}});
  products.Prior();
  EXPECT_EQ(products.RecNo(), 4);
  EXPECT_EQ(presenter_.hides, 1);

  TCollectionDataSet& formulas = g.cdsFormula();
  formulas.Append();
  Write(formulas, {{"AssociatedFormula", 9}});
  EXPECT_THROW(formulas.Post(), EAbort);
  EXPECT_EQ(presenter_.shown.back(), std::make_pair(std::string("Erros na Fórmula"), Codes{101, 102, 103, 105}));
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
  EXPECT_EQ(presenter_.shown.back(), std::make_pair(std::string("Erros no Sortimento de Toras"), Codes{203}));
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
  g.SetThinType(2);
  EXPECT_EQ(thins.FieldByName("CutRows").AsInteger(), 5);
  g.SetThinType(1);
  EXPECT_EQ(thins.FieldByName("CutRows").AsInteger(), 0);
  thins.FieldByName("RemanescentTrees").SetAsFloat(600);  // browse: straight into the item
  thins.FieldByName("RemanescentBaseArea").SetAsFloat(12);
  g.SetThinMode(1);
  EXPECT_EQ(thins.FieldByName("RemanescentBaseArea").AsFloat(), 0);
  EXPECT_EQ(thins.FieldByName("RemanescentTrees").AsFloat(), 600);
  g.SetThinMode(0);
  EXPECT_EQ(thins.FieldByName("RemanescentTrees").AsFloat(), 0);
  EXPECT_EQ(g.GetThinType() * 10 + g.GetThinMode(), 10);

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
  EXPECT_EQ(g.CurrentSimulation(), current);
  EXPECT_EQ(g.SimulationRoot().SimulationCollection().Count(), 1);
  EXPECT_EQ(g.SimulationPath(), (exe_ / "Simulation.dat").string());
  EXPECT_EQ(g.cdsSimulation().State(), TDataSetState::Edit);
  EXPECT_EQ(g.cdsSimulation().FieldByName("Description").AsString(), "Em uso");
  EXPECT_EQ(g.cdsThin().RecordCount() * 10 + g.cdsLog().RecordCount(), 23);

  WriteTruncated(exe_ / "Produtos.dat", work_ / "Produtos.dat", 30);
  EXPECT_THROW(g.LoadProducts("Produtos.dat"), EReadError);
  EXPECT_THROW(g.LoadFormulas((exe_ / "Produtos.dat").string()), Exception);
  EXPECT_EQ(g.cdsProduct().RecordCount(), 4);
  EXPECT_EQ(g.cdsFormula().RecordCount(), 4);
  EXPECT_EQ(g.ProductsPath(), (exe_ / "Produtos.dat").string());
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
  g.SetInventoryType(1);
  EXPECT_TRUE(g.Calculated());
  g.SetListingOption(2);
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
}

TEST_F(GrovanaTest, SavingTheTemplateAsksForANameAndLaterSavesGoToTheSamePath) {
  WriteDefaults();
  TGrovana& g = Make();
  g.NewSimulation();
  EXPECT_EQ(g.GetFileName(), "Simulation.dat");
  EXPECT_TRUE(g.SimulationNeedsName());

  dialogs_.saveAnswers = {"", (work_ / "Minha.dat").string()};
  EXPECT_FALSE(g.SaveSimulationOrAsk());
  EXPECT_TRUE(g.SaveSimulationOrAsk());
  ASSERT_EQ(dialogs_.saves.size(), 2u);
  EXPECT_EQ(dialogs_.saves[0].title, "Salvar Simulação");
  EXPECT_EQ(dialogs_.saves[0].fileName, "Simulation.dat");
  EXPECT_EQ(g.GetFileName(), "Minha.dat");

  // A plain save writes the remembered path without asking.
  fs::remove(work_ / "Minha.dat");
  Write(g.cdsSimulation(), {{"Description", "Talhão 7"}});
  EXPECT_TRUE(g.SaveSimulationOrAsk());
  EXPECT_EQ(dialogs_.saves.size(), 2u);
  g.NewSimulation();
  g.LoadSimulation((work_ / "Minha.dat").string());
  EXPECT_EQ(g.CurrentSimulation()->Description(), "Talhão 7");
  EXPECT_EQ(ReadBytes(exe_ / "Simulation.dat").find("Talh"), std::string::npos);

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
  EXPECT_EQ(presenter_.shown.back().first, "Erros no Sortimento de Toras");

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
