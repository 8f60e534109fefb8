#pragma once
// The two data modules over the default catalogues and a new plan from the
// default template, in a scratch folder, and a window to put frames in.

#include <gtest/gtest.h>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "forms/FrameSeams.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/CustoUnit.h"
#include "quorva/model/MarquelData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"

class DbGrid;

// The main window's side of the notifications: calls recorded, cost types
// handed on.
struct RecordingWindow : IQuorvaNotifications {
  std::vector<std::string> calls;
  std::function<void(TCostType, TCostUnit)> costTypeChanged;
  void ProductionPosted(int id, int idade) override { calls.push_back(Call("posted", id, idade)); }
  void ProductionDeleted(int id, int idade) override { calls.push_back(Call("deleted", id, idade)); }
  void CostTypeChanged(TCostType type, TCostUnit unit) override {
    calls.push_back(std::string("cost ") + (type == TCostType::Unitario ? "one-off" : "annual") +
                    (unit == TCostUnit::PorM3 ? " $/M3" : " other"));
    if (costTypeChanged) costTypeChanged(type, unit);
  }
  static std::string Call(const char* what, int a, int b) {
    return std::string(what) + " " + std::to_string(a) + " " + std::to_string(b);
  }
};

class QuorvaFramesTest : public ::testing::Test {
protected:
  QuorvaFramesTest();
  ~QuorvaFramesTest() override;

  // Data modules as at start-up, before any plan.
  void MakeDataModules();
  // A frame of the window, with the seams when it takes them.
  template <class F, class... Modules>
  F* Make(Modules&... modules) {
    F* frame;
    if constexpr (std::is_constructible_v<F, QWidget*, Modules&..., const TFrameSeams&>)
      frame = new F(window.get(), modules..., seams);
    else
      frame = new F(window.get(), modules...);
    layout_->addWidget(frame);
    return frame;
  }
  TMarquel& marquel() { return *marquel_; }
  TCatalog& catalog() { return *catalog_; }
  TQuorva& plan() { return *marquel_->CurrentPlan(); }
  static void DoubleClickRow(DbGrid* grid, int row);

  TempDir dir;
  std::filesystem::path exe = dir.Sub("exe"), work = dir.Sub("work");
  ScriptedDialogs dialogs;
  RecordingPresenter presenter;
  TDocumentFolder documents{work.string()};
  TFrameSeams seams{dialogs, presenter, documents};
  RecordingWindow mainWindow;
  std::unique_ptr<TMarquel> marquel_;
  std::unique_ptr<TCatalog> catalog_;
  // Goes before the data modules its frames are bound to.
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  QVBoxLayout* layout_;
};

// The text a data-aware edit shows.
std::string TextOf(const QWidget* edit);
