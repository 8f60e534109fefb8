#pragma once
// The product picker of a production ("Produtos"): the product catalogue,
// whose products are copied into the current production's items.

#include <string>

#include "forms/CatalogPicker.h"

class TCatalog;
class TMarquel;

class TFormProduto : public TCatalogPicker {
public:
  TFormProduto(QWidget* parent, TMarquel& marquel, TCatalog& catalog);

  // OK: the catalogue's current record number (0 when empty); "Cancelar",
  // closing or "&Todos": -1. A double click copies a product at once.
  int PickProduto(const std::string& caption) { return Pick(caption); }
};
