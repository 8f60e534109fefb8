// The plan's cost page: the columns that follow the cost type, the pick-list
// columns that take no typing, and the question when a cost stops being
// annual.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPalette>

#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "quorva/app/CustoFrame.h"
#include "tests/quorva/app/QuorvaFrames.h"

namespace {

class CustoFrameTest : public QuorvaFramesTest {
protected:
  CustoFrameTest() {
    mainWindow.costTypeChanged = [this](TCostType type, TCostUnit unit) { frame->CostTypeChanged(type, unit); };
  }
  QModelIndex Cell(int row, int column) const { return grid->model()->index(row, column); }
  bool Editable(int row, int column) const { return grid->model()->flags(Cell(row, column)) & Qt::ItemIsEditable; }
  QColor Foreground(int row, int column) const {
    return grid->model()->data(Cell(row, column), Qt::ForegroundRole).value<QColor>();
  }
  QColor Grey() const { return frame->palette().color(QPalette::Disabled, QPalette::Text); }
  QColor Black() const { return frame->palette().color(QPalette::Active, QPalette::Text); }
  TDataSet& costs() { return marquel().cdsCusto(); }
  // Puts the grid's current cell there, with the focus.
  void Select(int row, int column) {
    grid->setFocus();
    grid->setCurrentIndex(Cell(row, column));
    ASSERT_EQ(costs().RecNo(), row + 1);
  }

  TFrameCusto* frame = Make<TFrameCusto>(marquel(), catalog());
  DbGrid* grid = frame->Grid();
};

// The template's costs: Implantação ($/ha, Unitario), Manutenção ($/ha,
// Anual, seven annual values), Colheita ($/m3, Unitario).

TEST_F(CustoFrameTest, ColumnsAndAnnualValuesFollowTheCurrentCost) {
  ASSERT_NE(Grey(), Black());
  costs().SetRecNo(3);
  EXPECT_FALSE(Editable(2, TFrameCusto::kColTipo));
  EXPECT_EQ(Foreground(2, TFrameCusto::kColTipo), Grey());
  EXPECT_TRUE(Editable(2, TFrameCusto::kColCusto));
  EXPECT_EQ(Foreground(2, TFrameCusto::kColCusto), Black());
  EXPECT_TRUE(frame->AnnualGrid()->isHidden());
  EXPECT_TRUE(Find<QWidget>(*window, "LabelCustosAnuais")->isHidden());
  EXPECT_TRUE(Find<QWidget>(*window, "NavigatorCustosAnuais")->isHidden());

  costs().SetRecNo(2);
  EXPECT_TRUE(Editable(1, TFrameCusto::kColTipo));
  EXPECT_EQ(Foreground(1, TFrameCusto::kColTipo), Black());
  EXPECT_FALSE(Editable(1, TFrameCusto::kColCusto));
  EXPECT_EQ(Foreground(1, TFrameCusto::kColCusto), Grey());
  EXPECT_FALSE(frame->AnnualGrid()->isHidden());
  EXPECT_EQ(frame->AnnualGrid()->model()->rowCount(), 7);

  // Per cubic metre is always one-off: the post turns it so.
  costs().Edit();
  costs().FieldByName("UnidadeMedida").SetAsString("$/m3");
  costs().Post();
  EXPECT_EQ(plan().Custos()[1].TipoCusto(), "Unitario");
  EXPECT_FALSE(Editable(1, TFrameCusto::kColTipo));
  EXPECT_TRUE(Editable(1, TFrameCusto::kColCusto));
  EXPECT_TRUE(frame->AnnualGrid()->isHidden());
  EXPECT_EQ(mainWindow.calls.back(), "cost one-off $/M3");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(CustoFrameTest, UnitAndTypeTakeNoTypedCharactersNameAndValueDo) {
  Show(*window);
  for (int column : {TFrameCusto::kColUnidade, TFrameCusto::kColTipo}) {
    SCOPED_TRACE(column);
    Select(1, column);
    Keys("Ax 1");
    EXPECT_EQ(grid->CellEditor(), nullptr);
    EXPECT_EQ(costs().State(), TDataSetState::Browse);
    // The pick list open: its keyboard search does not choose either.
    QTest::keyClick(grid, Qt::Key_F2);
    auto* combo = qobject_cast<QComboBox*>(grid->CellEditor());
    ASSERT_NE(combo, nullptr);
    const QString before = combo->currentText();
    Keys("AUx$");
    EXPECT_EQ(combo->currentText(), before);
    // Nor the list dropped down.
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    QTest::keyClicks(list, column == TFrameCusto::kColTipo ? "U" : "$");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(combo->currentText(), before);
    QTest::keyClick(combo, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_Escape);
  }
  EXPECT_EQ(plan().Custos()[1].UnidadeMedida(), "$/ha");
  EXPECT_EQ(plan().Custos()[1].TipoCusto(), "Anual");

  Select(0, TFrameCusto::kColNome);
  Keys("Preparo");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Select(0, TFrameCusto::kColCusto);
  Keys("1234");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  costs().Post();
  EXPECT_EQ(plan().Custos()[0].Nome(), "Preparo");
  EXPECT_EQ(plan().Custos()[0].Custo(), 1234);

  // Commands still reach the grid there.
  Select(2, TFrameCusto::kColTipo);
  dialogs.Answer(TMsgDlgBtn::No);
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNo), std::vector<std::string>{"Excluir o registro?"});
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(CustoFrameTest, AnnualToUnitarioAsksOnceAlsoAfterAColumnEnter) {
  Show(*window);
  Select(1, TFrameCusto::kColTipo);
  QTest::keyClick(grid, Qt::Key_F2);
  auto* combo = qobject_cast<QComboBox*>(grid->CellEditor());
  ASSERT_NE(combo, nullptr);
  const int unitario = combo->findText("Unitario");
  combo->setCurrentIndex(unitario);
  emit combo->activated(unitario);
  EXPECT_EQ(costs().FieldByName("TipoCusto").AsString(), "Unitario");
  QTest::keyClick(combo, Qt::Key_Tab);  // into "Custo": the column enter runs the scroll rules
  EXPECT_EQ(grid->currentIndex().column(), TFrameCusto::kColCusto);
  ASSERT_EQ(costs().State(), TDataSetState::Edit);

  dialogs.Answer(TMsgDlgBtn::No);
  Find<DbNavigator>(*window, "DBNavigator")->ClickButton(DbNavigator::Button::Post);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNo), std::vector<std::string>{kMsgCostTypeToUnitario});
  EXPECT_EQ(plan().Custos()[1].TipoCusto(), "Anual");
  EXPECT_EQ(plan().Custos()[1].CustosAnuais().Count(), 7);
  EXPECT_FALSE(frame->AnnualGrid()->isHidden());
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
