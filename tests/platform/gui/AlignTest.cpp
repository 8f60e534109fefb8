// Alignment in a panel: the frame inset, then top, bottom, left, right and
// client children in that order, each kind by position.

#include <gtest/gtest.h>

#include "platform/gui/ExtCtrls.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

TControl* Child(TControl& parent, TRect bounds, TAlign align) {
  auto* c = new TControl(&parent);
  c->SetBoundsRect(bounds);
  c->SetParent(&parent);
  c->SetAlign(align);
  return c;
}

}  // namespace

TEST(Align, TopLeftAndClientChildrenShareTheFramedClientAreaInOrder) {
  // 200 x 150, border 3 between a raised and a lowered bevel of 2 each: the
  // children share (7, 7, 193, 143).
  TPanel panel;
  panel.SetBounds(0, 0, 200, 150);
  panel.SetBorderWidth(3);
  panel.SetBevelOuter(bvRaised);
  panel.SetBevelInner(bvLowered);
  panel.SetBevelWidth(2);

  panel.DisableAlign();
  TControl* client = Child(panel, Bounds(0, 0, 10, 10), alClient);
  TControl* lower = Child(panel, Bounds(0, 40, 50, 20), alTop);
  TControl* upper = Child(panel, Bounds(0, 10, 50, 12), alTop);
  TControl* left = Child(panel, Bounds(0, 0, 30, 50), alLeft);
  TControl* hidden = Child(panel, Bounds(0, 0, 50, 25), alTop);
  hidden->Hide();
  panel.EnableAlign();

  EXPECT_EQ(upper->BoundsRect(), Rect(7, 7, 193, 19));
  EXPECT_EQ(lower->BoundsRect(), Rect(7, 19, 193, 39));
  EXPECT_EQ(left->BoundsRect(), Rect(7, 39, 37, 143));
  EXPECT_EQ(client->BoundsRect(), Rect(37, 39, 193, 143));

  // Shown, the hidden one (topmost by position) takes 25 pixels first.
  hidden->Show();
  EXPECT_EQ(hidden->BoundsRect(), Rect(7, 7, 193, 32));
  EXPECT_EQ(upper->BoundsRect(), Rect(7, 32, 193, 44));
  EXPECT_EQ(lower->BoundsRect(), Rect(7, 44, 193, 64));
  EXPECT_EQ(left->BoundsRect(), Rect(7, 64, 37, 143));
  EXPECT_EQ(client->BoundsRect(), Rect(37, 64, 193, 143));

  // The panel's new size reaches the children at once, shown or not.
  panel.SetBounds(0, 0, 300, 150);
  EXPECT_EQ(client->BoundsRect(), Rect(37, 64, 293, 143));
  panel.SetBorderWidth(0);
  EXPECT_EQ(upper->BoundsRect(), Rect(4, 29, 296, 41));
}

TEST(Align, BottomAndRightChildrenStackFromTheFarEdges) {
  TControl host;
  host.SetBounds(0, 0, 100, 80);
  TControl* bottom1 = Child(host, Bounds(0, 60, 10, 10), alBottom);
  TControl* bottom2 = Child(host, Bounds(0, 30, 10, 15), alBottom);
  TControl* right = Child(host, Bounds(0, 0, 20, 10), alRight);
  EXPECT_EQ(bottom1->BoundsRect(), Rect(0, 70, 100, 80));
  EXPECT_EQ(bottom2->BoundsRect(), Rect(0, 55, 100, 70));
  EXPECT_EQ(right->BoundsRect(), Rect(80, 0, 100, 55));
}

TEST(Align, AControlThatKeepsItsSizeKeepsItsSpace) {
  // A child whose SetBounds ignores the size it is given (a page only its bar
  // may place) leaves the space it really takes.
  struct Stubborn : TControl {
    void SetBounds(int ALeft, int ATop, int, int) override { TControl::SetBounds(ALeft, ATop, 40, 8); }
  };
  TControl host;
  host.SetBounds(0, 0, 100, 80);
  auto* top = new Stubborn;
  top->SetParent(&host);
  top->SetAlign(alTop);
  TControl* client = Child(host, Bounds(0, 0, 5, 5), alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 40, 8));
  EXPECT_EQ(client->BoundsRect(), Rect(0, 8, 100, 80));
}

TEST(Panel, PaintsItsBevelsAndBorderRingByRing) {
  TPanel panel;
  panel.SetBounds(0, 0, 60, 40);
  panel.SetBorderWidth(3);
  panel.SetBevelOuter(bvRaised);
  panel.SetBevelInner(bvLowered);
  panel.SetBevelWidth(2);
  QImage img = Snap(panel);
  const QColor light = Rgb(clBtnHighlight), dark = Rgb(clBtnShadow), face = Rgb(clBtnFace);
  // Outer raised bevel: light top and left, dark bottom and right, the top
  // right and bottom left corners dark.
  EXPECT_EQ(PixelAt(img, 0, 20), light);
  EXPECT_EQ(PixelAt(img, 1, 20), light);
  EXPECT_EQ(PixelAt(img, 30, 0), light);
  EXPECT_EQ(PixelAt(img, 59, 20), dark);
  EXPECT_EQ(PixelAt(img, 58, 20), dark);
  EXPECT_EQ(PixelAt(img, 30, 39), dark);
  EXPECT_EQ(PixelAt(img, 59, 0), dark);
  EXPECT_EQ(PixelAt(img, 0, 39), dark);
  // The border, then the inner lowered bevel with the colours swapped.
  EXPECT_EQ(PixelAt(img, 2, 20), face);
  EXPECT_EQ(PixelAt(img, 4, 20), face);
  EXPECT_EQ(PixelAt(img, 5, 20), dark);
  EXPECT_EQ(PixelAt(img, 6, 20), dark);
  EXPECT_EQ(PixelAt(img, 54, 20), light);
  EXPECT_EQ(PixelAt(img, 53, 20), light);
  // The face inside: (7, 7, 53, 33).
  EXPECT_EQ(CountInside(img, Rect(7, 7, 53, 33), face), 46 * 26);
}
