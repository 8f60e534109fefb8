#pragma once
// The product picker of the log assortment: the product catalogue, whose
// products are copied into the current simulation's logs.

#include <string>

#include "forms/CatalogPicker.h"

class TGrovana;

class TFormProducts : public TCatalogPicker {
public:
  TFormProducts(QWidget* parent, TGrovana& grovana);

  // OK: the catalogue's current record number (0 when empty); "Cancelar",
  // closing or "&Todos": -1. A double click copies a product at once.
  int PickProduct(const std::string& caption) { return Pick(caption); }
};
