// Writes header-gallery.png into the build folder for a person to look at:
// the item panel idle, with its cross hot and pressed, and as a pin; the
// header button's variants; header strips, one with its panel dropped down.
// The checks are only that it was drawn and written.

#include <gtest/gtest.h>
#include <QImage>
#include <QString>
#include <string>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutPanel.h"

namespace {

TPanel* Label(TControl& parent, const std::string& caption, TRect bounds) {
  auto* p = new TPanel;
  p->SetParent(&parent);
  p->SetBoundsRect(bounds);
  p->SetBevelOuter(bvNone);
  p->SetAlignment(taLeftJustify);
  p->SetCaption(caption);
  p->Font().SetName("Arial");
  p->Font().SetHeight(-11);
  return p;
}

// The programs' header font.
struct HeaderFont : TFont {
  HeaderFont() {
    SetName("Arial");
    SetHeight(-13);
    SetStyle(fsBold);
  }
};

TGBHeaderPanel* ItemPanel(TControl& parent, TRect bounds) {
  auto* panel = new TGBHeaderPanel;
  panel->SetParent(&parent);
  panel->SetBoundsRect(bounds);
  panel->SetBevelOuter(bvLowered);
  panel->SetCaption("Itens");
  panel->SetButtonDown(true);
  panel->SetHeaderFont(HeaderFont());
  auto* tree = new TPanel;
  tree->SetParent(panel);
  tree->SetAlign(alClient);
  tree->SetBevelOuter(bvNone);
  tree->SetColor(clWindow);
  return panel;
}

TGBHeaderButton* Button(TControl& parent, TRect bounds, const std::string& caption) {
  auto* b = new TGBHeaderButton;
  b->SetParent(&parent);
  b->SetBoundsRect(bounds);
  b->Font().SetName("Arial");
  b->Font().SetHeight(-12);
  b->SetCaption(caption);
  return b;
}

void HoverCaption(FakeGuiServices& services, TGBHeaderButton& b) {
  const TRect r = b.ButtonRect();
  const TPoint p{r.Left + 4, (r.Top + r.Bottom) / 2};
  services.cursorPos = b.ClientToScreen(p);
  b.WMMouseMove(0, p.X, p.Y);
}

}  // namespace

