// The mouse manager: registration, the order buttons are told in, which
// presses and activation changes reach them, and buttons that go or come
// while they are being told.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QtTest/QTest>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutPanel.h"

namespace {

std::vector<std::string> journal;

// A header button that writes down the manager's messages.
class Probe : public TGBHeaderButton {
public:
  explicit Probe(std::string name) : name_(std::move(name)) {}
  int TrackMouseDown() override {
    journal.push_back(name_ + " down");
    if (onDown) onDown();
    return 0;
  }
  void TrackDeactivate() override { journal.push_back(name_ + " deactivate"); }
  std::function<void()> onDown;

private:
  std::string name_;
};

// Ignores presses, so Qt hands them to its parent.
class Passer : public QWidget {
public:
  using QWidget::QWidget;

protected:
  void mousePressEvent(QMouseEvent* e) override { e->ignore(); }
};

struct Fresh {
  Fresh() {
    FreeMouseManager();
    journal.clear();
  }
  ~Fresh() { FreeMouseManager(); }
};

void SendInactive() {
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &inactive);
}

}  // namespace

TEST(MouseManager, RegistersEachButtonOnce) {
  Fresh fresh;
  Probe a("a");
  TMouseManager& m = GetMouseManager();
  EXPECT_EQ(&m, MouseManager());
  m.RegisterButton(&a);
  m.RegisterButton(&a);
  EXPECT_EQ(m.Count(), 1);
  m.BroadcastMessage(WM_TRACKMOUSEDOWN);
  EXPECT_EQ(journal, (std::vector<std::string>{"a down"}));
  m.UnregisterButton(&a);
  EXPECT_EQ(m.Count(), 0);
  EXPECT_EQ(WM_TRACKMOUSEDOWN, 1025);
  EXPECT_EQ(WM_TRACKDEACTIVATE, 1026);
}

TEST(MouseManager, TellsTheLaterRegisteredFirst) {
  Fresh fresh;
  Probe a("a"), b("b"), c("c");
  TMouseManager& m = GetMouseManager();
  m.RegisterButton(&b);
  m.RegisterButton(&a);
  m.RegisterButton(&c);
  m.BroadcastMessage(WM_TRACKDEACTIVATE);
  EXPECT_EQ(journal, (std::vector<std::string>{"c deactivate", "a deactivate", "b deactivate"}));
}

TEST(MouseManager, LeftAndRightPressesAnywhereAndFramePressesAreTold) {
  Fresh fresh;
  Probe a("a");
  GetMouseManager().RegisterButton(&a);
  TPanel elsewhere;
  elsewhere.SetBounds(0, 0, 50, 50);

  QTest::mousePress(&elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mousePress(&elsewhere, Qt::RightButton, {}, QPoint(6, 5));
  QTest::mouseRelease(&elsewhere, Qt::RightButton, {}, QPoint(6, 5));
  QTest::mousePress(&elsewhere, Qt::MiddleButton, {}, QPoint(7, 5));
  QTest::mouseRelease(&elsewhere, Qt::MiddleButton, {}, QPoint(7, 5));
  EXPECT_EQ(journal, (std::vector<std::string>{"a down", "a down"}));

  // The window frame, where the platform reports presses on it.
  journal.clear();
  QMouseEvent frame(QEvent::NonClientAreaMouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&elsewhere, &frame);
  EXPECT_EQ(journal, (std::vector<std::string>{"a down"}));
}

TEST(MouseManager, APressPassedUpToParentsIsToldOnce) {
  Fresh fresh;
  Probe a("a");
  GetMouseManager().RegisterButton(&a);
  QWidget top;
  auto* p1 = new Passer(&top);
  auto* p2 = new Passer(p1);
  top.setGeometry(0, 0, 100, 100);
  p1->setGeometry(0, 0, 90, 90);
  p2->setGeometry(0, 0, 80, 80);
  QTest::mousePress(p2, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(p2, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(journal, (std::vector<std::string>{"a down"}));
}

TEST(MouseManager, DeactivationIsToldAndActivationNot) {
  Fresh fresh;
  Probe a("a");
  GetMouseManager().RegisterButton(&a);
  SendInactive();
  QApplicationStateChangeEvent active(Qt::ApplicationActive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &active);
  EXPECT_EQ(journal, (std::vector<std::string>{"a deactivate"}));
}

TEST(MouseManager, AFreedManagerHearsNothing) {
  Fresh fresh;
  Probe a("a");
  GetMouseManager().RegisterButton(&a);
  FreeMouseManager();
  EXPECT_EQ(MouseManager(), nullptr);
  SendInactive();
  TPanel elsewhere;
  elsewhere.SetBounds(0, 0, 50, 50);
  QTest::mouseClick(&elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(journal.empty());
}

TEST(MouseManager, AButtonUnregisteredByAnotherIsSkipped) {
  Fresh fresh;
  Probe a("a"), b("b"), c("c");
  TMouseManager& m = GetMouseManager();
  m.RegisterButton(&a);
  m.RegisterButton(&b);
  m.RegisterButton(&c);
  // c, told first, unregisters a (below it) and b.
  c.onDown = [&] {
    m.UnregisterButton(&a);
    m.UnregisterButton(&b);
  };
  m.BroadcastMessage(WM_TRACKMOUSEDOWN);
  EXPECT_EQ(journal, (std::vector<std::string>{"c down"}));
  EXPECT_EQ(m.Count(), 1);
}

TEST(MouseManager, AButtonDestroyedByAnotherIsSkipped) {
  Fresh fresh;
  auto* a = new Probe("a");
  Probe b("b");
  TMouseManager& m = GetMouseManager();
  m.RegisterButton(a);
  m.RegisterButton(&b);
  b.onDown = [&] { delete a; };
  m.BroadcastMessage(WM_TRACKMOUSEDOWN);
  EXPECT_EQ(journal, (std::vector<std::string>{"b down"}));
  EXPECT_EQ(m.Count(), 1);
}

TEST(MouseManager, AButtonRegisteredDuringTheWalkWaitsForTheNextMessage) {
  Fresh fresh;
  Probe a("a"), b("b");
  TMouseManager& m = GetMouseManager();
  m.RegisterButton(&a);
  a.onDown = [&] { m.RegisterButton(&b); };
  m.BroadcastMessage(WM_TRACKMOUSEDOWN);
  EXPECT_EQ(journal, (std::vector<std::string>{"a down"}));
  journal.clear();
  a.onDown = nullptr;
  m.BroadcastMessage(WM_TRACKMOUSEDOWN);
  EXPECT_EQ(journal, (std::vector<std::string>{"b down", "a down"}));
}

TEST(MouseManager, ButtonsGoingOrComingUpNeverCreateIt) {
  Fresh fresh;
  {
    TGBHeaderButton button;
    button.SetButtonInCaption(true);
    button.SetButtonDown(true);
    button.SetButtonDown(false);
  }
  EXPECT_EQ(MouseManager(), nullptr);

  // A tracking button registers while down and leaves when it comes up or
  // goes.
  auto* tracking = new TGBHeaderButton;
  tracking->SetButtonInCaption(true);
  tracking->SetTrackMouse(true);
  tracking->SetButtonDown(true);
  ASSERT_NE(MouseManager(), nullptr);
  EXPECT_TRUE(MouseManager()->IsRegistered(tracking));
  tracking->SetButtonDown(false);
  EXPECT_FALSE(MouseManager()->IsRegistered(tracking));
  tracking->SetButtonDown(true);
  delete tracking;
  EXPECT_EQ(MouseManager()->Count(), 0);
}
