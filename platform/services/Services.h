#pragma once
// Seams between the data modules and the windows. The programs implement
// them with Qt; tests use scripted fakes.

#include <string>
#include <vector>

#include "platform/services/ErrorLine.h"

// The error window.
class IErrorPresenter {
public:
  virtual ~IErrorPresenter() = default;
  // Shows the list (modeless) with the given title.
  virtual void ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors) = 0;
  virtual void HideErrors() = 0;
  // Hides the window when it lists the errors of that title.
  virtual void HideErrorsOf(const std::string& title) = 0;
};

enum class TMsgDlgBtn { Yes, No, Cancel, Ok };

class TDocumentFolder;

// The filter of the data files, the file dialogs' default.
inline constexpr const char* kDataFileFilter = "Data Files (*.dat)|*.dat|All Files (*.*)|*.*";

// A file dialog's settings. The filter uses "Description|pattern|..." pairs.
struct FileDialogOptions {
  std::string title{};
  std::string initialDir{};  // empty: the current directory
  std::string fileName{};    // proposed name
  std::string filter = kDataFileFilter;
  std::string defaultExt = "dat";  // without the dot
  bool overwritePrompt = true;     // a save asks before overwriting
  bool fileMustExist = false;
  // A document's dialog (OpenWithDialog, SaveWithDialog) starts in this
  // folder instead of initialDir and, once the file was opened or saved,
  // that folder becomes its own. The dialogs themselves ignore it.
  TDocumentFolder* documents = nullptr;
};

// File dialogs and message boxes.
class IDialogs {
public:
  virtual ~IDialogs() = default;
  // The chosen path, or empty when cancelled.
  virtual std::string OpenFile(const FileDialogOptions& options) = 0;
  virtual std::string SaveFile(const FileDialogOptions& options) = 0;
  virtual void Information(const std::string& text) = 0;
  virtual void Error(const std::string& text) = 0;
  // Yes or No.
  virtual TMsgDlgBtn AskYesNo(const std::string& text) = 0;
  // Yes, No or Cancel.
  virtual TMsgDlgBtn AskYesNoCancel(const std::string& text) = 0;
  virtual bool PrinterSetup() = 0;
};

// The shell's "open" of a document, a web page or a program.
class IShell {
public:
  virtual ~IShell() = default;
  // Opens the target; a program gets the parameters (blank-separated,
  // quotes group). False when it could not be opened.
  virtual bool Open(const std::string& target, const std::string& parameters) = 0;
  // Without parameters. Implementations add `using IShell::Open;`.
  bool Open(const std::string& target) { return Open(target, std::string()); }
};
