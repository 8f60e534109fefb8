#pragma once
// The productions page ("Produções"): the plan's harvests by age and origin,
// their navigator, and "&Importar..." that takes them from a simulator file.

#include <QWidget>
#include <functional>
#include <string>

#include "forms/FrameSeams.h"

class DbGrid;
class DbNavigator;
class QPushButton;
class TMarquel;

class TFrameProducoes : public QWidget {
public:
  // The import reads through the data module's catalogue (TMarquel::SetCatalog).
  TFrameProducoes(QWidget* parent, TMarquel& marquel, const TFrameSeams& seams);

  // After an import that got past the file dialog, whether the file was read
  // or not: the main window rebuilds its production nodes and clears what
  // it showed of the old plan.
  std::function<void()> OnImported;

  // After the pending edit of the window was written:
  // "Descartar as Produções correntes ?" when the plan has productions
  // (anything but Yes stops), then the simulator file (proposed
  // "Simulation.dat", in the folder of the last import, else the working
  // folder); its harvests replace the productions. False when stopped or
  // cancelled; a file that cannot be read raises and leaves the plan as it
  // was.
  bool ImportarSimulacao();

  DbGrid* Grid() const { return grid_; }

private:
  TMarquel& marquel_;
  TFrameSeams seams_;
  DbGrid* grid_;
  DbNavigator* navigator_;
  QPushButton* import_;
  std::string lastImportDir_;
};
