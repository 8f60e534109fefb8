// The input hub: key, press and deactivation subscribers; the mouse capture
// and what takes it away.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/Menus.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

std::vector<std::string> journal;

std::string At(const char* what, int x, int y) {
  return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
}

class Spy : public TControl {
public:
  explicit Spy(std::string name) : name_(std::move(name)) {}
  void MouseMove(TShiftState, int X, int Y) override { journal.push_back(At("move", X, Y)); }
  void MouseUp(TMouseButton, TShiftState, int X, int Y) override { journal.push_back(At("up", X, Y)); }
  void KeyDown(int& Key, TShiftState) override { journal.push_back(name_ + " key " + std::to_string(Key)); }
  void CancelMode() override {
    journal.push_back(name_ + " cancel");
    TControl::CancelMode();
  }
  void CaptureChanged(TControl* to) override {
    auto* spy = dynamic_cast<Spy*>(to);
    journal.push_back(name_ + " lost to " + (spy ? spy->name_ : "none"));
  }

private:
  std::string name_;
};

// Ignores presses and keys, so Qt hands them to its parent.
class Passer : public QWidget {
public:
  using QWidget::QWidget;

protected:
  void mousePressEvent(QMouseEvent* e) override { e->ignore(); }
};

// Unsubscribes at the end of a test.
struct Subscribed {
  InputHub::Subscription id;
  ~Subscribed() { InputHub::Instance().Unsubscribe(id); }
};

}  // namespace

TEST(InputHub, APressPassingThroughIgnoringParentsIsToldOnce) {
  QWidget top;
  auto* p1 = new Passer(&top);
  auto* p2 = new Passer(p1);
  auto* p3 = new Passer(p2);
  top.setGeometry(0, 0, 100, 100);
  for (QWidget* w : {static_cast<QWidget*>(p1), static_cast<QWidget*>(p2), static_cast<QWidget*>(p3)})
    w->setGeometry(0, 0, 90, 90);
  std::vector<TMousePress> heard;
  Subscribed sub{InputHub::Instance().SubscribeMousePresses([&](const TMousePress& p) { heard.push_back(p); })};

  QTest::mousePress(p3, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(p3, Qt::RightButton, {}, QPoint(5, 5));
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].Button, mbRight);
  EXPECT_FALSE(heard[0].NonClient);

  QTest::mousePress(p3, Qt::RightButton, {}, QPoint(5, 5));  // a second press, same place
  EXPECT_EQ(heard.size(), 2u);

  // Presses without a timestamp are new each time; a frame press is told too.
  QMouseEvent synthetic(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
  QCoreApplication::sendEvent(&top, &synthetic);
  QCoreApplication::sendEvent(&top, &synthetic);
  QMouseEvent frame(QEvent::NonClientAreaMouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&top, &frame);
  ASSERT_EQ(heard.size(), 5u);
  EXPECT_TRUE(heard[4].NonClient);
}

TEST(InputHub, AKeySubscriberSeesEscapeBeforeTheWidgetAndCanSwallowIt) {
  journal.clear();
  Spy parent("parent");
  auto* target = new Spy("target");
  target->SetParent(&parent);
  Subscribed sub{InputHub::Instance().SubscribeKeys([](const TKeyStroke& k) {
    if (k.Down) journal.push_back("hub key " + std::to_string(k.Key));
    return k.Key == VK_ESCAPE;
  })};

  QTest::keyPress(target, Qt::Key_Escape);
  EXPECT_EQ(journal, (std::vector<std::string>{"hub key 27"}));

  // Not swallowed: the hub first, then the widget, which leaves it to its
  // parent; the hub is told once.
  journal.clear();
  QTest::keyPress(target, Qt::Key_A);
  EXPECT_EQ(journal, (std::vector<std::string>{"hub key 65", "target key 65", "parent key 65"}));
}

TEST(InputHub, DeactivationIsToldOnceAndActivationNot) {
  int heard = 0;
  Subscribed sub{InputHub::Instance().SubscribeDeactivation([&] { ++heard; })};
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &inactive);
  EXPECT_EQ(heard, 1);
  QApplicationStateChangeEvent active(Qt::ApplicationActive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &active);
  EXPECT_EQ(heard, 1);
}

TEST(InputHub, AHandlerMayUnsubscribeAnotherWhileTheHubCallsThem) {
  int first = 0, second = 0;
  InputHub& hub = InputHub::Instance();
  InputHub::Subscription b = 0;
  Subscribed a{hub.SubscribeDeactivation([&] {
    ++first;
    hub.Unsubscribe(b);
  })};
  b = hub.SubscribeDeactivation([&] { ++second; });
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &inactive);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
}

// ---- capture

namespace {

// A shown window with a at (10, 20) and b at (100, 20), 50 x 40 each.
struct Scene {
  TControl window;
  Spy* a = new Spy("a");
  Spy* b = new Spy("b");
  Scene() {
    journal.clear();
    window.SetBounds(0, 0, 200, 100);
    a->SetParent(&window);
    a->SetBounds(10, 20, 50, 40);
    b->SetParent(&window);
    b->SetBounds(100, 20, 50, 40);
    window.Show();
    QCoreApplication::processEvents();
  }
  ~Scene() { ReleaseCapture(); }
};

}  // namespace

TEST(Capture, AHiddenHolderGetsTheMovesAndTheReleaseInItsClientCoordinates) {
  Scene s;
  QTest::mousePress(s.a, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(GetCapture(), s.a);
  s.a->Hide();
  journal.clear();
  // b's (5, 5) is the window's (105, 25), a's (95, 5).
  QTest::mouseMove(s.b, QPoint(5, 5));
  QTest::mouseRelease(s.b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(journal, (std::vector<std::string>{"move 95,5", "a lost to none", "up 95,5"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Capture, TheHolderIsToldOnceWhoTookTheCaptureAndWhenItWasReleased) {
  Scene s;
  SetCapture(s.a);
  SetCapture(s.a);
  EXPECT_TRUE(journal.empty());
  SetCapture(s.b);
  EXPECT_EQ(journal, (std::vector<std::string>{"a lost to b"}));
  EXPECT_FALSE(s.a->MouseCapture());
  ReleaseCapture();
  EXPECT_EQ(journal, (std::vector<std::string>{"a lost to b", "b lost to none"}));
  ReleaseCapture();
  EXPECT_EQ(journal.size(), 2u);
}

TEST(Capture, APopupMenuThroughTheLayerCancelsTheHolderFirst) {
  Scene s;
  FakeGuiServices fake;
  fake.onPopup = [](TPopupMenu&) { journal.push_back("menu"); };
  TPopupMenu menu;
  auto* item = new TMenuItem;
  item->SetCaption("Abrir");
  menu.Items().Add(item);
  SetCapture(s.a);
  menu.Popup(30, 40);
  EXPECT_EQ(journal, (std::vector<std::string>{"a cancel", "a lost to none", "menu"}));
  ASSERT_EQ(fake.popups.size(), 1u);
  EXPECT_EQ(fake.popups[0].at, Point(30, 40));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Capture, DeactivationCancelsTheHolder) {
  Scene s;
  SetCapture(s.b);
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &inactive);
  EXPECT_EQ(journal, (std::vector<std::string>{"b cancel", "b lost to none"}));
  QApplicationStateChangeEvent active(Qt::ApplicationActive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &active);
}

TEST(Capture, AHolderThatGoesLeavesNoCapture) {
  Scene s;
  SetCapture(s.b);
  delete s.b;
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(journal.empty());
}
