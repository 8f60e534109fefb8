// The header button: the caption button as a toggle, its menu, the split
// arrow, mouse tracking, events passed on to the parent, layout and frame.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "platform/gui/QtTypes.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutPanel.h"

namespace {

const QColor kWhite(255, 255, 255);

TPoint Centre(const TRect& r) {
  return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// A header button with a caption button on a panel, the cursor and the menu
// runner faked.
struct Hosted {
  FakeGuiServices services;
  TPanel host;
  TPanel elsewhere;
  TGBHeaderButton* button = new TGBHeaderButton;
  TPopupMenu menu;
  int clicks = 0;

  Hosted() {
    FreeMouseManager();
    services.cursorPos = {-1000, -1000};
    host.SetBounds(0, 0, 300, 60);
    elsewhere.SetBounds(0, 0, 50, 50);
    button->SetParent(&host);
    button->SetBounds(10, 10, 200, 24);
    button->Font().SetName("Arial");
    button->Font().SetHeight(-13);
    button->Font().SetColor(clBlack);
    button->SetCaption("Itens");
    button->SetButtonInCaption(true);
    button->OnButtonClick = [this](TPersistent*) { ++clicks; };
    menu.Items().Add(new TMenuItem);
  }
  ~Hosted() { FreeMouseManager(); }

  void Press(TPoint p) {
    services.cursorPos = button->ClientToScreen(p);
    button->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
  }
  void Click(TPoint p) {
    Press(p);
    button->WMButtonUp(mbLeft, 0, p.X, p.Y);
  }
  TPoint Caption() const {
    TRect r = button->ButtonRect();
    if (button->SeparateArrow()) r.Right = button->ArrowRect().Left;
    return Centre(r);
  }
  TPoint Arrow() const { return Centre(button->ArrowRect()); }
  // A left press in another control, with the cursor there.
  void PressElsewhere() {
    services.cursorPos = elsewhere.ClientToScreen({5, 5});
    QTest::mousePress(&elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
  }
};

void SendInactive() {
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &inactive);
}

}  // namespace

TEST(HeaderButton, TheCaptionButtonTogglesAndTellsEachChange) {
  Hosted h;
  ASSERT_FALSE(IsRectEmpty(h.button->ButtonRect()));
  h.Click(h.Caption());
  EXPECT_TRUE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 1);
  h.Click(h.Caption());
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 2);
  // Outside the caption button nothing toggles.
  h.Click({195, 12});
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 2);
  // Nor without the caption button.
  h.button->SetButtonInCaption(false);
  h.Click({20, 12});
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 2);
}

TEST(HeaderButton, TheMenuOpensUnderTheButtonAndItComesUpAfterwards) {
  Hosted h;
  h.button->SetDropDownMenu(&h.menu);
  bool inMenu = false;
  h.services.onPopup = [&](TPopupMenu&) { inMenu = h.button->InMenu() && h.button->ButtonDown(); };
  h.Click(h.Caption());
  ASSERT_EQ(h.services.popups.size(), 1u);
  EXPECT_EQ(h.services.popups[0].menu, &h.menu);
  EXPECT_EQ(h.services.popups[0].at, h.button->ClientToScreen({0, 24}));
  EXPECT_TRUE(inMenu);
  EXPECT_FALSE(h.button->InMenu());
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 1);
}

TEST(HeaderButton, ASplitButtonPressesItsCaptionWithoutTheMenu) {
  Hosted h;
  h.button->SetDropDownMenu(&h.menu);
  h.button->SetSeparateArrow(true);
  h.Click(h.Caption());
  EXPECT_TRUE(h.button->ButtonDown());
  EXPECT_TRUE(h.services.popups.empty());
  EXPECT_EQ(h.clicks, 0);
  // Coming up is told as any change without the menu.
  h.Click(h.Caption());
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_TRUE(h.services.popups.empty());
  EXPECT_EQ(h.clicks, 1);
}

TEST(HeaderButton, TheSplitArrowOpensTheMenuAndTellsTwice) {
  Hosted h;
  h.button->SetDropDownMenu(&h.menu);
  h.button->SetSeparateArrow(true);
  bool arrowDown = false;
  h.services.onPopup = [&](TPopupMenu&) { arrowDown = h.button->ArrowButtonDown() && h.button->ButtonDown(); };
  h.Click(h.Arrow());
  ASSERT_EQ(h.services.popups.size(), 1u);
  EXPECT_TRUE(arrowDown);
  EXPECT_FALSE(h.button->ArrowButtonDown());
  EXPECT_FALSE(h.button->ButtonDown());
  // Once from coming up after the menu, once for the arrow's press.
  EXPECT_EQ(h.clicks, 2);
}

