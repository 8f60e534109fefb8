// The simulation page: its summary, its file commands and its buttons.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/growth/SimulationUnit.h"
#include "tallora/app/SimulationFrame.h"
#include "tallora/app/SimulationSummary.h"
#include "tests/tallora/app/TalloraFrames.h"

namespace {

using Lines = std::vector<std::string>;

TEST(SimulationSummary, InventoryByTypeAndMode) {
  TSimulation s;
  s.SetInventoryType(3);
  s.SetInventoryMode(2);
  s.SetInventoryTrees(1111);
  s.SetInventoryAge(4);
  s.SetBaseArea(12.34);
  s.SetMedianDiameter(15.25);
  EXPECT_EQ(SummarizeSimulation(s).inventory,
            (Lines{"Número de árvores por hectare na idade 4:  1111", "Area Basal: 12,3"}));
  s.SetInventoryMode(3);
  EXPECT_EQ(SummarizeSimulation(s).inventory,
            (Lines{"Número de árvores por hectare na idade 4:  1111", "Diâmetro quadrático médio : 15,3"}));
  s.SetInventoryType(2);
  EXPECT_EQ(SummarizeSimulation(s).inventory, Lines{"Número de árvores por hectare na idade 4:  1111"});
  s.SetInventoryType(1);
  s.SetInitialTrees(1666.5);
  s.SetSurvivalPercentage(95);
  EXPECT_EQ(SummarizeSimulation(s).inventory,
            (Lines{"Número de árvores plantadas: 1667", "Percentual de sobrevivência inicial: 95%"}));
}

TEST(SimulationSummary, ListingAndThinningsInEntryOrder) {
  TSimulation s;
  s.SetListingOption(1);
  s.SetInitialAge(2);
  s.SetFinalAge(20);
  s.SetIncrementalAge(2);
  EXPECT_EQ(SummarizeSimulation(s).listing, Lines{"Gerar resultados para as idades de 2 a 20, de 2 em 2 ano(s)"});
  s.SetListingOption(2);
  s.SetResultAges("3 5 7");
  EXPECT_EQ(SummarizeSimulation(s).listing, (Lines{"Gerar resultados para as idades abaixo:", "3 5 7"}));
  s.SetListingOption(0);
  EXPECT_EQ(SummarizeSimulation(s).listing, Lines{});

  EXPECT_EQ(SummarizeSimulation(s).thinnings, "");
  s.ThinCollection().Add().SetAge(8);
  s.ThinCollection().Add().SetAge(5);
  EXPECT_EQ(SummarizeSimulation(s).thinnings, "aos 8, 5 anos");
}

class SimulationFrameTest : public TalloraFramesTest {
protected:
  TFrameSimulation* frame = Make<TFrameSimulation>();
  std::string Description() { return grovana().CurrentSimulation()->Description(); }
};

TEST_F(SimulationFrameTest, SummaryShowsTheCurrentInputs) {
  frame->ShowSummary();
  EXPECT_EQ(Find<QPlainTextEdit>(*window, "MemoInventario")->toPlainText().toStdString(),
            "Número de árvores plantadas: 1111\nPercentual de sobrevivência inicial: 95%");
  EXPECT_EQ(Find<QPlainTextEdit>(*window, "MemoListagens")->toPlainText().toStdString(),
            "Gerar resultados para as idades de 2 a 16, de 1 em 1 ano(s)");
  EXPECT_EQ(Find<QLineEdit>(*window, "EditDesbastes")->text().toStdString(), "aos 6, 10 anos");

  // A pending edit is posted first.
  grovana().cdsSimulation().Edit();
  grovana().cdsSimulation().FieldByName("InitialTrees").SetAsFloat(1600);
  frame->ShowSummary();
  EXPECT_EQ(grovana().cdsSimulation().State(), TDataSetState::Browse);
  EXPECT_EQ(Find<QPlainTextEdit>(*window, "MemoInventario")->toPlainText().toStdString(),
            "Número de árvores plantadas: 1600\nPercentual de sobrevivência inicial: 95%");
}

// The window asks about a change before either.
TEST_F(SimulationFrameTest, NewTakesTheTemplateAndOpenItsDialog) {
  // A data module that has no simulation yet, as at start-up.
  window.reset();
  grovana_ = std::make_unique<TGrovana>(nullptr, TDataFolders{exe.string(), work.string()},
                                        TDataSeams{dialogs, presenter});
  window = std::make_unique<QWidget>();
  auto* page = new TFrameSimulation(window.get(), grovana(), seams);
  page->New();
  EXPECT_EQ(window->windowTitle().toStdString(), "Tallora - Nova Simulação");

  grovana().cdsSimulation().Edit();
  grovana().cdsSimulation().FieldByName("Description").SetAsString("Minha");
  grovana().cdsSimulation().Post();
  page->New();
  EXPECT_EQ(Description(), "Nova simulação");

  // A cancelled open dialog loads nothing.
  dialogs.AnswerFile("");
  EXPECT_FALSE(page->Open());
  const std::string saved = (work / "Minha.dat").string();
  dialogs.AnswerFile(saved);
  EXPECT_TRUE(page->SaveAs());
  dialogs.AnswerFile(saved);
  EXPECT_TRUE(page->Open());
  const auto opens = dialogs.Prompts(Prompt::Kind::OpenFile);
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[0].options.title, "Abrir Simulação");
  EXPECT_EQ(opens[0].options.initialDir, work.string());
  EXPECT_EQ(opens[0].options.filter, kDataFileFilter);
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::SaveFile).size(), 1u);
  EXPECT_TRUE(dialogs.Texts(Prompt::Kind::YesNo).empty());
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(SimulationFrameTest, SavingTheTemplateAsksForANameAndLaterSavesGoToTheSamePath) {
  TGrovana& g = grovana();
  dialogs.AnswerFile("").AnswerFile((work / "Minha.dat").string());
  EXPECT_FALSE(frame->Save());
  EXPECT_TRUE(frame->Save());
  const std::vector<Prompt> saves = dialogs.Prompts(Prompt::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 2u);
  EXPECT_EQ(saves[0].options.title, "Salvar Simulação");
  EXPECT_EQ(saves[0].options.fileName, "Simulation.dat");
  EXPECT_EQ(saves[0].options.filter, "Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
  EXPECT_EQ(g.GetFileName(), "Minha.dat");

  // A plain save writes the remembered path without a file dialog; removed
  // since it was written, the file is written only after the question.
  std::filesystem::remove(work / "Minha.dat");
  g.cdsSimulation().Edit();
  g.cdsSimulation().FieldByName("Description").SetAsString("Talhão 7");
  dialogs.Answer(TMsgDlgBtn::Yes);
  EXPECT_TRUE(frame->Save());
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::SaveFile).size(), 2u);
  EXPECT_EQ(dialogs.Prompts().size(), 3u);
  g.NewSimulation();
  g.LoadSimulation((work / "Minha.dat").string());
  EXPECT_EQ(g.CurrentSimulation()->Description(), "Talhão 7");
  EXPECT_EQ(ReadFileBytes(exe / "Simulation.dat").find("Talh"), std::string::npos);
}

