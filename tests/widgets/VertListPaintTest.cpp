// What the vertical list draws: the hot item's frame, raised and sunken, the
// highlight, captions inside their labels, and the programs' toolbars clear
// of the spot their windows keep for the About press.

#include <gtest/gtest.h>
#include <QFontInfo>
#include <QFontMetrics>

#include "tests/support/gui/GuiSupport.h"
#include "tests/widgets/VertListFixture.h"

namespace {

struct Painted : VertListFixture {
  Painted(std::initializer_list<const char*> captions) : VertListFixture(captions) {
    list->SetColor(clTeal);
    list->Font().SetColor(clLime);
  }
};

}  // namespace

TEST(VertListPaint, TheHotItemIsFramedRaisedAndSunkenWhilePressed) {
  Painted p({"Novo", "Abrir", "Salvar"});
  p.list->SetHotItem(p.list->Items()[1]);
  const TRect r = p.list->ItemRect(p.list->Items()[1]);
  // The frame runs a pixel outside the image's 32 x 32 square.
  const TRect icon = p.list->Items()[1]->DisplayRect(drIcon);
  EXPECT_EQ(r, (TRect{icon.Left + 1, icon.Top + 1, icon.Left + 35, icon.Top + 35}));
  QImage image = Snap(*p.list);
  const QColor silver = Rgb(clSilver), black = Rgb(clBlack);
  EXPECT_EQ(PixelAt(image, r.Left, r.Top), silver);
  EXPECT_EQ(PixelAt(image, r.Left, r.Bottom - 1), silver);
  EXPECT_EQ(PixelAt(image, r.Right - 1, r.Top), silver);
  EXPECT_EQ(PixelAt(image, r.Right, r.Top), black);
  EXPECT_EQ(PixelAt(image, r.Right, r.Bottom), black);
  EXPECT_EQ(PixelAt(image, r.Left, r.Bottom), black);
  // The whole ring, and nothing else in silver.
  const int ring = 2 * (r.Width() + 1) + 2 * (r.Height() - 1);
  EXPECT_EQ(CountInside(image, {r.Left, r.Top, r.Right + 1, r.Bottom + 1}, silver) +
                CountInside(image, {r.Left, r.Top, r.Right + 1, r.Bottom + 1}, black),
            ring);
  EXPECT_EQ(CountOutside(image, {r.Left, r.Top, r.Right + 1, r.Bottom + 1}, silver), 0);

  TPoint c = p.Centre(icon);
  p.list->WMButtonDown(mbLeft, ssLeft, c.X, c.Y);
  image = Snap(*p.list);
  EXPECT_EQ(PixelAt(image, r.Left, r.Top), black);
  EXPECT_EQ(PixelAt(image, r.Left, r.Bottom - 1), black);
  EXPECT_EQ(PixelAt(image, r.Right, r.Top), silver);
  EXPECT_EQ(PixelAt(image, r.Right, r.Bottom), silver);
  p.list->WMButtonUp(mbLeft, 0, c.X, c.Y);
  EXPECT_EQ(PixelAt(Snap(*p.list), r.Left, r.Top), silver);
}

TEST(VertListPaint, NoHotItemNoFrame) {
  Painted p({"Novo", "Abrir"});
  QImage image = Snap(*p.list);
  EXPECT_EQ(CountInside(image, {0, 0, 109, 454}, Rgb(clSilver)), 0);
}

TEST(VertListPaint, HighlightSelectionFillsTheHotItem) {
  Painted p({"Novo", "Abrir"});
  p.list->SetHighlightSelection(true);
  p.list->SetHighlightColor(clYellow);
  p.list->SetHotItem(p.list->Items()[0]);
  const TRect r = p.list->ItemRect(p.list->Items()[0]);
  QImage image = Snap(*p.list);
  // White and black ring, yellow inside where the image leaves room.
  EXPECT_EQ(PixelAt(image, r.Left, r.Top), Rgb(clWhite));
  EXPECT_EQ(PixelAt(image, r.Right, r.Bottom), Rgb(clBlack));
  EXPECT_EQ(PixelAt(image, r.Left + 1, r.Top + 1), Rgb(clYellow));
  EXPECT_EQ(PixelAt(image, r.Right - 1, r.Bottom - 1), Rgb(clYellow));
  EXPECT_EQ(CountOutside(image, {r.Left + 1, r.Top + 1, r.Right, r.Bottom}, Rgb(clYellow)), 0);
  // The image is drawn over the fill.
  EXPECT_LT(CountInside(image, r, Rgb(clYellow)), (r.Width() - 1) * (r.Height() - 1));
}

