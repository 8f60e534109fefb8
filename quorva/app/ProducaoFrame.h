#pragma once
// A production's page ("Produção"): its age and origin, and its items
// (product, volume, price) with their navigator and "Catálogo...", which
// copies products from the catalogue.

#include <QPointer>
#include <QWidget>

#include "forms/FrameSeams.h"

class DbGrid;
class QPushButton;
class TCatalog;
class TFormProduto;
class TMarquel;

class TFrameProducao : public QWidget {
public:
  TFrameProducao(QWidget* parent, TMarquel& marquel, TCatalog& catalog, const TFrameSeams& seams);

  // "Catálogo...": the product picker under "Produtos"; a record number it
  // returns is copied into the items (nothing for an empty catalogue).
  void ButtonCatalogoProdutosClick();

  DbGrid* Grid() const { return grid_; }
  // The picker, made on first use and kept.
  TFormProduto& Picker();

private:
  TMarquel& marquel_;
  TCatalog& catalog_;
  DbGrid* grid_;
  QPushButton* catalogue_;
  QPointer<TFormProduto> picker_;
};
