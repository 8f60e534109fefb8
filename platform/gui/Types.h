#pragma once
// Points, sizes and rectangles in the GDI shape: a rectangle's right and
// bottom edges are exclusive, so (2, 2, 5, 5) covers 3 x 3 pixels. Qt-free,
// so that plain state code (layouts, hit tests) can use it.

#include <cstdint>

struct TPoint {
  int X = 0;
  int Y = 0;

  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;

  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }

  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) {
  return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
  return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
inline int RectWidth(const TRect& r) {
  return r.Right - r.Left;
}
inline int RectHeight(const TRect& r) {
  return r.Bottom - r.Top;
}

// True when the rectangle covers no pixel (zero or negative width or height).
inline bool IsRectEmpty(const TRect& r) {
  return r.Right <= r.Left || r.Bottom <= r.Top;
}
inline bool EqualRect(const TRect& a, const TRect& b) {
  return a == b;
}
inline bool PtInRect(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Top -= dy;
  r.Right += dx;
  r.Bottom += dy;
}
inline void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Top += dy;
  r.Right += dx;
  r.Bottom += dy;
}
inline void SetRect(TRect& r, int left, int top, int right, int bottom) {
  r = {left, top, right, bottom};
}
inline void SetRectEmpty(TRect& r) {
  r = {};
}

// dst := a intersected with b; an empty result becomes (0, 0, 0, 0) and
// gives false.
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
// dst := the smallest rectangle holding both; empty inputs are ignored.
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);
// dst := a less b, where b cuts a only when it spans a completely in one
// direction and so leaves a rectangle; otherwise dst := a. False when the
// result is empty.
bool SubtractRect(TRect& dst, const TRect& a, const TRect& b);

// a * b / c rounded half away from zero, in 64 bits; -1 when c is 0.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t p = static_cast<std::int64_t>(a) * b;
  bool negative = (p < 0) != (c < 0);
  std::int64_t ap = p < 0 ? -p : p;
  std::int64_t ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
  std::int64_t q = (ap + ac / 2) / ac;
  return static_cast<int>(negative ? -q : q);
}
