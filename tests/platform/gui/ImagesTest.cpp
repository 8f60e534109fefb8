// Bitmaps, image lists and the compiled-in pictures.

#include <gtest/gtest.h>

#include "platform/gui/Images.h"
#include "platform/gui/Resources.h"
#include "tests/support/gui/GuiSupport.h"

TEST(Resources, EveryNamedPictureExistsWithItsSize) {
  for (const char* name : {"CLOSEBUTTON", "HOTBUTTONPINUP", "HOTBUTTONPINDOWN"}) {
    QImage img = FindResourceBitmap(name);
    ASSERT_FALSE(img.isNull()) << name;
    EXPECT_EQ(img.size(), QSize(14, 13)) << name;
    EXPECT_EQ(QColor(img.pixel(0, 0)), QColor(192, 192, 192)) << name;
    int ink = 0;
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 14; ++x) ink += QColor(img.pixel(x, y)) == QColor(0, 0, 0);
    }
    EXPECT_GT(ink, 10) << name;
  }
  for (const char* name : {"OUTDRAGMOVE", "OUTDRAGCOPY", "OUTNODROP"}) {
    TResourceCursor c = FindResourceCursor(name);
    ASSERT_FALSE(c.Empty()) << name;
    EXPECT_EQ(c.Image.size(), QSize(32, 32)) << name;
    EXPECT_TRUE(c.Image.valid(c.HotSpot.X, c.HotSpot.Y)) << name;
    EXPECT_GT(qAlpha(c.Image.pixel(c.HotSpot.X, c.HotSpot.Y)), 0) << name;
  }
  EXPECT_NE(FindResourceCursor("OUTDRAGMOVE").Image, FindResourceCursor("OUTDRAGCOPY").Image);
  EXPECT_NE(FindResourceBitmap("HOTBUTTONPINUP"), FindResourceBitmap("HOTBUTTONPINDOWN"));
  EXPECT_EQ(ResourceBitmapNames().size(), 3u);
  EXPECT_EQ(ResourceCursorNames().size(), 3u);
}

TEST(Resources, UnknownNamesAreEmptyAndLookupIgnoresCase) {
  EXPECT_TRUE(FindResourceBitmap("NOSUCHBITMAP").isNull());
  EXPECT_TRUE(FindResourceCursor("NOSUCHCURSOR").Empty());
  EXPECT_TRUE(FindResourceBitmap("").isNull());
  EXPECT_FALSE(FindResourceBitmap("closebutton").isNull());
  TBitmap b(5, 5);
  EXPECT_FALSE(b.LoadFromResourceName("NOSUCHBITMAP"));
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(ToQCursor(TResourceCursor{}).shape(), Qt::ArrowCursor);
  EXPECT_EQ(ToQCursor(FindResourceCursor("OUTNODROP")).shape(), Qt::BitmapCursor);
}

TEST(Bitmap, ResizeKeepsContentAndAddsWhite) {
  TBitmap b(2, 2);
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().FillRect({0, 0, 2, 2});
  b.SetSize(4, 3);
  EXPECT_EQ(b.Pixel(1, 1), clRed);
  EXPECT_EQ(b.Pixel(3, 2), clWhite);
  EXPECT_EQ(b.Pixel(4, 0), clNone);
  b.SetWidth(0);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, AssignedCopyIsIndependentOfLaterDrawing) {
  TBitmap a(4, 4), b;
  a.Canvas().Brush().SetColor(clRed);
  a.Canvas().FillRect({0, 0, 4, 4});
  b.Assign(a);
  a.Canvas().Brush().SetColor(clBlue);
  a.Canvas().FillRect({0, 0, 4, 4});
  b.Canvas().SetPixel(0, 0, clLime);
  EXPECT_EQ(b.Pixel(1, 1), clRed);
  EXPECT_EQ(a.Pixel(1, 1), clBlue);
  EXPECT_EQ(a.Pixel(0, 0), clBlue);
  EXPECT_EQ(b.Pixel(0, 0), clLime);
}

TEST(Bitmap, ChangesNotify) {
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TPersistent*) { ++changes; };
  b.SetSize(3, 3);
  EXPECT_EQ(changes, 1);
  b.Canvas().FillRect({0, 0, 1, 1});
  EXPECT_EQ(changes, 2);
  TBitmap other(2, 2);
  b.Assign(other);
  EXPECT_EQ(changes, 3);
}

TEST(ImageList, AddSplitsAStripAndDrawsWithTransparency) {
  TImageList list(4, 4);
  TBitmap strip(8, 4);
  strip.Canvas().Brush().SetColor(clFuchsia);
  strip.Canvas().FillRect({0, 0, 8, 4});
  strip.Canvas().Brush().SetColor(clBlack);
  strip.Canvas().FillRect({1, 1, 3, 3});
  strip.Canvas().FillRect({4, 0, 8, 1});
  EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);

  TBitmap target(10, 10);
  list.Draw(target.Canvas(), 2, 2, 0);
  QImage img = target.Image();
  EXPECT_EQ(CountInside(img, {0, 0, 10, 10}, QColor(0, 0, 0)), 4);
  EXPECT_EQ(BoundsOf(img, QColor(0, 0, 0)), Rect(3, 3, 5, 5));
  list.Draw(target.Canvas(), 0, 0, 7);  // no such image: nothing
  EXPECT_EQ(CountInside(target.Image(), {0, 0, 10, 10}, QColor(0, 0, 0)), 4);
}

TEST(ImageList, DisabledDrawIsGrey) {
  TImageList list(6, 6);
  TBitmap black(6, 6);
  black.Canvas().Brush().SetColor(clBlack);
  black.Canvas().FillRect({0, 0, 6, 6});
  list.Add(black);
  TBitmap target(10, 10);
  list.Draw(target.Canvas(), 1, 1, 0, false);
  QImage img = target.Image();
  EXPECT_EQ(CountInside(img, {0, 0, 10, 10}, QColor(0, 0, 0)), 0);
  EXPECT_EQ(CountInside(img, {1, 1, 7, 7}, Rgb(clBtnShadow)), 36);
}

TEST(ImageList, ChangeLinksHearChangesUntilEitherSideGoes) {
  auto list = std::make_unique<TImageList>(4, 4);
  TChangeLink link;
  int heard = 0;
  link.OnChange = [&](TPersistent* sender) {
    EXPECT_EQ(sender, list.get());
    ++heard;
  };
  list->RegisterChanges(&link);
  EXPECT_EQ(link.Sender(), list.get());
  TBitmap b(4, 4);
  list->Add(b);
  list->Delete(0);
  EXPECT_EQ(heard, 2);
  {
    TChangeLink shortLived;
    list->RegisterChanges(&shortLived);
  }
  list->Add(b);  // the destroyed link left the list
  EXPECT_EQ(heard, 3);
  list.reset();
  EXPECT_EQ(link.Sender(), nullptr);
}
