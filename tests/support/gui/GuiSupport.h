#pragma once
// Pixel helpers for the GUI tests.

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

// What the widget shows, rendered now, as RGB32.
QImage Snap(QWidget& widget);
// The RGB value a colour paints (system colours through the fixed palette).
QColor Rgb(TColor color);
// The colour of one pixel.
QColor PixelAt(const QImage& image, int x, int y);
// Pixels of that colour inside r, and outside r.
int CountInside(const QImage& image, const TRect& r, QColor color);
int CountOutside(const QImage& image, const TRect& r, QColor color);
// The smallest rectangle holding every pixel of that colour (empty if none).
TRect BoundsOf(const QImage& image, QColor color);
