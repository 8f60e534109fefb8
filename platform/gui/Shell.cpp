#include "platform/gui/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "platform/gui/QtTypes.h"

namespace {

bool IsWebAddress(const QString& target) {
  for (const char* prefix : {"http://", "https://", "mailto:", "ftp://", "www."})
    if (target.startsWith(QLatin1String(prefix), Qt::CaseInsensitive)) return true;
  return false;
}

// The file a target names relative to a folder (an absolute target stays).
QFileInfo InFolder(const QString& folder, const QString& target) {
  if (QDir::isAbsolutePath(target)) return QFileInfo(target);
  return QFileInfo(QDir(folder.isEmpty() ? QDir::currentPath() : folder), target);
}

bool IsProgram(const QFileInfo& file) {
  return file.isFile() && file.isExecutable();
}

}  // namespace

TQtShell::TQtShell(std::function<std::string()> exeDir, std::function<std::string()> workDir, TShellLaunchers launchers)
    : exeDir_(std::move(exeDir)), workDir_(std::move(workDir)), launchers_(std::move(launchers)) {
  if (!launchers_.OpenUrl) launchers_.OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  if (!launchers_.StartDetached)
    launchers_.StartDetached = [](const QString& program, const QStringList& arguments, const QString& workDir) {
      return QProcess::startDetached(program, arguments, workDir);
    };
}

bool TQtShell::Open(const std::string& target, const std::string& parameters) {
  const QString name = ToQString(target).trimmed();
  if (name.isEmpty()) return false;
  if (IsWebAddress(name)) {
    QUrl url = QUrl::fromUserInput(name);
    return url.isValid() && launchers_.OpenUrl(url);
  }
  const QString exeDir = ToQString(exeDir_ ? exeDir_() : std::string());
  const QString workDir = ToQString(workDir_ ? workDir_() : std::string());

  const QFileInfo program = InFolder(exeDir, name);
  if (IsProgram(program))
    return launchers_.StartDetached(program.absoluteFilePath(), QProcess::splitCommand(ToQString(parameters)),
                                    workDir.isEmpty() ? QDir::currentPath() : workDir);

  for (const QString& folder : {workDir, exeDir}) {
    const QFileInfo document = InFolder(folder, name);
    // A program outside the executable's folder is not opened either.
    if (document.isFile() && !(IsProgram(document) && document.suffix().isEmpty()))
      return launchers_.OpenUrl(QUrl::fromLocalFile(document.absoluteFilePath()));
  }
  return false;
}