TEST(HeaderGallery, WritesThePanelWidgets) {
  FakeGuiServices services;
  services.cursorPos = {-1000, -1000};
  TPanel sheet;
  sheet.SetBevelOuter(bvNone);
  sheet.SetColor(clBtnFace);
  sheet.SetBounds(0, 0, 800, 520);

  // The item panel: idle, cross hot, cross held, pin.
  const char* titles[] = {"idle", "cross hot", "cross pressed", "pin"};
  TGBHeaderPanel* panels[4];
  for (int i = 0; i < 4; ++i) {
    Label(sheet, titles[i], Bounds(10 + i * 195, 4, 185, 18));
    panels[i] = ItemPanel(sheet, Bounds(10 + i * 195, 24, 185, 150));
  }
  TGBHotButton* cross = panels[1]->HotButton();
  services.cursorPos = cross->ClientToScreen({8, 7});
  cross->WMMouseMove(0, 8, 7);
  cross = panels[2]->HotButton();
  services.cursorPos = cross->ClientToScreen({8, 7});
  cross->WMMouseMove(0, 8, 7);
  cross->WMButtonDown(mbLeft, ssLeft, 8, 7);
  panels[3]->SetPinCaption("Itens fixados");
  panels[3]->SetButtonType(btPin);
  services.cursorPos = {-1000, -1000};

  // Header button variants.
  Label(sheet, "header buttons", Bounds(10, 184, 300, 18));
  TBitmap picture(16, 16);
  picture.Canvas().Brush().SetColor(clSilver);
  picture.Canvas().FillRect({0, 0, 16, 16});
  picture.Canvas().Brush().SetColor(clTeal);
  picture.Canvas().FillRect({2, 3, 14, 13});
  picture.Canvas().Brush().SetColor(clYellow);
  picture.Canvas().FillRect({5, 6, 11, 10});
  int y = 204;
  auto next = [&y] {
    TRect r = Bounds(10, y, 240, 24);
    y += 28;
    return r;
  };
  Button(sheet, next(), "Plain caption");
  TGBHeaderButton* imaged = Button(sheet, next(), "Image on the left");
  imaged->SetBitmap(picture);
  imaged->SetImageAlignment(iaLeft);
  TGBHeaderButton* idle = Button(sheet, next(), "Caption button");
  idle->SetButtonInCaption(true);
  TGBHeaderButton* hot = Button(sheet, next(), "Caption button, hot");
  hot->SetButtonInCaption(true);
  HoverCaption(services, *hot);
  TGBHeaderButton* down = Button(sheet, next(), "Caption button, down");
  down->SetButtonInCaption(true);
  down->SetBitmap(picture);
  down->SetButtonDown(true);
  TGBHeaderButton* split = Button(sheet, next(), "Split, hot");
  split->SetButtonInCaption(true);
  split->SetSeparateArrow(true);
  split->SetArrowFontSize(8);
  HoverCaption(services, *split);
  TGBHeaderButton* splitDown = Button(sheet, next(), "Split, arrow down");
  splitDown->SetButtonInCaption(true);
  splitDown->SetSeparateArrow(true);
  splitDown->SetArrowFontSize(8);
  splitDown->SetArrowButtonDown(true);
  TGBHeaderButton* bottom = Button(sheet, next(), "Arrow at the bottom");
  bottom->SetButtonInCaption(true);
  bottom->SetArrowAlignment(aaBottom);
  bottom->SetInsetButton(true);
  bottom->SetButtonDown(true);
  TGBHeaderButton* narrow = Button(sheet, Bounds(10, y, 120, 24), "A caption far too long to fit");
  narrow->SetButtonInCaption(true);
  services.cursorPos = {-1000, -1000};

  // Header strips: solid with a border band, and a gradient one whose panel
  // is dropped down.
  Label(sheet, "header strips", Bounds(300, 184, 300, 18));
  auto* solid = new TGBCustomOutHeader;
  solid->SetParent(&sheet);
  solid->SetBounds(300, 204, 300, 30);
  solid->SetCaption("Strip");
  solid->SetBorderSize(2);
  solid->SetBorderColor(clNavy);
  solid->RightButton()->SetCaption("Right");
  solid->LeftButton()->SetButtonInCaption(true);

  auto* strip = new TGBCustomOutHeader;
  strip->SetParent(&sheet);
  strip->SetBounds(300, 244, 300, 30);
  strip->SetHeaderBackgroundMode(bkmGradientVert);
  strip->SetHeaderGradientBegin(clTeal);
  strip->SetHeaderGradientEnd(clPurple);
  strip->Font().SetColor(clWhite);
  strip->SetCaption("Itens");
  strip->RightButton()->Font().SetColor(clWhite);
  strip->RightButton()->SetCaption("Gradient");
  auto* dock = new TPanel;
  dock->SetParent(&sheet);
  dock->SetBounds(620, 204, 170, 300);
  TGBHeaderPanel* dropped = ItemPanel(*dock, Bounds(0, 0, 170, 200));
  dropped->SetAlign(alLeft);
  dropped->Hide();
  strip->SetHostedPanel(dropped);
  strip->SetButtonDown(true);

  QImage image = Snap(sheet);
  QString path = QStringLiteral(TQ_BINARY_DIR "/header-gallery.png");
  ASSERT_TRUE(image.save(path)) << path.toStdString();
  EXPECT_EQ(QImage(path).size(), QSize(800, 520));
  EXPECT_TRUE(dropped->Visible());
  EXPECT_TRUE(RecordedExceptions().empty());
  cross->WMButtonUp(mbLeft, 0, 100, 100);
}
