#pragma once
// The cost catalogue page ("Catálogo de Custos"): the catalogue's costs with
// their navigator, the edits of the current cost, two lists that write its
// type and unit, and the catalogue's file commands.

#include <QWidget>

#include "forms/DocumentFrame.h"
#include "forms/FrameSeams.h"

class DbGrid;
class DbNavigator;
class QComboBox;
class TCatalog;

class TFrameCatalogoCusto : public QWidget, public IDocumentFrame {
public:
  TFrameCatalogoCusto(QWidget* parent, TCatalog& catalog, const TFrameSeams& seams);

  // The file commands first write the text still pending in the window's
  // focused edit through its field.

  // The open dialog in the executable's folder; true when a file was
  // loaded. A file that cannot be read raises and leaves the catalogue as it
  // was.
  bool Open() override;
  // Saves under the path last read or written (else beside the executable);
  // false when nothing was written.
  bool Save() override;
  // "Salvar Catalogo de Custos", asking before replacing a file; false when
  // cancelled.
  bool SaveAs() override;
  bool Changed() override;
  std::string SaveQuestion() const override { return "Salvar o catálogo de custos?"; }
  std::string Path() const override;

  // A choice in the lists (by the user only) writes the current cost's type
  // or unit, putting it into edit state.
  void ComboBoxTipoCustoChange();
  void ComboBoxUnidadeMedidaChange();

  DbGrid* Grid() const { return grid_; }
  DbNavigator* Navigator() const { return navigator_; }

private:
  TCatalog& catalog_;
  TFrameSeams seams_;
  DbGrid* grid_;
  DbNavigator* navigator_;
  QComboBox* type_;
  QComboBox* unit_;
};
