// The header strip: its buttons' layout, the hosted panel's drop-down state,
// dropping it and pulling it up, docking it back, and the strip's paint.

#include <gtest/gtest.h>
#include <QPointer>
#include <QtTest/QTest>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/QtTypes.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutPanel.h"

namespace {

// A form with a strip along its top and a side panel holding a header panel.
struct Strip {
  FakeGuiServices services;
  TPanel form;
  TGBCustomOutHeader* strip = new TGBCustomOutHeader;
  TPanel* side = new TPanel;
  TGBHeaderPanel* panel = new TGBHeaderPanel;

  Strip() {
    services.cursorPos = {-1000, -1000};
    form.SetBounds(0, 0, 640, 480);
    form.SetBevelOuter(bvNone);
    strip->SetParent(&form);
    strip->SetBounds(20, 10, 300, 30);
    strip->SetCaption("Itens");
    side->SetParent(&form);
    side->SetBounds(20, 60, 250, 400);
    side->SetBevelOuter(bvNone);
    panel->SetParent(side);
    panel->SetWidth(180);
    panel->SetAlign(alLeft);
    panel->SetCaption("Itens");
  }

  // Clicks the strip's caption button.
  void ClickLeft() {
    TGBHeaderButton* b = strip->LeftButton();
    const TRect r = b->ButtonRect();
    const TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    services.cursorPos = b->ClientToScreen(p);
    b->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
    b->WMButtonUp(mbLeft, 0, p.X, p.Y);
  }
  // Clicks the panel's hot button (the cross or the pin).
  void ClickHot() {
    TGBHotButton* hot = panel->HotButton();
    services.cursorPos = hot->ClientToScreen({8, 7});
    hot->WMMouseMove(0, 8, 7);
    hot->WMButtonDown(mbLeft, ssLeft, 8, 7);
    hot->WMButtonUp(mbLeft, 0, 8, 7);
  }
};

void ExpectDocked(Strip& s) {
  EXPECT_EQ(s.panel->parentWidget(), s.side);
  EXPECT_EQ(s.panel->Align(), alLeft);
  EXPECT_EQ(s.panel->BoundsRect(), Rect(0, 0, 180, 400));
  EXPECT_EQ(s.panel->BevelOuter(), bvLowered);
  EXPECT_EQ(s.panel->BevelInner(), bvNone);
  EXPECT_EQ(s.panel->BorderWidth(), 0);
  EXPECT_EQ(s.panel->ButtonType(), btStandard);
  EXPECT_FALSE(s.strip->DroppedDown());
  EXPECT_EQ(s.strip->PopupParent(), nullptr);
}

}  // namespace

TEST(OutHeader, StartsAQuarterOfTheScreenWide) {
  TGBCustomOutHeader strip;
  EXPECT_EQ(strip.Width(), 800 / 4);
  EXPECT_EQ(strip.Height(), 30);
  EXPECT_EQ(strip.Color(), clBtnShadow);
  EXPECT_EQ(strip.BorderColor(), clBtnFace);
  EXPECT_EQ(strip.HeaderGradientBegin(), clBlue);
  EXPECT_EQ(strip.LeftButton()->Color(), clBtnShadow);
  EXPECT_EQ(strip.RightButton()->Color(), clBtnShadow);
  EXPECT_EQ(strip.LeftButton()->ArrowAlignment(), aaBottom);
  EXPECT_TRUE(strip.LeftButton()->InsetButton());
}

TEST(OutHeader, TheLeftButtonTakesAtMostAHundredPixels) {
  Strip s;
  TGBHeaderButton* left = s.strip->LeftButton();
  TGBHeaderButton* right = s.strip->RightButton();
  EXPECT_EQ(left->Caption(), "Itens");
  const int a = left->GetContentWidth();
  const int b = right->GetContentWidth();
  ASSERT_LT(a, 100);
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 0, 300 - b + 1, 30));
  EXPECT_EQ(right->BoundsRect(), Bounds(300 - b, 0, b, 30));

  // Both wider than the strip: the left one gets 100, the right one the rest.
  s.strip->SetCaption("Uma legenda comprida para o lado esquerdo");
  right->SetCaption("Outra legenda bem mais comprida ainda, para o lado direito da faixa");
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 0, 101, 30));
  EXPECT_EQ(right->BoundsRect(), Bounds(100, 0, 200, 30));
  s.strip->Realign();
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 0, 101, 30));
  EXPECT_EQ(right->BoundsRect(), Bounds(100, 0, 200, 30));
}

