#pragma once
// Where the error window opens over a program's main window had the
// screen the given available geometry: the main window is moved where
// FinishLayout centres it on such a screen, the error window's frame is its
// size with the main window's decoration.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QRect>
#include <QStackedWidget>

#include "forms/ErrorsForm.h"
#include "forms/MainWindow.h"
#include "tests/support/gui/GuiSupport.h"

inline QRect ErrorPlace(TMainWindow& window, const QRect& screen) {
  window.move(screen.center() - QPoint(window.width() / 2, window.height() / 2));
  const QSize frame = QSize(TFormErrors::kWidth, TFormErrors::kHeight) + window.frameGeometry().size() - window.size();
  return {TFormErrors::PlaceFor(&window, frame, screen), frame};
}

// On a 1280x800 screen that place is on the screen, above the page buttons,
// and meets no control of whichever frame is shown.
inline void ExpectErrorPlaceClearOfEveryFrame(TMainWindow& window) {
  const QRect screen(0, 0, 1280, 800);
  const QRect placed = ErrorPlace(window, screen);
  EXPECT_TRUE(screen.contains(placed));
  EXPECT_LE(placed.bottom(), TFormErrors::FrameArea(&window).bottom());
  auto* stack = Find<QStackedWidget>(window, "Frames");
  ASSERT_GT(stack->count(), 0);
  for (int i = 0; i < stack->count(); ++i) {
    QWidget* frame = stack->widget(i);
    window.ItemsArea().ShowFrame(frame);
    QApplication::processEvents();
    EXPECT_THAT(ControlsMeeting(*frame, placed), ::testing::IsEmpty()) << frame->objectName().toStdString();
  }
}
