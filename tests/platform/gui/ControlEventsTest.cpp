// Mouse events of a control: click synthesis, the order of the virtuals,
// leaving, and the propagation of colour and font to children.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/InputHub.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class Spy : public TControl {
public:
  using TControl::TControl;
  std::vector<std::string> journal;
  int leaves = 0;

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    journal.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    TControl::MouseDown(Button, Shift, X, Y);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    journal.push_back("up " + std::to_string(X) + "," + std::to_string(Y));
    TControl::MouseUp(Button, Shift, X, Y);
  }
  void Click() override {
    journal.push_back("click");
    TControl::Click();
  }
  void MouseLeave() override {
    ++leaves;
    TControl::MouseLeave();
  }
};

// A shown window with two controls side by side: a at (10, 10), b at (60, 10).
struct Scene {
  TControl window;
  Spy* a = new Spy(&window);
  Spy* b = new Spy(&window);
  Scene() {
    window.SetBounds(0, 0, 120, 60);
    a->SetParent(&window);
    a->SetBounds(10, 10, 40, 40);
    b->SetParent(&window);
    b->SetBounds(60, 10, 40, 40);
    window.Show();
    QCoreApplication::processEvents();
  }
};

}  // namespace

TEST(ControlEvents, PressAndReleaseOnOneControlGiveDownUpClick) {
  Scene s;
  QTest::mousePress(s.a, Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(GetCapture(), s.a);  // the press holds the mouse
  QTest::mouseRelease(s.a, Qt::LeftButton, {}, QPoint(7, 8));
  EXPECT_EQ(s.a->journal, (std::vector<std::string>{"down 5,6", "up 7,8", "click"}));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(s.b->journal.empty());
}

TEST(ControlEvents, PressOnOneAndReleaseOnAnotherIsNoClick) {
  Scene s;
  QTest::mousePress(s.a, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(s.b, Qt::LeftButton, {}, QPoint(5, 5));
  // The release reaches the pressed control, outside it: (60 + 5) - 10.
  EXPECT_EQ(s.a->journal, (std::vector<std::string>{"down 5,5", "up 55,5"}));
  EXPECT_TRUE(s.b->journal.empty());
}

TEST(ControlEvents, ARightClickOrADroppedClickIsNoClick) {
  Scene s;
  QTest::mouseClick(s.a, Qt::RightButton, {}, QPoint(5, 5));
  s.a->WMButtonDown(mbLeft, ssLeft, 5, 5);
  s.a->DropPendingClick();
  s.a->WMButtonUp(mbLeft, 0, 5, 5);
  EXPECT_EQ(s.a->journal, (std::vector<std::string>{"down 5,5", "up 5,5", "down 5,5", "up 5,5"}));
}

TEST(ControlEvents, LeavingAControlIsToldOnce) {
  Scene s;
  QTest::mouseMove(s.a, QPoint(5, 5));
  QTest::mouseMove(s.a, QPoint(8, 9));
  int before = s.a->leaves;
  QTest::mouseMove(s.b, QPoint(5, 5));
  QTest::mouseMove(s.b, QPoint(9, 9));
  EXPECT_EQ(s.a->leaves, before + 1);
}

TEST(ControlEvents, ColourAndFontReachTheChildrenThatFollowTheirParent) {
  TControl parent;
  auto* follower = new TControl(&parent);
  auto* own = new TControl(&parent);
  own->SetColor(clYellow);
  own->Font().SetHeight(-20);
  follower->SetParent(&parent);
  own->SetParent(&parent);
  parent.SetColor(clNavy);
  parent.Font().SetName("Courier New");
  EXPECT_EQ(follower->Color(), clNavy);
  EXPECT_TRUE(follower->ParentColor());
  EXPECT_EQ(follower->Font().Name(), "Courier New");
  EXPECT_TRUE(follower->ParentFont());
  EXPECT_EQ(own->Color(), clYellow);
  EXPECT_EQ(own->Font().Name(), "MS Sans Serif");
  own->SetParentColor(true);
  EXPECT_EQ(own->Color(), clNavy);
}
