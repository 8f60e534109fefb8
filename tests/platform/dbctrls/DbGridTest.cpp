// The grid and the navigator through real key and mouse events.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/dbctrls/PendingEdits.h"
#include "tests/platform/dbctrls/Crates.h"
#include "tests/support/Fakes.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class DbGridTest : public CratesTest {
protected:
  void SetUp() override {
    CratesTest::SetUp();
    auto* layout = new QVBoxLayout(window.get());
    grid = new DbGrid(window.get(), &source);
    grid->SetColumns({{"Name", "Nome"}, {"Price", "Preço"}, {"Qty"}});
    grid->SetDialogs(&dialogs);
    nav = new DbNavigator(window.get(), &source);
    nav->SetDialogs(&dialogs);
    layout->addWidget(grid);
    layout->addWidget(nav);
    Show();
    grid->setFocus();
  }

  int GridRow() const { return grid->currentIndex().row(); }
  QString Cell(int row, int column) const { return grid->model()->index(row, column).data().toString(); }
  void ClickRow(int row, int column = 0) {
    const QRect r = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  }
  // The rows the selection touches.
  std::set<int> SelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& i : grid->selectionModel()->selectedIndexes()) rows.insert(i.row());
    return rows;
  }
  bool Enabled(DbNavigator::Button b) const { return nav->ButtonOf(b)->isEnabled(); }

  ScriptedDialogs dialogs;
  DbGrid* grid = nullptr;
  DbNavigator* nav = nullptr;
};

TEST_F(DbGridTest, CurrentRowAndCursorFollowEachOther) {
  EXPECT_EQ(grid->model()->rowCount(), 5);
  EXPECT_EQ(Cell(1, 0), "Bravo");
  EXPECT_EQ(GridRow(), 0);
  ds.Next();
  ds.Next();
  EXPECT_EQ(GridRow(), 2);

  ClickRow(4);
  EXPECT_EQ(ds.RecNo(), 5);
  EXPECT_EQ(GridRow(), 4);
  QTest::keyClick(grid, Qt::Key_Up);
  EXPECT_EQ(ds.RecNo(), 4);
  QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_EQ(SelectedRows(), std::set<int>{0});
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(DbGridTest, RefusedMoveSnapsBack) {
  ds.BeforeScroll = [](TDataSet&) { throw EAbort(); };
  ClickRow(3);
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_EQ(GridRow(), 0);
  EXPECT_EQ(SelectedRows(), std::set<int>{0});
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_EQ(GridRow(), 0);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(DbGridTest, InsertRowAppearsAtTheCursor) {
  ds.SetRecNo(3);
  QTest::keyClick(grid, Qt::Key_Insert);
  EXPECT_EQ(ds.State(), TDataSetState::Insert);
  ASSERT_EQ(grid->model()->rowCount(), 6);
  EXPECT_EQ(GridRow(), 2);
  EXPECT_EQ(Cell(1, 0), "Bravo");
  EXPECT_EQ(Cell(2, 0), "");
  EXPECT_EQ(Cell(3, 0), "Charlie");
  EXPECT_EQ(Cell(5, 0), "Eco");

  // Typing opens a cell editor on the new row; Return writes the cell.
  QTest::keyClicks(grid, "N");
  ASSERT_NE(grid->CellEditor(), nullptr);
  QTest::keyClicks(grid->CellEditor(), "ovo");
  QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
  EXPECT_EQ(Name(), "Novo");
  QApplication::processEvents();  // the view closes the editor queued
  EXPECT_EQ(grid->CellEditor(), nullptr);
  // Esc drops the new record.
  QTest::keyClick(grid, Qt::Key_Escape);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(grid->model()->rowCount(), 5);
  EXPECT_EQ(GridRow(), 2);
  EXPECT_EQ(Name(), "Charlie");
}

TEST_F(DbGridTest, LeavingAnInsertRowThatWasNotTouchedDropsItAndLandsOnTheClickedRecord) {
  ds.SetRecNo(2);
  QTest::keyClick(grid, Qt::Key_Insert);
  ClickRow(4);  // "Delta" while the new row is shown above it
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(ds.RecordCount(), 5);
  EXPECT_EQ(Name(), "Delta");
  EXPECT_EQ(GridRow(), 3);
}

TEST_F(DbGridTest, FailedPostDuringAMoveSnapsBackAndPostsOnce) {
  int posts = 0;
  ds.AfterPost = [&](TDataSet&) {
    ++posts;
    throw EAbort();
  };
  ds.SetRecNo(2);
  QTest::keyClick(grid, Qt::Key_Insert);
  QTest::keyClicks(grid, "N");
  QTest::keyClicks(grid->CellEditor(), "ovo");
  ClickRow(4);
  EXPECT_EQ(posts, 1);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alfa", "Novo", "Bravo", "Charlie", "Delta", "Eco"}));
  EXPECT_EQ(Name(), "Novo");
  EXPECT_EQ(GridRow(), 1);
  EXPECT_EQ(SelectedRows(), std::set<int>{1});
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(DbGridTest, CtrlDelAsksAndNoKeepsTheRecord) {
  ds.SetRecNo(2);
  dialogs.Answer(TMsgDlgBtn::No);
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNo), std::vector<std::string>{"Excluir o registro?"});
  EXPECT_EQ(ds.RecordCount(), 5);
  EXPECT_EQ(Name(), "Bravo");

  dialogs.Answer(TMsgDlgBtn::Yes);
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alfa", "Charlie", "Delta", "Eco"}));
  EXPECT_EQ(grid->model()->rowCount(), 4);
  EXPECT_EQ(Cell(GridRow(), 0).toStdString(), Name());
}

TEST_F(DbGridTest, BadCellTextIsReportedUnderItsTitleAndKeepsTheEditorOpen) {
  const QModelIndex price = grid->model()->index(0, 1);
  grid->setCurrentIndex(price);
  QTest::keyClicks(grid, "x");
  QWidget* editor = grid->CellEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Return);
  ASSERT_EQ(RecordedExceptions().size(), 1u);
  EXPECT_EQ(RecordedExceptions()[0], "'x' não é um valor válido para o campo Preço");
  EXPECT_EQ(grid->CellEditor(), editor);
  EXPECT_DOUBLE_EQ(ds.FieldByName("Price").AsFloat(), 1.5);

  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClicks(editor, "2,5");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(grid->CellEditor(), nullptr);
  EXPECT_DOUBLE_EQ(ds.FieldByName("Price").AsFloat(), 2.5);
  EXPECT_EQ(RecordedExceptions().size(), 1u);
}

