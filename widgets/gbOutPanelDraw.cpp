// Rectangle arithmetic and the drawing routines of the panel widgets: each
// part of a control is drawn once and the rest of its rectangle filled
// around it.

#include <algorithm>

#include "widgets/gbOutCommon.h"
#include "widgets/gbOutPanel.h"
#include "widgets/gbOutPanelShared.h"

namespace {

std::unique_ptr<TFont>& ArrowFont() {
  static std::unique_ptr<TFont> font;
  return font;
}

constexpr TColor kWhite = RGB(255, 255, 255);

void Line(TCanvas& c, int x1, int y1, int x2, int y2, TColor color) {
  c.Pen().SetColor(color);
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

}  // namespace

// ---- rectangles

void ClampLeft(TRect& R) {
  if (R.Right < R.Left) R.Left = R.Right;
}

void ClampTop(TRect& R) {
  if (R.Bottom < R.Top) R.Top = R.Bottom;
}

void ClampRight(TRect& R) {
  if (R.Right < R.Left) R.Right = R.Left;
}

void ClampBottom(TRect& R) {
  if (R.Bottom < R.Top) R.Bottom = R.Top;
}

void ClipRectTo(TRect& R, const TRect& B) {
  R.Left = std::max(R.Left, B.Left);
  R.Top = std::max(R.Top, B.Top);
  R.Right = std::min(R.Right, B.Right);
  R.Bottom = std::min(R.Bottom, B.Bottom);
}

void CenterRectVert(TRect& R, const TRect& B) {
  const int h = R.Bottom - R.Top;
  R.Top = (B.Top + B.Bottom - h) / 2;
  R.Bottom = R.Top + h;
}

void AlignRectBottom(TRect& R, const TRect& B) {
  const int h = R.Bottom - R.Top;
  R.Bottom = B.Bottom;
  R.Top = B.Bottom - h;
}

TRect AlignRectIn(TSize Size, const TRect& B, THorzAlign Horizontal, TVertAlign Vertical) {
  TRect r = B;
  const int w = Size.cx, h = Size.cy;
  switch (Horizontal) {
    case haLeft:
      r.Right = B.Left + w;
      break;
    case haCenter:
      r.Left = (B.Left + B.Right - w) / 2;
      r.Right = r.Left + w;
      break;
    case haRight:
      r.Left = B.Right - w;
      break;
  }
  switch (Vertical) {
    case vaTop:
      r.Bottom = B.Top + h;
      break;
    case vaCenter:
      r.Top = (B.Top + B.Bottom - h) / 2;
      r.Bottom = r.Top + h;
      break;
    case vaBottom:
      r.Top = B.Bottom - h;
      break;
  }
  ClipRectTo(r, B);
  return r;
}

void CutStrip(TCanvas& Canvas, TRect& R, int Width, bool Fill, bool FromRight) {
  if (Width < 0) return;
  TRect strip;
  int x;
  if (FromRight) {
    x = std::max(R.Right - Width, R.Left);
    strip = {x, R.Top, R.Right, R.Bottom};
  } else {
    x = std::min(R.Left + Width, R.Right);
    strip = {R.Left, R.Top, x, R.Bottom};
  }
  if (IsRectEmpty(strip)) return;
  if (Fill) Canvas.FillRect(strip);
  if (FromRight) {
    R.Right = x;
  } else {
    R.Left = x;
  }
}

// ---- the arrow font

TFont& GetArrowFont() {
  std::unique_ptr<TFont>& font = ArrowFont();
  if (!font) {
    font = std::make_unique<TFont>();
    font->SetName(kSymbolFontName);
    font->SetSize(6);
    InstallPanelFinalizer();
  }
  return *font;
}

void FreeArrowFont() {
  ArrowFont().reset();
}

TSize GetArrowGlyphSize(TCanvas& Canvas, int PointSize) {
  Canvas.Font().Assign(GetArrowFont());
  Canvas.Font().SetStyle(0);
  Canvas.Font().SetSize(PointSize);
  return Canvas.TextExtent("r");
}

// ---- frames and fills

void FillOutside(TCanvas& Canvas, const TRect& O, const TRect& I) {
  Canvas.FillRect({O.Left, O.Top, I.Left, O.Bottom});
  Canvas.FillRect({I.Right, O.Top, O.Right, O.Bottom});
  Canvas.FillRect({I.Left, O.Top, I.Right, I.Top});
  Canvas.FillRect({I.Left, I.Bottom, I.Right, O.Bottom});
}

void DrawFrameLines(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2) {
  Canvas.MoveTo(R.Left, R.Bottom - 1);
  Canvas.Pen().SetColor(Color1);
  Canvas.LineTo(R.Left, R.Top);
  Canvas.LineTo(R.Right - 1, R.Top);
  Canvas.Pen().SetColor(Color2);
  Canvas.LineTo(R.Right - 1, R.Bottom - 1);
  Canvas.LineTo(R.Left - 1, R.Bottom - 1);
}

void Draw3DFrame(TCanvas& Canvas, const TRect& R, TColor Shadow, bool Sunken) {
  if (Sunken) {
    DrawFrameLines(Canvas, R, Shadow, kWhite);
  } else {
    DrawFrameLines(Canvas, R, kWhite, Shadow);
  }
}

void DrawSplitFrame(TCanvas& Canvas, const TRect& R, TColor Shadow, TSplitFrameState State) {
  const TSize s = GetArrowGlyphSize(Canvas, 8);
  const int x = R.Right - s.cx - 6;
  switch (State) {
    case sfUp:
      DrawFrameLines(Canvas, R, kWhite, Shadow);
      Line(Canvas, x, R.Top, x, R.Bottom, Shadow);
      Line(Canvas, x + 1, R.Top + 1, x + 1, R.Bottom - 1, kWhite);
      break;
    case sfButtonDown:
      DrawFrameLines(Canvas, R, Shadow, kWhite);
      Line(Canvas, x, R.Top, x, R.Bottom, kWhite);
      Line(Canvas, x + 1, R.Top + 1, x + 1, R.Bottom - 1, Shadow);
      break;
    case sfArrowDown:
      DrawFrameLines(Canvas, {R.Left, R.Top, x + 1, R.Bottom}, kWhite, Shadow);
      DrawFrameLines(Canvas, {x + 1, R.Top, R.Right, R.Bottom}, Shadow, kWhite);
      break;
  }
}

// ---- text

TRect MeasureCaption(TCanvas& Canvas, const TRect& R, const std::string& Text) {
  TRect t = R;
  if (!Text.empty()) {
    Canvas.DrawText(Text, t, DT_SINGLELINE | DT_CALCRECT | DT_END_ELLIPSIS);
    ClampRight(t);
  } else {
    t.Right = R.Left;
  }
  t.Right = std::min(t.Right, R.Right);
  t.Top = R.Top;
  t.Bottom = R.Bottom;
  return t;
}

void DrawTextInRect(TCanvas& Canvas, const std::string& Text, unsigned Flags, const TRect& R) {
  const bool transparent = (Flags & DT_TRANSPARENTTEXT) != 0;
  const unsigned format = Flags & ~(DT_CENTER | DT_VCENTER | DT_BOTTOM | DT_TRANSPARENTTEXT);
  if (transparent) Canvas.SetBkMode(TRANSPARENT);
  TRect t = R;
  if (!Text.empty()) {
    Canvas.DrawText(Text, t, format | DT_CALCRECT);
    t.Right = std::min(t.Right, R.Right);
  } else if (!transparent) {
    Canvas.FillRect(R);
  }
  if (IsRectEmpty(t)) return;
  if (Flags & DT_CENTER) CenterRectHorz(t, R);
  if (Flags & DT_BOTTOM) AlignRectBottom(t, R);
  if (Flags & DT_VCENTER) CenterRectVert(t, R);
  ClipRectTo(t, R);
  if (!transparent) {
    FillOutside(Canvas, R, t);
    // The text cell itself takes the brush colour from the text output.
    Canvas.SetBkMode(OPAQUE);
    Canvas.SetBkColor(Canvas.Brush().Color());
  }
  Canvas.DrawText(Text, t, format);
}

void DrawArrowGlyph(TCanvas& Canvas, const TRect& R, TRect& A, unsigned Flags) {
  if (Flags & DT_BOTTOM) A.Bottom = std::max(A.Bottom - 4, A.Top);
  DrawTextInRect(Canvas, "6", Flags, A);
  if (!(Flags & DT_TRANSPARENTTEXT)) FillOutside(Canvas, {A.Left, R.Top, A.Right, R.Bottom}, A);
}

// ---- images

void DrawTransparentBitmap(TCanvas& Dest, int X, int Y, int Width, int Height, const TBitmap& Source, int SourceX,
                           int SourceY, TColor Transparent) {
  Dest.DrawTransparent(X, Y, Width, Height, Source, SourceX, SourceY, Transparent);
}

void DrawImageIn(TCanvas& Canvas, const TPersistent* Source, TColor Background, bool Fill, int ImageIndex,
                 const TRect& R) {
  const auto* list = dynamic_cast<const TImageList*>(Source);
  const auto* bitmap = dynamic_cast<const TBitmap*>(Source);
  if (!list && !bitmap) return;
  if (Fill) {
    Canvas.Brush().SetColor(Background);
    Canvas.FillRect(R);
  }
  const int w = list ? list->Width() : bitmap->Width();
  const int h = list ? list->Height() : bitmap->Height();
  const int x = (R.Left + R.Right - w) / 2;
  const int y = (R.Top + R.Bottom - h) / 2;
  TRect r{x, y, x + w, y + h};
  ClipRectTo(r, R);
  if (list) {
    list->DrawClipped(Canvas, r, ImageIndex);
    return;
  }
  if (bitmap->Empty()) return;
  DrawTransparentBitmap(Canvas, r.Left, r.Top, bitmap->Width(), bitmap->Height(), *bitmap, 0, 0, bitmap->Pixel(0, 0));
}
