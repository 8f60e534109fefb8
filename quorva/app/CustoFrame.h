#pragma once
// The plan's costs ("Custos"): name, unit, type and value of each cost, the
// annual values of an annual cost, and "Ca&tálogo / Novos custos", which
// copies costs from the catalogue. Unit and type are chosen from their pick
// lists only; which columns and lists apply follows the current cost (the
// main window calls the switches when the data module reports its type).

#include <QPointer>
#include <QWidget>

#include "forms/FrameSeams.h"

class DbGrid;
class DbNavigator;
class QKeyEvent;
class QLabel;
class QPushButton;
class TCatalog;
class TFormCusto;
class TMarquel;
enum class TCostType;
enum class TCostUnit;

class TFrameCusto : public QWidget {
public:
  // Columns of the cost grid, from 0.
  enum Column { kColNome, kColUnidade, kColTipo, kColCusto };

  TFrameCusto(QWidget* parent, TMarquel& marquel, TCatalog& catalog, const TFrameSeams& seams);

  // "Ca&tálogo / Novos custos": the cost picker under "Custos"; a record
  // number it returns is appended to the plan's costs (nothing for an empty
  // catalogue).
  void ButtonCatalogoClick();
  // A column of the cost grid was entered: the data module's rules of a move
  // to the current cost run again.
  void GridCustoColEnter();
  // True (the key dropped) for a typed character while the unit or the type
  // column is current.
  bool GridCustoKeyPress(const QKeyEvent& key) const;

  // What the data module reported: Unitario hides the annual values and
  // unlocks the value, Anual shows them and locks it; PorM3 locks the type,
  // Other unlocks it.
  void CostTypeChanged(TCostType type, TCostUnit unit);
  void HideAnnualCosts();
  void ShowAnnualCosts();
  // Locked columns are read-only and grey; unlocked ones editable in the
  // text colour.
  void LockTipoCusto();
  void UnlockTipoCusto();
  void LockCusto();
  void UnlockCusto();

  DbGrid* Grid() const { return grid_; }
  DbGrid* AnnualGrid() const { return annualGrid_; }
  // The picker, made on first use and kept.
  TFormCusto& Picker();

private:
  void SetColumnLocked(int column, bool locked);

  TMarquel& marquel_;
  TCatalog& catalog_;
  DbGrid* grid_;
  DbNavigator* navigator_;
  QLabel* annualLabel_;
  DbGrid* annualGrid_;
  DbNavigator* annualNavigator_;
  QPushButton* catalogue_;
  QPointer<TFormCusto> picker_;
};
