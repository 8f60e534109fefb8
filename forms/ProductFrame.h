#pragma once
// The product catalogue page ("Catálogo de Produtos"): the catalogue's
// products with their navigator and edits, and its file commands. Both
// programs show it over their one product catalogue; they differ in the
// price label, the name of the price-evolution edit and whether saving under
// another name asks before overwriting.

#include <QWidget>
#include <string>

#include "forms/DocumentFrame.h"
#include "forms/FrameSeams.h"
#include "forms/ProductPanel.h"

class TProductCatalog;

struct TProductFrameOptions {
  // The folder the file dialogs start in: the executable's.
  std::string exeDir;
  TProductPanelOptions panel = {};
  // "Salvar Produtos" asks before replacing a file.
  bool overwritePrompt = true;
};

class TFrameProduct : public QWidget, public IDocumentFrame {
public:
  // The dialogs ask for files and before deletes; the error window hides
  // when the navigator moves, inserts or deletes.
  TFrameProduct(QWidget* parent, TProductCatalog& catalog, TProductFrameOptions options, const TFrameSeams& seams);

  // "Abrir Catálogo de Produtos": loads the chosen file; false when cancelled.
  // A file that cannot be read raises and leaves the catalogue as it was.
  bool Open() override;
  // Saves under the path last read or written (else beside the executable);
  // false when nothing was written.
  bool Save() override;
  // "Salvar Produtos": saves under the chosen path; false when cancelled.
  bool SaveAs() override;
  bool Changed() override;
  std::string SaveQuestion() const override { return "Salvar o catálogo de produtos?"; }
  std::string Path() const override;

  TProductPanel* Panel() const { return panel_; }

private:
  TProductCatalog& catalog_;
  TProductFrameOptions options_;
  TFrameSeams seams_;
  TProductPanel* panel_;
};
