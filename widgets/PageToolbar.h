#pragma once
// The toolbar of a main window's page: an out bar of one group at the page's
// left, whose list shows the commands as large images with captions.

#include <string>
#include <utility>
#include <vector>

#include "widgets/gbOutBar.h"

class TBitmap;
class TImageList;

struct TPageToolbarLook {
  // The list's 32-pixel images and the picture it stretches over its grey.
  TImageList* images = nullptr;
  const TBitmap* picture = nullptr;
  // White bold Arial captions of this height in pixels.
  int captionHeight = 13;
  // The bar: this wide, a teal-to-purple gradient, hot tracking, 50 steps.
  int width = 109;
};

// Adds the toolbar to the page with the items (caption, image index) and
// returns its list.
TGBOutBarVertListView* AddPageToolbar(TControl* page, const TPageToolbarLook& look,
                                      const std::vector<std::pair<std::string, int>>& items = {});