TEST(VertListPaint, CaptionsStayInsideTheirLabels) {
  Painted p({"Relatório anual de custos e receitas do plano de manejo florestal", "Abrir"});
  p.list->SetWrapLineCount(2);
  const TRect label = p.list->Items()[0]->DisplayRect(drLabel);
  QImage image = Snap(*p.list);
  const QColor text = Rgb(clLime);
  EXPECT_GT(CountInside(image, label, text), 0);
  TRect second = p.list->Items()[1]->DisplayRect(drLabel);
  EXPECT_GT(CountInside(image, second, text), 0);
  EXPECT_EQ(CountInside(image, label, text) + CountInside(image, second, text),
            CountInside(image, {0, 0, 109, 454}, text));
  // Both lines of the first caption are drawn.
  EXPECT_GT(CountInside(image, {label.Left, label.Top, label.Right, label.Top + p.Line()}, text), 0);
  EXPECT_GT(CountInside(image, {label.Left, label.Top + p.Line(), label.Right, label.Bottom}, text), 0);
}

TEST(VertListPaint, ItemsSitOnThePaintedBackground) {
  Painted p({"Novo"});
  p.list->SetGradientBeginColor(RGB(0, 100, 0));
  p.list->SetGradientEndColor(RGB(0, 100, 0));
  p.list->SetBackgroundMode(bkmGradientVert);
  QImage image = Snap(*p.list);
  EXPECT_EQ(PixelAt(image, 0, 0), QColor(0, 100, 0));
  EXPECT_EQ(PixelAt(image, 108, 453), QColor(0, 100, 0));
  // The image's transparent corner shows the background.
  TRect icon = p.list->Items()[0]->DisplayRect(drIcon);
  EXPECT_EQ(PixelAt(image, icon.Left + 2, icon.Top + 2), QColor(0, 100, 0));
  EXPECT_NE(PixelAt(image, icon.Left + 18, icon.Top + 18), QColor(0, 100, 0));
}

namespace {

// The main windows' toolbar: six items, 32-pixel images, ItemSpace 10, bold
// captions on one line.
struct Toolbar : VertListFixture {
  explicit Toolbar(int fontHeight)
      : VertListFixture({"Novo", "Abrir", "Salvar", "Salvar Como", "Imprimir", "Ocultar Itens"}, 454) {
    list->Font().SetName("Arial");
    list->Font().SetHeight(fontHeight);
    list->Font().SetStyle(fsBold);
    list->SetColor(clGray);
  }
  // The lowest row any item reaches: its bounds' bottom, exclusive.
  int Lowest() { return Bounds(5).Bottom; }
  // No pixel below `row` differs from the background.
  bool ClearBelow(int row) {
    QImage image = Snap(*list);
    return CountInside(image, {0, row, 109, 454}, Rgb(clGray)) == 109 * (454 - row);
  }
};

}  // namespace

TEST(VertListToolbar, TalloraKeepsTheAboutSpotFree) {
  Toolbar t(-13);
  EXPECT_EQ(QFontInfo(t.list->Font().ToQFont()).family(), "Liberation Sans");
  const int line = QFontMetrics(t.list->Font().ToQFont()).height();
  EXPECT_EQ(t.Lowest(), 283 + 6 * line);
  EXPECT_LE(t.Lowest(), 401);
  EXPECT_TRUE(t.ClearBelow(401));
  for (int x = 0; x < 109; ++x) ASSERT_EQ(t.list->HitTest(x, 401), -1) << x;
}

TEST(VertListToolbar, QuorvaKeepsTheAboutSpotFree) {
  Toolbar t(-11);
  const int line = QFontMetrics(t.list->Font().ToQFont()).height();
  EXPECT_EQ(t.Lowest(), 283 + 6 * line);
  EXPECT_LE(t.Lowest(), 386);
  EXPECT_TRUE(t.ClearBelow(386));
  for (int x = 0; x < 109; ++x) ASSERT_EQ(t.list->HitTest(x, 386), -1) << x;
}