TEST(OutHeader, TheButtonsStayInsideTheBorderBand) {
  Strip s;
  s.strip->SetCaption("Uma legenda comprida para o lado esquerdo");
  s.strip->RightButton()->SetCaption("Outra legenda bem mais comprida ainda, para o lado direito da faixa");
  s.strip->SetBorderSize(5);
  EXPECT_EQ(s.strip->LeftButton()->BoundsRect(), Bounds(5, 5, 101, 20));
  EXPECT_EQ(s.strip->RightButton()->BoundsRect(), Bounds(105, 5, 190, 20));
  s.strip->Realign();
  EXPECT_EQ(s.strip->LeftButton()->BoundsRect(), Bounds(5, 5, 101, 20));
  EXPECT_EQ(s.strip->RightButton()->BoundsRect(), Bounds(105, 5, 190, 20));
  s.strip->SetBorderSides(sdTop | sdBottom);
  EXPECT_EQ(s.strip->LeftButton()->BoundsRect(), Bounds(0, 5, 101, 20));
  EXPECT_EQ(s.strip->RightButton()->BoundsRect(), Bounds(100, 5, 200, 20));
}

TEST(OutHeader, AVisiblePanelStaysWhereItIs) {
  Strip s;
  s.strip->SetHostedPanel(s.panel);
  EXPECT_EQ(s.panel->HostHeader(), s.strip);
  EXPECT_TRUE(s.panel->HostActive());
  ExpectDocked(s);
  EXPECT_TRUE(s.panel->Visible());
  EXPECT_FALSE(s.strip->ButtonInCaption());
}

TEST(OutHeader, AHiddenPanelBecomesADropDownAtOnce) {
  Strip s;
  s.panel->Hide();
  s.strip->SetHostedPanel(s.panel);
  EXPECT_TRUE(s.strip->DroppedDown());
  EXPECT_EQ(s.strip->PopupParent(), s.side);
  EXPECT_EQ(s.panel->parentWidget(), &s.form);
  EXPECT_EQ(s.panel->Align(), alNone);
  EXPECT_EQ(s.panel->Width(), 188);
  EXPECT_EQ(s.panel->BorderWidth(), 3);
  EXPECT_EQ(s.panel->BevelOuter(), bvRaised);
  EXPECT_EQ(s.panel->BevelInner(), bvLowered);
  EXPECT_EQ(s.panel->ButtonType(), btPin);
  EXPECT_FALSE(s.panel->Visible());
  EXPECT_TRUE(s.strip->ButtonInCaption());
  EXPECT_FALSE(s.strip->ButtonDown());
}

TEST(OutHeader, TheCrossTurnsTheDockedPanelIntoADropDown) {
  Strip s;
  s.strip->SetHostedPanel(s.panel);
  int told = 0;
  s.panel->OnRightButtonClick() = [&](TPersistent*) { ++told; };
  s.ClickHot();
  EXPECT_EQ(told, 1);
  EXPECT_FALSE(s.panel->Visible());
  EXPECT_TRUE(s.strip->DroppedDown());
  EXPECT_EQ(s.panel->parentWidget(), &s.form);
  EXPECT_TRUE(s.strip->ButtonInCaption());
}

TEST(OutHeader, TheLeftButtonDropsThePanelUnderTheStripAndPullsItUp) {
  Strip s;
  s.panel->Hide();
  s.strip->SetHostedPanel(s.panel);
  s.ClickLeft();
  EXPECT_TRUE(s.strip->ButtonDown());
  EXPECT_TRUE(s.panel->Visible());
  EXPECT_TRUE(s.strip->DroppedDown());
  EXPECT_EQ(s.panel->Left(), 20 - 3 - 1);
  EXPECT_EQ(s.panel->Top(), 10 + 30);
  s.ClickLeft();
  EXPECT_FALSE(s.strip->ButtonDown());
  EXPECT_FALSE(s.panel->Visible());
  EXPECT_TRUE(s.strip->DroppedDown());

  // Escape in the strip pulls it up too.
  s.ClickLeft();
  ASSERT_TRUE(s.panel->Visible());
  QTest::keyClick(s.strip, Qt::Key_Escape);
  EXPECT_FALSE(s.strip->ButtonDown());
  EXPECT_FALSE(s.panel->Visible());

  // Under a bottom border band, its width higher; or where the event says.
  s.strip->SetBorderSize(2);
  s.ClickLeft();
  EXPECT_EQ(s.panel->Top(), 10 + 30 - 2);
  s.ClickLeft();
  s.strip->OnGetPopupPosition = [](TPersistent*, TPoint& p) { p = {300, 200}; };
  s.ClickLeft();
  EXPECT_EQ(s.panel->BoundsRect().TopLeft(), (TPoint{300, 200}));
}

