#include "storage/DataModule.h"

#include <filesystem>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace fs = std::filesystem;

namespace {

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path().string();
  return exe.parent_path().string();
}

}  // namespace

TDataFolders TDataFolders::Settled() const {
  TDataFolders settled = *this;
  if (settled.ExeDir.empty()) settled.ExeDir = ExecutableFolder();
  return settled;
}

std::string TDataFolders::Resolve(const std::string& path) const {
  const fs::path p(path);
  if (p.is_absolute()) return path;
  const fs::path base = WorkDir.empty() ? fs::current_path() : fs::path(WorkDir);
  return (base / p).string();
}

std::string TDataFolders::BesideExe(const std::string& name) const {
  return JoinPath(ExeDir, name);
}

std::string TDataFolders::TemplatePath(const std::string& name) const {
  const std::string inWork = Resolve(name);
  if (FileExists(inWork)) return inWork;
  const std::string beside = BesideExe(name);
  return FileExists(beside) ? beside : inWork;
}

void ReportCheck(bool valid, const TErrorList* errors, IDialogs& dialogs, IErrorPresenter& presenter,
                 const std::string& validMessage) {
  if (valid) {
    presenter.HideErrors();
    dialogs.Information(validMessage);
  } else if (errors) {
    presenter.ShowErrors(errors->Title(), ErrorLines(*errors));
  }
}

void ReportPostedEntry(bool valid, TErrorList& errors, const std::string& title, IErrorPresenter& presenter) {
  if (valid) {
    presenter.HideErrors();
    return;
  }
  errors.SetTitle(title);
  presenter.ShowErrors(title, ErrorLines(errors));
  throw EAbort();
}
