// The print service: printing to a PDF file with the job title, the file
// asked for on every print and nothing written when that is cancelled, the
// set-up dialog that prints nothing, and wide documents scaled to the page.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <filesystem>
#include <iterator>
#include <vector>

#include "platform/gui/Dialogs.h"
#include "platform/gui/PrintService.h"
#include "platform/services/DocumentFolder.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/Modal.h"
#include "tests/support/gui/Pdf.h"

namespace {

void Fill(QTextDocument& doc) {
  QTextCursor cursor(&doc);
  cursor.insertText(QString::fromUtf8("Relat\xC3\xB3rio"));
}

}  // namespace

TEST(PrintService, PrintsToAPdfFileWithTheTitle) {
  TempDir dir;
  ScriptedDialogs dialogs;
  TDocumentFolder documents;
  TPrintService service(dialogs, documents);
  service.Printer().setOutputFormat(QPrinter::PdfFormat);
  ASSERT_TRUE(service.ToFile());

  QTextDocument doc;
  Fill(doc);
  const std::string title = "Simula\xC3\xA7\xC3\xA3o (1) \\ a";
  dialogs.AnswerFile(dir / "r.pdf");
  ASSERT_TRUE(service.Print(doc, title));
  ASSERT_EQ(dialogs.Prompts().size(), 1u);
  const Prompt& asked = dialogs.Prompts()[0];
  EXPECT_EQ(asked.kind, Prompt::Kind::SaveFile);
  EXPECT_EQ(asked.text, "Imprimir para Arquivo");
  EXPECT_EQ(asked.options.fileName, title + ".pdf");
  EXPECT_EQ(asked.options.defaultExt, "pdf");
  EXPECT_TRUE(asked.options.overwritePrompt);
  const std::string pdf = ReadFileBytes(dir / "r.pdf");
  ASSERT_GT(pdf.size(), 100u);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_EQ(pdf::Title(pdf), title);
  // Nothing else is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  // A4 portrait with 1.5 cm margins.
  const QPageLayout layout = service.Printer().pageLayout();
  EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
  EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
  EXPECT_NEAR(layout.margins(QPageLayout::Millimeter).left(), 15.0, 0.01);
  EXPECT_NEAR(layout.margins(QPageLayout::Millimeter).right(), 15.0, 0.01);
}

TEST(PrintService, EveryPrintToAFileAsksForItAndACancelledOneWritesNothing) {
  TempDir dir;
  ScriptedDialogs dialogs;
  TDocumentFolder documents;
  TPrintService service(dialogs, documents);
  service.Printer().setOutputFormat(QPrinter::PdfFormat);
  QTextDocument doc;
  Fill(doc);
  dialogs.AnswerFile(dir / "economico.pdf");
  ASSERT_TRUE(service.Print(doc, "Econ\xC3\xB4mico"));
  const std::string first = ReadFileBytes(dir / "economico.pdf");
  EXPECT_EQ(pdf::Title(first), "Econ\xC3\xB4mico");

  // The next print asks again, in the folder of the last file; cancelled,
  // it prints nothing and the first file stays.
  dialogs.AnswerFile("");
  EXPECT_FALSE(service.Print(doc, "Custos"));
  ASSERT_EQ(dialogs.Prompts(Prompt::Kind::SaveFile).size(), 2u);
  const Prompt asked = dialogs.Prompts().back();
  EXPECT_EQ(asked.options.fileName, "Custos.pdf");
  EXPECT_EQ(asked.options.initialDir, dir.Dir());
  EXPECT_TRUE(asked.options.overwritePrompt);
  EXPECT_EQ(ReadFileBytes(dir / "economico.pdf"), first);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  // The same file chosen again (the dialog asked before overwriting it).
  dialogs.AnswerFile(dir / "economico.pdf");
  EXPECT_TRUE(service.Print(doc, "Custos"));
  EXPECT_EQ(pdf::Title(ReadFileBytes(dir / "economico.pdf")), "Custos");

  // A file that cannot be written: nothing printed, and it says so.
  dialogs.AnswerFile(dir / "falta/r.pdf");
  EXPECT_FALSE(service.Print(doc, "T"));
  const std::vector<std::string> errors = dialogs.Texts(Prompt::Kind::Error);
  ASSERT_EQ(errors.size(), 1u);
  // The system's reason follows, in Portuguese.
  EXPECT_EQ(errors[0], "N\xC3\xA3o foi poss\xC3\xADvel imprimir no arquivo " + (dir / "falta/r.pdf") +
                           ": Arquivo ou pasta n\xC3\xA3o encontrado");
  EXPECT_FALSE(std::filesystem::exists(dir / "falta"));
  EXPECT_TRUE(dialogs.Prompts(Prompt::Kind::PrinterSetup).empty());
}

