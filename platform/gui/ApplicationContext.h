#pragma once
// The application object: wraps the QApplication, knows the program's title
// and folders, holds the dialogs, the shell and the one printer, shows the
// exceptions that reach the application's handler in a message box, and owns
// the windows the program gives the application as owner (the splash). Those
// are deleted in the reverse order of adoption, before the QApplication goes.
// One context lives at a time. The program's context also shows Qt's own
// dialogs in Portuguese.

#include <QApplication>
#include <QPointer>
#include <QTranslator>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/PrintService.h"
#include "platform/services/DocumentFolder.h"
#include "platform/services/ExceptionHandler.h"
#include "platform/services/Services.h"

struct TApplicationOptions {
  std::string title;    // captions of the message boxes, the application's name
  std::string exeDir;   // empty: the executable's folder
  std::string workDir;  // empty: the process's current folder
  // Not owned; empty: the Qt dialogs and the Qt shell.
  IDialogs* dialogs = nullptr;
  IShell* shell = nullptr;
};

class TApplicationContext {
public:
  // Creates the program's QApplication (a TGuardedApplication).
  TApplicationContext(int& argc, char** argv, TApplicationOptions options);
  // Over the QApplication that runs already (tests); it stays afterwards.
  explicit TApplicationContext(TApplicationOptions options);
  ~TApplicationContext();
  TApplicationContext(const TApplicationContext&) = delete;
  TApplicationContext& operator=(const TApplicationContext&) = delete;

  const std::string& Title() const { return options_.title; }
  const std::string& ExeDir() const { return options_.exeDir; }
  const std::string& WorkDir() const { return options_.workDir; }
  IDialogs& Dialogs() { return *dialogs_; }
  IShell& Shell() { return *shell_; }
  TPrintService& PrintService() { return *printService_; }
  // Where the dialogs of documents start.
  TDocumentFolder& Documents() { return *documents_; }

  // Takes a window to delete at the end; a window Qt deletes earlier (it
  // freed itself on close, or went with a parent) is skipped.
  void Adopt(QWidget* window) { windows_.emplace_back(window); }

  // The event loop; returns when the program ends. Meanwhile the
  // application's exception handler shows a message box (through Dialogs)
  // with the message of the exception being handled; EAbort is silent.
  int Run();

private:
  void Init();

  std::unique_ptr<QApplication> ownApp_;
  TApplicationOptions options_;
  QString savedName_;
  std::unique_ptr<QTranslator> translator_;
  std::unique_ptr<TDocumentFolder> documents_;
  std::unique_ptr<TPrintService> printService_;
  std::unique_ptr<IDialogs> ownDialogs_;
  std::unique_ptr<IShell> ownShell_;
  std::unique_ptr<TDialogExceptionHandler> handler_;
  IDialogs* dialogs_ = nullptr;
  IShell* shell_ = nullptr;
  std::vector<QPointer<QWidget>> windows_;
};
