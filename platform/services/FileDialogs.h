#pragma once
// Opening and saving through a file dialog: ask for the path, hand it on,
// and let the document folder (FileDialogOptions::documents) remember it.

#include <functional>
#include <string>

#include "platform/services/Services.h"

// Asks for an existing file and hands its path to open; false when
// cancelled. The dialog is not asked about overwriting.
bool OpenWithDialog(IDialogs& dialogs, const FileDialogOptions& options,
                    const std::function<void(const std::string&)>& open);

// "Salvar Como": asks for a path and hands it to save; false when cancelled.
bool SaveWithDialog(IDialogs& dialogs, const FileDialogOptions& options,
                    const std::function<void(const std::string&)>& save);
// The same with a save that answers whether it succeeded: when it did not,
// the folder is not remembered and the result is false.
bool SaveWithDialogChecked(IDialogs& dialogs, const FileDialogOptions& options,
                           const std::function<bool(const std::string&)>& save);