TEST(HeaderButton, ATrackingButtonComesUpOnAPressElsewhere) {
  Hosted h;
  h.button->SetTrackMouse(true);
  h.Click(h.Caption());
  ASSERT_TRUE(h.button->ButtonDown());
  ASSERT_NE(MouseManager(), nullptr);
  EXPECT_TRUE(MouseManager()->IsRegistered(h.button));
  h.PressElsewhere();
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 2);
  EXPECT_FALSE(MouseManager()->IsRegistered(h.button));
}

TEST(HeaderButton, TrackMouseAsksBeforeReleasing) {
  Hosted h;
  h.button->SetTrackMouse(true);
  int asked = 0;
  h.button->OnTrackMouse = [&](TPersistent* sender, bool& isClose) {
    EXPECT_EQ(sender, h.button);
    EXPECT_TRUE(isClose);
    ++asked;
    isClose = false;
  };
  h.Click(h.Caption());
  h.PressElsewhere();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(h.button->ButtonDown());
}

TEST(HeaderButton, APressOnThePressedCaptionButtonIsLeftToItsOwnPress) {
  Hosted h;
  h.button->SetTrackMouse(true);
  h.Click(h.Caption());
  ASSERT_TRUE(h.button->ButtonDown());
  const TPoint p = h.Caption();
  h.services.cursorPos = h.button->ClientToScreen(p);
  QTest::mouseClick(h.button, Qt::LeftButton, {}, ToQPoint(p));
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 2);
}

TEST(HeaderButton, TheOpenMenuKeepsItDown) {
  Hosted h;
  h.button->SetTrackMouse(true);
  h.button->SetDropDownMenu(&h.menu);
  bool keptDown = false;
  h.services.onPopup = [&](TPopupMenu&) {
    h.PressElsewhere();
    SendInactive();
    keptDown = h.button->ButtonDown();
  };
  h.Click(h.Caption());
  EXPECT_TRUE(keptDown);
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 1);
}

TEST(HeaderButton, SwitchingToAnotherApplicationReleasesIt) {
  Hosted h;
  h.button->SetTrackMouse(true);
  h.Click(h.Caption());
  ASSERT_TRUE(h.button->ButtonDown());
  SendInactive();
  EXPECT_FALSE(h.button->ButtonDown());
  EXPECT_EQ(h.clicks, 2);
}

TEST(HeaderButton, PressesMovesAndClicksReachTheParentOnce) {
  Hosted h;
  std::vector<std::string> journal;
  h.host.OnMouseDown = [&](TPersistent*, TMouseButton, TShiftState, int x, int y) {
    journal.push_back("host down " + std::to_string(x) + "," + std::to_string(y));
  };
  h.host.OnMouseUp = [&](TPersistent*, TMouseButton, TShiftState, int x, int y) {
    journal.push_back("host up " + std::to_string(x) + "," + std::to_string(y));
  };
  h.host.OnClick = [&](TPersistent*) { journal.push_back("host click"); };
  h.button->OnClick = [&](TPersistent*) { journal.push_back("button click"); };
  h.button->OnMouseDown = [&](TPersistent*, TMouseButton, TShiftState, int, int) { journal.push_back("button down"); };
  h.button->SetButtonInCaption(false);
  QTest::mouseClick(h.button, Qt::LeftButton, {}, QPoint(195, 5));
  EXPECT_EQ(journal, (std::vector<std::string>{"host down 205,15", "button down", "host up 205,15", "button click",
                                               "host click"}));

  int moves = 0;
  h.host.OnMouseMove = [&](TPersistent*, TShiftState, int x, int y) {
    ++moves;
    EXPECT_EQ(x, 13);
    EXPECT_EQ(y, 14);
  };
  h.button->WMMouseMove(0, 3, 4);
  EXPECT_EQ(moves, 1);
}

TEST(HeaderButton, TheFrameShowsOnlyWhenHotOrDown) {
  Hosted h;
  const TRect b = h.button->ButtonRect();
  EXPECT_EQ(b.Left, 1);
  EXPECT_EQ(PixelAt(Snap(*h.button), b.Left, b.Top), Rgb(clBtnFace));
  const TPoint c = h.Caption();
  h.button->WMMouseMove(0, c.X, c.Y);
  EXPECT_TRUE(h.button->Hot());
  QImage hot = Snap(*h.button);
  EXPECT_EQ(PixelAt(hot, b.Left, b.Top), kWhite);
  EXPECT_EQ(PixelAt(hot, b.Right - 1, b.Bottom - 1), Rgb(clBtnShadow));
  h.button->WMMouseMove(0, 195, c.Y);
  EXPECT_FALSE(h.button->Hot());
  EXPECT_EQ(PixelAt(Snap(*h.button), b.Left, b.Top), Rgb(clBtnFace));
  h.Click(c);
  QImage down = Snap(*h.button);
  EXPECT_EQ(PixelAt(down, b.Left, b.Top), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(down, b.Right - 1, b.Bottom - 1), kWhite);
}

