#pragma once
// Fakes of the seams between the data modules and the windows: dialogs that
// answer from a script, and recorders of the error window and the shell.

#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "platform/services/Services.h"

// One prompt the dialogs were asked.
struct Prompt {
  enum class Kind { OpenFile, SaveFile, Information, Error, YesNo, YesNoCancel, PrinterSetup };
  Kind kind = Kind::Information;
  // The message or question; a file dialog's title.
  std::string text;
  // File dialogs only.
  FileDialogOptions options;
};

// Answers prompts from a script, in order: a path for a file dialog (empty:
// cancelled), a button for a question, true or false for the printer setup.
// Messages (Information, Error) take no answer. Every prompt is recorded. A
// prompt without a fitting answer fails the test, and so do answers left
// over when the dialogs go.
class ScriptedDialogs : public IDialogs {
public:
  ScriptedDialogs() = default;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
  ~ScriptedDialogs() override;

  ScriptedDialogs& Answer(TMsgDlgBtn button);
  ScriptedDialogs& AnswerFile(const std::string& path);
  ScriptedDialogs& AnswerPrinter(bool accepted);
  int AnswersLeft() const { return static_cast<int>(script_.size()); }

  const std::vector<Prompt>& Prompts() const { return prompts_; }
  // The prompts of one kind, in order.
  std::vector<Prompt> Prompts(Prompt::Kind kind) const;
  // Their texts.
  std::vector<std::string> Texts(Prompt::Kind kind) const;

  std::string OpenFile(const FileDialogOptions& options) override;
  std::string SaveFile(const FileDialogOptions& options) override;
  void Information(const std::string& text) override;
  void Error(const std::string& text) override;
  TMsgDlgBtn AskYesNo(const std::string& text) override;
  TMsgDlgBtn AskYesNoCancel(const std::string& text) override;
  bool PrinterSetup() override;

private:
  using Scripted = std::variant<std::string, TMsgDlgBtn, bool>;
  // The next answer when it holds a T; nullptr (and a failure) otherwise.
  template <class T>
  const T* Next(const Prompt& prompt);

  std::deque<Scripted> script_;
  Scripted current_;
  std::vector<Prompt> prompts_;
};

// The error window: every list shown, and the hides; visible after a show
// until a hide.
class RecordingPresenter : public IErrorPresenter {
public:
  struct Shown {
    std::string title;
    std::vector<ErrorLine> lines;
    std::vector<int> Codes() const;
  };

  void ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors) override;
  void HideErrors() override {
    ++hides;
    visible = false;
  }
  void HideErrorsOf(const std::string& title) override {
    if (visible && shown.back().title == title) HideErrors();
  }
  // The list shown last; a failure when none was.
  const Shown& Last() const;

  std::vector<Shown> shown;
  int hides = 0;
  bool visible = false;
};

// The shell: every target opened, with its parameters (empty when none);
// Open answers `result`.
class RecordingShell : public IShell {
public:
  using IShell::Open;
  bool Open(const std::string& target, const std::string& parameters) override {
    opened.push_back(target);
    this->parameters.push_back(parameters);
    return result;
  }

  std::vector<std::string> opened;
  std::vector<std::string> parameters;
  bool result = true;
};
