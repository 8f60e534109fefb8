// The thinning page and the thinning list.

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "tallora/app/ThinCollectionFrame.h"
#include "tallora/app/ThinFrame.h"
#include "tests/tallora/app/TalloraFrames.h"

namespace {

class ThinFrameTest : public TalloraFramesTest {
protected:
  TDataSet& Thins() { return grovana().cdsThin(); }
  double ThinValue(const char* field) { return Thins().FieldByName(field).AsFloat(); }
  bool Shown(const char* name) { return Find<QWidget>(*window, name)->isVisibleTo(window.get()); }
};

TEST_F(ThinFrameTest, TypeClicksShowTheRowAndUnbindBothTargets) {
  auto* frame = Make<TFrameThin>();
  Thins().First();  // the template's age 6: rows then selective, by trees
  frame->ShowThin();
  auto* type = Find<DbRadioGroup>(*window, "DBRadioGroupType");
  auto* baseArea = Find<DbLineEdit>(*window, "DBEditRemanescentBaseArea");
  auto* trees = Find<DbLineEdit>(*window, "DBEditRemanescentTrees");
  EXPECT_EQ(type->ItemIndex(), 2);
  EXPECT_TRUE(Shown("DBEditCutRows"));
  EXPECT_EQ(FieldOf(trees), "RemanescentTrees");
  EXPECT_TRUE(trees->isEnabled());
  EXPECT_EQ(FieldOf(baseArea), "");
  EXPECT_FALSE(baseArea->isEnabled());
  EXPECT_TRUE(Find<QRadioButton>(*window, "RadioButtonTrees")->isChecked());

  type->Button(0)->click();
  EXPECT_EQ(grovana().GetThinType(), TThinType::Selective);
  EXPECT_EQ(Thins().FieldByName("TypeName").AsString(), "Seletivo");
  EXPECT_FALSE(Shown("DBEditCutRows"));
  for (DbLineEdit* edit : {baseArea, trees}) {
    EXPECT_EQ(FieldOf(edit), "");
    EXPECT_FALSE(edit->isEnabled());
  }
  for (const char* name : {"RadioButtonBaseArea", "RadioButtonTrees"}) {
    EXPECT_FALSE(Find<QRadioButton>(*window, name)->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(*window, name)->isEnabled());
  }

  type->Button(2)->click();
  EXPECT_EQ(Thins().FieldByName("TypeName").AsString(), "Misto");
  EXPECT_TRUE(Shown("DBEditCutRows"));
  for (DbLineEdit* edit : {baseArea, trees}) {
    EXPECT_EQ(FieldOf(edit), "");
    EXPECT_TRUE(edit->isEnabled());
  }
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(ThinFrameTest, ModeBindsItsTargetAndZeroesTheOther) {
  auto* frame = Make<TFrameThin>();
  Thins().First();
  frame->ShowThin();
  EXPECT_EQ(ThinValue("RemanescentTrees"), 700);

  Find<QRadioButton>(*window, "RadioButtonBaseArea")->click();
  EXPECT_EQ(grovana().GetThinMode(), TThinMode::RemainingBaseArea);
  EXPECT_EQ(FieldOf(Find<DbLineEdit>(*window, "DBEditRemanescentBaseArea")), "RemanescentBaseArea");
  EXPECT_EQ(FieldOf(Find<DbLineEdit>(*window, "DBEditRemanescentTrees")), "");
  EXPECT_FALSE(Find<DbLineEdit>(*window, "DBEditRemanescentTrees")->isEnabled());
  EXPECT_EQ(ThinValue("RemanescentTrees"), 0);

  Thins().Next();  // age 10, by basal area 18
  frame->ShowThin();
  frame->SelectThinMode(TThinMode::RemainingTrees);
  EXPECT_EQ(FieldOf(Find<DbLineEdit>(*window, "DBEditRemanescentTrees")), "RemanescentTrees");
  EXPECT_EQ(FieldOf(Find<DbLineEdit>(*window, "DBEditRemanescentBaseArea")), "");
  EXPECT_EQ(ThinValue("RemanescentBaseArea"), 0);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(ThinFrameTest, ResultsShowAfterACalculationUntilTheUserTypes) {
  auto* frame = Make<TFrameThin>();
  Thins().First();
  frame->ShowThin();
  EXPECT_FALSE(frame->ResultsPanel()->isVisibleTo(window.get()));

  ASSERT_TRUE(grovana().CalculateResults());
  frame->ShowThin();
  EXPECT_TRUE(grovana().Calculated());
  EXPECT_TRUE(frame->ResultsPanel()->isVisibleTo(window.get()));
  EXPECT_NE(Find<DbLineEdit>(*window, "DBEditRemovedTrees")->text().toStdString(), "");
  // Refreshes of the record leave it.
  Thins().Resync();
  Thins().Refresh();
  EXPECT_TRUE(frame->ResultsPanel()->isVisibleTo(window.get()));

  Show(*window);
  Type(Find<DbLineEdit>(*window, "DBEditAge"), "7");
  EXPECT_FALSE(frame->ResultsPanel()->isVisibleTo(window.get()));
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(ThinFrameTest, ListSelectsThinningsOnDoubleClickAndBeforeAnInsert) {
  auto* frame = Make<TFrameThinCollection>();
  frame->SetMainWindow(&mainWindow);
  Show(*window);
  Thins().First();
  const int first = Thins().FieldByName("Id").AsInteger();
  Thins().Next();
  const int second = Thins().FieldByName("Id").AsInteger();
  Thins().First();

  DbGrid* grid = frame->Grid();
  EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal).toString().toStdString(), "Árv. remanescentes");
  const QPoint at = grid->visualRect(grid->model()->index(1, 0)).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(mainWindow.calls, std::vector<std::string>{"select " + std::to_string(second)});

  mainWindow.calls.clear();
  Thins().First();
  frame->Navigator()->ClickButton(DbNavigator::Button::Insert);
  ASSERT_EQ(Thins().RecordCount(), 3);
  const int added = Thins().FieldByName("Id").AsInteger();
  EXPECT_EQ(mainWindow.calls,
            (std::vector<std::string>{"select " + std::to_string(first), "posted " + std::to_string(added) + " 0",
                                      "select " + std::to_string(added)}));
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
