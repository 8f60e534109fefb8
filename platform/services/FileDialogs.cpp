#include "platform/services/FileDialogs.h"

#include "platform/services/DocumentFolder.h"

namespace {

// What the dialog is given: a document's dialog starts in its folder.
FileDialogOptions DialogOptions(const FileDialogOptions& options) {
  FileDialogOptions given = options;
  if (options.documents) given.initialDir = options.documents->Folder();
  return given;
}

}  // namespace

bool OpenWithDialog(IDialogs& dialogs, const FileDialogOptions& options,
                    const std::function<void(const std::string&)>& open) {
  FileDialogOptions given = DialogOptions(options);
  given.overwritePrompt = false;
  given.fileMustExist = true;
  const std::string path = dialogs.OpenFile(given);
  if (path.empty()) return false;
  open(path);
  if (options.documents) options.documents->Remember(path);
  return true;
}

bool SaveWithDialog(IDialogs& dialogs, const FileDialogOptions& options,
                    const std::function<void(const std::string&)>& save) {
  return SaveWithDialogChecked(dialogs, options, [&](const std::string& path) {
    save(path);
    return true;
  });
}

bool SaveWithDialogChecked(IDialogs& dialogs, const FileDialogOptions& options,
                           const std::function<bool(const std::string&)>& save) {
  const std::string path = dialogs.SaveFile(DialogOptions(options));
  if (path.empty() || !save(path)) return false;
  if (options.documents) options.documents->Remember(path);
  return true;
}
