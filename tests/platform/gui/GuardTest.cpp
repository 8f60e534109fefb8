// The guard: an exception from a handler reaches the application's exception
// handler once and the program goes on; EAbort reaches nothing.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTimerEvent>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class Faulty : public TControl {
public:
  bool failPaint = false, failMouse = false, failKey = false, abortMouse = false;
  int paints = 0, presses = 0, keys = 0;

  void Paint() override {
    ++paints;
    Canvas().Brush().SetColor(clGreen);
    Canvas().FillRect(ClientRect());
    if (failPaint) throw Exception("pintura");
  }
  void MouseDown(TMouseButton, TShiftState, int, int) override {
    ++presses;
    if (abortMouse) throw EAbort();
    if (failMouse) throw Exception("mouse");
  }
  void KeyDown(int& Key, TShiftState) override {
    ++keys;
    if (failKey) throw EConvertError("tecla");
    Key = 0;
  }
};

}  // namespace

TEST(Guard, APaintThatRaisesIsReportedOnceAndTheNextPaintWorks) {
  Faulty w;
  w.SetBounds(0, 0, 20, 20);
  w.failPaint = true;
  Snap(w);
  EXPECT_EQ(RecordedExceptions(), (std::vector<std::string>{"pintura"}));
  w.failPaint = false;
  QImage img = Snap(w);
  EXPECT_EQ(PixelAt(img, 10, 10), Rgb(clGreen));
  EXPECT_EQ(RecordedExceptions().size(), 1u);
}

TEST(Guard, MouseAndKeyHandlersThatRaiseAreReportedOnceEach) {
  Faulty w;
  w.SetBounds(0, 0, 20, 20);
  w.failMouse = true;
  w.failKey = true;
  QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::keyPress(&w, Qt::Key_Escape);
  EXPECT_EQ(RecordedExceptions(), (std::vector<std::string>{"mouse", "tecla"}));
  w.failMouse = false;
  w.failKey = false;
  QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::keyPress(&w, Qt::Key_Escape);
  EXPECT_EQ(w.presses, 2);
  EXPECT_EQ(w.keys, 2);
  EXPECT_EQ(RecordedExceptions().size(), 2u);
}

TEST(Guard, AnAbortReachesNothing) {
  Faulty w;
  w.SetBounds(0, 0, 20, 20);
  w.abortMouse = true;
  QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(w.presses, 1);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST(Guard, ATimerTickThatRaisesIsReportedOnceAndTheTimerGoesOn) {
  TTimer timer;
  timer.SetInterval(60000);
  int ticks = 0;
  timer.OnTimer = [&](TPersistent*) {
    ++ticks;
    throw Exception("relógio");
  };
  ASSERT_TRUE(timer.Running());
  QTimerEvent tick(timer.TimerId());
  QCoreApplication::sendEvent(timer.Handle(), &tick);
  EXPECT_EQ(RecordedExceptions(), (std::vector<std::string>{"relógio"}));
  QCoreApplication::sendEvent(timer.Handle(), &tick);
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(timer.Running());
}

TEST(Guard, AMenuCommandThatRaisesIsReportedOnce) {
  TPopupMenu menu;
  auto* item = new TMenuItem;
  item->SetCaption("Salvar");
  item->OnClick = [](TPersistent*) { throw Exception("comando"); };
  menu.Items().Add(item);
  std::unique_ptr<QMenu> qmenu = menu.CreateQMenu();
  ASSERT_EQ(qmenu->actions().size(), 1);
  qmenu->actions().at(0)->trigger();
  EXPECT_EQ(RecordedExceptions(), (std::vector<std::string>{"comando"}));
}
