#include "widgets/gbOutCommon.h"

#include <algorithm>
#include <cstdlib>

int MaxOf3(int a, int b, int c) {
  return std::max(a, std::max(b, c));
}

void DrawGradient(TCanvas& canvas, int Width, int Height, TColor FromColor, TColor ToColor, bool Vertical) {
  const int extent = Vertical ? Height : Width;
  if (extent <= 0) return;
  const TColor from = ColorToRGB(FromColor);
  const TColor to = ColorToRGB(ToColor);
  const int r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
  const int dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;
  const int steps = MaxOf3(std::abs(dr), std::abs(dg), std::abs(db));
  const int h = extent / (steps + 1) + 1;
  TRect band = Vertical ? TRect{0, 0, Width, h} : TRect{0, 0, h, Height};
  for (int l = 0; l <= steps; ++l) {
    const int r = r0 + (l * (dr * h)) / extent;
    const int g = g0 + (l * (dg * h)) / extent;
    const int b = b0 + (l * (db * h)) / extent;
    canvas.Brush().SetColor(RGB(r, g, b));
    canvas.FillRect(band);
    if (Vertical) {
      OffsetRect(band, 0, h);
      if (band.Top > extent) break;
    } else {
      OffsetRect(band, h, 0);
      if (band.Left > extent) break;
    }
  }
}

void CenterRectHorz(TRect& Rect, const TRect& Outer) {
  const int w = Rect.Right - Rect.Left;
  Rect.Left = (Outer.Left + Outer.Right - w) / 2;
  Rect.Right = Rect.Left + w;
}
