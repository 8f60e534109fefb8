#pragma once
// Quorva as its main builds it, without the splash: the two data modules over
// the default files in a scratch folder and the main window over fake seams
// (scripted dialogs, the recorded error window and shell); About opens
// through a counter.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/richedit/RtfView.h"
#include "quorva/app/QuorvaForm.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/support/gui/WindowSeams.h"

class QTreeWidgetItem;

class QuorvaWindow {
public:
  // withTemplate false: the executable's folder lacks "Plano1.dat".
  explicit QuorvaWindow(bool withTemplate = true);
  ~QuorvaWindow();

  TFormQuorva& w() { return *window_; }
  TMarquel& marquel() { return *marquel_; }
  TCatalog& catalog() { return *catalog_; }
  TQuorva& plan() { return *marquel_->CurrentPlan(); }
  TItemsArea& items() { return window_->ItemsArea(); }

  // The tree's nodes by their texts from the top, frames and report views by
  // their names, a click on a toolbar list's item.
  QTreeWidgetItem* Node(std::initializer_list<const char*> path) { return TreeNode(*window_, path); }
  template <class F>
  F* Frame(const char* name) {
    return Find<F>(*window_, name);
  }
  RtfView* Report(const char* name) { return Find<RtfView>(*window_, name); }
  void Click(const char* list, const std::string& caption) { ClickToolbarItem(*window_, list, caption); }

  // Chooses the menu item or hidden command of that object name.
  void Trigger(const char* action);
  bool Checked(const char* action);
  // The texts of the node's children.
  static std::vector<std::string> Children(const QTreeWidgetItem* node);
  // Whether the error window shows now.
  bool ErrorsShown() const { return errors.visible; }

  TempDir dir;
  std::filesystem::path exe = dir.Sub("exe"), work = dir.Sub("work");
  FakeWindowSeams seams{work.string()};
  ScriptedDialogs& dialogs = seams.dialogs;
  RecordingShell& shell = seams.shell;
  RecordingPresenter& errors = seams.presenter;
  int aboutOpened = 0;

private:
  std::unique_ptr<TMarquel> marquel_;
  std::unique_ptr<TCatalog> catalog_;
  std::unique_ptr<TFormQuorva> window_;
};

// The plain text a report view shows.
std::string ShownText(const RtfView* view);
