#pragma once
// The log assortment page ("Diâmetro de Toras e Sortimento"): the current
// simulation's logs, edited like products and copied from the product
// catalogue through "Catálogo...".

#include <QPointer>
#include <QWidget>

#include "forms/FrameSeams.h"

class QPushButton;
class TFormProducts;
class TGrovana;
class TProductPanel;

class TFrameLogs : public QWidget {
public:
  TFrameLogs(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams);

  // "Catálogo...": the product picker under "Sortimento de Toras"; a record
  // number it returns is copied into the logs.
  void ButtonCatalogoClick();

  TProductPanel* Panel() const { return panel_; }

private:
  TFormProducts& Picker();

  TGrovana& grovana_;
  TProductPanel* panel_;
  QPushButton* catalogue_;
  QPointer<TFormProducts> picker_;
};
