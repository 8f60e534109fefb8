#pragma once
// Pictures compiled into the programs, looked up by name (case-insensitive):
// the drag cursors "OUTDRAGMOVE", "OUTDRAGCOPY", "OUTNODROP" (32 x 32) and the
// glyph bitmaps "CLOSEBUTTON", "HOTBUTTONPINUP", "HOTBUTTONPINDOWN" (14 x 13 on
// silver, the transparent colour). An unknown name gives an empty picture.

#include <QCursor>
#include <QImage>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/Types.h"

struct TResourceCursor {
  QImage Image;  // with alpha
  TPoint HotSpot;
  bool Empty() const { return Image.isNull(); }
};

// An opaque RGB picture, or a null image for an unknown name.
QImage FindResourceBitmap(std::string_view name);
TResourceCursor FindResourceCursor(std::string_view name);
// The arrow cursor for an empty one.
QCursor ToQCursor(const TResourceCursor& cursor);

std::vector<std::string> ResourceBitmapNames();
std::vector<std::string> ResourceCursorNames();
