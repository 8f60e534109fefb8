// 3D edges, frame controls and the symbol glyphs, in the classic colours.

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <array>

#include "platform/gui/Canvas.h"
#include "platform/gui/QtTypes.h"

namespace {

// The question mark, one row per string.
constexpr std::array<const char*, 8> kQuestionMark = {
    ".###.", "##.##", "...##", "..##.", "..##.", ".....", "..##.", "..##.",
};

}  // namespace

void TCanvas::EdgeRing(QPainter& p, TRect& r, unsigned sides, TColor lt, TColor rb) {
  // Top and left first: the bottom and right lines own the corners.
  if (sides & BF_TOP) FillDevice(p, {r.Left, r.Top, r.Right, r.Top + 1}, lt);
  if (sides & BF_LEFT) FillDevice(p, {r.Left, r.Top, r.Left + 1, r.Bottom}, lt);
  if (sides & BF_BOTTOM) FillDevice(p, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, rb);
  if (sides & BF_RIGHT) FillDevice(p, {r.Right - 1, r.Top, r.Right, r.Bottom}, rb);
  if (sides & BF_LEFT) ++r.Left;
  if (sides & BF_TOP) ++r.Top;
  if (sides & BF_RIGHT) --r.Right;
  if (sides & BF_BOTTOM) --r.Bottom;
}

bool TCanvas::DrawEdge(TRect& rc, unsigned edge, unsigned flags) {
  if (IsRectEmpty(rc)) return false;
  QPainter* p = Begin();
  if (!p) return false;
  TRect r = rc;
  const unsigned sides = flags & BF_RECT;
  const unsigned outer = edge & BDR_OUTER;
  const unsigned inner = edge & BDR_INNER;

  if (outer) {
    TColor lt, rb;
    if (flags & BF_MONO) {
      lt = rb = clWindowFrame;
    } else if (flags & BF_FLAT) {
      lt = rb = clBtnShadow;
    } else if (outer & BDR_RAISEDOUTER) {
      lt = cl3DLight;
      rb = cl3DDkShadow;
    } else {
      lt = clBtnShadow;
      rb = clBtnHighlight;
    }
    EdgeRing(*p, r, sides, lt, rb);
  }
  if (inner && !IsRectEmpty(r)) {
    TColor lt, rb;
    if (flags & BF_MONO) {
      lt = rb = clWindow;
    } else if (flags & BF_FLAT) {
      lt = rb = clBtnFace;
    } else if (inner & BDR_RAISEDINNER) {
      lt = clBtnHighlight;
      rb = clBtnShadow;
    } else {
      lt = cl3DDkShadow;
      rb = cl3DLight;
    }
    EdgeRing(*p, r, sides, lt, rb);
  }
  if (flags & BF_MIDDLE) FillDevice(*p, r, (flags & BF_MONO) ? clWindow : clBtnFace);
  if (flags & BF_ADJUST) rc = r;
  Changed();
  return true;
}

