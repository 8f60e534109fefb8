#pragma once
// What the areas of a main window's pages share.

#include "platform/gui/ExtCtrls.h"

class QWidget;
class TFont;

// Bold Arial of this height in pixels.
void BoldArial(TFont& font, int pixels);
// A panel without bevels that lays its one Qt child over its whole area; in
// the parent's alignment when it has one.
TPanel* HostPanel(TControl* parent, TAlign align, QWidget* child);
