// Writes widgets-gallery.png into the build folder for a person to look at:
// the programs' toolbar list with a stretched picture (a hot item, a pressed
// item), a list with a highlighted hot item and wrapped captions, the scroll
// buttons raised, pushed and disabled, and a list in each background mode.
// The checks are only that it was drawn and written.

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>

#include "platform/gui/ExtCtrls.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/widgets/Icons.h"
#include "widgets/gbOutBar.h"

namespace {

TPanel* Label(TControl& parent, const std::string& caption, TRect bounds) {
  auto* p = new TPanel;
  p->SetParent(&parent);
  p->SetBoundsRect(bounds);
  p->SetBevelOuter(bvNone);
  p->SetCaption(caption);
  p->Font().SetName("Arial");
  p->Font().SetHeight(-12);
  p->Font().SetStyle(fsBold);
  return p;
}

TGBVertListView* Toolbar(TControl& parent, TImageList& images, const TBitmap& picture, TRect bounds, int fontHeight,
                         const std::vector<std::string>& captions) {
  auto* list = new TGBVertListView;
  list->SetParent(&parent);
  list->SetBorderStyle(bsNone);
  list->SetBoundsRect(bounds);
  list->SetColor(clGray);
  list->Font().SetName("Arial");
  list->Font().SetHeight(fontHeight);
  list->Font().SetStyle(fsBold);
  list->Font().SetColor(clWhite);
  list->SetLargeImages(&images);
  list->SetBackground(picture);
  list->SetBackgroundMode(bkmStretch);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    TListItem* item = list->Items().Add();
    item->SetCaption(captions[i]);
    item->SetImageIndex(static_cast<int>(i % 6));
  }
  return list;
}

}  // namespace

