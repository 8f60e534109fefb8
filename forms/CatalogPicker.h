#pragma once
// A modal picker over a catalogue's dataset: a read-only grid, "OK",
// "Cancelar" and "&Todos". A double click on a row copies that entry at once
// and leaves the picker open, so several entries can be copied one by one;
// "&Todos" copies every entry and closes it as a cancel. The grid is the
// live catalogue: its position outlives the picker and moves the
// catalogue's frame too.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "platform/dbctrls/DbGrid.h"

class QPushButton;
class TDataSource;

struct TCatalogPickerOptions {
  TDataSource* source = nullptr;
  std::vector<DbGridColumn> columns;
  // Copies the entry of that record number (from 1).
  std::function<void(int recNo)> copyOne;
  // Copies every entry.
  std::function<void()> copyAll;
  // The caption until the first pick.
  std::string caption;
};

class TCatalogPicker : public QDialog {
public:
  TCatalogPicker(QWidget* parent, TCatalogPickerOptions options);

  // Shows the picker modally under the caption. OK: the current record
  // number (0 for an empty catalogue); anything else: -1.
  int Pick(const std::string& caption);

  DbGrid* Grid() const { return grid_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* AllButton() const { return all_; }

private:
  TCatalogPickerOptions options_;
  DbGrid* grid_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* all_;
};
