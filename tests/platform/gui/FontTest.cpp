// Fonts: pixel sizes at 96 DPI and the family stand-ins.

#include <gtest/gtest.h>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>

#include "platform/gui/Graphics.h"

TEST(Font, HeightMinus13IsThirteenPixelTextWhateverTheDpi) {
  TFont f;
  f.SetName("Arial");
  f.SetHeight(-13);
  QFont q = f.ToQFont();
  EXPECT_EQ(q.pixelSize(), 13);
  EXPECT_EQ(QFontInfo(q).pixelSize(), 13);

  QImage at96(10, 10, QImage::Format_RGB32), at192(10, 10, QImage::Format_RGB32);
  at96.setDotsPerMeterX(3780);  // 96 DPI
  at96.setDotsPerMeterY(3780);
  at192.setDotsPerMeterX(7559);  // 192 DPI
  at192.setDotsPerMeterY(7559);
  QFontMetrics m96(q, &at96), m192(q, &at192);
  EXPECT_EQ(m96.height(), m192.height());
  EXPECT_EQ(m96.ascent(), m192.ascent());
  EXPECT_EQ(m96.horizontalAdvance("Tallora"), m192.horizontalAdvance("Tallora"));
}

TEST(Font, PointsConvertAt96Dpi) {
  TFont f;
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetSize(8);
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(6);
  EXPECT_EQ(f.Height(), -8);
}

TEST(Font, WindowsFamiliesResolveToMetricCompatibleOnes) {
  EXPECT_EQ(ResolveFontFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("MS Sans Serif"), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("Courier New"), "Liberation Mono");
  EXPECT_EQ(ResolveFontFamily("Times New Roman"), "Liberation Serif");
  TFont f;
  f.SetName("Arial");
  EXPECT_EQ(QFontInfo(f.ToQFont()).family(), "Liberation Sans");
}

TEST(Font, SymbolFontIsNeverHandedToQt) {
  TFont f;
  f.SetName("Marlett");
  EXPECT_TRUE(f.IsSymbolFont());
  EXPECT_FALSE(f.ToQFont().families().contains("Marlett"));
}

TEST(Font, ChangesNotifyAndAssignCopiesEverything) {
  TFont a, b;
  int changes = 0;
  b.OnChange = [&](TPersistent* sender) {
    EXPECT_EQ(sender, &b);
    ++changes;
  };
  a.SetName("Courier New");
  a.SetHeight(-20);
  a.SetStyle(fsBold | fsItalic);
  a.SetColor(clRed);
  b.Assign(a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Name(), "Courier New");
  EXPECT_EQ(b.Height(), -20);
  EXPECT_EQ(b.Style(), fsBold | fsItalic);
  EXPECT_EQ(b.Color(), clRed);
  b.SetColor(clRed);  // unchanged: no notification
  EXPECT_EQ(changes, 1);
  QFont q = b.ToQFont();
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(q.italic());
}

TEST(Colour, SystemColoursUseTheFixedPalette) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
  EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
  EXPECT_EQ(ColorToRGB(clBlue), 0xFF0000u);
  QColor navy = ToQColor(0x800000);
  EXPECT_EQ(navy, QColor(0, 0, 128));
}
