#pragma once
// The shell's "open" over Qt. A web address ("http://", "https://",
// "mailto:", "www.") goes to the desktop's browser. Any other target is a
// file: a program when the executable's folder holds it as an executable file
// (a program elsewhere never runs), started detached with the parameters
// split as a shell would; otherwise a document, looked up in the working
// folder and then beside the executable, and opened by the desktop.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <string>

#include "platform/services/Services.h"

// What the shell hands its work to; tests replace them. Empty ones fall
// back to QDesktopServices::openUrl and QProcess::startDetached.
struct TShellLaunchers {
  std::function<bool(const QUrl& url)> OpenUrl;
  std::function<bool(const QString& program, const QStringList& arguments, const QString& workDir)> StartDetached;
};

class TQtShell : public IShell {
public:
  // The folders are asked at each open.
  TQtShell(std::function<std::string()> exeDir, std::function<std::string()> workDir, TShellLaunchers launchers = {});

  using IShell::Open;
  bool Open(const std::string& target, const std::string& parameters) override;

private:
  std::function<std::string()> exeDir_;
  std::function<std::string()> workDir_;
  TShellLaunchers launchers_;
};
