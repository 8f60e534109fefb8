#pragma once
// The thinnings page ("Desbastes"): the current simulation's thinnings in a
// read-only list with a navigator. A double click, and the navigator's
// insert, have the main window select a thinning's node.

#include <QWidget>

#include "forms/FrameSeams.h"

class DbGrid;
class DbNavigator;
class IThinNotifications;
class TGrovana;

class TFrameThinCollection : public QWidget {
public:
  TFrameThinCollection(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams);

  // The main window, which selects thinnings; nullptr for none.
  IThinNotifications* MainWindow() const { return mainWindow_; }
  void SetMainWindow(IThinNotifications* window) { mainWindow_ = window; }

  DbGrid* Grid() const { return grid_; }
  DbNavigator* Navigator() const { return navigator_; }

private:
  // Has the main window select the current thinning's node.
  void SelectCurrent();

  TGrovana& grovana_;
  IThinNotifications* mainWindow_ = nullptr;
  DbGrid* grid_;
  DbNavigator* navigator_;
};
