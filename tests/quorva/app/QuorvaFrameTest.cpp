// The plan page: file commands, the sensitivity box, "&Verificar" and
// "Calcular".

#include <QCheckBox>
#include <QPushButton>

#include "platform/dbctrls/DbControls.h"
#include "platform/rtl/Exceptions.h"
#include "quorva/app/QuorvaFrame.h"
#include "storage/PersistUnit.h"
#include "tests/quorva/app/QuorvaFrames.h"

namespace {

using Lines = std::vector<std::string>;

class QuorvaFrameTest : public QuorvaFramesTest {
protected:
  void SetDescricao(const std::string& text) {
    TDataSet& ds = marquel().cdsQuorva();
    ds.Edit();
    ds.FieldByName("Descricao").SetAsString(text);
    ds.Post();
  }
  // The description stored in a plan file.
  static std::string DescricaoIn(const std::string& path) {
    TQuorvaPersist root;
    LoadComponent(path, root);
    return root.Quorvas().Count() > 0 ? root.Quorvas()[0].Descricao() : "?";
  }
  std::vector<Prompt> Saves() const { return dialogs.Prompts(Prompt::Kind::SaveFile); }

  TFrameQuorva* frame = Make<TFrameQuorva>(marquel());
};

TEST_F(QuorvaFrameTest, SaveAsksForANameUntilThePlanHasOneThenWritesWhereItCameFrom) {
  // The template's name: "Salvar Plano", cancelled.
  dialogs.AnswerFile("");
  EXPECT_FALSE(frame->Save());
  const std::vector<Prompt> saves = Saves();
  ASSERT_EQ(saves.size(), 1u);
  const FileDialogOptions& asked = saves[0].options;
  EXPECT_EQ(asked.title, "Salvar Plano");
  EXPECT_EQ(asked.fileName, "Plano1.dat");
  EXPECT_EQ(asked.initialDir, work.string());
  EXPECT_EQ(asked.filter, kDataFileFilter);
  EXPECT_EQ(asked.defaultExt, "dat");
  EXPECT_TRUE(asked.overwritePrompt);

  const std::string fazenda = (work / "Fazenda.dat").string();
  dialogs.AnswerFile(fazenda);
  EXPECT_TRUE(frame->Save());
  EXPECT_EQ(marquel().GetFileName(), "Fazenda.dat");
  SetDescricao("Fazenda");
  EXPECT_TRUE(frame->Save());  // no dialog now
  EXPECT_EQ(DescricaoIn(fazenda), "Fazenda");
  EXPECT_EQ(Saves().size(), 2u);

  // Opened from another folder, it is saved back there, not in the working folder.
  const std::filesystem::path other = dir.Sub("other");
  std::filesystem::copy_file(fazenda, other / "Fazenda.dat");
  dialogs.AnswerFile((other / "Fazenda.dat").string());
  EXPECT_TRUE(frame->Open());
  SetDescricao("Outra");
  EXPECT_TRUE(frame->Save());
  EXPECT_EQ(DescricaoIn((other / "Fazenda.dat").string()), "Outra");
  EXPECT_EQ(DescricaoIn(fazenda), "Fazenda");
  EXPECT_EQ(Saves().size(), 2u);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(QuorvaFrameTest, TextStillBeingTypedIsSaved) {
  Show(*window);
  Type(Find<DbLineEdit>(*window, "EditDescricao"), "Talhao 7");
  const std::string path = (work / "Talhao.dat").string();
  dialogs.AnswerFile(path);
  EXPECT_TRUE(frame->Save());
  EXPECT_EQ(DescricaoIn(path), "Talhao 7");
}

TEST_F(QuorvaFrameTest, APlanFileWithoutANameIsSavedUnderANewOne) {
  TQuorvaPersist root;
  root.Quorvas().Add().SetDescricao("Sem nome");
  const std::string unnamed = (work / "SemNome.dat").string();
  SaveComponent(unnamed, root);
  // As at start-up: no plan, so no name to keep either.
  window.reset();
  MakeDataModules();
  window = std::make_unique<QWidget>();
  auto* page = new TFrameQuorva(window.get(), marquel(), seams);
  dialogs.AnswerFile(unnamed);
  EXPECT_TRUE(page->Open());
  EXPECT_EQ(marquel().GetFileName(), "");
  dialogs.AnswerFile("");
  EXPECT_FALSE(page->Save());
  EXPECT_EQ(Saves().size(), 1u);
}

// A character the file cannot hold is refused as it is entered, and by the
// save that meets it again; the edit keeps the text for correction.
TEST_F(QuorvaFrameTest, ADescriptionWithACharacterTheFileCannotHoldIsRefused) {
  Show(*window);
  auto* edit = Find<DbLineEdit>(*window, "EditDescricao");
  Type(edit, "Fazenda 🌳 東");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(RecordedExceptions(), Lines{"Não é possível gravar no arquivo o caractere '🌳' do campo Descrição"});
  EXPECT_THROW(frame->Save(), EConvertError);
  EXPECT_TRUE(Saves().empty());
  EXPECT_EQ(TextOf(edit), "Fazenda 🌳 東");
  EXPECT_EQ(plan().Descricao(), "Plano de exemplo");

  Type(edit, "Ação nº 1 €");
  const std::string path = (work / "Acao.dat").string();
  dialogs.AnswerFile(path);
  EXPECT_TRUE(frame->Save());
  EXPECT_EQ(DescricaoIn(path), "Ação nº 1 €");
}

// The window asks about a change before either.
TEST_F(QuorvaFrameTest, NewTakesTheTemplate) {
  SetDescricao("Minha");
  frame->New();
  EXPECT_EQ(plan().Descricao(), "Plano de exemplo");
  EXPECT_EQ(window->windowTitle().toStdString(), "Quorva - Novo Projeto");
  EXPECT_TRUE(dialogs.Prompts().empty());
}

TEST_F(QuorvaFrameTest, OpenShowsItsDialogAndAForeignFileKeepsThePlan) {
  SetDescricao("Minha");
  const TQuorva* before = &plan();
  dialogs.AnswerFile("");
  EXPECT_FALSE(frame->Open());
  const auto opens = dialogs.Prompts(Prompt::Kind::OpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].options.initialDir, work.string());
  EXPECT_EQ(opens[0].options.filter, kDataFileFilter);
  EXPECT_TRUE(opens[0].options.fileMustExist);

  dialogs.AnswerFile((exe / "Custo.dat").string());
  try {
    frame->Open();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Não foi possível ler o arquivo \"Custo.dat\": não é um arquivo de plano.\n"
              "Arquivo não contém o objeto do tipo: TQuorvaPersist");
  }
  EXPECT_EQ(&plan(), before);
  EXPECT_EQ(plan().Descricao(), "Minha");
  EXPECT_EQ(marquel().cdsQuorva().FieldByName("Descricao").AsString(), "Minha");
  EXPECT_EQ(TextOf(Find<DbLineEdit>(*window, "EditDescricao")), "Minha");
}

