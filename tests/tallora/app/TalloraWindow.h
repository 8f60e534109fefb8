#pragma once
// Tallora as its main builds it, without the splash: the default data files
// beside a scratch "executable", the application context with scripted
// dialogs, the data module, the main window shown. About opens a recorder.

#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "forms/ErrorsForm.h"
#include "platform/gui/ApplicationContext.h"
#include "tallora/app/GraphicForm.h"
#include "tallora/app/TalloraForm.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tools/DefaultData.h"

struct TalloraWindow {
  TempDir dir;
  std::filesystem::path exe = dir.Sub("exe"), work = dir.Sub("work");
  ScriptedDialogs dialogs;
  std::unique_ptr<TApplicationContext> context;
  std::unique_ptr<TGrovana> grovana;
  std::unique_ptr<TFormTallora> window;
  int aboutOpened = 0;

  // withTemplate false: the template is missing.
  explicit TalloraWindow(bool withTemplate = true) {
    std::vector<TDefaultFile> files;
    AppendTalloraDefaultFiles(files);
    WriteDefaultFiles(exe.string(), files);
    if (!withTemplate) std::filesystem::remove(exe / "Simulation.dat");
    TApplicationOptions options;
    options.title = "Tallora";
    options.exeDir = exe.string();
    options.workDir = work.string();
    options.dialogs = &dialogs;
    context = std::make_unique<TApplicationContext>(options);
    grovana = std::make_unique<TGrovana>(nullptr, TDataFolders{exe.string(), work.string()},
                                         TDataSeams{&context->Dialogs(), &TFormErrors::Presenter()});
    TMainWindowOptions windowOptions;
    windowOptions.aboutOpener = [this] { ++aboutOpened; };
    window = std::make_unique<TFormTallora>(*grovana, TWindowSeams::FromContext(*context), &TFormGraphic::Obtain,
                                            windowOptions);
    context->SetMainWindow(window.get());
    window->show();
  }
  ~TalloraWindow() {
    window.reset();
    grovana.reset();
    context.reset();
  }

  // Shows the window and waits until it is active, so focus works.
  bool Activate() {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
  }
};