TEST_F(DbGridTest, CommitPendingEditsWritesTheOpenCellEditor) {
  ds.SetRecNo(3);
  QTest::keyClicks(grid, "Z");
  ASSERT_NE(grid->CellEditor(), nullptr);
  QTest::keyClicks(grid->CellEditor(), "ulu");
  EXPECT_EQ(Name(), "Charlie");
  EXPECT_TRUE(CommitPendingEdits(window.get()));
  EXPECT_EQ(Name(), "Zulu");
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  // The navigator's post finds nothing left to write.
  nav->ClickButton(DbNavigator::Button::Post);
  EXPECT_EQ(crates[2].Name(), "Zulu");
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
}

TEST_F(DbGridTest, KeyFilterSeesGridAndEditorKeys) {
  grid->KeyFilter = [&](QKeyEvent& e) { return grid->currentIndex().column() == 2 && !e.text().isEmpty(); };
  grid->setCurrentIndex(grid->model()->index(0, 2));
  QTest::keyClicks(grid, "7");
  EXPECT_EQ(grid->CellEditor(), nullptr);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  grid->setCurrentIndex(grid->model()->index(0, 0));
  QTest::keyClicks(grid, "Y");
  EXPECT_NE(grid->CellEditor(), nullptr);
}

TEST_F(DbGridTest, ReadOnlyColumnAndGridTakeNoEditor) {
  grid->SetColumnReadOnly(1, true);
  grid->setCurrentIndex(grid->model()->index(0, 1));
  QTest::keyClicks(grid, "9");
  EXPECT_EQ(grid->CellEditor(), nullptr);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  grid->SetReadOnly(true);
  grid->setCurrentIndex(grid->model()->index(0, 0));
  QTest::keyClicks(grid, "Q");
  QTest::keyClick(grid, Qt::Key_Insert);
  EXPECT_EQ(grid->CellEditor(), nullptr);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
}

TEST_F(DbGridTest, NavigatorBeforeActionThatAbortsRunsNothing) {
  std::vector<DbNavigator::Button> asked;
  nav->BeforeAction = [&](DbNavigator::Button b) {
    asked.push_back(b);
    throw EAbort();
  };
  QSignalSpy clicks(nav, &DbNavigator::clicked);
  QTest::mouseClick(nav->ButtonOf(DbNavigator::Button::Next), Qt::LeftButton);
  QTest::mouseClick(nav->ButtonOf(DbNavigator::Button::Delete), Qt::LeftButton);
  EXPECT_EQ(asked, (std::vector<DbNavigator::Button>{DbNavigator::Button::Next, DbNavigator::Button::Delete}));
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_EQ(ds.RecordCount(), 5);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_TRUE(dialogs.Prompts().empty());
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(DbGridTest, NavigatorActsAndReportsCompletedActions) {
  QSignalSpy clicks(nav, &DbNavigator::clicked);
  QTest::mouseClick(nav->ButtonOf(DbNavigator::Button::Next), Qt::LeftButton);
  EXPECT_EQ(ds.RecNo(), 2);
  EXPECT_EQ(GridRow(), 1);
  dialogs.Answer(TMsgDlgBtn::No).Answer(TMsgDlgBtn::Yes);
  QTest::mouseClick(nav->ButtonOf(DbNavigator::Button::Delete), Qt::LeftButton);
  EXPECT_EQ(ds.RecordCount(), 5);
  QTest::mouseClick(nav->ButtonOf(DbNavigator::Button::Delete), Qt::LeftButton);
  EXPECT_EQ(ds.RecordCount(), 4);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNo),
            (std::vector<std::string>{"Excluir o registro?", "Excluir o registro?"}));
  ASSERT_EQ(clicks.count(), 2);
  EXPECT_EQ(clicks[0][0].value<DbNavigator::Button>(), DbNavigator::Button::Next);
  EXPECT_EQ(clicks[1][0].value<DbNavigator::Button>(), DbNavigator::Button::Delete);
}

