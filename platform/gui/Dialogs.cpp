#include "platform/gui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "platform/gui/InputHub.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

std::string QtPatterns(std::string_view patterns) {
  std::string out;
  for (const std::string& part : Split(patterns, ';')) {
    std::string pattern = Trim(part);
    if (pattern.empty()) continue;
    if (pattern == "*.*") pattern = "*";
    if (!out.empty()) out += ' ';
    out += pattern;
  }
  return out.empty() ? "*" : out;
}

// A message box with our own button texts; returns the button pressed.
QMessageBox::StandardButton Ask(const std::string& title, QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton byDefault,
                                QMessageBox::StandardButton escape) {
  CancelCaptureMode();
  QMessageBox box(icon, ToQString(title), ToQString(text), buttons, TQtDialogs::DialogParent());
  const std::pair<QMessageBox::StandardButton, const char*> texts[] = {{QMessageBox::Yes, "&Sim"},
                                                                       {QMessageBox::No, "&N\xC3\xA3o"},
                                                                       {QMessageBox::Cancel, "Cancelar"},
                                                                       {QMessageBox::Ok, "OK"}};
  for (const auto& [button, caption] : texts)
    if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(caption));
  box.setDefaultButton(byDefault);
  box.setEscapeButton(escape);
  box.exec();
  const auto clicked = box.standardButton(box.clickedButton());
  return clicked == QMessageBox::NoButton ? escape : clicked;
}

}  // namespace

std::string QtFileFilter(std::string_view filter) {
  if (Trim(filter).empty()) return {};
  const std::vector<std::string> parts = Split(filter, '|');
  std::string out;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    std::string description = Trim(parts[i]);
    if (description.empty() && (i + 1 >= parts.size() || Trim(parts[i + 1]).empty())) continue;
    const std::string patterns = QtPatterns(i + 1 < parts.size() ? parts[i + 1] : std::string());
    // A description that ends in "(...)" gets the patterns there, as Qt reads
    // them from the last parentheses.
    const std::size_t open = description.rfind('(');
    if (!description.empty() && description.back() == ')' && open != std::string::npos)
      description = TrimRight(description.substr(0, open));
    if (!out.empty()) out += ";;";
    out += description.empty() ? "(" + patterns + ")" : description + " (" + patterns + ")";
  }
  return out;
}

TQtDialogs::TQtDialogs(std::function<bool(QWidget* parent)> printerSetup, std::string title)
    : printerSetup_(std::move(printerSetup)), title_(std::move(title)) {}

QWidget* TQtDialogs::DialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

std::string TQtDialogs::RunFileDialog(const FileDialogOptions& options, bool save) {
  CancelCaptureMode();
  QFileDialog dialog(DialogParent(), ToQString(options.title), ToQString(options.initialDir),
                     ToQString(QtFileFilter(options.filter)));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!save && options.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  std::string suffix = options.defaultExt;
  if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
  if (!suffix.empty()) dialog.setDefaultSuffix(ToQString(suffix));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && options.overwritePrompt));
  if (!options.fileName.empty()) dialog.selectFile(ToQString(options.fileName));
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? std::string() : FromQString(files.front());
}

std::string TQtDialogs::OpenFile(const FileDialogOptions& options) {
  return RunFileDialog(options, false);
}

std::string TQtDialogs::SaveFile(const FileDialogOptions& options) {
  return RunFileDialog(options, true);
}

void TQtDialogs::Information(const std::string& text) {
  Ask(title_, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

void TQtDialogs::Error(const std::string& text) {
  Ask(title_, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

TMsgDlgBtn TQtDialogs::AskYesNo(const std::string& text) {
  const auto answer = Ask(title_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                          QMessageBox::No);
  return answer == QMessageBox::Yes ? TMsgDlgBtn::Yes : TMsgDlgBtn::No;
}

TMsgDlgBtn TQtDialogs::AskYesNoCancel(const std::string& text) {
  const auto answer = Ask(title_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Yes, QMessageBox::Cancel);
  if (answer == QMessageBox::Yes) return TMsgDlgBtn::Yes;
  if (answer == QMessageBox::No) return TMsgDlgBtn::No;
  return TMsgDlgBtn::Cancel;
}

bool TQtDialogs::PrinterSetup() {
  return printerSetup_ && printerSetup_(DialogParent());
}