TEST_F(SimulationFrameTest, VerifyConfirmsValidInputsAndShowsTheErrorsOfInvalidOnes) {
  Show(*window);
  Type(Find<DbLineEdit>(*window, "EditDescricao"), "Talhao 7");
  Find<QPushButton>(*window, "ButtonVerificar")->click();  // no focus change: the button commits
  EXPECT_EQ(Description(), "Talhao 7");
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::Information), Lines{"Os parâmetros para Simulação estão corretos!"});
  EXPECT_TRUE(presenter.shown.empty());

  Type(Find<DbLineEdit>(*window, "EditIndiceSitio"), "5");
  Find<QPushButton>(*window, "ButtonVerificar")->click();
  ASSERT_EQ(presenter.shown.size(), 1u);
  EXPECT_EQ(presenter.Last().title, "Erros na Simulação");
  EXPECT_FALSE(presenter.Last().lines.empty());
  EXPECT_EQ(Find<DbLineEdit>(*window, "EditIndiceSitio")->text().toStdString(), "5");
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::Information).size(), 1u);

  // Mended, the check takes the list of old faults away.
  const int hides = presenter.hides;
  Type(Find<DbLineEdit>(*window, "EditIndiceSitio"), "28");
  Find<QPushButton>(*window, "ButtonVerificar")->click();
  EXPECT_EQ(presenter.hides, hides + 1);
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::Information).size(), 2u);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(SimulationFrameTest, ReturnInAnEditCalculatesWithTheTypedValue) {
  double siteIndexSeen = 0;
  frame->OnCalculate = [&] { siteIndexSeen = grovana().CurrentSimulation()->SiteIndex(); };
  Show(*window);
  Type(Find<DbLineEdit>(*window, "EditIndiceSitio"), "31");
  QTest::keyClick(Find<DbLineEdit>(*window, "EditIndiceSitio"), Qt::Key_Return);
  EXPECT_EQ(siteIndexSeen, 31);
  siteIndexSeen = 0;
  Find<QPushButton>(*window, "ButtonCalcular")->click();
  EXPECT_EQ(siteIndexSeen, 31);
}

// A character the file cannot hold is refused as it is entered, under the
// edit's label; the edit keeps the text for correction.
TEST_F(SimulationFrameTest, ADescriptionWithACharacterTheFileCannotHoldIsRefused) {
  Show(*window);
  auto* edit = Find<DbLineEdit>(*window, "EditDescricao");
  const Lines refused{"Talhão 🌳 東", "Talhão 東"};
  for (const std::string& text : refused) {
    Type(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->text().toStdString(), text);
    EXPECT_TRUE(edit->hasFocus());
  }
  EXPECT_EQ(RecordedExceptions(), (Lines{"Não é possível gravar no arquivo o caractere '🌳' do campo Descrição",
                                         "Não é possível gravar no arquivo o caractere '東' do campo Descrição"}));
  EXPECT_EQ(Description(), "Nova simulação");

  Type(edit, "Ação nº 1 €");
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Description(), "Ação nº 1 €");
  EXPECT_EQ(RecordedExceptions().size(), 2u);
}

}  // namespace
