#include "forms/PageKit.h"

#include <QVBoxLayout>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"

void BoldArial(TFont& font, int pixels) {
  font.SetName("Arial");
  font.SetHeight(-pixels);
  font.SetStyle(fsBold);
}

TPanel* HostPanel(TControl* parent, TAlign align, QWidget* child) {
  auto* panel = new TPanel;
  if (parent) panel->SetParent(parent);
  panel->SetBevelOuter(bvNone);
  panel->SetAlign(align);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(child);
  return panel;
}
