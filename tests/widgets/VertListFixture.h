#pragma once
// A vertical list of toolbar items for the tests: 109 pixels wide, no border,
// 32-pixel images, one item per caption.

#include <QFontMetrics>
#include <initializer_list>
#include <memory>
#include <string>

#include "tests/widgets/Icons.h"
#include "widgets/gbOutBar.h"

struct VertListFixture {
  TImageList images{32, 32};
  std::unique_ptr<TGBVertListView> list = std::make_unique<TGBVertListView>();

  explicit VertListFixture(std::initializer_list<const char*> captions, int height = 454) {
    test_icons::AddToolbarIcons(images);
    list->SetBorderStyle(bsNone);
    list->SetBounds(0, 0, 109, height);
    list->SetLargeImages(&images);
    int i = 0;
    for (const char* caption : captions) Add(caption, i++ % 6);
  }

  TGBVertListItem* Add(const std::string& caption, int image) {
    auto* item = static_cast<TGBVertListItem*>(list->Items().Add());
    item->SetCaption(caption);
    item->SetImageIndex(image);
    return item;
  }
  TGBVertListItem* Item(int i) { return static_cast<TGBVertListItem*>(list->Items()[i]); }
  TRect Bounds(int i) { return list->Items()[i]->DisplayRect(drBounds); }
  // The line height of the list's font.
  int Line() { return QFontMetrics(list->Font().ToQFont()).height(); }
  // The height of a one-line slot: the icon square (32 + 4), 2 pixels, a line
  // and ItemSpace.
  int Slot() { return 36 + 2 + Line() + list->ItemSpace(); }
  TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
};
