// The GUI test main and the paint path a control takes: a canvas bound to
// the widget's painter in its paint event.

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

#include "platform/gui/Canvas.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class Painted : public QWidget {
public:
  Painted() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(40, 30);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    TCanvasBinding bound(c, painter);
    c.Brush().SetColor(clBtnFace);
    c.FillRect({0, 0, width(), height()});
    TRect r{0, 0, width(), height()};
    c.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
    c.Brush().SetColor(clNavy);
    c.FillRect({10, 10, 13, 12});
  }

private:
  TCanvas c;  // kept across paints, as a control keeps its canvas
};

}  // namespace

TEST(Harness, RunsOffscreenWithThePinnedFormats) {
  if (qEnvironmentVariable("QT_QPA_PLATFORM") == "offscreen") {
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
  }
  EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
  EXPECT_EQ(FormatSettings().ThousandSeparator, '.');
  EXPECT_EQ(FormatSettings().CurrencyString, "R$");
}

TEST(Harness, SnapShowsWhatTheCanvasPaintedInThePaintEvent) {
  Painted w;
  QImage img = Snap(w);
  ASSERT_EQ(img.size(), QSize(40, 30));
  EXPECT_EQ(PixelAt(img, 20, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(img, 20, 29), Rgb(clBtnHighlight));
  EXPECT_EQ(PixelAt(img, 20, 15), Rgb(clBtnFace));
  EXPECT_EQ(BoundsOf(img, Rgb(clNavy)), Rect(10, 10, 13, 12));
  EXPECT_EQ(Snap(w), img);  // the kept canvas binds again on the next paint
}
