#pragma once
// The formula catalogue page ("Catálogo de Fórmulas"): the catalogue's
// formulas with their navigator and edits, its file commands, and a
// workbench that compiles the current formula, assigns its variables from a
// two-column grid and evaluates it.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "forms/DocumentFrame.h"
#include "forms/FrameSeams.h"

class DbGrid;
class DbNavigator;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TFormEquations;
class TFormula;
class TGrovana;

class TFrameFormula : public QWidget, public IDocumentFrame {
public:
  TFrameFormula(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams);
  ~TFrameFormula() override;

  // "Abrir Catálogo de Fórmulas": loads the chosen file and resets the
  // workbench; false when cancelled. A file that cannot be read raises and
  // leaves the catalogue as it was.
  bool Open() override;
  // Saves under the path last read or written (else beside the executable);
  // false when nothing was written.
  bool Save() override;
  // "Salvar Fórmulas": saves under the chosen path; false when cancelled.
  bool SaveAs() override;
  bool Changed() override;
  std::string SaveQuestion() const override { return "Salvar o catálogo de fórmulas?"; }
  std::string Path() const override;

  // "&Compilar": compiles the current formula; a bad text raises its
  // syntax error.
  void ButtonCompileClick();
  // "A&tribuir": assigns the grid's variables, top to bottom; a value that is
  // no number raises "Erro de Valor da variavel <name>" and the rows below
  // are not assigned.
  void ButtonSetClick();
  // "A&valiar": compiles the current text and shows the value with four
  // decimals; variables assigned before keep their values.
  void ButtonEvaluateClick();
  // "..." of the associated formula: a catalogue integral of the squared
  // taper becomes the current formula's AssociatedFormula.
  void ButtonCatalogoClick();
  // Forgets the formula, clears the variables and the result and hides the
  // error window.
  void ResetEvaluation();

  // The formula last compiled, assigned or evaluated; nullptr when forgotten.
  TFormula* RememberedFormula() const;

  TFormEquations& Picker();
  DbGrid* Grid() const { return grid_; }
  DbNavigator* Navigator() const { return navigator_; }
  QTableWidget* Variables() const { return variables_; }
  QLineEdit* Result() const { return result_; }

private:
  class FormulaWatch;

  // The catalogue formula of the current record, remembered; nullptr when
  // there is none.
  TFormula* FindCurrent();

  TGrovana& grovana_;
  TFrameSeams seams_;
  std::unique_ptr<FormulaWatch> watch_;
  DbGrid* grid_;
  DbNavigator* navigator_;
  QTableWidget* variables_;
  QLineEdit* result_;
  QPushButton* evaluate_;
  int remembered_ = -1;
  QPointer<TFormEquations> picker_;
};
