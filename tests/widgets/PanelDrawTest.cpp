// The panel widgets' rectangle and drawing routines, on bitmap canvases.

#include <gtest/gtest.h>
#include <QImage>

#include "platform/gui/Images.h"
#include "platform/gui/Resources.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutPanel.h"

namespace {

// A white bitmap to draw on, read back as an image.
struct Sheet {
  TBitmap bitmap;
  explicit Sheet(int w = 40, int h = 30) : bitmap(w, h) {}
  TCanvas& Canvas() { return bitmap.Canvas(); }
  QImage Image() { return bitmap.Image().convertToFormat(QImage::Format_RGB32); }
};

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

int Area(const TRect& r) {
  return IsRectEmpty(r) ? 0 : r.Width() * r.Height();
}

}  // namespace

TEST(PanelRects, AlignRectInCentresAndClips) {
  EXPECT_EQ(AlignRectIn({16, 15}, {0, 0, 17, 17}, haCenter, vaCenter), Rect(0, 1, 16, 16));
  EXPECT_EQ(AlignRectIn({5, 4}, {10, 10, 30, 20}, haRight, vaBottom), Rect(25, 16, 30, 20));
  EXPECT_EQ(AlignRectIn({5, 4}, {10, 10, 30, 20}, haLeft, vaTop), Rect(10, 10, 15, 14));
  // Larger than the bound: clipped to it.
  EXPECT_EQ(AlignRectIn({50, 4}, {10, 10, 30, 20}, haCenter, vaCenter), Rect(10, 13, 30, 17));
}

TEST(PanelRects, ClampsClipAndPlacement) {
  TRect r{10, 20, 5, 8};
  ClampLeft(r);
  EXPECT_EQ(r, Rect(5, 20, 5, 8));
  r = {10, 20, 5, 8};
  ClampRight(r);
  EXPECT_EQ(r, Rect(10, 20, 10, 8));
  r = {10, 20, 5, 8};
  ClampTop(r);
  EXPECT_EQ(r, Rect(10, 8, 5, 8));
  r = {10, 20, 5, 8};
  ClampBottom(r);
  EXPECT_EQ(r, Rect(10, 20, 5, 20));

  r = {-5, 3, 50, 40};
  ClipRectTo(r, {0, 5, 30, 35});
  EXPECT_EQ(r, Rect(0, 5, 30, 35));

  // Halving truncates toward zero, also below zero: (-9 + 0 - 2) / 2 = -5.
  r = {1, 0, 2, 2};
  CenterRectVert(r, {0, -9, 10, 0});
  EXPECT_EQ(r, Rect(1, -5, 2, -3));
  r = {1, 0, 2, 3};
  CenterRectVert(r, {0, 0, 10, 10});
  EXPECT_EQ(r, Rect(1, 3, 2, 6));
  r = {1, 0, 2, 3};
  AlignRectBottom(r, {0, 0, 10, 10});
  EXPECT_EQ(r, Rect(1, 7, 2, 10));
}

TEST(PanelRects, CutStripTakesAtMostTheRectangle) {
  Sheet s(20, 20);
  s.Canvas().Brush().SetColor(clRed);
  TRect r{0, 0, 3, 10};
  CutStrip(s.Canvas(), r, 4, true, false);
  EXPECT_EQ(r, Rect(3, 0, 3, 10));
  QImage img = s.Image();
  EXPECT_EQ(CountInside(img, {0, 0, 20, 20}, kRed), 30);
  EXPECT_EQ(CountInside(img, {0, 0, 3, 10}, kRed), 30);

  // From the right, without filling; nothing for a negative width or an
  // empty rectangle.
  r = {0, 0, 10, 5};
  CutStrip(s.Canvas(), r, 4, false, true);
  EXPECT_EQ(r, Rect(0, 0, 6, 5));
  CutStrip(s.Canvas(), r, -1, true, true);
  EXPECT_EQ(r, Rect(0, 0, 6, 5));
  r = {4, 0, 4, 5};
  CutStrip(s.Canvas(), r, 3, true, false);
  EXPECT_EQ(r, Rect(4, 0, 4, 5));
  EXPECT_EQ(CountInside(s.Image(), {0, 0, 20, 20}, kRed), 30);
}

TEST(PanelRects, MeasureCaptionOfNothingIsEmptyAtTheLeft) {
  Sheet s;
  const TRect r = MeasureCaption(s.Canvas(), {5, 2, 30, 12}, "");
  EXPECT_EQ(r, Rect(5, 2, 5, 12));
  const TRect t = MeasureCaption(s.Canvas(), {5, 2, 300, 12}, "Itens");
  EXPECT_EQ(t.Left, 5);
  EXPECT_EQ(t.Right, 5 + s.Canvas().TextWidth("Itens"));
  EXPECT_EQ(t.Top, 2);
  EXPECT_EQ(t.Bottom, 12);
}

