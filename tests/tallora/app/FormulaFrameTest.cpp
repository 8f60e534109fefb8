// The formula catalogue page: its workbench, the protection of the standard
// formulas, the associated-formula picker and the file commands.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "tallora/app/EquationsForm.h"
#include "tallora/app/FormulaFrame.h"
#include "tests/support/gui/Modal.h"
#include "tests/tallora/app/TalloraFrames.h"

namespace {

using B = DbNavigator::Button;

class FormulaFrameTest : public TalloraFramesTest {
protected:
  TDataSet& Formulas() { return grovana().cdsFormula(); }
  // Appends a valid formula of the catalogue with that text and moves there.
  void AddFormula(const std::string& expression) {
    Formulas().Append();
    Formulas().FieldByName("Description").SetAsString("Teste");
    Formulas().FieldByName("Author").SetAsString("Equipe");
    Formulas().FieldByName("EquationType").SetAsString("Equação de Volume");
    Formulas().FieldByName("Expression").SetAsString(expression);
    Formulas().Post();
  }
  void SetVariable(int row, const char* name, const char* value) {
    frame->Variables()->setItem(row, 0, new QTableWidgetItem(name));
    frame->Variables()->setItem(row, 1, new QTableWidgetItem(value));
  }
  std::string Result() const { return frame->Result()->text().toStdString(); }

