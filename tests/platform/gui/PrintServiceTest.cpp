// The print service: printing to a PDF file with the job title, the set-up
// dialog once when no printer is usable, nothing printed when it is
// cancelled, and wide documents scaled to the page.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <filesystem>

#include "platform/gui/PrintService.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/Pdf.h"

namespace {

void Fill(QTextDocument& doc) {
  QTextCursor cursor(&doc);
  cursor.insertText(QString::fromUtf8("Relat\xC3\xB3rio"));
}

}  // namespace

TEST(PrintService, PrintsToAPdfFileWithTheTitle) {
  TempDir dir;
  TPrintService service;
  int setups = 0;
  service.SetSetupDialog([&] { return ++setups, false; });
  service.Printer().setOutputFormat(QPrinter::PdfFormat);
  service.Printer().setOutputFileName(QString::fromStdString(dir / "r.pdf"));
  ASSERT_TRUE(service.Usable());

  QTextDocument doc;
  Fill(doc);
  const std::string title = "Simula\xC3\xA7\xC3\xA3o (1) \\ a";
  ASSERT_TRUE(service.Print(doc, title));
  EXPECT_EQ(setups, 0);
  const std::string pdf = ReadFileBytes(dir / "r.pdf");
  ASSERT_GT(pdf.size(), 100u);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_EQ(pdf::Title(pdf), title);

  // A4 portrait with 1.5 cm margins.
  const QPageLayout layout = service.Printer().pageLayout();
  EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
  EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
  EXPECT_NEAR(layout.margins(QPageLayout::Millimeter).left(), 15.0, 0.01);
  EXPECT_NEAR(layout.margins(QPageLayout::Millimeter).right(), 15.0, 0.01);
}

TEST(PrintService, WithoutAUsablePrinterTheSetUpOpensOnceAndCancelPrintsNothing) {
  TempDir dir;
  TPrintService service;
  service.Printer().setOutputFormat(QPrinter::PdfFormat);
  service.Printer().setOutputFileName(QString());
  ASSERT_FALSE(service.Usable());
  int setups = 0;
  service.SetSetupDialog([&] { return ++setups, false; });
  QTextDocument doc;
  Fill(doc);
  EXPECT_FALSE(service.Print(doc, "T"));
  EXPECT_EQ(setups, 1);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

  // Accepted with a PDF file chosen: printed.
  service.SetSetupDialog([&] {
    ++setups;
    service.Printer().setOutputFileName(QString::fromStdString(dir / "escolhido.pdf"));
    return true;
  });
  EXPECT_TRUE(service.Print(doc, "T"));
  EXPECT_EQ(setups, 2);
  EXPECT_EQ(pdf::Title(ReadFileBytes(dir / "escolhido.pdf")), "T");

  // A file that cannot be written: nothing printed, and it says so.
  service.Printer().setOutputFileName(QString::fromStdString(dir / "falta/r.pdf"));
  EXPECT_FALSE(service.Print(doc, "T"));
  EXPECT_EQ(setups, 2);
}

TEST(PrintService, AWideTableIsPrintedScaledToThePage) {
  TempDir dir;
  TPrintService service;
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
  EXPECT_TRUE(service.Print(doc, "Largo"));
  EXPECT_GT(std::filesystem::file_size(dir / "largo.pdf"), 100u);
}
