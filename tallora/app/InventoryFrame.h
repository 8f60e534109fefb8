#pragma once
// The inventory page ("Inventário"): what is known of the stand, by
// inventory type and, for type 3, by mode, and the stand's homogeneity.

#include <QWidget>

class DbLineEdit;
class QButtonGroup;
class QRadioButton;
class TGrovana;
enum class TInventoryMode : int;
enum class TInventoryType : int;

class TFrameInventory : public QWidget {
public:
  TFrameInventory(QWidget* parent, TGrovana& grovana);

  // Brings the page in line with the current simulation's type and mode.
  void ShowInventory();
  // Writes the type, then binds and enables the type's edits and unbinds
  // and disables the others; unknown types are only written.
  void SelectInventoryType(TInventoryType type);
  // Writes the mode; under TreesAndSizeAtAge BaseArea binds the basal area,
  // MedianDiameter the quadratic mean diameter, NotChosen neither.
  void SelectInventoryMode(TInventoryMode mode);

private:
  // Checks the homogeneity button of an integer text of 1, 5 or 10; anything
  // else unchecks the three.
  void ShowHomogeneity(const QString& text);

  TGrovana& grovana_;
  QButtonGroup* types_;
  QRadioButton* type_[3];
  DbLineEdit* initialTrees_;
  DbLineEdit* survival_;
  DbLineEdit* age2_;
  DbLineEdit* trees2_;
  DbLineEdit* trees3_;
  DbLineEdit* age3_;
  QButtonGroup* modes_;
  QRadioButton* modeBaseArea_;
  QRadioButton* modeDiameter_;
  DbLineEdit* baseArea_;
  DbLineEdit* diameter_;
  DbLineEdit* homogeneity_;
  QButtonGroup* homogeneityLevels_;
  QRadioButton* level_[3];
};
