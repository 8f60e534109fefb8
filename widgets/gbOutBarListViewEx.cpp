// The list view that paints its own background.

#include "widgets/gbOutBar.h"
#include "widgets/gbOutCommon.h"

namespace {

bool IsGradient(TBackgroundModeGlobal mode) {
  return mode == bkmGradientHorz || mode == bkmGradientVert;
}

// Gives the canvas its clipping back, also when drawing raised.
struct ClipScope {
  TCanvas& canvas;
  ClipScope(TCanvas& c, const TRect& r) : canvas(c) { canvas.SetClipRect(r); }
  ~ClipScope() { canvas.ResetClip(); }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;
};

}  // namespace

TCustomGBListViewEx::TCustomGBListViewEx(TComponent* AOwner) : TCustomListView(AOwner) {
  background_.OnChange = [this](TPersistent*) { Invalidate(); };
  gradientBeginColor_ = clBlue;
}

TCustomGBListViewEx::~TCustomGBListViewEx() {
  background_.OnChange = nullptr;
}

void TCustomGBListViewEx::SetBackground(const TBitmap& value) {
  background_.Assign(value);
}

void TCustomGBListViewEx::SetBackgroundMode(TBackgroundModeGlobal value) {
  if (value == backgroundMode_) return;
  backgroundMode_ = value;
  Invalidate();
}

void TCustomGBListViewEx::SetGradientBeginColor(TColor value) {
  if (value == gradientBeginColor_) return;
  gradientBeginColor_ = value;
  if (IsGradient(backgroundMode_)) Invalidate();
}

void TCustomGBListViewEx::SetGradientEndColor(TColor value) {
  if (value == gradientEndColor_) return;
  gradientEndColor_ = value;
  if (IsGradient(backgroundMode_)) Invalidate();
}

void TCustomGBListViewEx::PaintBackground(const TRect& rect) {
  TCanvas& canvas = Canvas();
  TRect r = rect;
  ++r.Right;
  ++r.Bottom;
  if (backgroundMode_ == bkmNone || (background_.Empty() && !IsGradient(backgroundMode_))) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    return;
  }
  ClipScope clip(canvas, r);
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  switch (backgroundMode_) {
    case bkmGradientHorz:
      DrawGradient(canvas, cw, ch, gradientBeginColor_, gradientEndColor_, false);
      break;
    case bkmGradientVert:
      DrawGradient(canvas, cw, ch, gradientBeginColor_, gradientEndColor_, true);
      break;
    case bkmCenter:
      canvas.Brush().SetColor(Color());
      canvas.FillRect(r);
      canvas.Draw((cw - background_.Width()) / 2, (ch - background_.Height()) / 2, background_);
      break;
    case bkmStretch:
      canvas.StretchDraw({0, 0, cw, ch}, background_);
      break;
    case bkmTile: {
      const int bw = background_.Width();
      const int bh = background_.Height();
      const int c0 = r.Left / bw, c1 = (bw + r.Right - 1) / bw;
      const int r0 = r.Top / bh, r1 = (bh + r.Bottom - 1) / bh;
      for (int c = c0; c <= c1; ++c) {
        for (int row = r0; row <= r1; ++row) canvas.Draw(c * bw, row * bh, background_);
      }
      break;
    }
    default:
      break;
  }
}
