#pragma once
// The program's one printer. The set-up command runs the set-up dialog on it
// ("Configurar Impressora"), which chooses the printer and the page and
// prints nothing. Print commands print to an installed printer without a
// dialog, with the job title as the document's name. When the destination is
// a file (PDF output, or no printer installed) every print first asks for the
// file, in the document folder, proposing the title with ".pdf" and asking
// before it overwrites one; cancelled, nothing is printed or written. The pages go to a new file that
// replaces the chosen one only when complete, so a failed print leaves it as
// it was, and says so. Pages are A4 portrait with 1.5 cm margins; a document
// wider than the printable width is printed scaled down to fit.

#include <QPrinter>
#include <memory>
#include <string>

class IDialogs;
class TDocumentFolder;
class QTextDocument;
class QWidget;

class TPrintService {
public:
  // Asks through the dialogs (the set-up, the file to print to, failures);
  // the document folder is where the file question starts and remembers the
  // file printed. Neither is owned.
  TPrintService(IDialogs& dialogs, TDocumentFolder& documents);
  ~TPrintService();
  TPrintService(const TPrintService&) = delete;
  TPrintService& operator=(const TPrintService&) = delete;

  QPrinter& Printer() { return *printer_; }
  // The destination is a file: PDF output, or no printer installed.
  bool ToFile() const;

  // The set-up dialog through the dialogs; true when accepted.
  bool Setup();
  // The Qt set-up dialog on the printer, modal, after CancelCaptureMode.
  bool RunSetupDialog(QWidget* parent);

  // Prints a copy of the document; true when it was printed.
  bool Print(const QTextDocument& document, const std::string& title);
  // The copy Print prints: laid out on pages of the printable area (in the
  // document's 96-dpi pixels), or on larger ones of the same proportions,
  // printed scaled down, when its content is wider.
  std::unique_ptr<QTextDocument> PrintCopy(const QTextDocument& document) const;

  // Margins on every side, millimetres.
  static constexpr double kMarginMm = 15.0;
  static constexpr const char* kSetupTitle = "Configurar Impressora";
  static constexpr const char* kFileTitle = "Imprimir para Arquivo";

private:
  bool PrinterChosen() const;
  bool PrintToFile(const QTextDocument& document, const std::string& path);
  bool Fail(const std::string& message);

  std::unique_ptr<QPrinter> printer_;
  IDialogs& dialogs_;
  TDocumentFolder& documents_;
};
