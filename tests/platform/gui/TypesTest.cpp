// Rectangle helpers with exclusive right and bottom edges.

#include <gtest/gtest.h>

#include "platform/gui/QtTypes.h"
#include "platform/gui/Types.h"

TEST(Rect, ConversionsKeepTheExclusiveEdges) {
  TRect r{2, 3, 7, 11};
  QRect q = ToQRect(r);
  EXPECT_EQ(q.width(), 5);
  EXPECT_EQ(q.height(), 8);
  EXPECT_EQ(FromQRect(q), r);
  EXPECT_EQ(Bounds(2, 3, 5, 8), r);
}

TEST(Rect, PointsOnTheRightAndBottomEdgesAreOutside) {
  TRect r{0, 0, 10, 5};
  EXPECT_TRUE(PtInRect(r, {0, 0}));
  EXPECT_TRUE(PtInRect(r, {9, 4}));
  EXPECT_FALSE(PtInRect(r, {10, 4}));
  EXPECT_FALSE(PtInRect(r, {9, 5}));
  EXPECT_TRUE(IsRectEmpty({3, 3, 3, 9}));
  EXPECT_TRUE(IsRectEmpty({5, 5, 2, 9}));
}

TEST(Rect, IntersectAndSubtract) {
  TRect out;
  EXPECT_TRUE(IntersectRect(out, {0, 0, 10, 10}, {5, 5, 20, 20}));
  EXPECT_EQ(out, Rect(5, 5, 10, 10));
  EXPECT_FALSE(IntersectRect(out, {0, 0, 10, 10}, {10, 0, 20, 10}));  // touching only
  EXPECT_EQ(out, TRect{});

  EXPECT_TRUE(SubtractRect(out, {0, 0, 10, 10}, {0, 0, 10, 4}));
  EXPECT_EQ(out, Rect(0, 4, 10, 10));
  EXPECT_TRUE(SubtractRect(out, {0, 0, 10, 10}, {6, -5, 20, 20}));
  EXPECT_EQ(out, Rect(0, 0, 6, 10));
  // A cut in the middle leaves no rectangle: the source stays whole.
  EXPECT_TRUE(SubtractRect(out, {0, 0, 10, 10}, {3, 3, 6, 6}));
  EXPECT_EQ(out, Rect(0, 0, 10, 10));
  EXPECT_FALSE(SubtractRect(out, {0, 0, 10, 10}, {-1, -1, 11, 11}));
}

TEST(Rect, InflateAndOffset) {
  TRect r{2, 2, 5, 5};
  InflateRect(r, 1, 2);
  EXPECT_EQ(r, Rect(1, 0, 6, 7));
  OffsetRect(r, -1, 3);
  EXPECT_EQ(r, Rect(0, 3, 5, 10));
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(8, 96, 72), 11);  // 10.67
  EXPECT_EQ(MulDiv(6, 96, 72), 8);
  EXPECT_EQ(MulDiv(-11, 72, 96), -8);  // -8.25
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}