TEST_F(DbGridTest, NavigatorButtonsFollowStateBofAndEof) {
  using B = DbNavigator::Button;
  auto state = [&] {
    std::string s;
    for (B b : {B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Edit, B::Post, B::Cancel, B::Refresh})
      s += Enabled(b) ? '1' : '0';
    return s;
  };
  EXPECT_EQ(state(), "0011111001");  // on the first record, browsing
  ds.Next();
  EXPECT_EQ(state(), "1111111001");
  ds.Last();
  EXPECT_EQ(state(), "1100111001");
  ds.Edit();
  EXPECT_EQ(state(), "1100110110");
  ds.Cancel();
  ds.Close();
  EXPECT_EQ(state(), "0000000000");
  crates.Clear();
  ds.Open();
  EXPECT_EQ(state(), "0000100001");  // empty: only insert and refresh
  ds.Insert();
  EXPECT_EQ(state(), "1111110110");
}

TEST_F(DbGridTest, NavigatorShowsTheButtonsAsked) {
  using B = DbNavigator::Button;
  nav->SetVisibleButtons({B::Prior, B::Next, B::Insert, B::Delete, B::Post});
  EXPECT_FALSE(nav->IsButtonVisible(B::First));
  EXPECT_TRUE(nav->IsButtonVisible(B::Post));
  EXPECT_FALSE(nav->ButtonOf(B::Refresh)->isVisible());
  EXPECT_TRUE(nav->ButtonOf(B::Prior)->isVisible());
}

}  // namespace

namespace {

TEST_F(DbGridTest, ResetWithAnOpenEditorKeepsTheCursor) {
  ds.SetRecNo(3);
  QTest::keyClick(grid, Qt::Key_Insert);
  QTest::keyClicks(grid, "N");
  ASSERT_NE(grid->CellEditor(), nullptr);
  QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
  QTest::keyClick(grid, Qt::Key_Escape);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(Name(), "Charlie");
  EXPECT_EQ(GridRow(), 2);
  QApplication::processEvents();
  EXPECT_EQ(Name(), "Charlie");
  EXPECT_EQ(GridRow(), 2);
  EXPECT_EQ(ds.RecordCount(), 5);
}

TEST_F(DbGridTest, NavigatorCancelWithAnOpenEditor) {
  ds.SetRecNo(3);
  QTest::keyClicks(grid, "N");
  ASSERT_NE(grid->CellEditor(), nullptr);
  nav->ClickButton(DbNavigator::Button::Cancel);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(Name(), "Charlie");
  EXPECT_EQ(GridRow(), 2);
  QApplication::processEvents();
  EXPECT_EQ(Name(), "Charlie");
  EXPECT_EQ(GridRow(), 2);
  EXPECT_EQ(grid->CellEditor(), nullptr);
}

}  // namespace

namespace {

TEST_F(DbGridTest, DoubleClickOnAnotherRowMovesThereAndReportsIt) {
  grid->SetReadOnly(true);
  grid->SetOptions(kDefaultGridOptions | dgRowSelect);
  QSignalSpy doubles(grid, &QAbstractItemView::doubleClicked);
  const QPoint at = grid->visualRect(grid->model()->index(3, 1)).center();
  // What the platform sends: a click, then a press followed by the double click.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(ds.RecNo(), 4);
  ASSERT_EQ(doubles.count(), 1);
  EXPECT_EQ(doubles[0][0].value<QModelIndex>().row(), 3);
  EXPECT_EQ(SelectedRows(), std::set<int>{3});
  EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 3);
  EXPECT_EQ(grid->CellEditor(), nullptr);
}

TEST_F(DbGridTest, PickListCellWritesTheChosenItem) {
  grid->SetColumns({{"Name"}, {"Unit", "Unidade", false, {"cx", "kg", "un"}}});
  ds.SetRecNo(2);
  grid->setCurrentIndex(grid->model()->index(1, 1));
  QTest::keyClick(grid, Qt::Key_F2);
  auto* combo = qobject_cast<QComboBox*>(grid->CellEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentText(), "cx");
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(ds.FieldByName("Unit").AsString(), "kg");
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  EXPECT_EQ(crates[1].Unit(), "kg");
}

}  // namespace
