#pragma once
// The formula picker: the catalogue formulas of one equation type by their
// descriptions, "OK" and "Cancelar".

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class TFormula;
class TGrovana;

class TFormEquations : public QDialog {
public:
  TFormEquations(QWidget* parent, TGrovana& grovana);

  // Shows, under the type as caption, the formulas whose EquationType is the
  // type exactly, in catalogue order. The formula of the line chosen with
  // OK; nullptr for OK without a line, "Cancelar" or closing.
  TFormula* PickFormula(const std::string& equationType);
  // The same under a caption, offering the formulas of any of the types.
  TFormula* PickFormula(const std::string& caption, const std::vector<std::string>& equationTypes);

  QListWidget* List() const { return list_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

private:
  TGrovana& grovana_;
  QListWidget* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
  // The Ids of the listed formulas, by line.
  std::vector<int> ids_;
};