bool TCanvas::DrawFrameControl(const TRect& rc, unsigned type, unsigned state) {
  if (IsRectEmpty(rc)) return false;
  if (type != DFC_SCROLL && type != DFC_CAPTION && type != DFC_BUTTON) return false;
  if (type == DFC_BUTTON && !(state & DFCS_BUTTONPUSH)) return false;
  QPainter* p = Begin();
  if (!p) return false;

  const bool pushed = state & DFCS_PUSHED;
  FillDevice(*p, rc, clBtnFace);
  TRect r = rc;
  if (state & DFCS_FLAT) {
    DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
  } else if (pushed && type == DFC_SCROLL) {
    // A held scroll arrow is flat with a shadow frame.
    DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
  } else {
    DrawEdge(r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
  if (type == DFC_BUTTON) {
    Changed();
    return true;
  }

  char glyph = 0;
  const unsigned kind = state & 0xFF;
  if (type == DFC_SCROLL) {
    constexpr std::array<char, 4> arrows = {'5', '6', '3', '4'};
    if (kind < arrows.size()) glyph = arrows[kind];
  } else {
    constexpr std::array<char, 5> captions = {'r', '0', '1', '2', 's'};
    if (kind < captions.size()) glyph = captions[kind];
  }
  if (glyph) {
    int side = std::min(rc.Width(), rc.Height());
    int cell = type == DFC_SCROLL ? side * 2 / 3 : side - 3;
    TRect g = Bounds((rc.Left + rc.Right - cell) / 2, (rc.Top + rc.Bottom - cell) / 2, cell, cell);
    if (pushed) OffsetRect(g, 1, 1);
    if (state & DFCS_INACTIVE) {
      TRect embossed = g;
      OffsetRect(embossed, 1, 1);
      DrawSymbol(glyph, embossed, clBtnHighlight);
      DrawSymbol(glyph, g, clBtnShadow);
    } else {
      DrawSymbol(glyph, g, clBtnText);
    }
  }
  Changed();
  return true;
}

void TCanvas::DrawSymbol(char glyph, const TRect& cell, TColor color) {
  const int s = std::min(cell.Width(), cell.Height());
  if (s <= 0) return;
  QPainter* p = Begin();
  if (!p) return;
  const int x0 = cell.Left, y0 = cell.Top;
  auto fill = [&](int x, int y, int w, int h) { FillDevice(*p, Bounds(x, y, w, h), color); };

  // Triangles: base b (odd), height (b + 1) / 2.
  const int b = std::max(3, (s * 2 / 3) | 1);
  const int th = (b + 1) / 2;
  // Box glyphs: n x n, lines k thick (2k for title bars and strokes).
  const int n = std::max(3, s * 8 / 11);
  const int k = std::max(1, s / 11);
  const int bx = x0 + (s - n) / 2, by = y0 + (s - n) / 2;

  switch (glyph) {
    case '6': {  // down
      int x = x0 + (s - b) / 2, y = y0 + (s - th) / 2;
      for (int i = 0; i < th; ++i) fill(x + i, y + i, b - 2 * i, 1);
      break;
    }
    case '5': {  // up
      int x = x0 + (s - b) / 2, y = y0 + (s - th) / 2;
      for (int i = 0; i < th; ++i) fill(x + i, y + th - 1 - i, b - 2 * i, 1);
      break;
    }
    case '4': {  // right
      int x = x0 + (s - th) / 2, y = y0 + (s - b) / 2;
      for (int i = 0; i < th; ++i) fill(x + i, y + i, 1, b - 2 * i);
      break;
    }
    case '3': {  // left
      int x = x0 + (s - th) / 2, y = y0 + (s - b) / 2;
      for (int i = 0; i < th; ++i) fill(x + th - 1 - i, y + i, 1, b - 2 * i);
      break;
    }
    case 'r': {  // cross of 2k-pixel strokes, len + 2k - 1 wide, len high
      int len = std::max(2, n - 2 * k);
      int w = len + 2 * k - 1;
      int x = x0 + (s - w) / 2, y = y0 + (s - len) / 2;
      for (int i = 0; i < len; ++i) {
        fill(x + i, y + i, 2 * k, 1);
        fill(x + len - 1 - i, y + i, 2 * k, 1);
      }
      break;
    }
    case '0':  // minimise: a bar at the bottom
      fill(bx, by + n - 2 * k, n - 1, 2 * k);
      break;
    case '1':  // maximise: a window with a thick title line
      fill(bx, by, n, 2 * k);
      fill(bx, by + n - k, n, k);
      fill(bx, by, k, n);
      fill(bx + n - k, by, k, n);
      break;
    case '2': {  // restore: two windows, the front one hides the back one
      int m = std::max(3, n - n / 4 - 1);
      QRect front(bx, by + n - m, m, m);
      auto frame = [&](int x, int y, const QRegion& hide) {
        QRegion lines;
        lines += QRect(x, y, m, 2 * k);
        lines += QRect(x, y + m - k, m, k);
        lines += QRect(x, y, k, m);
        lines += QRect(x + m - k, y, k, m);
        for (const QRect& q : lines - hide) fill(q.x(), q.y(), q.width(), q.height());
      };
      frame(bx + n - m, by, QRegion(front));
      frame(front.x(), front.y(), QRegion());
      break;
    }
    case 's': {  // question mark
      int q = std::max(1, s / 10);
      int w = 5 * q, h = static_cast<int>(kQuestionMark.size()) * q;
      int x = x0 + (s - w) / 2, y = y0 + (s - h) / 2;
      for (std::size_t row = 0; row < kQuestionMark.size(); ++row) {
        for (int col = 0; col < 5; ++col) {
          if (kQuestionMark[row][col] == '#') fill(x + col * q, y + static_cast<int>(row) * q, q, q);
        }
      }
      break;
    }
    default:
      break;
  }
  Changed();
}
