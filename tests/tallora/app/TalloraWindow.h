#pragma once
// Tallora as its main builds it, without the splash: the default data files
// beside a scratch "executable", the data module and the main window shown
// over fake seams (scripted dialogs, the recorded error window and shell).
// About opens a recorder.

#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tallora/app/TalloraForm.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/WindowSeams.h"
#include "tools/DefaultData.h"

struct TalloraWindow {
  TempDir dir;
  std::filesystem::path exe = dir.Sub("exe"), work = dir.Sub("work");
  FakeWindowSeams seams{work.string()};
  ScriptedDialogs& dialogs = seams.dialogs;
  RecordingPresenter& errors = seams.presenter;
  std::unique_ptr<TGrovana> grovana;
  std::unique_ptr<TFormTallora> window;
  int aboutOpened = 0;

  // withTemplate false: the template is missing.
  explicit TalloraWindow(bool withTemplate = true) {
    std::vector<TDefaultFile> files;
    AppendTalloraDefaultFiles(files);
    WriteDefaultFiles(exe.string(), files);
    if (!withTemplate) std::filesystem::remove(exe / "Simulation.dat");
    grovana = std::make_unique<TGrovana>(nullptr, TDataFolders{exe.string(), work.string()},
                                         TDataSeams{dialogs, errors});
    TMainWindowOptions windowOptions;
    windowOptions.aboutOpener = [this] { ++aboutOpened; };
    window = std::make_unique<TFormTallora>(*grovana, seams.Seams(exe.string()), windowOptions);
    window->show();
  }
  ~TalloraWindow() {
    window.reset();
    grovana.reset();
  }

  // Shows the window and waits until it is active, so focus works.
  bool Activate() {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
  }
};
