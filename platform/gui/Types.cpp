#include "platform/gui/Types.h"

#include <algorithm>

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (IsRectEmpty(r)) {
    dst = {};
    return false;
  }
  dst = r;
  return true;
}

bool UnionRect(TRect& dst, const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) {
    dst = IsRectEmpty(b) ? TRect{} : b;
  } else if (IsRectEmpty(b)) {
    dst = a;
  } else {
    dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
  }
  return !IsRectEmpty(dst);
}

bool SubtractRect(TRect& dst, const TRect& a, const TRect& b) {
  TRect r = a;
  TRect cut;
  if (!IsRectEmpty(a) && IntersectRect(cut, a, b)) {
    bool spansX = cut.Left == a.Left && cut.Right == a.Right;
    bool spansY = cut.Top == a.Top && cut.Bottom == a.Bottom;
    if (spansX && spansY) {
      r = {};
    } else if (spansX) {
      if (cut.Top == a.Top) {
        r.Top = cut.Bottom;
      } else if (cut.Bottom == a.Bottom) {
        r.Bottom = cut.Top;
      }
    } else if (spansY) {
      if (cut.Left == a.Left) {
        r.Left = cut.Right;
      } else if (cut.Right == a.Right) {
        r.Right = cut.Left;
      }
    }
  }
  if (IsRectEmpty(r)) {
    dst = {};
    return false;
  }
  dst = r;
  return true;
}
