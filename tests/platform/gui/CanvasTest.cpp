// Pixels of the canvas primitives, checked exactly where they are structural.

#include <gtest/gtest.h>
#include <QPainter>
#include <algorithm>

#include "platform/gui/Canvas.h"
#include "platform/gui/Images.h"
#include "platform/gui/Resources.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

// A bitmap of one colour to draw on.
struct Surface {
  TBitmap bitmap;
  Surface(int w, int h, TColor fill = clWhite) : bitmap(w, h) {
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(fill);
    c.FillRect({0, 0, w, h});
  }
  TCanvas& Canvas() { return bitmap.Canvas(); }
  QImage Image() const { return bitmap.Image(); }
  QColor At(int x, int y) const { return PixelAt(bitmap.Image(), x, y); }
};

const QColor kWhite = QColor(255, 255, 255);
const QColor kBlack = QColor(0, 0, 0);

}  // namespace

TEST(CanvasLines, LineToLeavesItsEndPixel) {
  Surface s(20, 20);
  TCanvas& c = s.Canvas();
  c.Pen().SetColor(clBlack);
  c.MoveTo(2, 5);
  c.LineTo(8, 5);
  c.MoveTo(12, 18);
  c.LineTo(12, 10);
  c.MoveTo(0, 10);
  c.LineTo(4, 14);
  QImage img = s.Image();
  for (int x = 2; x < 8; ++x) EXPECT_EQ(PixelAt(img, x, 5), kBlack) << x;
  EXPECT_EQ(PixelAt(img, 8, 5), kWhite);
  EXPECT_EQ(PixelAt(img, 1, 5), kWhite);
  for (int y = 11; y <= 18; ++y) EXPECT_EQ(PixelAt(img, 12, y), kBlack) << y;
  EXPECT_EQ(PixelAt(img, 12, 10), kWhite);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelAt(img, i, 10 + i), kBlack) << i;
  EXPECT_EQ(PixelAt(img, 4, 14), kWhite);
  EXPECT_EQ(CountInside(img, {0, 0, 20, 20}, kBlack), 6 + 8 + 4);
  EXPECT_EQ(c.PenPos(), Point(4, 14));
}

TEST(CanvasShapes, FillRectPaintsRightAndBottomExclusive) {
  Surface s(8, 8);
  TCanvas& c = s.Canvas();
  c.Brush().SetColor(clRed);
  c.FillRect({2, 2, 5, 5});
  QImage img = s.Image();
  EXPECT_EQ(CountInside(img, {0, 0, 8, 8}, Rgb(clRed)), 9);
  EXPECT_EQ(BoundsOf(img, Rgb(clRed)), Rect(2, 2, 5, 5));
}