  TFrameFormula* frame = Make<TFrameFormula>();
};

TEST_F(FormulaFrameTest, AssignThenEvaluateShowsFourDecimals) {
  AddFormula("2*A");
  Show(*window);
  SetVariable(0, "A", "1,5");
  Find<QPushButton>(*window, "ButtonSet")->click();
  Find<QPushButton>(*window, "ButtonEvaluate")->click();
  EXPECT_EQ(Result(), "3,0000");
  EXPECT_EQ(frame->RememberedFormula(), grovana().FindFormula(Formulas().FieldByName("Id").AsInteger()));

  // Return in an edit evaluates the current text; A keeps its value.
  frame->Result()->clear();
  Type(Find<DbTextEdit>(*window, "DBMemoExpression"), "A*A");
  Find<DbLineEdit>(*window, "DBEditDescription")->setFocus();
  QTest::keyClick(Find<DbLineEdit>(*window, "DBEditDescription"), Qt::Key_Return);
  EXPECT_EQ(Result(), "2,2500");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(FormulaFrameTest, ABadValueNamesItsVariableAndStopsThere) {
  AddFormula("A+B");
  SetVariable(0, "A", "1");
  SetVariable(1, "B", "2");
  Find<QPushButton>(*window, "ButtonSet")->click();
  SetVariable(0, "B", "x");
  SetVariable(1, "A", "5");
  Find<QPushButton>(*window, "ButtonSet")->click();
  EXPECT_EQ(RecordedExceptions(), std::vector<std::string>{"Erro de Valor da variavel B"});
  Find<QPushButton>(*window, "ButtonEvaluate")->click();
  EXPECT_EQ(Result(), "3,0000");  // A was not assigned 5
}

TEST_F(FormulaFrameTest, CompilingABadTextRaisesItsSyntaxErrorAndKeepsTheText) {
  AddFormula("2*A");
  Show(*window);
  auto* expression = Find<DbTextEdit>(*window, "DBMemoExpression");
  Type(expression, "2*(A");
  Find<QPushButton>(*window, "ButtonCompile")->click();
  ASSERT_EQ(RecordedExceptions().size(), 1u);
  EXPECT_EQ(RecordedExceptions()[0].rfind("Erro de sintaxe na expressão", 0), 0u) << RecordedExceptions()[0];
  EXPECT_EQ(expression->toPlainText().toStdString(), "2*(A");
}

TEST_F(FormulaFrameTest, EveryNavigationResetsTheWorkbench) {
  AddFormula("2*A");
  SetVariable(0, "A", "1,5");
  Find<QPushButton>(*window, "ButtonSet")->click();
  Find<QPushButton>(*window, "ButtonEvaluate")->click();
  ASSERT_EQ(Result(), "3,0000");
  const int hides = presenter.hides;

  frame->Navigator()->ClickButton(B::Prior);
  EXPECT_EQ(Result(), "");
  EXPECT_EQ(frame->RememberedFormula(), nullptr);
  EXPECT_EQ(frame->Variables()->item(0, 0)->text().toStdString(), "");
  EXPECT_EQ(frame->Variables()->item(0, 1)->text().toStdString(), "");
  EXPECT_GT(presenter.hides, hides);

  // The grid moves too.
  SetVariable(0, "A", "1");
  frame->Result()->setText("9");
  frame->Grid()->setCurrentIndex(frame->Grid()->model()->index(0, 1));
  EXPECT_EQ(Formulas().RecNo(), 1);
  EXPECT_EQ(Result(), "");
  EXPECT_EQ(frame->Variables()->item(0, 0)->text().toStdString(), "");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(FormulaFrameTest, StandardFormulasSurviveNavigatorAndGridDeletes) {
  Show(*window);
  Formulas().SetRecNo(3);                      // Id 2
  frame->Navigator()->ClickButton(B::Delete);  // silently refused: no question either
  EXPECT_EQ(Formulas().RecordCount(), 4);
  EXPECT_TRUE(dialogs.Prompts().empty());
  EXPECT_TRUE(RecordedExceptions().empty());

  frame->Grid()->setFocus();
  dialogs.Answer(TMsgDlgBtn::No);
  QTest::keyClick(frame->Grid(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_TRUE(RecordedExceptions().empty());
  dialogs.Answer(TMsgDlgBtn::Yes);
  QTest::keyClick(frame->Grid(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(RecordedExceptions(), std::vector<std::string>{"Esta Fórmula não pode ser excluida!"});
  EXPECT_EQ(Formulas().RecordCount(), 4);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNo),
            (std::vector<std::string>{"Excluir o registro?", "Excluir o registro?"}));

  // A formula of the user's goes, after the question.
  AddFormula("1");
  dialogs.Answer(TMsgDlgBtn::Yes);
  frame->Navigator()->ClickButton(B::Delete);
  EXPECT_EQ(Formulas().RecordCount(), 4);
}

TEST_F(FormulaFrameTest, AssociatedFormulaPickerOffersBothIntegralTypes) {
  AddFormula("1");
  Formulas().Edit();
  Formulas().FieldByName("EquationType").SetAsString("Integral da Equação de Sortimento Elevada ao Quadrado");
  Formulas().FieldByName("Description").SetAsString("Integral digitada");
  Formulas().Post();
  const int typed = Formulas().FieldByName("Id").AsInteger();
  Formulas().SetRecNo(3);  // the taper

  std::vector<std::string> listed;
  WhenModal([&](QDialog& d) {
    auto& picker = static_cast<TFormEquations&>(d);
    EXPECT_EQ(picker.windowTitle().toStdString(), "Integral da Função da Forma 2");
    for (int i = 0; i < picker.List()->count(); ++i) listed.push_back(picker.List()->item(i)->text().toStdString());
    picker.List()->setCurrentRow(1);
    picker.OkButton()->click();
  });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(listed, (std::vector<std::string>{grovana().FindFormula(3)->Description(), "Integral digitada"}));
  EXPECT_EQ(Formulas().RecNo(), 3);
  EXPECT_EQ(Formulas().State(), TDataSetState::Browse);
  EXPECT_EQ(grovana().FindFormula(2)->AssociatedFormula(), typed);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(FormulaFrameTest, FileCommandsAskWithTheirTitles) {
  const std::string other = (work / "Minhas.dat").string();
  dialogs.AnswerFile(other);
  EXPECT_TRUE(frame->SaveAs());
  SetVariable(0, "A", "1");
  dialogs.AnswerFile(other);
  EXPECT_TRUE(frame->Open());
  EXPECT_EQ(frame->Variables()->item(0, 0)->text().toStdString(), "");
  const auto saves = dialogs.Prompts(Prompt::Kind::SaveFile);
  const auto opens = dialogs.Prompts(Prompt::Kind::OpenFile);
  ASSERT_EQ(saves.size(), 1u);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(saves[0].options.title, "Salvar Fórmulas");
  EXPECT_TRUE(saves[0].options.overwritePrompt);
  EXPECT_EQ(opens[0].options.title, "Abrir Catálogo de Fórmulas");
  EXPECT_EQ(opens[0].options.initialDir, exe.string());
  EXPECT_EQ(opens[0].options.filter, kDataFileFilter);
}

}  // namespace
