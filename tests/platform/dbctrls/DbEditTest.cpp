// The data-aware edit, memo, radio group and drop-down list through real key
// and mouse events, and the two rules for windows.

#include <gtest/gtest.h>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QVBoxLayout>

#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/PendingEdits.h"
#include "tests/platform/dbctrls/Crates.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class DbEditTest : public CratesTest {
protected:
  // An edit on the field and a plain edit after it to move the focus to.
  DbLineEdit* MakeEdit(const std::string& field) {
    auto* layout = new QVBoxLayout(window.get());
    auto* edit = new DbLineEdit(window.get(), &source, field);
    other = new QLineEdit(window.get());
    layout->addWidget(edit);
    layout->addWidget(other);
    return edit;
  }
  void Focus(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(w->hasFocus());
  }

  QLineEdit* other = nullptr;
};

TEST_F(DbEditTest, FirstKeyEditsReturnWritesThroughEscCancels) {
  DbLineEdit* edit = MakeEdit("Name");
  Show();
  EXPECT_EQ(edit->text().toStdString(), "Alfa");
  Focus(edit);
  edit->selectAll();

  QTest::keyClick(edit, 'Z');
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  EXPECT_EQ(Name(), "Alfa");  // typing alone writes nothing
  QTest::keyClicks(edit, "eta");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Name(), "Zeta");
  EXPECT_EQ(ds.State(), TDataSetState::Edit);  // written, not posted

  QTest::keyClicks(edit, "!");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(Name(), "Alfa");
  EXPECT_EQ(edit->text().toStdString(), "Alfa");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(DbEditTest, LeavingTheEditWritesAndShowsTheDisplayText) {
  ds.Close();
  ds.AddFields({{"Name", TFieldType::String}, {"Price", TFieldType::Float, 0, "", "", true}});
  ds.Open();
  DbLineEdit* edit = MakeEdit("Price");
  Show();
  Focus(other);
  EXPECT_EQ(edit->text().toStdString(), "R$ 1,50");
  Focus(edit);
  EXPECT_EQ(edit->text().toStdString(), "1,50");
  edit->selectAll();
  QTest::keyClicks(edit, "7,3");
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_DOUBLE_EQ(ds.FieldByName("Price").AsFloat(), 7.3);
  EXPECT_EQ(edit->text().toStdString(), "R$ 7,30");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(DbEditTest, TextThatIsNoNumberIsReportedAtEachTryAndKeepsTheFocus) {
  DbLineEdit* edit = MakeEdit("Price");
  Show();
  Focus(edit);
  edit->selectAll();
  QTest::keyClicks(edit, "abc");
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(RecordedExceptions().size(), 1u);
  EXPECT_EQ(RecordedExceptions()[0], "'abc' não é um valor válido para o campo Price");
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_DOUBLE_EQ(ds.FieldByName("Price").AsFloat(), 1.5);

  // Leaving and a command try again and say why again.
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(RecordedExceptions().size(), 2u);
  EXPECT_THROW(CommitPendingEdits(window.get()), EConvertError);
  EXPECT_DOUBLE_EQ(ds.FieldByName("Price").AsFloat(), 1.5);

  // A click on a button reports it once the click is over, and the button
  // does not click.
  auto* button = new QPushButton("OK", window.get());
  window->layout()->addWidget(button);
  button->show();
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(edit->hasFocus());
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(RecordedExceptions().size(), 3u);
  EXPECT_EQ(clicks, 0);
  QTest::mouseClick(button, Qt::LeftButton);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(RecordedExceptions().size(), 4u);
  EXPECT_EQ(clicks, 0);

  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text().toStdString(), "1,5");
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(RecordedExceptions().size(), 4u);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

TEST_F(DbEditTest, PastingFromTheMenuEntersEditStateAndKeepsThePastedText) {
  DbLineEdit* edit = MakeEdit("Name");
  Show();
  Focus(edit);
  QApplication::clipboard()->setText("Mike");
  edit->selectAll();
  edit->paste();  // what the context menu's "Paste" runs
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  EXPECT_EQ(edit->text().toStdString(), "Mike");
  EXPECT_TRUE(edit->Modified());
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Name(), "Mike");
}

TEST_F(DbEditTest, UnboundEditShowsNothingAndRefusesTyping) {
  DbLineEdit* edit = MakeEdit("Name");
  Show();
  edit->SetDataField("");
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_TRUE(edit->isReadOnly());
  Focus(edit);
  QTest::keyClicks(edit, "abc");
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_EQ(ds.State(), TDataSetState::Browse);

  edit->SetDataField("Qty");
  EXPECT_EQ(edit->text().toStdString(), "10");
  EXPECT_FALSE(edit->isReadOnly());

  ds.Close();
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_TRUE(edit->isReadOnly());
  EXPECT_NO_THROW(edit->SetDataField("Price")) << "only an open dataset knows its fields";
  EXPECT_TRUE(edit->isReadOnly());
  ds.Open();
  EXPECT_EQ(edit->text().toStdString(), "1,5");
  EXPECT_FALSE(edit->isReadOnly());
}

