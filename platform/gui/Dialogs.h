#pragma once
// The dialogs and message boxes of the programs over Qt: file dialogs,
// information and error boxes, questions and the printer set-up. Each one
// sends CancelMode to the mouse-capture holder before it opens.

#include <functional>
#include <string>
#include <string_view>

#include "platform/services/Services.h"

class QWidget;

// "Data Files (*.dat)|*.dat|All Files (*.*)|*.*" -> "Data Files (*.dat);;All
// Files (*)": description and pattern pairs become Qt's "Description
// (patterns)" entries; patterns separated by ';' are separated by blanks, and
// "*.*" becomes "*" (files without a dot stay visible). An empty filter gives
// an empty one (every file).
std::string QtFileFilter(std::string_view filter);

class TQtDialogs : public IDialogs {
public:
  // The printer set-up runs printerSetup over the dialog parent (none: it
  // answers false); the message boxes carry the title (the program's name).
  explicit TQtDialogs(std::function<bool(QWidget* parent)> printerSetup = {}, std::string title = {});

  std::string OpenFile(const FileDialogOptions& options) override;
  std::string SaveFile(const FileDialogOptions& options) override;
  void Information(const std::string& text) override;
  void Error(const std::string& text) override;
  TMsgDlgBtn AskYesNo(const std::string& text) override;
  TMsgDlgBtn AskYesNoCancel(const std::string& text) override;
  bool PrinterSetup() override;

  // The window dialogs open over: the modal one, else the active one.
  static QWidget* DialogParent();

private:
  std::string RunFileDialog(const FileDialogOptions& options, bool save);

  std::function<bool(QWidget* parent)> printerSetup_;
  std::string title_;
};