TEST(CanvasShapes, EmptyOrNegativeRectanglesDrawNothing) {
  Surface s(10, 10);
  TCanvas& c = s.Canvas();
  c.Brush().SetColor(clBlack);
  TRect inverted{6, 6, 2, 2};
  c.FillRect(inverted);
  c.FrameRect({3, 3, 3, 8});
  c.Rectangle(5, 5, 5, 5);
  EXPECT_FALSE(c.DrawEdge(inverted, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(c.DrawFrameControl({4, 4, 4, 9}, DFC_SCROLL, DFCS_SCROLLUP));
  c.Font().SetName("Arial");
  TRect text{8, 2, 1, 9};
  c.DrawText("Texto", text, DT_SINGLELINE);
  EXPECT_EQ(CountInside(s.Image(), {0, 0, 10, 10}, kWhite), 100);
}

TEST(CanvasShapes, FrameRectIsOnePixelInsideTheRectangle) {
  Surface s(10, 10);
  TCanvas& c = s.Canvas();
  c.Brush().SetColor(clBlue);
  c.FrameRect({1, 1, 6, 5});
  QImage img = s.Image();
  EXPECT_EQ(CountInside(img, {0, 0, 10, 10}, Rgb(clBlue)), 2 * 5 + 2 * 2);
  EXPECT_EQ(BoundsOf(img, Rgb(clBlue)), Rect(1, 1, 6, 5));
  EXPECT_EQ(PixelAt(img, 3, 3), kWhite);
}

TEST(CanvasShapes, OriginAndClipMoveAndLimitDrawing) {
  Surface s(20, 20);
  TCanvas& c = s.Canvas();
  c.SetOrigin(10, 5);
  c.Brush().SetColor(clBlack);
  c.FillRect({0, 0, 2, 2});
  EXPECT_EQ(BoundsOf(s.Image(), kBlack), Rect(10, 5, 12, 7));
  EXPECT_EQ(c.ClipRect(), Rect(-10, -5, 10, 15));
  c.SetClipRect({-10, -5, -5, 0});
  c.Brush().SetColor(clRed);
  c.FillRect({-20, -20, 20, 20});
  EXPECT_EQ(BoundsOf(s.Image(), Rgb(clRed)), Rect(0, 0, 5, 5));
  c.ResetClip();
  c.SetOrigin(0, 0);
  EXPECT_EQ(c.ClipRect(), Rect(0, 0, 20, 20));
}

// ---- DrawEdge: two rings, colours per side, bottom and right own the corners

struct EdgeColours {
  TColor outerTopLeft, innerTopLeft, innerBottomRight, outerBottomRight;
};

void ExpectEdge(unsigned edge, EdgeColours e) {
  Surface s(20, 16, clBtnFace);
  TRect r{0, 0, 20, 16};
  ASSERT_TRUE(s.Canvas().DrawEdge(r, edge, BF_RECT | BF_ADJUST));
  EXPECT_EQ(r, Rect(2, 2, 18, 14));
  QImage img = s.Image();
  // Top, left, bottom, right, away from the corners.
  EXPECT_EQ(PixelAt(img, 10, 0), Rgb(e.outerTopLeft));
  EXPECT_EQ(PixelAt(img, 0, 8), Rgb(e.outerTopLeft));
  EXPECT_EQ(PixelAt(img, 10, 1), Rgb(e.innerTopLeft));
  EXPECT_EQ(PixelAt(img, 1, 8), Rgb(e.innerTopLeft));
  EXPECT_EQ(PixelAt(img, 10, 15), Rgb(e.outerBottomRight));
  EXPECT_EQ(PixelAt(img, 19, 8), Rgb(e.outerBottomRight));
  EXPECT_EQ(PixelAt(img, 10, 14), Rgb(e.innerBottomRight));
  EXPECT_EQ(PixelAt(img, 18, 8), Rgb(e.innerBottomRight));
  // Corners: top-right and bottom-left belong to the bottom-right colours.
  EXPECT_EQ(PixelAt(img, 19, 0), Rgb(e.outerBottomRight));
  EXPECT_EQ(PixelAt(img, 0, 15), Rgb(e.outerBottomRight));
  EXPECT_EQ(PixelAt(img, 0, 0), Rgb(e.outerTopLeft));
  // Inside untouched.
  EXPECT_EQ(CountInside(img, {2, 2, 18, 14}, Rgb(clBtnFace)), 16 * 12);
}

TEST(CanvasEdges, RaisedSunkenAndEtchedColoursPerSide) {
  ExpectEdge(EDGE_RAISED, {cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow});
  ExpectEdge(EDGE_SUNKEN, {clBtnShadow, cl3DDkShadow, cl3DLight, clBtnHighlight});
  ExpectEdge(EDGE_ETCHED, {clBtnShadow, clBtnHighlight, clBtnShadow, clBtnHighlight});
}

TEST(CanvasEdges, SingleBordersAndSides) {
  Surface s(10, 10, clBtnFace);
  TRect r{0, 0, 10, 10};
  s.Canvas().DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
  EXPECT_EQ(r, Rect(0, 0, 10, 10));
  EXPECT_EQ(s.At(5, 0), Rgb(clBtnShadow));
  EXPECT_EQ(s.At(5, 9), Rgb(clBtnHighlight));
  EXPECT_EQ(s.At(5, 1), Rgb(clBtnFace));

  Surface t(10, 10, clBtnFace);
  TRect q{0, 0, 10, 10};
  t.Canvas().DrawEdge(q, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
  EXPECT_EQ(t.At(5, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(t.At(9, 0), Rgb(clBtnHighlight));  // no right side: the top runs to the end
  EXPECT_EQ(t.At(0, 9), Rgb(clBtnHighlight));
  EXPECT_EQ(t.At(5, 9), Rgb(clBtnFace));
  EXPECT_EQ(t.At(9, 5), Rgb(clBtnFace));

  Surface m(10, 10, clBtnFace);
  TRect mono{0, 0, 10, 10};
  m.Canvas().DrawEdge(mono, BDR_SUNKENOUTER, BF_RECT | BF_MONO);
  EXPECT_EQ(m.At(5, 0), Rgb(clWindowFrame));
  EXPECT_EQ(m.At(5, 9), Rgb(clWindowFrame));
}

// ---- DrawFrameControl

TEST(CanvasFrameControls, PushedAndRaisedFacesDifferAtTheTopLeft) {
  for (unsigned type : {DFC_SCROLL, DFC_CAPTION}) {
    Surface up(17, 17, clWhite), down(17, 17, clWhite);
    unsigned kind = type == DFC_SCROLL ? DFCS_SCROLLDOWN : DFCS_CAPTIONCLOSE;
    up.Canvas().DrawFrameControl({0, 0, 17, 17}, type, kind);
    down.Canvas().DrawFrameControl({0, 0, 17, 17}, type, kind | DFCS_PUSHED);
    // Raised: light outer line, white inner line at the top left.
    EXPECT_EQ(up.At(0, 0), Rgb(cl3DLight));
    EXPECT_EQ(up.At(1, 1), Rgb(clBtnHighlight));
    EXPECT_EQ(up.At(16, 16), Rgb(cl3DDkShadow));
    // Pushed: a shadow line at the top left.
    EXPECT_EQ(down.At(0, 0), Rgb(clBtnShadow));
    EXPECT_NE(down.At(1, 1), Rgb(clBtnHighlight));
    // The face is button face, nothing of the white surface left.
    EXPECT_EQ(CountInside(up.Image(), {0, 0, 17, 17}, kWhite), CountInside(up.Image(), {1, 1, 16, 16}, kWhite));
  }
}

TEST(CanvasFrameControls, ScrollArrowsPointTheirWay) {
  Surface s(17, 17, clWhite);
  s.Canvas().DrawFrameControl({0, 0, 17, 17}, DFC_SCROLL, DFCS_SCROLLDOWN);
  QImage img = s.Image();
  TRect glyph = BoundsOf(img, Rgb(clBtnText));
  ASSERT_FALSE(IsRectEmpty(glyph));
  EXPECT_NEAR((glyph.Left + glyph.Right) / 2.0, 8.5, 1.0);
  EXPECT_NEAR((glyph.Top + glyph.Bottom) / 2.0, 8.5, 1.0);
  EXPECT_EQ(glyph.Width() % 2, 1);  // a symmetric triangle with a one-pixel tip
  int top = CountInside(img, {0, glyph.Top, 17, glyph.Top + 1}, Rgb(clBtnText));
  int bottom = CountInside(img, {0, glyph.Bottom - 1, 17, glyph.Bottom}, Rgb(clBtnText));
  EXPECT_EQ(top, glyph.Width());
  EXPECT_EQ(bottom, 1);

  Surface u(17, 17, clWhite);
  u.Canvas().DrawFrameControl({0, 0, 17, 17}, DFC_SCROLL, DFCS_SCROLLUP);
  TRect up = BoundsOf(u.Image(), Rgb(clBtnText));
  EXPECT_EQ(CountInside(u.Image(), {0, up.Top, 17, up.Top + 1}, Rgb(clBtnText)), 1);
}

TEST(CanvasFrameControls, DisabledGlyphIsGrey) {
  Surface s(17, 17, clWhite);
  s.Canvas().DrawFrameControl({0, 0, 17, 17}, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
  QImage img = s.Image();
  EXPECT_EQ(CountInside(img, {2, 2, 15, 15}, Rgb(clBtnText)), 0);
  EXPECT_GT(CountInside(img, {2, 2, 15, 15}, Rgb(clBtnShadow)), 3);

  Surface c(16, 14, clWhite);
  c.Canvas().DrawFrameControl({0, 0, 16, 14}, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE);
  EXPECT_EQ(CountInside(c.Image(), {2, 2, 14, 12}, Rgb(clBtnText)), 0);
  EXPECT_GT(CountInside(c.Image(), {2, 2, 14, 12}, Rgb(clBtnShadow)), 3);
}

// ---- Text

TEST(CanvasText, EndEllipsisNeverPaintsOutsideItsRectangle) {
  for (int mode : {TRANSPARENT, OPAQUE}) {
    Surface s(120, 40);
    TCanvas& c = s.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetHeight(-13);
    c.Font().SetColor(clBlack);
    c.SetBkMode(mode);
    c.SetBkColor(clRed);
    TRect r{10, 10, 60, 30};
    c.DrawText("Uma legenda longa demais para caber", r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    QImage img = s.Image();
    EXPECT_GT(CountInside(img, r, kBlack), 0);
    EXPECT_EQ(CountOutside(img, r, kBlack), 0);
    EXPECT_EQ(CountOutside(img, r, Rgb(clRed)), 0);
    // The elided line still fills most of the width.
    EXPECT_GT(BoundsOf(img, kBlack).Right, r.Left + r.Width() / 2);
  }
}

namespace {

// The ink across the middle row of an "l" drawn in Arial at that height, in
// pixels of full black.
double StemWidth(int height, bool bold) {
  Surface s(30, 30);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetHeight(height);
  c.Font().SetStyle(bold ? TFontStyles(fsBold) : TFontStyles(0));
  c.Font().SetColor(clBlack);
  c.SetBkMode(TRANSPARENT);
  c.TextOut(10, 5, "l");
  const QImage img = s.Image();
  int top = img.height(), bottom = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (qGray(img.pixel(x, y)) < 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  double ink = 0;
  for (int x = 0; x < img.width(); ++x) ink += (255 - qGray(img.pixel(x, (top + bottom) / 2))) / 255.0;
  return ink;
}

}  // namespace

TEST(CanvasText, BoldShowsAtCaptionSizes) {
  EXPECT_NEAR(StemWidth(-11, false), 1.0, 0.05);
  for (int height : {-11, -12, -13}) EXPECT_GT(StemWidth(height, true), 1.3) << height;
}

TEST(CanvasText, WrappedTextStaysInsideItsRectangle) {
  Surface s(100, 100);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetColor(clBlack);
  TRect r{20, 20, 70, 50};
  c.DrawText("Palavra Extraordinariamente comprida e mais texto a seguir", r,
             DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_NOPREFIX);
  c.DrawText("Semquebranenhumaemlugaralgum", r, DT_WORDBREAK | DT_NOPREFIX);
  EXPECT_GT(CountInside(s.Image(), r, kBlack), 0);
  EXPECT_EQ(CountOutside(s.Image(), r, kBlack), 0);
}

TEST(CanvasText, CalcRectMeasuresAndWrapsAtTheWidth) {
  Surface s(10, 10);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetHeight(-13);
  const int line = c.GetTextMetrics().tmHeight;
  const int two = c.TextWidth("aaa bbb");
  ASSERT_LT(two, c.TextWidth("aaa bbb ccc"));

  TRect r{5, 7, 5 + two + 2, 8};
  int h = c.DrawText("aaa bbb ccc ddd", r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Top, 7);
  EXPECT_EQ(r.Right - r.Left, std::max(two, c.TextWidth("ccc ddd")));
  EXPECT_EQ(r.Bottom - r.Top, 2 * line);
  EXPECT_EQ(h, 2 * line);

  TRect single{0, 0, 1000, 1};
  c.DrawText("aaa bbb ccc ddd", single, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(single, Rect(0, 0, c.TextWidth("aaa bbb ccc ddd"), line));

  // An ellipsis keeps the measured line inside the width.
  TRect narrow{0, 0, 30, 1};
  c.DrawText("aaa bbb ccc ddd", narrow, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(narrow.Right, 30);
  EXPECT_GT(narrow.Right, 0);
  EXPECT_EQ(CountInside(s.Image(), {0, 0, 10, 10}, kWhite), 100);  // measuring draws nothing
}

TEST(CanvasText, EditControlDropsAPartialLastLine) {
  auto draw = [](unsigned extra) {
    Surface s(100, 60);
    TCanvas& c = s.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetHeight(-13);
    c.Font().SetColor(clBlack);
    c.SetBkMode(TRANSPARENT);
    const int line = c.GetTextMetrics().tmHeight;
    TRect r{0, 0, 100, line + line / 2};
    c.DrawText("HHHH\nHHHH", r, DT_NOPREFIX | extra);
    return CountInside(s.Image(), {0, line, 100, 60}, kBlack);
  };
  EXPECT_GT(draw(0), 0);
  EXPECT_EQ(draw(DT_EDITCONTROL), 0);
}

TEST(CanvasText, OpaqueModeFillsTheTextCell) {
  Surface s(80, 30);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Arial");
  c.Brush().SetColor(clYellow);  // the background follows the brush
  EXPECT_EQ(c.BkMode(), OPAQUE);
  c.TextOut(5, 5, "Ab");
  TSize ext = c.TextExtent("Ab");
  EXPECT_EQ(s.At(5, 5), Rgb(clYellow));
  EXPECT_EQ(s.At(5 + ext.cx - 1, 5 + ext.cy - 1), Rgb(clYellow));
  EXPECT_EQ(s.At(5 + ext.cx, 5), kWhite);
  EXPECT_EQ(c.PenPos(), Point(5 + ext.cx, 5));

  c.Brush().SetStyle(TBrushStyle::bsClear);
  EXPECT_EQ(c.BkMode(), TRANSPARENT);
  c.TextOut(5, 18, "Ab");
  EXPECT_EQ(s.At(5, 18), kWhite);
}

TEST(CanvasText, PrefixIsHiddenUnlessNoPrefix) {
  Surface s(10, 10);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Arial");
  TRect a{0, 0, 500, 0}, b{0, 0, 500, 0};
  c.DrawText("&Arquivo", a, DT_CALCRECT | DT_SINGLELINE);
  c.DrawText("&Arquivo", b, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(a.Right, c.TextWidth("Arquivo"));
  EXPECT_EQ(b.Right, c.TextWidth("&Arquivo"));
}

// ---- The symbol font

TEST(CanvasSymbols, CellIsThePointSizeAt96Dpi) {
  Surface s(40, 40);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Marlett");
  c.Font().SetSize(8);
  EXPECT_EQ(c.TextExtent("r"), (TSize{11, 11}));
  c.Font().SetSize(6);
  EXPECT_EQ(c.TextExtent("r"), (TSize{8, 8}));
  EXPECT_EQ(c.TextExtent("66"), (TSize{16, 8}));
  EXPECT_EQ(c.GetTextMetrics().tmHeight, 8);
}

TEST(CanvasSymbols, DownArrowDrawnInTheTextColour) {
  Surface s(30, 30);
  TCanvas& c = s.Canvas();
  c.Font().SetName("Marlett");
  c.Font().SetSize(8);
  c.Font().SetColor(clNavy);
  c.SetBkMode(TRANSPARENT);
  TRect r{5, 5, 16, 16};
  c.DrawText("6", r, DT_SINGLELINE | DT_NOPREFIX);
  QImage img = s.Image();
  TRect glyph = BoundsOf(img, Rgb(clNavy));
  ASSERT_FALSE(IsRectEmpty(glyph));
  EXPECT_TRUE(glyph.Left >= r.Left && glyph.Right <= r.Right && glyph.Top >= r.Top && glyph.Bottom <= r.Bottom);
  EXPECT_EQ(CountInside(img, {0, glyph.Top, 30, glyph.Top + 1}, Rgb(clNavy)), glyph.Width());
  EXPECT_EQ(CountInside(img, {0, glyph.Bottom - 1, 30, glyph.Bottom}, Rgb(clNavy)), 1);
}

// ---- Images on the canvas

TEST(CanvasImages, ColourKeyedDrawKeepsTheBackgroundWhereTheBitmapIsSilver) {
  TBitmap glyph;
  ASSERT_TRUE(glyph.LoadFromResourceName("CLOSEBUTTON"));
  ASSERT_EQ(glyph.Width(), 14);
  ASSERT_EQ(glyph.Height(), 13);
  Surface s(20, 20, clTeal);
  s.Canvas().DrawTransparent(3, 4, 14, 13, glyph, 0, 0, glyph.Pixel(0, 0));
  QImage img = s.Image();
  int kept = 0, drawn = 0;
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 14; ++x) {
      TColor src = glyph.Pixel(x, y);
      QColor want = src == clSilver ? Rgb(clTeal) : Rgb(src);
      ASSERT_EQ(PixelAt(img, 3 + x, 4 + y), want) << x << "," << y;
      (src == clSilver ? kept : drawn)++;
    }
  }
  EXPECT_GT(kept, 0);
  EXPECT_GT(drawn, 0);
  EXPECT_EQ(CountOutside(img, Bounds(3, 4, 14, 13), Rgb(clTeal)), 20 * 20 - 14 * 13);
}

TEST(CanvasImages, DrawStretchDrawAndCopyRect) {
  TBitmap src(2, 2);
  src.SetPixel(0, 0, clRed);
  src.SetPixel(1, 1, clBlue);
  Surface s(12, 12);
  TCanvas& c = s.Canvas();
  c.Draw(1, 1, src);
  EXPECT_EQ(s.At(1, 1), Rgb(clRed));
  EXPECT_EQ(s.At(2, 2), Rgb(clBlue));
  c.StretchDraw({4, 4, 8, 8}, src);
  EXPECT_EQ(CountInside(s.Image(), {4, 4, 6, 6}, Rgb(clRed)), 4);
  EXPECT_EQ(CountInside(s.Image(), {6, 6, 8, 8}, Rgb(clBlue)), 4);
  TBitmap dst(4, 4);
  dst.Canvas().CopyRect({0, 0, 2, 2}, c, {1, 1, 3, 3});
  EXPECT_EQ(dst.Pixel(0, 0), clRed);
  EXPECT_EQ(dst.Pixel(1, 1), clBlue);
  EXPECT_EQ(dst.Pixel(2, 2), clWhite);
}

TEST(CanvasBinding, DrawsThroughAPainterAndGivesItBack) {
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.translate(2, 0);
  QTransform before = painter.worldTransform();
  {
    TCanvas c(&painter);
    c.SetOrigin(1, 1);
    c.SetClipRect({0, 0, 3, 3});
    c.Brush().SetColor(clBlack);
    c.FillRect({0, 0, 10, 10});
  }
  EXPECT_EQ(painter.worldTransform(), before);
  EXPECT_FALSE(painter.hasClipping());
  painter.end();
  EXPECT_EQ(BoundsOf(image, kBlack), Rect(3, 1, 6, 4));
}
