#pragma once
// The program's one printer. The set-up command runs the print dialog on it;
// print commands print to it without a dialog, with the job title as the
// document's name. When no printer is usable the set-up dialog opens once
// instead (it offers PDF output); cancelled, nothing is printed. A printer is
// usable when it names an installed printer, or writes PDF to a named file.
// Pages are A4 portrait with 1.5 cm margins; a document wider than the
// printable width is printed scaled down to fit.

#include <QPrinter>
#include <functional>
#include <memory>
#include <string>

class QTextDocument;
class QWidget;

class TPrintService {
public:
  TPrintService();
  ~TPrintService();
  TPrintService(const TPrintService&) = delete;
  TPrintService& operator=(const TPrintService&) = delete;

  QPrinter& Printer() { return *printer_; }
  bool Usable() const;

  // The set-up dialog: the runner given to SetSetupDialog, else the print
  // dialog. True when accepted.
  bool Setup();
  void SetSetupDialog(std::function<bool()> run) { setupDialog_ = std::move(run); }

  // Prints a copy of the document; true when it was printed.
  bool Print(const QTextDocument& document, const std::string& title);
  // The copy Print prints: laid out on pages of the printable area (in the
  // document's 96-dpi pixels), or on larger ones of the same proportions,
  // printed scaled down, when its content is wider.
  std::unique_ptr<QTextDocument> PrintCopy(const QTextDocument& document) const;

  // The print dialog on a printer, modal, after CancelCaptureMode.
  static bool RunPrintDialog(QPrinter& printer, QWidget* parent);

  // Margins on every side, millimetres.
  static constexpr double kMarginMm = 15.0;

private:
  std::unique_ptr<QPrinter> printer_;
  std::function<bool()> setupDialog_;
};
