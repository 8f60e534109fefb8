// The auto-repeat scroll button: size, repeat timing by ticks, leaving and
// coming back, hiding mid-press, and its faces.

#include <gtest/gtest.h>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/InputHub.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutBar.h"

namespace {

struct Held {
  TPanel host;
  TGBScrollButton* button = new TGBScrollButton;
  int selects = 0;
  FakeGuiServices services;

  Held() {
    host.SetBounds(0, 0, 100, 100);
    button->SetParent(&host);
    button->SetLeft(20);
    button->SetTop(30);
    button->OnSelect = [this](TPersistent*) { ++selects; };
  }
  void CursorAt(int x, int y) { services.cursorPos = button->ClientToScreen({x, y}); }
};

}  // namespace

TEST(ScrollButton, StartsAsASquareOfTheScrollBarWidth) {
  TGBScrollButton b;
  EXPECT_EQ(b.Width(), 17);
  EXPECT_EQ(b.Height(), 17);
  EXPECT_TRUE(b.AutoSize());
  b.SetBounds(0, 0, 40, 25);
  b.SetAutoSize(true);
  EXPECT_EQ(b.Width(), 17);
  EXPECT_EQ(b.Height(), 17);
  EXPECT_EQ(b.ButtonStyle(), gbsbs_ScrollDown);
}

TEST(ScrollButton, FrequencyIgnoresZeroAndBelow) {
  TGBScrollButton b;
  EXPECT_EQ(b.Frequency(), 100);
  b.SetFrequency(0);
  EXPECT_EQ(b.Frequency(), 100);
  b.SetFrequency(-20);
  EXPECT_EQ(b.Frequency(), 100);
  b.SetFrequency(200);
  EXPECT_EQ(b.Frequency(), 200);
}

TEST(ScrollButton, APressSelectsAtOnceThenEveryTickOverTheButton) {
  Held h;
  h.button->SetFrequency(200);
  h.button->WMButtonDown(mbLeft, ssLeft, 8, 8);
  EXPECT_EQ(h.selects, 1);
  EXPECT_TRUE(h.button->Pressed());
  EXPECT_TRUE(h.button->RepeatTimer().Running());
  EXPECT_EQ(h.button->RepeatTimer().Interval(), 200);
  EXPECT_TRUE(h.button->MouseCapture());

  h.CursorAt(8, 8);
  h.button->RepeatTimer().Tick();
  h.button->RepeatTimer().Tick();
  EXPECT_EQ(h.selects, 3);
  h.CursorAt(30, 8);
  h.button->RepeatTimer().Tick();
  EXPECT_EQ(h.selects, 3);

  h.button->WMButtonUp(mbLeft, 0, 8, 8);
  EXPECT_FALSE(h.button->RepeatTimer().Running());
  EXPECT_FALSE(h.button->Pressed());
  EXPECT_FALSE(h.button->MouseCapture());
}

TEST(ScrollButton, OtherButtonsDoNotPress) {
  Held h;
  h.button->WMButtonDown(mbRight, ssRight, 8, 8);
  EXPECT_EQ(h.selects, 0);
  EXPECT_FALSE(h.button->RepeatTimer().Running());
}

TEST(ScrollButton, LeavingShowsTheRaisedFaceAndComingBackResumesWithoutASelect) {
  Held h;
  QImage raised = Snap(*h.button);
  h.button->WMButtonDown(mbLeft, ssLeft, 8, 8);
  QImage pushed = Snap(*h.button);
  EXPECT_NE(PixelAt(pushed, 0, 0), PixelAt(raised, 0, 0));
  EXPECT_NE(PixelAt(pushed, 1, 1), PixelAt(raised, 1, 1));

  h.button->WMMouseMove(ssLeft, 40, 8);
  EXPECT_FALSE(h.button->Pressed());
  EXPECT_TRUE(h.button->RepeatTimer().Running());
  EXPECT_EQ(Snap(*h.button), raised);
  h.CursorAt(40, 8);
  h.button->RepeatTimer().Tick();
  EXPECT_EQ(h.selects, 1);

  h.button->WMMouseMove(ssLeft, 9, 9);
  EXPECT_TRUE(h.button->Pressed());
  EXPECT_EQ(h.selects, 1);
  EXPECT_EQ(Snap(*h.button), pushed);
  h.CursorAt(9, 9);
  h.button->RepeatTimer().Tick();
  EXPECT_EQ(h.selects, 2);
}

TEST(ScrollButton, HidingMidPressEndsThePress) {
  Held h;
  h.button->WMButtonDown(mbLeft, ssLeft, 8, 8);
  ASSERT_TRUE(h.button->MouseCapture());
  h.button->Hide();
  EXPECT_FALSE(h.button->RepeatTimer().Running());
  EXPECT_FALSE(h.button->MouseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(h.button->Pressed());
  h.button->Show();
  QImage shown = Snap(*h.button);
  TGBScrollButton fresh;
  EXPECT_EQ(shown, Snap(fresh));
}

TEST(ScrollButton, ADisabledButtonDrawsTheInactiveGlyph) {
  for (TGBScrollButtonStyle style : {gbsbs_ScrollDown, gbsbs_ScrollUp, gbsbs_CaptionClose, gbsbs_CaptionHelp}) {
    TGBScrollButton b;
    b.SetButtonStyle(style);
    QImage enabled = Snap(b);
    EXPECT_GT(CountInside(enabled, {2, 2, 15, 15}, Rgb(clBlack)), 0) << style;
    b.SetEnabled(false);
    QImage disabled = Snap(b);
    EXPECT_EQ(CountInside(disabled, {0, 0, 17, 17}, Rgb(clBlack)), 0) << style;
    EXPECT_GT(CountInside(disabled, {2, 2, 15, 15}, Rgb(clBtnShadow)), 0) << style;
    EXPECT_GT(CountInside(disabled, {2, 2, 16, 16}, Rgb(clBtnHighlight)), 0) << style;
  }
}
