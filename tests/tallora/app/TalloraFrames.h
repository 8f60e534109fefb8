#pragma once
// A data module over the default catalogues and a new simulation from the
// default template, in a scratch folder, and a window to put frames in.

#include <gtest/gtest.h>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "forms/FrameSeams.h"
#include "platform/dbctrls/DbControls.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"

// The main window's item tree, as calls.
struct RecordingWindow : IThinNotifications {
  std::vector<std::string> calls;
  void ItemPosted(int id, int age) override { calls.push_back(Call("posted", id, age)); }
  void ItemDeleted(int id, int age) override { calls.push_back(Call("deleted", id, age)); }
  void SelectItem(int id) override { calls.push_back("select " + std::to_string(id)); }
  static std::string Call(const char* what, int id, int age) {
    return std::string(what) + " " + std::to_string(id) + " " + std::to_string(age);
  }
};

class TalloraFramesTest : public ::testing::Test {
protected:
  TalloraFramesTest();
  ~TalloraFramesTest() override;

  // A frame made with the data module, and with the seams when it takes them.
  template <class F>
  F* New(QWidget* parent) {
    if constexpr (std::is_constructible_v<F, QWidget*, TGrovana&, const TFrameSeams&>)
      return new F(parent, grovana(), seams);
    else
      return new F(parent, grovana());
  }
  // A frame of the window.
  template <class F>
  F* Make() {
    auto* frame = New<F>(window.get());
    layout_->addWidget(frame);
    return frame;
  }
  TGrovana& grovana() { return *grovana_; }
  const TField& SimulationField(const char* name) { return grovana().cdsSimulation().FieldByName(name); }

  TempDir dir;
  std::filesystem::path exe = dir.Sub("exe"), work = dir.Sub("work");
  ScriptedDialogs dialogs;
  RecordingPresenter presenter;
  TDocumentFolder documents{work.string()};
  TFrameSeams seams{dialogs, presenter, documents};
  RecordingWindow mainWindow;
  std::unique_ptr<TGrovana> grovana_;
  // Goes before the data module its frames are bound to.
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  QVBoxLayout* layout_;
};

// The field a data-aware edit is bound to, "" when unbound.
inline std::string FieldOf(const DbFieldControl* control) {
  return control ? control->DataField() : "?";
}
