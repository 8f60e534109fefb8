// On a 1280x800 screen the error window first opens clear of every control
// of whichever frame is shown, above the page buttons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QStackedWidget>

#include "tests/support/gui/ErrorPlace.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/tallora/app/TalloraWindow.h"

TEST(TalloraErrorPlacement, ClearOfEveryFrameOnA1280x800Screen) {
  TalloraWindow app;
  const QRect screen(0, 0, 1280, 800);
  const QRect placed = FirstErrorPlace(*app.window, screen);
  EXPECT_TRUE(screen.contains(placed));
  EXPECT_LE(placed.bottom(), TFormErrors::FrameArea(app.window.get()).bottom());
  auto* stack = Find<QStackedWidget>(*app.window, "Frames");
  ASSERT_GT(stack->count(), 0);
  for (int i = 0; i < stack->count(); ++i) {
    QWidget* frame = stack->widget(i);
    app.window->ItemsArea().ShowFrame(frame);
    QApplication::processEvents();
    EXPECT_THAT(ControlsMeeting(*frame, placed), ::testing::IsEmpty()) << frame->objectName().toStdString();
  }
}
