#pragma once
// The cost picker of the plan's costs ("Custos"): the cost catalogue, whose
// costs are appended to the plan.

#include <string>

#include "forms/CatalogPicker.h"

class TCatalog;
class TMarquel;

class TFormCusto : public TCatalogPicker {
public:
  TFormCusto(QWidget* parent, TMarquel& marquel, TCatalog& catalog);

  // OK: the catalogue's current record number (0 when empty); "Cancelar",
  // closing or "&Todos": -1. A double click copies a cost at once.
  int PickCusto(const std::string& caption) { return Pick(caption); }
};
