#pragma once
// One thinning's page ("Desbaste"): its age, type, row, the target of the
// remaining stand, and the results of the last calculation.

#include <QWidget>

class DbLineEdit;
class DbRadioGroup;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;
class TGrovana;
enum class TThinMode : int;
enum class TThinType : int;

class TFrameThin : public QWidget {
public:
  TFrameThin(QWidget* parent, TGrovana& grovana);

  // Brings the page in line with the current thinning: its type, its mode,
  // and the results panel exactly when the results are current.
  void ShowThin();
  // Writes the mode (the other target becomes 0) and binds the remaining
  // basal area or the remaining trees; unknown modes are only written.
  void SelectThinMode(TThinMode mode);
  // What a click on the type group does: writes the type and shows the row
  // for RowsThenSelective only, with both targets unbound and unchecked;
  // unknown types are only written.
  void SelectThinType(TThinType type);

  QGroupBox* ResultsPanel() const { return results_; }

private:
  TGrovana& grovana_;
  DbLineEdit* age_;
  DbRadioGroup* type_;
  QLabel* rowLabel_;
  DbLineEdit* rows_;
  QLabel* remainingLabel_;
  QButtonGroup* modes_;
  QRadioButton* byBaseArea_;
  QRadioButton* byTrees_;
  DbLineEdit* baseArea_;
  DbLineEdit* trees_;
  QGroupBox* results_;
};