TEST(OutHeader, ADropDownStaysOpenForAClickInsideIt) {
  Strip s;
  s.panel->Hide();
  s.strip->SetHostedPanel(s.panel);
  s.strip->LeftButton()->SetTrackMouse(true);
  s.ClickLeft();
  ASSERT_TRUE(s.panel->Visible());
  // A press inside the dropped panel keeps it.
  s.services.cursorPos = s.panel->ClientToScreen({50, 100});
  QTest::mouseClick(s.panel, Qt::LeftButton, {}, QPoint(50, 100));
  EXPECT_TRUE(s.panel->Visible());
  // One elsewhere pulls it up.
  s.services.cursorPos = s.form.ClientToScreen({600, 400});
  QTest::mouseClick(&s.form, Qt::LeftButton, {}, QPoint(600, 400));
  EXPECT_FALSE(s.panel->Visible());
  EXPECT_FALSE(s.strip->ButtonDown());
  FreeMouseManager();
}

TEST(OutHeader, ThePinPutsThePanelBackExactly) {
  Strip s;
  s.panel->Hide();
  s.strip->SetHostedPanel(s.panel);
  s.ClickLeft();
  ASSERT_TRUE(s.panel->Visible());
  s.ClickHot();
  ExpectDocked(s);
  EXPECT_TRUE(s.panel->Visible());
  EXPECT_FALSE(s.strip->ButtonInCaption());
  EXPECT_FALSE(s.strip->ButtonDown());

  // And showing the hidden drop-down by code docks it as well.
  s.panel->Hide();
  ASSERT_TRUE(s.strip->DroppedDown());
  s.panel->Show();
  ExpectDocked(s);
  EXPECT_FALSE(s.strip->ButtonInCaption());
}

TEST(OutHeader, OnAShownFormThePinBringsThePanelBack) {
  Strip s;
  s.form.show();
  ASSERT_TRUE(s.panel->isVisible());
  s.strip->SetHostedPanel(s.panel);
  // The cross makes it a drop-down, the strip's button drops it, the pin
  // docks it: in its place and on screen.
  s.ClickHot();
  ASSERT_TRUE(s.strip->DroppedDown());
  EXPECT_FALSE(s.panel->isVisible());
  s.ClickLeft();
  ASSERT_TRUE(s.panel->isVisible());
  s.ClickHot();
  ExpectDocked(s);
  EXPECT_TRUE(s.panel->Visible());
  EXPECT_TRUE(s.panel->isVisible());
  EXPECT_FALSE(s.strip->DroppedDown());
  EXPECT_FALSE(s.strip->ButtonInCaption());
}

TEST(OutHeader, AReplacedDropDownIsDockedBackFirst) {
  Strip s;
  s.panel->Hide();
  s.strip->SetHostedPanel(s.panel);
  s.ClickLeft();
  auto* other = new TGBHeaderPanel;
  other->SetParent(s.side);
  other->SetBounds(190, 0, 60, 400);
  s.strip->SetHostedPanel(other);
  ExpectDocked(s);
  EXPECT_EQ(s.panel->HostHeader(), nullptr);
  EXPECT_FALSE(s.panel->HostActive());
  EXPECT_FALSE(s.panel->HotButton()->OnHostClick);
  // The new panel is visible and stays; the old state does not touch it.
  EXPECT_EQ(other->parentWidget(), s.side);
  EXPECT_EQ(other->BoundsRect(), Bounds(190, 0, 60, 400));
  EXPECT_TRUE(other->Visible());
  s.ClickLeft();
  EXPECT_TRUE(other->Visible());
  EXPECT_EQ(other->BoundsRect(), Bounds(190, 0, 60, 400));

  // Released for nothing: the same.
  other->Hide();
  ASSERT_TRUE(s.strip->DroppedDown());
  s.strip->SetHostedPanel(nullptr);
  EXPECT_EQ(other->parentWidget(), s.side);
  EXPECT_EQ(other->BoundsRect(), Bounds(190, 0, 60, 400));
  EXPECT_FALSE(s.strip->DroppedDown());
  EXPECT_FALSE(s.strip->ButtonInCaption());
}