TEST(Gallery, WritesTheWidgets) {
  TPanel sheet;
  sheet.SetBevelOuter(bvNone);
  sheet.SetColor(clBtnFace);
  sheet.SetBounds(0, 0, 800, 520);

  TImageList images(32, 32);
  test_icons::AddToolbarIcons(images);
  TBitmap picture;
  picture.SetImage(test_icons::TealPurplePicture(64, 256));
  const std::vector<std::string> toolbar = {"Novo", "Abrir", "Salvar", "Salvar Como", "Imprimir", "Ocultar Itens"};

  // The programs' toolbars: a hot item (Tallora's fonts), a pressed one
  // (Quorva's).
  Label(sheet, "hot", Bounds(10, 6, 109, 22));
  TGBVertListView* hot = Toolbar(sheet, images, picture, Bounds(10, 30, 109, 454), -13, toolbar);
  hot->SetHotItem(hot->Items()[1]);
  Label(sheet, "pressed", Bounds(129, 6, 109, 22));
  TGBVertListView* pressed = Toolbar(sheet, images, picture, Bounds(129, 30, 109, 454), -11, toolbar);
  TRect icon = pressed->Items()[4]->DisplayRect(drIcon);
  pressed->WMButtonDown(mbLeft, ssLeft, icon.Left + 16, icon.Top + 16);

  // Highlighted hot item, sunken selection, two-line captions, a short list
  // with its arrows.
  Label(sheet, "highlight, wrap", Bounds(248, 6, 120, 22));
  TGBVertListView* wrapped = Toolbar(sheet, images, picture, Bounds(248, 30, 120, 300), -11,
                                     {"Relatório de custos do plano", "Salvar como modelo de plano", "Abrir",
                                      "Produções por talhão e ano", "Imprimir", "Mostrar Itens"});
  wrapped->SetWrapLineCount(2);
  wrapped->SetHighlightSelection(true);
  wrapped->SetHighlightColor(RGB(230, 236, 250));
  wrapped->SetSunkSelected(true);
  wrapped->Items()[2]->SetSelected(true);
  wrapped->SetHotItem(wrapped->Items()[0]);
  Label(sheet, "expanded, scrolled", Bounds(248, 336, 120, 22));
  TGBVertListView* expanded = Toolbar(sheet, images, picture, Bounds(248, 360, 120, 124), -11, toolbar);
  expanded->SetSelectionType(stExpanded);
  expanded->SetHighlightSelection(true);
  expanded->SetHighlightFontColor(clNavy);
  expanded->ScrollDownStep();
  expanded->SetHotItem(expanded->Items()[2]);

  // Scroll buttons: raised, pushed, disabled.
  Label(sheet, "scroll buttons: raised, pushed, disabled", Bounds(390, 6, 400, 22));
  const TGBScrollButtonStyle styles[] = {gbsbs_ScrollDown, gbsbs_ScrollLeft,   gbsbs_ScrollRight,
                                         gbsbs_ScrollUp,   gbsbs_CaptionClose, gbsbs_CaptionHelp,
                                         gbsbs_CaptionMAX, gbsbs_CaptionMIN,   gbsbs_CaptionRestore};
  for (int row = 0; row < 3; ++row) {
    for (int i = 0; i < 9; ++i) {
      auto* b = new TGBScrollButton;
      b->SetParent(&sheet);
      b->SetButtonStyle(styles[i]);
      b->SetLeft(400 + i * 24);
      b->SetTop(34 + row * 24);
      if (row == 1) b->WMButtonDown(mbLeft, ssLeft, 8, 8);
      if (row == 2) b->SetEnabled(false);
    }
  }
  auto* big = new TGBScrollButton;
  big->SetParent(&sheet);
  big->SetAutoSize(false);
  big->SetBounds(630, 34, 40, 40);
  auto* bigClose = new TGBScrollButton;
  bigClose->SetParent(&sheet);
  bigClose->SetButtonStyle(gbsbs_CaptionClose);
  bigClose->SetAutoSize(false);
  bigClose->SetBounds(680, 34, 40, 40);

  // One list per background mode.
  Label(sheet, "backgrounds", Bounds(390, 112, 400, 22));
  TBitmap tile(16, 16);
  tile.Canvas().Brush().SetColor(RGB(0, 128, 128));
  tile.Canvas().FillRect({0, 0, 16, 16});
  tile.Canvas().Brush().SetColor(RGB(60, 170, 170));
  tile.Canvas().FillRect({0, 0, 8, 8});
  tile.Canvas().FillRect({8, 8, 16, 16});
  QImage badge(44, 44, QImage::Format_RGB32);
  badge.fill(QColor(200, 225, 225));
  {
    QPainter p(&badge);
    p.drawImage(6, 6, test_icons::ToolbarIcon(1));
  }
  TBitmap small;
  small.SetImage(badge);
  const std::pair<TBackgroundModeGlobal, const char*> modes[] = {
      {bkmNone, "bkmNone"},     {bkmGradientHorz, "bkmGradientHorz"}, {bkmGradientVert, "bkmGradientVert"},
      {bkmCenter, "bkmCenter"}, {bkmStretch, "bkmStretch"},           {bkmTile, "bkmTile"}};
  for (int i = 0; i < 6; ++i) {
    auto* list = new TGBVertListView;
    list->SetParent(&sheet);
    list->SetBoundsRect(Bounds(400 + (i % 3) * 130, 140 + (i / 3) * 130, 120, 120));
    list->SetColor(clGray);
    list->Font().SetColor(clWhite);
    list->Font().SetName("Arial");
    list->SetGradientBeginColor(clTeal);
    list->SetGradientEndColor(clPurple);
    list->SetBackground(modes[i].first == bkmTile ? tile : modes[i].first == bkmCenter ? small : picture);
    list->SetBackgroundMode(modes[i].first);
    list->Items().Add()->SetCaption(modes[i].second);
  }

  QImage image = Snap(sheet);
  QString path = QStringLiteral(TQ_BINARY_DIR "/widgets-gallery.png");
  ASSERT_TRUE(image.save(path)) << path.toStdString();
  EXPECT_EQ(QImage(path).size(), QSize(800, 520));
  EXPECT_TRUE(RecordedExceptions().empty());
}
