#include "platform/gui/PrintService.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextDocument>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <string_view>

#include "platform/gui/InputHub.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"
#include "platform/services/FileDialogs.h"
#include "platform/services/Services.h"

namespace {

// The resolution documents are laid out at (pixels per inch).
constexpr double kDocumentDpi = 96.0;

// The file name proposed for a document: its title with ".pdf".
std::string ProposedName(const std::string& title) {
  std::string name = Trim(title);
  std::replace(name.begin(), name.end(), '/', '_');
  if (name.empty()) name = "Documento";
  const QString lower = ToQString(name).toLower();
  return lower.endsWith(QStringLiteral(".pdf")) ? name : name + ".pdf";
}

// Runs an action each time a widget is shown.
class OnShow : public QObject {
public:
  OnShow(QWidget& widget, std::function<void()> act) : widget_(widget), act_(std::move(act)) {
    widget_.installEventFilter(this);
  }
  ~OnShow() override { widget_.removeEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) act_();
    return false;
  }

private:
  QWidget& widget_;
  std::function<void()> act_;
};

}  // namespace

TPrintService::TPrintService(IDialogs& dialogs, TDocumentFolder& documents)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)), dialogs_(dialogs), documents_(documents) {
  const QMarginsF margins(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
  printer_->setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter));
}

TPrintService::~TPrintService() = default;

bool TPrintService::ToFile() const {
  return printer_->outputFormat() == QPrinter::PdfFormat || QPrinterInfo::availablePrinterNames().isEmpty();
}

bool TPrintService::PrinterChosen() const {
  const QString name = printer_->printerName();
  return !name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name);
}

bool TPrintService::Setup() {
  return dialogs_.PrinterSetup();
}

bool TPrintService::RunSetupDialog(QWidget* parent) {
  CancelCaptureMode();
  QPrintDialog dialog(printer_.get(), parent);
  dialog.setWindowTitle(QString::fromUtf8(kSetupTitle));
  // Qt's confirming button says "Print"; this one only keeps the choice.
  for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>())
    if (buttons->window() == &dialog)
      if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  // No output file here: every print asks for its own. Qt's file row would
  // ask about overwriting a file the set-up never writes. Qt shows the row
  // again when the dialog opens and whenever the printer changes.
  const auto hideFileRow = [&dialog] {
    for (const char* name : {"lOutput", "filename", "fileBrowser"})
      if (QWidget* widget = dialog.findChild<QWidget*>(QString::fromLatin1(name))) {
        widget->setEnabled(false);
        widget->hide();
      }
  };
  if (QComboBox* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
    QObject::connect(printers, &QComboBox::currentIndexChanged, &dialog, hideFileRow);
  OnShow shown(dialog, hideFileRow);
  return dialog.exec() == QDialog::Accepted;
}

bool TPrintService::Print(const QTextDocument& document, const std::string& title) {
  // Printers installed but none chosen: the set-up chooses one (or a file).
  if (!ToFile() && !PrinterChosen() && (!Setup() || (!ToFile() && !PrinterChosen()))) return false;
  printer_->setDocName(ToQString(title));
  if (ToFile()) {
    FileDialogOptions options;
    options.title = kFileTitle;
    options.filter = "Arquivos PDF (*.pdf)|*.pdf|Todos os Arquivos (*.*)|*.*";
    options.defaultExt = "pdf";
    options.fileName = ProposedName(title);
    options.overwritePrompt = true;
    options.documents = &documents_;
    return SaveWithDialogChecked(dialogs_, options,
                                 [&](const std::string& path) { return PrintToFile(document, path); });
  }
  PrintCopy(document)->print(printer_.get());
  if (printer_->printerState() == QPrinter::Error)
    return Fail("N\xC3\xA3o foi poss\xC3\xADvel imprimir na impressora " + FromQString(printer_->printerName()) + ".");
  return true;
}

bool TPrintService::PrintToFile(const QTextDocument& document, const std::string& path) {
  const std::string failed = "N\xC3\xA3o foi poss\xC3\xADvel imprimir no arquivo " + path;
  const QFileInfo target(ToQString(path));
  if (target.isDir()) return Fail(failed + ": " + SystemErrorText(EISDIR));
  // The pages are made in memory, then replace the file in one go.
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(target.absoluteFilePath());
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setPdfVersion(printer_->pdfVersion());
    pdf.setResolution(printer_->resolution());
    pdf.setPageLayout(printer_->pageLayout());
    pdf.setTitle(printer_->docName());
    pdf.setCreator(printer_->creator());
    PrintCopy(document)->print(&pdf);
  }
  const QByteArray& bytes = buffer.data();
  if (bytes.isEmpty()) return Fail(failed + ".");
  try {
    ReplaceFileContents(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), failed);
  } catch (const EFCreateError& e) {
    return Fail(e.Message());
  }
  return true;
}

bool TPrintService::Fail(const std::string& message) {
  dialogs_.Error(message);
  return false;
}

std::unique_ptr<QTextDocument> TPrintService::PrintCopy(const QTextDocument& document) const {
  const QRectF paint = printer_->pageLayout().paintRect(QPageLayout::Inch);
  const QSizeF page(paint.width() * kDocumentDpi, paint.height() * kDocumentDpi);
  std::unique_ptr<QTextDocument> copy(document.clone());
  copy->setPageSize(page);
  const double needed = copy->documentLayout()->documentSize().width();
  if (needed > page.width()) copy->setPageSize(page * (needed / page.width()));
  return copy;
}