TEST_F(DbEditTest, UnknownFieldOfAnOpenDatasetIsReported) {
  DbLineEdit* edit = MakeEdit("Name");
  EXPECT_THROW(edit->SetDataField("Nothing"), EDatabaseError);
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_TRUE(edit->isReadOnly());
}

TEST_F(DbEditTest, MemoKeepsReturnAndWritesWhenLeft) {
  auto* layout = new QVBoxLayout(window.get());
  auto* memo = new DbTextEdit(window.get(), &source, "Notes");
  other = new QLineEdit(window.get());
  layout->addWidget(memo);
  layout->addWidget(other);
  Show();
  Focus(memo);
  QTest::keyClicks(memo, "um");
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClicks(memo, "dois");
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  EXPECT_EQ(ds.FieldByName("Notes").AsString(), "");
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(ds.FieldByName("Notes").AsString(), "um\ndois");
}

TEST_F(DbEditTest, RadioGroupClickWritesOnceWithoutFeedback) {
  auto* group = new DbRadioGroup(window.get(), &source, "Kind");
  group->SetItems({"Leve", "Médio", "Pesado"});
  group->SetValues({"L", "M", "P"});
  group->resize(200, 120);
  int changes = 0;
  ds.FieldByName("Kind").OnChange = [&](TField&) { ++changes; };
  QSignalSpy clicks(group, &DbRadioGroup::clicked);
  Show();
  EXPECT_EQ(group->ItemIndex(), 0);

  // On the button's circle.
  QTest::mouseClick(group->Button(2), Qt::LeftButton, Qt::NoModifier, QPoint(8, group->Button(2)->height() / 2));
  EXPECT_EQ(ds.FieldByName("Kind").AsString(), "P");
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks[0][0].toInt(), 2);
  EXPECT_EQ(group->ItemIndex(), 2);

  // Data changes check the matching button and click nothing.
  ds.Next();
  EXPECT_EQ(group->ItemIndex(), 1);
  ds.FieldByName("Kind").SetAsString("X");
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(DbEditTest, RadioGroupRefusesClicksWhileUnbound) {
  auto* group = new DbRadioGroup(window.get(), &source, "");
  group->SetItems({"Leve", "Médio"});
  group->resize(200, 100);
  QSignalSpy clicks(group, &DbRadioGroup::clicked);
  Show();
  QTest::mouseClick(group->Button(1), Qt::LeftButton, Qt::NoModifier, QPoint(8, group->Button(1)->height() / 2));
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(DbEditTest, ComboShowsAStoredValueOutsideItsItemsAsADisabledEntry) {
  crates[0].SetUnit("saco");
  ds.Resync();
  auto* combo = new DbComboBox(window.get(), &source, "Unit");
  combo->SetItems({"cx", "kg"});
  Show();
  EXPECT_EQ(combo->currentText().toStdString(), "saco");
  ASSERT_EQ(combo->count(), 3);
  auto* items = qobject_cast<QStandardItemModel*>(combo->model());
  ASSERT_NE(items, nullptr);
  EXPECT_FALSE(items->item(2)->isEnabled());

  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Up);  // from the extra entry to the last item
  EXPECT_EQ(ds.FieldByName("Unit").AsString(), "kg");
  EXPECT_EQ(combo->count(), 2);
  ds.Next();
  EXPECT_EQ(combo->currentText().toStdString(), "cx");
}

TEST_F(DbEditTest, CommitPendingEditsWritesAHalfTypedEdit) {
  DbLineEdit* edit = MakeEdit("Name");
  Show();
  Focus(edit);
  edit->selectAll();
  QTest::keyClicks(edit, "Omega");
  EXPECT_EQ(Name(), "Alfa");
  EXPECT_TRUE(CommitPendingEdits(window.get()));
  EXPECT_EQ(Name(), "Omega");
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  EXPECT_TRUE(edit->hasFocus());

  Focus(other);
  EXPECT_FALSE(CommitPendingEdits(window.get()));
}

TEST_F(DbEditTest, DefaultButtonTakesReturnAfterTheEditWroteIt) {
  DbLineEdit* edit = MakeEdit("Name");
  auto* memo = new DbTextEdit(window.get(), &source, "Notes");
  auto* button = new QPushButton("Calcular", window.get());
  window->layout()->addWidget(memo);
  window->layout()->addWidget(button);
  auto* price = new DbLineEdit(window.get(), &source, "Price");
  window->layout()->addWidget(price);
  InstallDefaultButton(window.get(), button);
  std::vector<std::string> seen;
  QObject::connect(button, &QPushButton::clicked, [&] { seen.push_back(Name()); });
  Show();

  Focus(edit);
  edit->selectAll();
  QTest::keyClicks(edit, "Kilo");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(seen, std::vector<std::string>{"Kilo"});

  Focus(memo);
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_EQ(seen.size(), 1u) << "a memo keeps Return";

  // A refused text stops Return before the button.
  Focus(price);
  price->selectAll();
  QTest::keyClicks(price, "x");
  QTest::keyClick(price, Qt::Key_Return);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(RecordedExceptions().size(), 1u);
}

}  // namespace
