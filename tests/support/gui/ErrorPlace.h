#pragma once
// Where the error window opens over a program's main window had the screen
// the given available geometry: the error window's frame is its size with
// the main window's decoration.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QRect>
#include <QStackedWidget>
#include <string>

#include "forms/ErrorsForm.h"
#include "forms/MainWindow.h"
#include "tests/support/gui/GuiSupport.h"

inline QRect ErrorPlace(const TMainWindow& window, const QRect& screen) {
  const QSize frame = QSize(TFormErrors::kWidth, TFormErrors::kHeight) + window.frameGeometry().size() - window.size();
  return {TFormErrors::PlaceFor(&window, frame, screen), frame};
}

// On a 1280x800 screen, with the main window centred (where FinishLayout
// puts it), centred with the items hidden through "&Itens", and at the top
// left: for whichever frame is shown the place is on the screen and meets
// none of its controls.
inline void ExpectErrorPlaceClearOfEveryFrame(TMainWindow& window) {
  const QRect screen(0, 0, 1280, 800);
  auto* stack = Find<QStackedWidget>(window, "Frames");
  auto* items = window.findChild<QAction*>("MenuVisualizarItens");
  ASSERT_NE(items, nullptr);
  ASSERT_GT(stack->count(), 0);
  const auto expectClear = [&](const std::string& situation) {
    for (int i = 0; i < stack->count(); ++i) {
      QWidget* frame = stack->widget(i);
      window.ItemsArea().ShowFrame(frame);
      QApplication::processEvents();
      const QRect placed = ErrorPlace(window, screen);
      const std::string where = situation + ", " + frame->objectName().toStdString();
      EXPECT_TRUE(screen.contains(placed)) << where;
      EXPECT_THAT(ControlsMeeting(*frame, placed), ::testing::IsEmpty()) << where;
    }
  };
  const QPoint centred = screen.center() - QPoint(window.width() / 2, window.height() / 2);
  window.move(centred);
  expectClear("centred");
  items->trigger();
  ASSERT_FALSE(ItemsShown(window));
  expectClear("items hidden");
  items->trigger();
  ASSERT_TRUE(ItemsShown(window));
  window.move(screen.topLeft());
  expectClear("top left");
  window.move(centred);
}
