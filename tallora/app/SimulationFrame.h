#pragma once
// The simulation page ("Simulação"): the description and site index of the
// current simulation, a read-only summary of its other inputs, "&Verificar"
// and "Calcular", and the file commands of a simulation.

#include <QWidget>
#include <functional>

#include "forms/DocumentFrame.h"
#include "forms/FrameSeams.h"

class DbLineEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TGrovana;

class TFrameSimulation : public QWidget, public IMainDocumentFrame {
public:
  TFrameSimulation(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams);

  // "Calcular" (and Return in an edit): the main window validates, runs and
  // shows the report, or shows the errors.
  std::function<void()> OnCalculate;

  // "Nova": the template, and the window's caption becomes "Tallora - Nova
  // Simulação". The window has asked about a change first.
  void New() override;
  // "Abrir Simulação"; true when a file was loaded. A file that cannot be
  // read raises and keeps the current simulation.
  bool Open() override;
  // "Salvar": under the simulation's own name, or through "Salvar Como"
  // while it has none or still the template's; false when cancelled.
  bool Save() override;
  // "Salvar Como": "Salvar Simulação"; false when cancelled.
  bool SaveAs() override;
  bool Changed() override;
  std::string SaveQuestion() const override;
  std::string Path() const override;

  // "&Verificar": a confirmation when the inputs are valid, else the error
  // window with the simulation's errors.
  void ButtonVerificarClick();
  void Calculate();
  // Posts a pending edit and rewrites the summary of the current simulation.
  void ShowSummary();

  // The title ("Simulação"), which the main window rewrites and restyles.
  QLabel* TitleLabel() const { return title_; }
  // Shows or hides the species row.
  void SetSpeciesVisible(bool visible);

private:
  TGrovana& grovana_;
  TFrameSeams seams_;
  QLabel* title_;
  QLabel* speciesLabel_;
  DbLineEdit* species_;
  QPlainTextEdit* inventory_;
  QPlainTextEdit* listings_;
  QLineEdit* thinnings_;
  QPushButton* verify_;
  QPushButton* calculate_;
};
