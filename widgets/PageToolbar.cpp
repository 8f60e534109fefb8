#include "widgets/PageToolbar.h"

#include "platform/gui/Graphics.h"
#include "platform/gui/Images.h"

TGBOutBarVertListView* AddPageToolbar(TControl* page, const TPageToolbarLook& look,
                                      const std::vector<std::pair<std::string, int>>& items) {
  auto* bar = new TGBOutBar;
  bar->SetParent(page);
  bar->SetWidth(look.width);
  bar->SetAlign(alLeft);
  bar->SetHotTrack(true);
  bar->SetFrequency(50);
  bar->SetBackgroundMode(bkmGradientVert);
  bar->SetGradientBeginColor(clTeal);
  bar->SetGradientEndColor(clPurple);
  TGBOutBarGroup* group = bar->AddGroup();
  group->SetCaption("");
  auto* list = static_cast<TGBOutBarVertListView*>(FindVertList(group));
  list->SetParentBackground(false);
  list->SetParentBackgroundMode(false);
  list->SetParentGradientBeginColor(false);
  list->SetParentGradientEndColor(false);
  list->SetParentSunkSelected(false);
  list->SetParentWrapLineCount(false);
  list->SetColor(clGray);
  if (look.picture) list->SetBackground(*look.picture);
  list->SetBackgroundMode(bkmStretch);
  list->SetLargeImages(look.images);
  list->Font().SetName("Arial");
  list->Font().SetHeight(-look.captionHeight);
  list->Font().SetStyle(fsBold);
  list->Font().SetColor(clWhite);
  for (const auto& [caption, image] : items) {
    TListItem* item = list->Items().Add();
    item->SetCaption(caption);
    item->SetImageIndex(image);
  }
  return list;
}
