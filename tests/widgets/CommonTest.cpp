// Gradient bands by pixels, horizontal centring, the error routines and the
// cursor loader.

#include <gtest/gtest.h>

#include "platform/gui/Images.h"
#include "platform/rtl/Exceptions.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutCommon.h"
#include "widgets/gbOutConst.h"

namespace {

// Red of each row (Vertical) or column of a bitmap painted from white.
std::vector<int> Reds(const TBitmap& b, bool vertical) {
  std::vector<int> reds;
  int n = vertical ? b.Height() : b.Width();
  for (int i = 0; i < n; ++i) {
    TColor c = vertical ? b.Pixel(3, i) : b.Pixel(i, 3);
    reds.push_back(c == clWhite ? -1 : GetRValue(c));
  }
  return reds;
}

}  // namespace

TEST(Gradient, BlackToBlackIsOneBandOneHundredAndOnePixelsThick) {
  TBitmap b(8, 104);
  DrawGradient(b.Canvas(), 8, 100, clBlack, clBlack, true);
  std::vector<int> reds = Reds(b, true);
  for (int y = 0; y <= 100; ++y) EXPECT_EQ(b.Pixel(3, y), clBlack) << y;
  EXPECT_EQ(reds[101], -1);
}

TEST(Gradient, BlackToRedOverOneHundredRowsGivesOnePixelBands) {
  TBitmap b(8, 103);
  DrawGradient(b.Canvas(), 8, 100, RGB(0, 0, 0), RGB(255, 0, 0), true);
  std::vector<int> reds = Reds(b, true);
  // S = 255, h = 1: row y carries y * 255 div 100, the last band starts at 100.
  for (int y = 0; y <= 100; ++y) EXPECT_EQ(reds[y], y * 255 / 100) << y;
  EXPECT_EQ(reds[101], -1);
  EXPECT_EQ(b.Pixel(7, 50), RGB(127, 0, 0));
}

TEST(Gradient, TenStepsGiveElevenTenPixelBands) {
  TBitmap b(8, 112);
  DrawGradient(b.Canvas(), 8, 100, RGB(0, 0, 0), RGB(10, 0, 0), true);
  std::vector<int> reds = Reds(b, true);
  for (int y = 0; y < 110; ++y) EXPECT_EQ(reds[y], y / 10) << y;
  EXPECT_EQ(reds[110], -1);
}

TEST(Gradient, HorizontalBandsRunLeftToRight) {
  TBitmap b(103, 8);
  DrawGradient(b.Canvas(), 100, 8, RGB(0, 0, 0), RGB(255, 0, 0), false);
  std::vector<int> reds = Reds(b, false);
  for (int x = 0; x <= 100; ++x) EXPECT_EQ(reds[x], x * 255 / 100) << x;
  EXPECT_EQ(reds[101], -1);
  // Falling channels: from blue down to black.
  TBitmap d(60, 4);
  DrawGradient(d.Canvas(), 50, 4, RGB(0, 0, 200), clBlack, false);
  // S = 200, h = 50 div 201 + 1 = 1: column x has 200 + x * (-200) div 50.
  for (int x = 0; x <= 50; ++x) EXPECT_EQ(d.Pixel(x, 0), RGB(0, 0, 200 - x * 4)) << x;
}

TEST(Gradient, NoExtentPaintsNothing) {
  TBitmap b(20, 20);
  DrawGradient(b.Canvas(), 20, 0, clRed, clBlue, true);
  DrawGradient(b.Canvas(), -5, 20, clRed, clBlue, false);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(b.Pixel(x, y), clWhite);
  }
}

TEST(Gradient, SystemColoursArePlainColoursFirst) {
  TBitmap b(4, 4);
  DrawGradient(b.Canvas(), 4, 4, clBtnFace, clBtnFace, true);
  EXPECT_EQ(b.Pixel(0, 0), RGB(212, 208, 200));
}

TEST(CenterRectHorz, KeepsWidthTopAndBottom) {
  TRect r{0, 3, 5, 9};
  CenterRectHorz(r, {0, 0, 10, 10});
  EXPECT_EQ(r, (TRect{2, 3, 7, 9}));
  r = {0, 0, 5, 1};
  CenterRectHorz(r, {0, 0, 2, 2});
  EXPECT_EQ(r, (TRect{-1, 0, 4, 1}));
  EXPECT_EQ(MaxOf3(3, -7, 2), 3);
  EXPECT_EQ(MaxOf3(-3, -7, -2), -2);
}

TEST(OutErrors, FormatAndRaiseThePlainException) {
  try {
    RaiseOutErrorFmt(SInvalidActiveGroupIndex, {0, 1});
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid ActiveGroupIndex value. Value must be between 0 and 1");
  }
  try {
    RaiseOutError(SInvalidViewStyle);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid view style");
  }
}

TEST(OutErrors, AMissingCursorRaises) {
  try {
    LoadOutCursor("NOSUCHCURSOR");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Error loading cursor");
  }
  QCursor move = LoadOutCursor("OUTDRAGMOVE");
  EXPECT_FALSE(move.pixmap().isNull());
}
