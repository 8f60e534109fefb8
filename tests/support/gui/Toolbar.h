#pragma once
// A page toolbar like the programs' main windows have, for the windows the
// tests and benchmarks put together from the widget set alone.

#include <string>
#include <utility>
#include <vector>

#include "platform/gui/Graphics.h"
#include "widgets/gbOutBar.h"

// The toolbar of a page: an out bar of one group whose list shows a
// stretched picture on grey.
inline TGBVertListView* AddToolbar(TControl* page, TImageList& images, const TBitmap& picture,
                                   const std::vector<std::pair<std::string, int>>& items) {
  auto* bar = new TGBOutBar;
  bar->SetParent(page);
  bar->SetWidth(109);
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
  list->SetBackground(picture);
  list->SetBackgroundMode(bkmStretch);
  list->SetLargeImages(&images);
  list->Font().SetName("Arial");
  list->Font().SetHeight(-13);
  list->Font().SetStyle(fsBold);
  list->Font().SetColor(clWhite);
  for (const auto& [caption, image] : items) {
    TListItem* item = list->Items().Add();
    item->SetCaption(caption);
    item->SetImageIndex(image);
  }
  return list;
}
