// The inventory and listing-option pages: which edits each choice binds and
// enables, and the homogeneity shortcuts.

#include <QRadioButton>

#include "tallora/app/InventoryFrame.h"
#include "tallora/app/ListOptionsFrame.h"
#include "tests/tallora/app/TalloraFrames.h"

namespace {

class InventoryFrameTest : public TalloraFramesTest {
protected:
  // Edit name -> field it must be bound to ("" unbound, and then disabled).
  void ExpectEdits(const std::vector<std::pair<const char*, const char*>>& expected) {
    for (const auto& [name, field] : expected) {
      auto* edit = Find<DbLineEdit>(*window, name);
      if (!edit) continue;
      EXPECT_EQ(FieldOf(edit), field) << name;
      EXPECT_EQ(edit->isEnabled(), *field != '\0') << name;
    }
  }
  void ExpectChecked(const char* name, bool checked) {
    EXPECT_EQ(Find<QRadioButton>(*window, name)->isChecked(), checked) << name;
  }
};

TEST_F(InventoryFrameTest, EachTypeBindsExactlyItsEditsAndType3StartsWithoutAMode) {
  auto* frame = Make<TFrameInventory>();
  frame->ShowInventory();
  ExpectEdits({{"DBEditInitialTrees", "InitialTrees"},
               {"DBEditSurvivalPercentage", "SurvivalPercentage"},
               {"DBEditInventoryAge2", ""},
               {"DBEditInventoryTrees2", ""},
               {"DBEditInventoryTrees3", ""},
               {"DBEditInventoryAge3", ""},
               {"DBEditBaseArea", ""},
               {"DBEditMedianDiameter", ""}});
  ExpectChecked("RadioButtonType1", true);

  Find<QRadioButton>(*window, "RadioButtonType2")->click();
  EXPECT_EQ(grovana().GetInventoryType(), TInventoryType::TreesAtAge);
  ExpectEdits({{"DBEditInitialTrees", ""},
               {"DBEditSurvivalPercentage", ""},
               {"DBEditInventoryAge2", "InventoryAge"},
               {"DBEditInventoryTrees2", "InventoryTrees"},
               {"DBEditInventoryTrees3", ""},
               {"DBEditInventoryAge3", ""},
               {"DBEditBaseArea", ""},
               {"DBEditMedianDiameter", ""}});
  EXPECT_FALSE(Find<QRadioButton>(*window, "RadioButtonBaseArea")->isEnabled());

  grovana().SetInventoryMode(TInventoryMode::BaseArea);
  Find<QRadioButton>(*window, "RadioButtonType3")->click();
  EXPECT_EQ(grovana().GetInventoryType(), TInventoryType::TreesAndSizeAtAge);
  EXPECT_EQ(grovana().GetInventoryMode(), TInventoryMode::NotChosen);
  ExpectEdits({{"DBEditInitialTrees", ""},
               {"DBEditSurvivalPercentage", ""},
               {"DBEditInventoryAge2", ""},
               {"DBEditInventoryTrees2", ""},
               {"DBEditInventoryTrees3", "InventoryTrees"},
               {"DBEditInventoryAge3", "InventoryAge"},
               {"DBEditBaseArea", ""},
               {"DBEditMedianDiameter", ""}});
  EXPECT_TRUE(Find<QRadioButton>(*window, "RadioButtonBaseArea")->isEnabled());
  EXPECT_TRUE(Find<QRadioButton>(*window, "RadioButtonMedianDiameter")->isEnabled());
  ExpectChecked("RadioButtonBaseArea", false);
  ExpectChecked("RadioButtonMedianDiameter", false);

  Find<QRadioButton>(*window, "RadioButtonBaseArea")->click();
  EXPECT_EQ(grovana().GetInventoryMode(), TInventoryMode::BaseArea);
  ExpectEdits({{"DBEditBaseArea", "BaseArea"}, {"DBEditMedianDiameter", ""}});
  Find<QRadioButton>(*window, "RadioButtonMedianDiameter")->click();
  EXPECT_EQ(grovana().GetInventoryMode(), TInventoryMode::MedianDiameter);
  ExpectEdits({{"DBEditBaseArea", ""}, {"DBEditMedianDiameter", "MedianDiameter"}});

  // Back to type 1: the type-3 edits go, their values stay in the record.
  Show(*window);
  Type(Find<DbLineEdit>(*window, "DBEditInventoryTrees3"), "1234");
  Find<QRadioButton>(*window, "RadioButtonType1")->click();
  ExpectEdits({{"DBEditInitialTrees", "InitialTrees"},
               {"DBEditInventoryTrees3", ""},
               {"DBEditInventoryAge3", ""},
               {"DBEditBaseArea", ""},
               {"DBEditMedianDiameter", ""}});
  EXPECT_EQ(Find<DbLineEdit>(*window, "DBEditInventoryTrees3")->text().toStdString(), "");
  EXPECT_EQ(SimulationField("InventoryTrees").AsFloat(), 1234);
  EXPECT_EQ(grovana().GetInventoryMode(), TInventoryMode::NotChosen);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(InventoryFrameTest, ShowingAStoredType3RestoresItsMode) {
  grovana().SetInventoryType(TInventoryType::TreesAndSizeAtAge);
  grovana().SetInventoryMode(TInventoryMode::MedianDiameter);
  auto* frame = Make<TFrameInventory>();
  frame->ShowInventory();
  ExpectChecked("RadioButtonType3", true);
  ExpectChecked("RadioButtonMedianDiameter", true);
  ExpectEdits({{"DBEditInventoryTrees3", "InventoryTrees"},
               {"DBEditMedianDiameter", "MedianDiameter"},
               {"DBEditBaseArea", ""},
               {"DBEditInitialTrees", ""}});
}

TEST_F(InventoryFrameTest, HomogeneityShortcutsFollowTheTypedText) {
  Make<TFrameInventory>()->ShowInventory();
  Show(*window);
  ExpectChecked("RadioButtonMedium", true);  // the template's 5
  auto* edit = Find<DbLineEdit>(*window, "DBEditHomogeneityDegree");
  Type(edit, "7");
  for (const char* name : {"RadioButtonHeterogeneous", "RadioButtonMedium", "RadioButtonHomogeneous"})
    ExpectChecked(name, false);
  Type(edit, "10");
  ExpectChecked("RadioButtonHomogeneous", true);
  ExpectChecked("RadioButtonHeterogeneous", false);
  Type(edit, "7,5");
  for (const char* name : {"RadioButtonHeterogeneous", "RadioButtonMedium", "RadioButtonHomogeneous"})
    ExpectChecked(name, false);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(SimulationField("HomogeneityDegree").AsFloat(), 7.5);

  Find<QRadioButton>(*window, "RadioButtonHeterogeneous")->click();
  EXPECT_DOUBLE_EQ(SimulationField("HomogeneityDegree").AsFloat(), 1);
  EXPECT_EQ(edit->text().toStdString(), "1");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(InventoryFrameTest, ListingOptionsBindTheirEdits) {
  auto* frame = Make<TFrameListOptions>();
  frame->ShowListingOption();
  ExpectChecked("RadioButtonInterval", true);
  ExpectEdits({{"DBEditInitialAge", "InitialAge"},
               {"DBEditFinalAge", "FinalAge"},
               {"DBEditIncrementalAge", "IncrementalAge"},
               {"DBEditResultAges", ""},
               {"DBEditDiameterClassInterval", "DiameterClassInterval"}});

  Find<QRadioButton>(*window, "RadioButtonList")->click();
  EXPECT_EQ(grovana().GetListingOption(), TListingOption::AgeList);
  ExpectEdits({{"DBEditInitialAge", ""},
               {"DBEditFinalAge", ""},
               {"DBEditIncrementalAge", ""},
               {"DBEditResultAges", "ResultAges"},
               {"DBEditDiameterClassInterval", "DiameterClassInterval"}});
  EXPECT_EQ(Find<DbLineEdit>(*window, "DBEditResultAges")->text().toStdString(), "2 4 6 8 10 12 14 16");

  Find<QRadioButton>(*window, "RadioButtonInterval")->click();
  EXPECT_EQ(grovana().GetListingOption(), TListingOption::AgeInterval);
  ExpectEdits({{"DBEditInitialAge", "InitialAge"}, {"DBEditResultAges", ""}});
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