TEST(OutHeader, AHostedPanelThatGoesIsLetGo) {
  Strip s;
  s.panel->Hide();
  s.strip->SetHostedPanel(s.panel);
  s.ClickLeft();
  delete s.panel;
  EXPECT_EQ(s.strip->HostedPanel(), nullptr);
  EXPECT_FALSE(s.strip->DroppedDown());
  s.ClickLeft();
  EXPECT_TRUE(RecordedExceptions().empty());

  // And a strip that goes leaves its drop-down docked.
  Strip t;
  t.panel->Hide();
  t.strip->SetHostedPanel(t.panel);
  delete t.strip;
  EXPECT_EQ(t.panel->parentWidget(), t.side);
  EXPECT_EQ(t.panel->HostHeader(), nullptr);
  EXPECT_EQ(t.panel->ButtonType(), btStandard);
}

TEST(OutHeader, TheTrackQuestionIsWhetherTheCursorLeftThePanel) {
  Strip s;
  s.panel->Hide();
  s.strip->SetHostedPanel(s.panel);
  bool asked = false;
  s.strip->OnHeaderTrackMouse = [&](TPersistent* sender, bool& isClose) {
    EXPECT_EQ(sender, s.strip->LeftButton());
    asked = isClose;
  };
  bool isClose = true;
  s.services.cursorPos = s.panel->ClientToScreen({10, 10});
  s.strip->LeftButton()->OnTrackMouse(s.strip->LeftButton(), isClose);
  EXPECT_FALSE(isClose);
  EXPECT_FALSE(asked);
  s.services.cursorPos = s.panel->ClientToScreen({-1, 10});
  isClose = false;
  s.strip->LeftButton()->OnTrackMouse(s.strip->LeftButton(), isClose);
  EXPECT_TRUE(isClose);
  EXPECT_TRUE(asked);
}

TEST(OutHeader, AGradientShowsThroughTheButtonFaces) {
  Strip s;
  s.strip->SetHeaderBackgroundMode(bkmGradientVert);
  s.strip->SetHeaderGradientBegin(clBlue);
  s.strip->SetHeaderGradientEnd(clBlack);
  QImage snap = Snap(*s.strip);
  // 255 steps over 30 rows: one-pixel bands, row y at 255 - 255 * y / 30.
  for (int y : {0, 3, 15, 29}) {
    const QColor want(0, 0, 255 - 255 * y / 30);
    EXPECT_EQ(PixelAt(snap, 90, y), want) << y;   // left button, right of its caption
    EXPECT_EQ(PixelAt(snap, 250, y), want) << y;  // right button
  }
  EXPECT_GT(CountInside(snap, Bounds(0, 0, 60, 30), Rgb(clBlack)), 0);  // the caption

  s.strip->SetHeaderBackgroundMode(bkmGradientHorz);
  snap = Snap(*s.strip);
  // Over 300 columns the bands are 300 / 256 + 1 = 2 wide; band l at
  // 255 - 255 * 2 * l / 300.
  for (int x : {0, 90, 151, 250}) {
    EXPECT_EQ(PixelAt(snap, x, 5), QColor(0, 0, 255 - 255 * 2 * (x / 2) / 300)) << x;
  }
}

TEST(OutHeader, NoneFillsWithTheColourAndTheBorderBandWithItsOwn) {
  Strip s;
  s.strip->SetColor(clTeal);
  s.strip->SetBorderSize(3);
  s.strip->SetBorderColor(clRed);
  QImage snap = Snap(*s.strip);
  EXPECT_EQ(PixelAt(snap, 90, 15), Rgb(clTeal));
  EXPECT_EQ(PixelAt(snap, 250, 15), Rgb(clTeal));
  EXPECT_EQ(CountInside(snap, {0, 0, 300, 30}, Rgb(clRed)), 300 * 30 - 294 * 24);
  EXPECT_EQ(CountInside(snap, {3, 3, 297, 27}, Rgb(clRed)), 0);
}
