// The painted background: colour, gradients, centred, stretched and tiled
// pictures, and which property changes repaint.

#include <gtest/gtest.h>
#include <QApplication>
#include <QPainter>
#include <QTest>

#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutBar.h"

namespace {

class CountingList : public TCustomGBListViewEx {
public:
  CountingList() {
    SetBorderStyle(bsNone);
    SetBounds(0, 0, 60, 40);
    SetColor(clTeal);
  }
  void Paint() override {
    ++paints;
    TCustomGBListViewEx::Paint();
  }
  int paints = 0;
};

// A picture whose every pixel differs from its neighbours.
void Pattern(TBitmap& b, int w, int h) {
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(x * 15, y * 15, 99));
  }
}

int PaintsAfter(CountingList& list, const std::function<void()>& change) {
  QApplication::processEvents();
  list.paints = 0;
  change();
  QApplication::processEvents();
  return list.paints;
}

}  // namespace

TEST(ListViewEx, AStretchedEmptyPictureLeavesTheColour) {
  CountingList list;
  list.SetBackgroundMode(bkmStretch);
  QImage image = Snap(list);
  EXPECT_EQ(CountInside(image, {0, 0, 60, 40}, Rgb(clTeal)), 60 * 40);
}

TEST(ListViewEx, AVerticalGradientNeedsNoPicture) {
  CountingList list;
  list.SetGradientBeginColor(RGB(0, 0, 0));
  list.SetGradientEndColor(RGB(0, 0, 40));
  list.SetBackgroundMode(bkmGradientVert);
  QImage image = Snap(list);
  // S = 40, bands of 40 div 41 + 1 = 1 row: row y has blue y.
  for (int y = 0; y < 40; ++y) {
    EXPECT_EQ(PixelAt(image, 0, y), QColor(0, 0, y)) << y;
    EXPECT_EQ(PixelAt(image, 59, y), QColor(0, 0, y)) << y;
  }
  list.SetBackgroundMode(bkmGradientHorz);
  image = Snap(list);
  // S = 40, bands of 60 div 41 + 1 = 2 columns: column x has blue (x div 2) * 80 div 60.
  for (int x = 0; x < 60; ++x) EXPECT_EQ(PixelAt(image, x, 20), QColor(0, 0, (x / 2) * 80 / 60)) << x;
}

TEST(ListViewEx, GradientColoursRepaintOnlyWhileAGradientShows) {
  CountingList list;
  TBitmap picture;
  Pattern(picture, 10, 10);
  list.SetBackground(picture);
  list.SetBackgroundMode(bkmCenter);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  EXPECT_EQ(PaintsAfter(list, [&] { list.SetGradientBeginColor(clRed); }), 0);
  EXPECT_EQ(PaintsAfter(list, [&] { list.SetGradientEndColor(clYellow); }), 0);
  EXPECT_GT(PaintsAfter(list, [&] { list.SetBackgroundMode(bkmGradientHorz); }), 0);
  EXPECT_EQ(PixelAt(Snap(list), 0, 5), Rgb(clRed));
  EXPECT_GT(PaintsAfter(list, [&] { list.SetGradientBeginColor(clLime); }), 0);
  EXPECT_EQ(PixelAt(Snap(list), 0, 5), Rgb(clLime));
}

TEST(ListViewEx, ANewPictureRepaintsAtOnce) {
  CountingList list;
  list.SetBackgroundMode(bkmStretch);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  TBitmap picture(4, 4);
  picture.Canvas().Brush().SetColor(clYellow);
  picture.Canvas().FillRect({0, 0, 4, 4});
  EXPECT_GT(PaintsAfter(list, [&] { list.SetBackground(picture); }), 0);
  EXPECT_EQ(CountInside(Snap(list), {0, 0, 60, 40}, Rgb(clYellow)), 60 * 40);
  // A change drawn into the picture itself repaints too.
  EXPECT_GT(PaintsAfter(list, [&] { list.Background().SetPixel(0, 0, clRed); }), 0);
}

TEST(ListViewEx, ACentredPictureSitsInTheMiddleOnTheColour) {
  CountingList list;
  TBitmap picture;
  Pattern(picture, 10, 10);
  list.SetBackground(picture);
  list.SetBackgroundMode(bkmCenter);
  QImage image = Snap(list);
  EXPECT_EQ(PixelAt(image, 25, 15), QColor(0, 0, 99));
  EXPECT_EQ(PixelAt(image, 34, 24), QColor(9 * 15, 9 * 15, 99));
  EXPECT_EQ(PixelAt(image, 24, 15), Rgb(clTeal));
  EXPECT_EQ(PixelAt(image, 35, 24), Rgb(clTeal));
}

TEST(ListViewEx, TilesCoverTheWidenedUpdateRectangle) {
  CountingList list;
  TBitmap tile;
  Pattern(tile, 16, 16);
  list.SetBackground(tile);
  list.SetBackgroundMode(bkmTile);
  QImage target(60, 40, QImage::Format_RGB32);
  target.fill(Qt::white);
  {
    QPainter painter(&target);
    TCanvasBinding bound(list.Canvas(), painter);
    list.PaintBackground({0, 0, 40, 20});
    // The clip is given back.
    EXPECT_EQ(list.Canvas().ClipRect(), (TRect{0, 0, 60, 40}));
  }
  auto tilePixel = [&](int x, int y) { return ToQColor(tile.Pixel(x % 16, y % 16)); };
  EXPECT_EQ(PixelAt(target, 16, 0), ToQColor(tile.Pixel(0, 0)));
  for (int y = 0; y <= 20; ++y) {
    for (int x = 0; x <= 40; ++x) ASSERT_EQ(PixelAt(target, x, y), tilePixel(x, y)) << x << "," << y;
  }
  EXPECT_EQ(PixelAt(target, 41, 0), QColor(Qt::white));
  EXPECT_EQ(PixelAt(target, 0, 21), QColor(Qt::white));
}

TEST(ListViewEx, NoModeOrAnEmptyPicturePaintsTheColour) {
  CountingList list;
  TBitmap picture;
  Pattern(picture, 8, 8);
  for (TBackgroundModeGlobal mode : {bkmNone, bkmCenter, bkmTile}) {
    list.SetBackgroundMode(mode);
    if (mode == bkmNone) list.SetBackground(picture);
    if (mode != bkmNone) list.SetBackground(TBitmap());
    EXPECT_EQ(CountInside(Snap(list), {0, 0, 60, 40}, Rgb(clTeal)), 60 * 40) << mode;
  }
}