TEST_F(QuorvaFrameTest, SensitivityBoxBindsTheRatesClearsAndStoresZero) {
  auto* box = Find<QCheckBox>(*window, "CheckBoxAnaliseSensibilidade");
  const char* names[3] = {"EditTaxaJurosInicial", "EditTaxaJurosFinal", "EditTaxaJurosIncremento"};
  const Lines fields = {"TaxaJurosInicial", "TaxaJurosFinal", "IncrementoTaxaJuros"};
  // The template's plan has the range 6 to 14 by 2.
  ASSERT_TRUE(box->isChecked());
  const Lines shown = {"6", "14", "2"};
  for (int i = 0; i < 3; ++i) {
    auto* edit = Find<DbLineEdit>(*window, names[i]);
    EXPECT_EQ(edit->DataField(), fields[i]);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(TextOf(edit), shown[i]);
  }
  ASSERT_TRUE(marquel().CalculateResults());

  box->click();
  EXPECT_EQ(plan().TemAnaliseSensibilidade(), 0);
  EXPECT_FALSE(marquel().Calculated());
  for (const char* name : names) {
    auto* edit = Find<DbLineEdit>(*window, name);
    EXPECT_EQ(edit->DataField(), "");
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(TextOf(edit), "");
  }
  EXPECT_EQ(plan().TaxaJurosFinal(), 14);  // the range itself stays

  ASSERT_TRUE(marquel().CalculateResults());
  box->click();
  EXPECT_EQ(plan().TemAnaliseSensibilidade(), 1);
  EXPECT_FALSE(marquel().Calculated());  // the next report recalculates
  EXPECT_EQ(TextOf(Find<DbLineEdit>(*window, "EditTaxaJurosFinal")), "14");

  // A tick in code is not a click.
  box->setChecked(false);
  EXPECT_EQ(plan().TemAnaliseSensibilidade(), 1);
  frame->ShowAnaliseSensibilidade();
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(QuorvaFrameTest, VerifyAndReturnInAnEditCalculateWithTheTypedValue) {
  int finalAgeSeen = 0;
  frame->OnCalculate = [&] { finalAgeSeen = plan().IdadeFinal(); };
  Show(*window);
  auto* finalAge = Find<DbLineEdit>(*window, "EditIdadeFinal");
  Type(finalAge, "20");
  QTest::keyClick(finalAge, Qt::Key_Return);
  EXPECT_EQ(finalAgeSeen, 20);

  // Beyond the last harvest (7): invalid.
  Find<QPushButton>(*window, "ButtonVerificar")->click();
  ASSERT_EQ(presenter.shown.size(), 1u);
  EXPECT_EQ(presenter.Last().title, "Erros no Quorva");
  EXPECT_EQ(presenter.Last().Codes(), std::vector<int>{7});

  const int hides = presenter.hides;
  Type(finalAge, "7");
  Find<QPushButton>(*window, "ButtonVerificar")->click();  // no focus change: the button commits
  EXPECT_EQ(presenter.hides, hides + 1);
  EXPECT_EQ(plan().IdadeFinal(), 7);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::Information), Lines{"Os parâmetros para cálculo do Plano estão corretos!"});
  EXPECT_EQ(presenter.shown.size(), 1u);

  finalAgeSeen = 0;
  Type(finalAge, "8");
  Find<QPushButton>(*window, "ButtonCalcular")->click();
  EXPECT_EQ(finalAgeSeen, 8);
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