TEST(PanelDraw, FillOutsideLeavesTheInnerRectangle) {
  struct Case {
    TRect o, i;
    int filled;
  };
  const Case cases[] = {
      {{2, 3, 30, 20}, {10, 8, 15, 12}, Area({2, 3, 30, 20}) - Area({10, 8, 15, 12})},
      {{2, 3, 30, 20}, {2, 3, 30, 20}, 0},
      {{2, 3, 30, 20}, {2, 3, 2, 3}, Area({2, 3, 30, 20})},
      {{0, 0, 10, 10}, {0, 0, 10, 4}, 60},
  };
  for (const Case& c : cases) {
    Sheet s;
    s.Canvas().Brush().SetColor(clRed);
    FillOutside(s.Canvas(), c.o, c.i);
    QImage img = s.Image();
    EXPECT_EQ(CountInside(img, c.o, kRed), c.filled);
    EXPECT_EQ(CountOutside(img, c.o, kRed), 0);
    EXPECT_EQ(CountInside(img, c.i, kRed), 0);
  }
}

TEST(PanelDraw, FrameLinesGiveTheFarCornersToTheSecondColour) {
  Sheet s;
  DrawFrameLines(s.Canvas(), {5, 5, 15, 12}, clRed, clBlue);
  QImage img = s.Image();
  EXPECT_EQ(PixelAt(img, 5, 5), kRed);           // top left
  EXPECT_EQ(PixelAt(img, 5, 10), kRed);          // left
  EXPECT_EQ(PixelAt(img, 10, 5), kRed);          // top
  EXPECT_EQ(PixelAt(img, 14, 5), Rgb(clBlue));   // top right
  EXPECT_EQ(PixelAt(img, 5, 11), Rgb(clBlue));   // bottom left
  EXPECT_EQ(PixelAt(img, 14, 11), Rgb(clBlue));  // bottom right
  EXPECT_EQ(PixelAt(img, 6, 6), kWhite);
  EXPECT_EQ(PixelAt(img, 15, 5), kWhite);
  EXPECT_EQ(PixelAt(img, 5, 12), kWhite);
  EXPECT_EQ(CountInside(img, {0, 0, 40, 30}, kRed) + CountInside(img, {0, 0, 40, 30}, Rgb(clBlue)), 2 * (10 + 7) - 4);

  // A raised frame: white top left, the shadow bottom right; sunken swaps them.
  Sheet t;
  t.Canvas().Brush().SetColor(clBlack);
  t.Canvas().FillRect({0, 0, 40, 30});
  Draw3DFrame(t.Canvas(), {0, 0, 10, 10}, clBtnShadow, false);
  Draw3DFrame(t.Canvas(), {20, 0, 30, 10}, clBtnShadow, true);
  img = t.Image();
  EXPECT_EQ(PixelAt(img, 0, 0), kWhite);
  EXPECT_EQ(PixelAt(img, 9, 9), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(img, 20, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(img, 29, 9), kWhite);
}

TEST(PanelDraw, SplitFrameDividesAtTheEightPointGlyph) {
  Sheet s(80, 30);
  TCanvas probe;
  const int glyph = GetArrowGlyphSize(probe, 8).cx;
  ASSERT_EQ(glyph, 11);  // 8 points at 96 DPI
  const TRect r{0, 0, 60, 20};
  const int x = 60 - glyph - 6;

  DrawSplitFrame(s.Canvas(), r, clBtnShadow, sfUp);
  QImage img = s.Image();
  EXPECT_EQ(PixelAt(img, x, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(img, x, 10), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(img, x + 1, 10), kWhite);
  EXPECT_EQ(PixelAt(img, x - 1, 10), kWhite);
  EXPECT_EQ(PixelAt(img, 0, 0), kWhite);

  Sheet d(80, 30);
  d.Canvas().Brush().SetColor(clBlack);
  d.Canvas().FillRect({0, 0, 80, 30});
  DrawSplitFrame(d.Canvas(), r, clBtnShadow, sfButtonDown);
  img = d.Image();
  EXPECT_EQ(PixelAt(img, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(img, x, 10), kWhite);
  EXPECT_EQ(PixelAt(img, x + 1, 10), Rgb(clBtnShadow));

  Sheet a(80, 30);
  a.Canvas().Brush().SetColor(clBlack);
  a.Canvas().FillRect({0, 0, 80, 30});
  DrawSplitFrame(a.Canvas(), r, clBtnShadow, sfArrowDown);
  img = a.Image();
  EXPECT_EQ(PixelAt(img, 0, 0), kWhite);                 // caption part raised
  EXPECT_EQ(PixelAt(img, x, 10), Rgb(clBtnShadow));      // its right edge
  EXPECT_EQ(PixelAt(img, x + 1, 10), Rgb(clBtnShadow));  // arrow part sunken
  EXPECT_EQ(PixelAt(img, 59, 10), kWhite);
}

TEST(PanelDraw, TextWiderThanItsRectangleStaysInside) {
  Sheet s(200, 40);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetHeight(-13);
  c.Font().SetColor(clBlack);
  c.Brush().SetColor(clRed);
  const TRect r{20, 5, 80, 30};
  const std::string text = "Uma legenda longa demais para caber";
  DrawTextInRect(c, text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, r);
  QImage img = s.Image();
  EXPECT_EQ(CountOutside(img, r, Rgb(clBlack)), 0);
  EXPECT_EQ(CountOutside(img, r, kRed), 0);
  EXPECT_GT(CountInside(img, r, Rgb(clBlack)), 0);
  // Every pixel of r is painted: red or the text.
  EXPECT_EQ(CountInside(img, r, kWhite), 0);

  // Without the ellipsis too, and transparent: nothing filled.
  Sheet t(200, 40);
  t.Canvas().SetFont(c.Font());
  DrawTextInRect(t.Canvas(), text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_TRANSPARENTTEXT, r);
  img = t.Image();
  EXPECT_EQ(CountOutside(img, r, Rgb(clBlack)), 0);
  EXPECT_GT(CountInside(img, r, Rgb(clBlack)), 0);
  EXPECT_GT(CountInside(img, r, kWhite), 0);
}

TEST(PanelDraw, CentredTextSitsInTheMiddle) {
  Sheet s(200, 40);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetHeight(-13);
  c.Font().SetColor(clBlack);
  c.Brush().SetColor(clWhite);
  const TRect r{0, 0, 200, 40};
  DrawTextInRect(c, "Itens", DT_CENTER | DT_VCENTER | DT_SINGLELINE, r);
  const TRect ink = BoundsOf(s.Image(), Rgb(clBlack));
  ASSERT_FALSE(IsRectEmpty(ink));
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 2);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 20, 3);
}

TEST(PanelDraw, ArrowAtTheBottomRisesFourPixels) {
  Sheet s(30, 30);
  TCanvas& c = s.Canvas();
  c.Font().Assign(GetArrowFont());
  c.Font().SetSize(8);
  c.Font().SetColor(clBlack);
  c.Brush().SetColor(clRed);
  TRect a{5, 5, 20, 25};
  DrawArrowGlyph(c, {0, 0, 30, 30}, a, DT_CENTER | DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(a, Rect(5, 5, 20, 21));
  QImage img = s.Image();
  const TRect ink = BoundsOf(img, Rgb(clBlack));
  EXPECT_FALSE(IsRectEmpty(ink));
  EXPECT_LE(ink.Bottom, 21);
  // The whole column of the arrow is painted, nothing beside it.
  EXPECT_EQ(CountInside(img, {5, 0, 20, 30}, kWhite), 0);
  EXPECT_EQ(CountOutside(img, {5, 0, 20, 30}, kRed), 0);

  TRect low{0, 0, 10, 3};
  DrawArrowGlyph(c, {0, 0, 10, 3}, low, DT_BOTTOM | DT_TRANSPARENTTEXT);
  EXPECT_EQ(low, Rect(0, 0, 10, 0));
}

TEST(PanelDraw, ImageInLeavesItsSilverOut) {
  TBitmap glyph;
  glyph.SetImage(FindResourceBitmap("CLOSEBUTTON"));
  ASSERT_EQ(glyph.Width(), 14);
  ASSERT_EQ(glyph.Height(), 13);
  Sheet s(30, 30);
  s.Canvas().Brush().SetColor(clBlue);
  s.Canvas().FillRect({0, 0, 30, 30});
  DrawImageIn(s.Canvas(), &glyph, clRed, false, 0, {8, 9, 22, 22});
  QImage img = s.Image();
  const QImage source = glyph.Image();
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 14; ++x) {
      const QColor want = QColor(source.pixel(x, y)) == QColor(192, 192, 192) ? Rgb(clBlue)
                                                                              : QColor(source.pixel(x, y));
      ASSERT_EQ(PixelAt(img, 8 + x, 9 + y), want) << x << "," << y;
    }
  }
  EXPECT_EQ(CountOutside(img, {8, 9, 22, 22}, Rgb(clBlue)), 30 * 30 - 14 * 13);

  // Filled first: the background colour where the bitmap is silver.
  DrawImageIn(s.Canvas(), &glyph, clRed, true, 0, {8, 9, 22, 22});
  img = s.Image();
  EXPECT_EQ(PixelAt(img, 8, 9), kRed);
  EXPECT_EQ(CountInside(img, {8, 9, 22, 22}, Rgb(clBlue)), 0);

  // Neither a list nor a bitmap: nothing.
  TFont font;
  DrawImageIn(s.Canvas(), &font, clGreen, true, 0, {0, 0, 30, 30});
  EXPECT_EQ(CountInside(s.Image(), {0, 0, 30, 30}, Rgb(clGreen)), 0);
}
