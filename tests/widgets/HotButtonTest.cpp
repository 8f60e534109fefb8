// The hot button: hover, press and release, the click, its frames and glyphs.

#include <gtest/gtest.h>
#include <QImage>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Resources.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutPanel.h"

namespace {

const QColor kSilver(192, 192, 192);
const QColor kWhite(255, 255, 255);

// A hot button on a panel, the cursor faked.
struct Hosted {
  FakeGuiServices services;
  TPanel host;
  TGBHotButton* button = new TGBHotButton;
  int clicks = 0;

  Hosted() {
    services.cursorPos = {-1000, -1000};
    host.SetBounds(0, 0, 100, 60);
    button->SetParent(&host);
    button->SetLeft(30);
    button->SetTop(20);
    button->OnButtonClick = [this](TPersistent*) { ++clicks; };
  }
  // Moves the cursor to a client point of the button and tells it.
  void MoveTo(int x, int y, TShiftState shift = 0) {
    services.cursorPos = button->ClientToScreen({x, y});
    button->WMMouseMove(shift, x, y);
  }
  void Press(int x, int y) {
    services.cursorPos = button->ClientToScreen({x, y});
    button->WMButtonDown(mbLeft, ssLeft, x, y);
  }
  void Release(int x, int y) {
    services.cursorPos = button->ClientToScreen({x, y});
    button->WMButtonUp(mbLeft, 0, x, y);
  }
};

// Where the glyph of a 17 x 17 button lies: the 16 x 15 cell centred, less
// one pixel all round.
const TRect kGlyph{1, 2, 15, 15};

// The glyph drawn at kGlyph on the button's face.
void ExpectGlyph(const QImage& snap, const char* name) {
  const QImage glyph = FindResourceBitmap(name);
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 14; ++x) {
      QColor want = QColor(glyph.pixel(x, y));
      if (want == kSilver) want = Rgb(clBtnFace);
      ASSERT_EQ(PixelAt(snap, kGlyph.Left + x, kGlyph.Top + y), want) << name << " " << x << "," << y;
    }
  }
}

}  // namespace

TEST(HotButton, StartsAsAPlainCloseCross) {
  TGBHotButton b;
  EXPECT_EQ(b.Width(), 17);
  EXPECT_EQ(b.Height(), 17);
  EXPECT_EQ(b.Color(), clBtnFace);
  EXPECT_EQ(b.ButtonType(), btStandard);
  QImage snap = Snap(b);
  ExpectGlyph(snap, "CLOSEBUTTON");
  // No frame until the mouse comes.
  EXPECT_EQ(CountInside(snap, {0, 0, 17, 17}, kWhite), 0);
  EXPECT_EQ(CountInside(snap, {0, 0, 17, 17}, Rgb(clBtnShadow)), 0);
}

