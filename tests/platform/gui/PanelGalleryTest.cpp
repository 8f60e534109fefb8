// Writes panel-gallery.png into the build folder: panels with each bevel and
// a framed panel holding aligned children, for a person to look at. The
// checks are only that it was drawn and written.

#include <gtest/gtest.h>
#include <QImage>
#include <QString>
#include <string>

#include "platform/gui/ExtCtrls.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

TPanel* Add(TControl& parent, const std::string& caption, TRect bounds, TAlign align = alNone) {
  auto* p = new TPanel(&parent);
  p->SetBoundsRect(bounds);
  p->SetParent(&parent);
  p->SetCaption(caption);
  p->Font().SetName("Arial");
  p->SetAlign(align);
  return p;
}

}  // namespace

TEST(Gallery, WritesPanelsWithBevelsAndAlignedChildren) {
  TPanel sheet;
  sheet.SetBevelOuter(bvNone);
  sheet.SetBounds(0, 0, 640, 300);

  TPanel* raised = Add(sheet, "bvRaised", Bounds(10, 10, 140, 40));
  TPanel* lowered = Add(sheet, "bvLowered", Bounds(160, 10, 140, 40));
  lowered->SetBevelOuter(bvLowered);
  TPanel* both = Add(sheet, "raised + lowered", Bounds(310, 10, 150, 40));
  both->SetBevelInner(bvLowered);
  TPanel* bordered = Add(sheet, "border 4, bevels 2", Bounds(470, 10, 160, 40));
  bordered->SetBevelInner(bvLowered);
  bordered->SetBorderWidth(4);
  bordered->SetBevelWidth(2);
  bordered->SetColor(clSilver);
  (void)raised;

  TPanel* frame = Add(sheet, "", Bounds(10, 60, 620, 230));
  frame->SetBorderWidth(3);
  frame->SetBevelInner(bvLowered);
  frame->SetBevelWidth(2);
  frame->SetColor(clGray);
  frame->DisableAlign();  // as a form reader would: the children are placed by position once
  Add(*frame, "alTop (Top 40)", Bounds(0, 40, 10, 30), alTop)->SetColor(clAqua);
  Add(*frame, "alTop (Top 10)", Bounds(0, 10, 10, 24), alTop)->SetColor(clLime);
  Add(*frame, "alBottom", Bounds(0, 0, 10, 30), alBottom)->SetColor(clYellow);
  TPanel* left = Add(*frame, "alLeft", Bounds(0, 0, 90, 10), alLeft);
  left->SetBevelOuter(bvLowered);
  left->SetAlignment(taLeftJustify);
  TPanel* right = Add(*frame, "alRight", Bounds(0, 0, 90, 10), alRight);
  right->SetAlignment(taRightJustify);
  TPanel* client = Add(*frame, "alClient", Bounds(0, 0, 10, 10), alClient);
  client->SetColor(clWhite);
  client->SetBevelOuter(bvLowered);
  client->SetBevelInner(bvRaised);
  TPanel* hidden = Add(*frame, "hidden", Bounds(0, 0, 10, 50), alTop);
  hidden->Hide();
  frame->EnableAlign();

  QImage image = Snap(sheet);
  QString path = QStringLiteral(TQ_BINARY_DIR "/panel-gallery.png");
  ASSERT_TRUE(image.save(path)) << path.toStdString();
  EXPECT_EQ(QImage(path).size(), QSize(640, 300));
  EXPECT_TRUE(RecordedExceptions().empty());
}