TEST(HeaderButton, NoImageLeavesNoGap) {
  Hosted h;
  h.button->SetButtonInCaption(false);
  h.button->SetImageAlignment(iaLeft);
  TRect ink = BoundsOf(Snap(*h.button), Rgb(clBlack));
  ASSERT_FALSE(IsRectEmpty(ink));
  EXPECT_GE(ink.Left, 4);
  EXPECT_LE(ink.Left, 6);

  TBitmap picture(10, 10);
  picture.Canvas().Brush().SetColor(clGreen);
  picture.Canvas().FillRect({0, 0, 10, 10});
  picture.SetPixel(0, 0, clSilver);
  h.button->SetBitmap(picture);
  QImage snap = Snap(*h.button);
  EXPECT_EQ(BoundsOf(snap, Rgb(clGreen)).Left, 4);
  ink = BoundsOf(snap, Rgb(clBlack));
  EXPECT_GE(ink.Left, 4 + 10 + 4);
  EXPECT_LE(ink.Left, 4 + 10 + 4 + 2);
}

TEST(HeaderButton, ContentWidthAddsGapsImageCaptionAndArrow) {
  Hosted h;
  TCanvas measure;
  measure.SetFont(h.button->Font());
  const int text = measure.TextWidth("Itens");
  const int arrow = MulDiv(6, 96, 72);  // the glyph cell at 6 points
  h.button->SetButtonInCaption(false);
  EXPECT_EQ(h.button->GetContentWidth(), 4 + 4 + text);
  TBitmap picture(10, 12);
  h.button->SetBitmap(picture);
  EXPECT_EQ(h.button->GetContentWidth(), 4 + 4 + 10 + 4 + text);
  h.button->SetButtonInCaption(true);
  h.button->SetImageAlignment(iaLeft);
  EXPECT_EQ(h.button->ArrowSize(), (TSize{arrow, arrow}));
  EXPECT_EQ(h.button->GetContentWidth(), 4 + 10 + 4 + text + arrow + 8);
  // A new arrow size is measured again.
  h.button->SetArrowFontSize(8);
  EXPECT_EQ(h.button->ArrowSize(), (TSize{11, 11}));
}

TEST(HeaderButton, ALongCaptionEndsBeforeTheArrowInsideTheButton) {
  Hosted h;
  h.button->SetWidth(90);
  h.button->SetCaption("Itens do plano de corte e desbaste");
  const TRect b = h.button->ButtonRect();
  const TRect a = h.button->ArrowRect();
  EXPECT_LE(b.Right, 90 - 4);
  EXPECT_EQ(a.Right, b.Right);
  EXPECT_EQ(a.Width(), h.button->ArrowSize().cx + 4);
  QImage snap = Snap(*h.button);
  EXPECT_EQ(CountOutside(snap, {b.Left, 0, b.Right, 24}, Rgb(clBlack)), 0);
  EXPECT_GT(CountInside(snap, {b.Left, 0, a.Left, 24}, Rgb(clBlack)), 0);
  EXPECT_GT(CountInside(snap, a, Rgb(clBlack)), 0);
}

TEST(HeaderButton, HoverIsCheckedAgainOnlyWithAParent) {
  FakeGuiServices services;
  TGBHeaderButton loose;
  loose.SetButtonInCaption(true);
  loose.SetCaption("Itens");
  services.cursorPos = loose.ClientToScreen(Centre(loose.ButtonRect()));
  loose.SetBounds(0, 0, 120, 30);
  EXPECT_FALSE(loose.Hot());

  TPanel host;
  host.SetBounds(0, 0, 200, 50);
  loose.SetParent(&host);
  services.cursorPos = loose.ClientToScreen(Centre(loose.ButtonRect()));
  loose.SetBounds(0, 0, 130, 30);
  EXPECT_TRUE(loose.Hot());
  loose.SetParent(nullptr);
}

TEST(HeaderButton, AFreedImageListOrMenuIsLetGo) {
  Hosted h;
  auto* images = new TImageList(12, 12);
  auto* menu = new TPopupMenu;
  h.button->SetImageList(images);
  h.button->SetDropDownMenu(menu);
  EXPECT_EQ(h.button->GetImageSize(), (TSize{12, 12}));
  delete images;
  delete menu;
  EXPECT_EQ(h.button->ImageList(), nullptr);
  EXPECT_EQ(h.button->DropDownMenu(), nullptr);
  EXPECT_EQ(h.button->GetImageSize(), (TSize{0, 0}));
  h.Click(h.Caption());
  EXPECT_TRUE(h.button->ButtonDown());
  EXPECT_FALSE(Snap(*h.button).isNull());
}
