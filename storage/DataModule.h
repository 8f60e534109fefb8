#pragma once
// What every data module of both programs is made with: the folders it
// resolves file names against and the windows it talks to.

#include <string>

#include "model/items/ErrorsUnit.h"
#include "platform/services/Services.h"

// Folders that file names are resolved against.
struct TDataFolders {
  // Catalogues, and the templates the working folder lacks; empty: the
  // folder of the running executable.
  std::string ExeDir;
  // Bare and relative names; empty: the process's current directory.
  std::string WorkDir;

  // The same folders with ExeDir filled in.
  TDataFolders Settled() const;
  // A relative path against WorkDir; an absolute one unchanged.
  std::string Resolve(const std::string& path) const;
  // A bare name beside the executable.
  std::string BesideExe(const std::string& name) const;
  // A template by bare name: in the working folder, else beside the
  // executable; the working folder's path when neither holds it.
  std::string TemplatePath(const std::string& name) const;
};

// The windows a data module itself talks to: the dialogs report a damaged
// catalogue and ask its questions, the error window lists faulty entries.
struct TDataSeams {
  IDialogs& Dialogs;
  IErrorPresenter& ErrorPresenter;
};

// After a post was validated into errors: a valid entry hides the error
// window; a faulty one stays stored, the list gets the title and is shown,
// and the operation that posted stops silently (EAbort).
void ReportPostedEntry(bool valid, TErrorList& errors, const std::string& title, IErrorPresenter& presenter);

// After a check of the whole document: a valid one hides the error window
// and shows validMessage; a faulty one lists its errors (nullptr: none to
// list).
void ReportCheck(bool valid, const TErrorList* errors, IDialogs& dialogs, IErrorPresenter& presenter,
                 const std::string& validMessage);
