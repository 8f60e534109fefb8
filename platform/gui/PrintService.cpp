#include "platform/gui/PrintService.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTextDocument>
#include <algorithm>

#include "platform/gui/Dialogs.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/QtTypes.h"

namespace {

// The resolution documents are laid out at (pixels per inch).
constexpr double kDocumentDpi = 96.0;

}  // namespace

TPrintService::TPrintService() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  const QMarginsF margins(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
  printer_->setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter));
}

TPrintService::~TPrintService() = default;

bool TPrintService::Usable() const {
  if (printer_->outputFormat() == QPrinter::PdfFormat) return !printer_->outputFileName().isEmpty();
  const QString name = printer_->printerName();
  return !name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name);
}

bool TPrintService::Setup() {
  if (setupDialog_) return setupDialog_();
  return RunPrintDialog(*printer_, TQtDialogs::DialogParent());
}

bool TPrintService::RunPrintDialog(QPrinter& printer, QWidget* parent) {
  CancelCaptureMode();
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool TPrintService::Print(const QTextDocument& document, const std::string& title) {
  if (!Usable() && (!Setup() || !Usable())) return false;
  printer_->setDocName(ToQString(title));
  PrintCopy(document)->print(printer_.get());
  return printer_->printerState() != QPrinter::Error;
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