TEST(PrintService, TheSetUpDialogChoosesAndPrintsNothing) {
  TempDir dir;
  WriteFileBytes(dir / "anterior.pdf", "anterior");
  // The Qt set-up dialog, as the program's dialogs run it.
  TPrintService* printer = nullptr;
  TQtDialogs dialogs([&](QWidget* parent) { return printer->RunSetupDialog(parent); });
  TDocumentFolder documents;
  TPrintService service(dialogs, documents);
  printer = &service;
  service.Printer().setOutputFormat(QPrinter::PdfFormat);
  service.Printer().setOutputFileName(QString::fromStdString(dir / "anterior.pdf"));
  QString title, ok;
  WhenModal([&](QDialog& dialog) {
    title = dialog.windowTitle();
    // No output file to confirm: Qt would ask about overwriting this one.
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(file, nullptr);
    ASSERT_FALSE(file->isEnabled());
    EXPECT_FALSE(file->isVisible());
    QPushButton* button = nullptr;
    for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>())
      if (buttons->window() == &dialog) button = buttons->button(QDialogButtonBox::Ok);
    ASSERT_NE(button, nullptr);
    ok = button->text();
    button->click();
  });
  EXPECT_TRUE(service.Setup());
  EXPECT_EQ(title.toStdString(), "Configurar Impressora");
  EXPECT_EQ(ok.toStdString(), "OK");
  EXPECT_EQ(ReadFileBytes(dir / "anterior.pdf"), "anterior");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(PrintService, AWideTableIsPrintedScaledToThePage) {
  TempDir dir;
  ScriptedDialogs dialogs;
  TDocumentFolder documents;
  TPrintService service(dialogs, documents);
  service.Printer().setOutputFormat(QPrinter::PdfFormat);
  service.Printer().setOutputFileName(QString::fromStdString(dir / "largo.pdf"));
  // A4 less two 1.5 cm margins: 180 mm by 267 mm at 96 dpi.
  const double width = 180 / 25.4 * 96, height = 267 / 25.4 * 96;
  QTextDocument narrow;
  Fill(narrow);
  const QSizeF fits = service.PrintCopy(narrow)->pageSize();
  EXPECT_NEAR(fits.width(), width, 1.0);
  EXPECT_NEAR(fits.height(), height, 1.0);

  QTextDocument doc;
  QTextCursor cursor(&doc);
  QTextTableFormat format;
  format.setColumnWidthConstraints(QList<QTextLength>(6, QTextLength(QTextLength::FixedLength, 200)));
  QTextTable* table = cursor.insertTable(2, 6, format);
  for (int c = 0; c < 6; ++c) table->cellAt(1, c).firstCursorPosition().insertText(QString("c%1").arg(c));
  const QSizeF page = service.PrintCopy(doc)->pageSize();
  EXPECT_GE(page.width(), 1200);
  EXPECT_NEAR(page.height() / page.width(), fits.height() / fits.width(), 1e-9);
  dialogs.AnswerFile(dir / "largo.pdf");
  EXPECT_TRUE(service.Print(doc, "Largo"));
  EXPECT_GT(std::filesystem::file_size(dir / "largo.pdf"), 100u);
}
