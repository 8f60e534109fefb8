#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace {

const char* KindName(Prompt::Kind kind) {
  switch (kind) {
    case Prompt::Kind::OpenFile:
      return "open file";
    case Prompt::Kind::SaveFile:
      return "save file";
    case Prompt::Kind::Information:
      return "information";
    case Prompt::Kind::Error:
      return "error";
    case Prompt::Kind::YesNo:
      return "yes/no question";
    case Prompt::Kind::YesNoCancel:
      return "yes/no/cancel question";
    case Prompt::Kind::PrinterSetup:
      return "printer setup";
  }
  return "?";
}

}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
  if (!script_.empty()) ADD_FAILURE() << script_.size() << " scripted dialog answer(s) left over";
}

ScriptedDialogs& ScriptedDialogs::Answer(TMsgDlgBtn button) {
  script_.emplace_back(button);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerFile(const std::string& path) {
  script_.emplace_back(path);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerPrinter(bool accepted) {
  script_.emplace_back(accepted);
  return *this;
}

std::vector<Prompt> ScriptedDialogs::Prompts(Prompt::Kind kind) const {
  std::vector<Prompt> out;
  for (const Prompt& p : prompts_)
    if (p.kind == kind) out.push_back(p);
  return out;
}

std::vector<std::string> ScriptedDialogs::Texts(Prompt::Kind kind) const {
  std::vector<std::string> out;
  for (const Prompt& p : prompts_)
    if (p.kind == kind) out.push_back(p.text);
  return out;
}

template <class T>
const T* ScriptedDialogs::Next(const Prompt& prompt) {
  prompts_.push_back(prompt);
  if (script_.empty() || !std::holds_alternative<T>(script_.front())) {
    ADD_FAILURE() << "unexpected " << KindName(prompt.kind) << ": " << prompt.text
                  << (script_.empty() ? " (no answer left)" : " (the next answer is of another kind)");
    return nullptr;
  }
  current_ = std::move(script_.front());
  script_.pop_front();
  return &std::get<T>(current_);
}

std::string ScriptedDialogs::OpenFile(const FileDialogOptions& options) {
  const std::string* path = Next<std::string>({Prompt::Kind::OpenFile, options.title, options});
  return path ? *path : std::string();
}

std::string ScriptedDialogs::SaveFile(const FileDialogOptions& options) {
  const std::string* path = Next<std::string>({Prompt::Kind::SaveFile, options.title, options});
  return path ? *path : std::string();
}

void ScriptedDialogs::Information(const std::string& text) {
  prompts_.push_back({Prompt::Kind::Information, text, {}});
}

void ScriptedDialogs::Error(const std::string& text) {
  prompts_.push_back({Prompt::Kind::Error, text, {}});
}

TMsgDlgBtn ScriptedDialogs::AskYesNo(const std::string& text) {
  const TMsgDlgBtn* button = Next<TMsgDlgBtn>({Prompt::Kind::YesNo, text, {}});
  if (!button) return TMsgDlgBtn::No;
  if (*button != TMsgDlgBtn::Yes && *button != TMsgDlgBtn::No) {
    ADD_FAILURE() << "a yes/no question cannot be answered with another button: " << text;
    return TMsgDlgBtn::No;
  }
  return *button;
}

TMsgDlgBtn ScriptedDialogs::AskYesNoCancel(const std::string& text) {
  const TMsgDlgBtn* button = Next<TMsgDlgBtn>({Prompt::Kind::YesNoCancel, text, {}});
  if (!button) return TMsgDlgBtn::Cancel;
  if (*button == TMsgDlgBtn::Ok) {
    ADD_FAILURE() << "a yes/no/cancel question cannot be answered with OK: " << text;
    return TMsgDlgBtn::Cancel;
  }
  return *button;
}

bool ScriptedDialogs::PrinterSetup() {
  const bool* accepted = Next<bool>({Prompt::Kind::PrinterSetup, "", {}});
  return accepted && *accepted;
}

std::vector<int> RecordingPresenter::Shown::Codes() const {
  std::vector<int> codes;
  for (const ErrorLine& line : lines) codes.push_back(line.code);
  return codes;
}

void RecordingPresenter::ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors) {
  shown.push_back({title, errors});
  visible = true;
}

const RecordingPresenter::Shown& RecordingPresenter::Last() const {
  static const Shown none;
  if (shown.empty()) {
    ADD_FAILURE() << "no error list was shown";
    return none;
  }
  return shown.back();
}