TEST(HotButton, HoverRaisesAndHoldingSinks) {
  Hosted h;
  h.MoveTo(8, 8);
  EXPECT_TRUE(h.button->Hot());
  EXPECT_FALSE(h.button->Down());
  QImage raised = Snap(*h.button);
  EXPECT_EQ(PixelAt(raised, 0, 0), kWhite);
  EXPECT_EQ(PixelAt(raised, 0, 15), kWhite);
  EXPECT_EQ(PixelAt(raised, 15, 0), kWhite);
  EXPECT_EQ(PixelAt(raised, 16, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(raised, 16, 16), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(raised, 0, 16), Rgb(clBtnShadow));

  h.Press(8, 8);
  EXPECT_TRUE(h.button->Down());
  EXPECT_TRUE(h.button->Pressed());
  QImage sunken = Snap(*h.button);
  EXPECT_EQ(PixelAt(sunken, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(sunken, 16, 16), kWhite);

  h.Release(8, 8);
  EXPECT_EQ(h.clicks, 1);
  EXPECT_FALSE(h.button->Down());
  EXPECT_FALSE(h.button->Pressed());
  EXPECT_TRUE(h.button->Hot());

  // Leaving takes the frame away.
  h.services.cursorPos = {-1000, -1000};
  h.button->MouseLeave();
  EXPECT_FALSE(h.button->Hot());
  EXPECT_EQ(PixelAt(Snap(*h.button), 0, 0), Rgb(clBtnFace));
}

TEST(HotButton, PressOutInReleaseClicksOnce) {
  Hosted h;
  h.MoveTo(8, 8);
  h.Press(8, 8);
  h.MoveTo(40, 8, ssLeft);
  EXPECT_TRUE(h.button->Hot());
  EXPECT_FALSE(h.button->Down());
  EXPECT_EQ(PixelAt(Snap(*h.button), 0, 0), kWhite);  // raised while out
  h.MoveTo(9, 9, ssLeft);
  EXPECT_TRUE(h.button->Down());
  h.Release(9, 9);
  EXPECT_EQ(h.clicks, 1);
}

TEST(HotButton, ReleasingOutsideClicksNothingAndClearsTheFrame) {
  Hosted h;
  h.MoveTo(8, 8);
  h.Press(8, 8);
  h.MoveTo(40, 30, ssLeft);
  h.button->MouseLeave();
  h.Release(40, 30);
  EXPECT_EQ(h.clicks, 0);
  EXPECT_FALSE(h.button->Hot());
  EXPECT_FALSE(h.button->Down());
  EXPECT_FALSE(h.button->Pressed());
  QImage snap = Snap(*h.button);
  EXPECT_EQ(CountInside(snap, {0, 0, 17, 17}, kWhite), 0);
  EXPECT_EQ(CountInside(snap, {0, 0, 17, 17}, Rgb(clBtnShadow)), 0);
}

TEST(HotButton, OtherButtonsNeitherPressNorClick) {
  Hosted h;
  h.MoveTo(8, 8);
  h.button->WMButtonDown(mbRight, ssRight, 8, 8);
  EXPECT_FALSE(h.button->Pressed());
  EXPECT_FALSE(h.button->Down());
  h.button->WMButtonUp(mbRight, 0, 8, 8);
  EXPECT_EQ(h.clicks, 0);
}

TEST(HotButton, TheHostClickFollowsTheButtonClick) {
  Hosted h;
  std::vector<std::string> order;
  h.button->OnButtonClick = [&](TPersistent*) { order.push_back("button"); };
  h.button->OnHostClick = [&](TPersistent*) { order.push_back("host"); };
  h.MoveTo(8, 8);
  h.Press(8, 8);
  h.Release(8, 8);
  EXPECT_EQ(order, (std::vector<std::string>{"button", "host"}));
}

TEST(HotButton, APinIsPushedInOnlyWhileHeldOverIt) {
  Hosted h;
  h.button->SetButtonType(btPin);
  ExpectGlyph(Snap(*h.button), "HOTBUTTONPINUP");
  h.MoveTo(8, 8);
  ExpectGlyph(Snap(*h.button), "HOTBUTTONPINUP");
  h.Press(8, 8);
  ExpectGlyph(Snap(*h.button), "HOTBUTTONPINDOWN");
  h.MoveTo(40, 8, ssLeft);
  ExpectGlyph(Snap(*h.button), "HOTBUTTONPINUP");
  h.Release(40, 8);
}

TEST(HotButton, ACustomButtonWithoutADownGlyphKeepsItsUpGlyph) {
  Hosted h;
  TBitmap up(14, 13);
  up.Canvas().Brush().SetColor(clSilver);
  up.Canvas().FillRect({0, 0, 14, 13});
  up.Canvas().Brush().SetColor(clRed);
  up.Canvas().FillRect({3, 3, 9, 9});
  h.button->SetButtonUpGlyph(up);
  h.button->SetButtonType(btCustom);
  h.MoveTo(8, 8);
  h.Press(8, 8);
  ASSERT_TRUE(h.button->Down());
  QImage snap = Snap(*h.button);
  EXPECT_EQ(BoundsOf(snap, Rgb(clRed)), Rect(kGlyph.Left + 3, kGlyph.Top + 3, kGlyph.Left + 9, kGlyph.Top + 9));
  EXPECT_EQ(&h.button->CurrentGlyph(), &h.button->ButtonUpGlyph());

  // With a down glyph, that one while held.
  TBitmap down(14, 13);
  down.Canvas().Brush().SetColor(clSilver);
  down.Canvas().FillRect({0, 0, 14, 13});
  down.Canvas().Brush().SetColor(clBlue);
  down.Canvas().FillRect({2, 2, 12, 11});
  h.button->SetButtonDownGlyph(down);
  snap = Snap(*h.button);
  EXPECT_EQ(CountInside(snap, kGlyph, Rgb(clBlue)), 10 * 9);
  EXPECT_EQ(CountInside(snap, kGlyph, Rgb(clRed)), 0);
  h.Release(8, 8);
  EXPECT_EQ(BoundsOf(Snap(*h.button), Rgb(clRed)),
            Rect(kGlyph.Left + 3, kGlyph.Top + 3, kGlyph.Left + 9, kGlyph.Top + 9));
}
