// Drop-target lookup, the drag protocol's defaults, a control's popup menu
// and the screen-wide cursor.

#include <gtest/gtest.h>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "tests/support/gui/GuiSupport.h"

TEST(FindControlAt, TheNearestEnabledControlUnderAScreenPoint) {
  TControl window;
  window.SetBounds(0, 0, 200, 100);
  auto* panel = new TControl(&window);
  panel->SetParent(&window);
  panel->SetBounds(10, 10, 100, 80);
  auto* disabled = new TControl(&window);
  disabled->SetParent(panel);
  disabled->SetBounds(0, 0, 40, 40);
  disabled->SetEnabled(false);
  auto* plain = new QWidget(panel);
  plain->setGeometry(50, 0, 40, 40);
  window.Show();
  QCoreApplication::processEvents();

  auto at = [&](TControl& c, int x, int y) { return FindControlAt(c.ClientToScreen({x, y})); };
  EXPECT_EQ(at(*panel, 5, 5), panel);   // over the disabled child
  EXPECT_EQ(at(*panel, 55, 5), panel);  // over a widget that is no control
  EXPECT_EQ(at(*panel, 5, 60), panel);
  EXPECT_EQ(at(window, 150, 50), &window);
  EXPECT_EQ(at(window, 500, 50), nullptr);
}

TEST(DragProtocol, AControlAcceptsOnlyWhenItsOnDragOverAccepts) {
  TControl target;
  bool accept = true;
  target.DragOver(nullptr, 1, 1, dsDragMove, accept);
  EXPECT_FALSE(accept);
  target.OnDragOver = [](TPersistent*, TPersistent*, int, int, TDragState, bool&) {};
  target.DragOver(nullptr, 1, 1, dsDragMove, accept);
  EXPECT_TRUE(accept);
  target.OnDragOver = [](TPersistent*, TPersistent*, int X, int, TDragState, bool& Accept) { Accept = X < 10; };
  target.DragOver(nullptr, 20, 1, dsDragMove, accept);
  EXPECT_FALSE(accept);
}

TEST(PopupMenu, ARightClickRunsTheControlsMenuAtTheScreenPoint) {
  FakeGuiServices fake;
  TControl control;
  control.SetBounds(0, 0, 50, 50);
  auto* menu = new TPopupMenu;
  control.SetPopupMenu(menu);
  QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 6), QPoint(305, 406));
  QCoreApplication::sendEvent(&control, &e);
  ASSERT_EQ(fake.popups.size(), 1u);
  EXPECT_EQ(fake.popups[0].menu, menu);
  EXPECT_EQ(fake.popups[0].at, Point(305, 406));
  EXPECT_EQ(menu->PopupComponent(), &control);
  delete menu;  // the control hears of it
  EXPECT_EQ(control.PopupMenu(), nullptr);
  QCoreApplication::sendEvent(&control, &e);
  EXPECT_EQ(fake.popups.size(), 1u);
}

TEST(Screen, TheScreenCursorIsOneOverrideCursor) {
  ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
  Screen::SetCursor(crHandPoint);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
  Screen::SetCursors(100, QCursor(Qt::CrossCursor));
  Screen::SetCursor(100);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  Screen::SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Screen::Cursor(), crDefault);
}
