#pragma once
// The seams of a main window under test: scripted dialogs, the recorded
// error window and shell, a printer that asks those dialogs, and the folder
// of the documents. Meanwhile exceptions that reach the application's handler
// show through the dialogs, as in the programs.

#include <string>

#include "forms/MainWindow.h"
#include "platform/gui/PrintService.h"
#include "platform/services/DocumentFolder.h"
#include "platform/services/ExceptionHandler.h"
#include "tests/support/Fakes.h"

struct FakeWindowSeams {
  explicit FakeWindowSeams(const std::string& workDir) : documents(workDir) {}
  FakeWindowSeams(const FakeWindowSeams&) = delete;
  FakeWindowSeams& operator=(const FakeWindowSeams&) = delete;

  // Closing the window does not end the test program.
  TWindowSeams Seams(const std::string& exeDir) {
    return TWindowSeams{.Frames = {.Dialogs = dialogs, .ErrorPresenter = presenter, .Documents = documents},
                        .Shell = shell,
                        .PrintService = printService,
                        .ExeDir = exeDir};
  }

  ScriptedDialogs dialogs;
  TDialogExceptionHandler handler{dialogs};
  RecordingPresenter presenter;
  RecordingShell shell;
  TDocumentFolder documents;
  TPrintService printService{dialogs, documents};
};
