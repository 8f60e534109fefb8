// The report view: the reference growth report as a document with its
// tables, the bytes saved as loaded, printing to PDF with the title, the
// hook and the options, damaged reports; and a picture for a person.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdint>
#include <string>
using namespace std::string_literals;
#include <vector>

#include "fixtures/ReferenceReport.h"
#include "platform/gui/PrintService.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/Exceptions.h"
#include "platform/services/DocumentFolder.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/support/gui/Pdf.h"

namespace {

std::vector<QTextTable*> TablesOf(QTextDocument& doc) {
  std::vector<QTextTable*> tables;
  for (QTextFrame* frame : doc.rootFrame()->childFrames())
    if (auto* table = qobject_cast<QTextTable*>(frame)) tables.push_back(table);
  return tables;
}

QString CellText(QTextTable* table, int row, int column) {
  const QTextTableCell cell = table->cellAt(row, column);
  QTextCursor cursor = cell.firstCursorPosition();
  cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
  return cursor.selectedText();
}

QTextCharFormat CellFormat(QTextTable* table, int row, int column) {
  QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
  cursor.movePosition(QTextCursor::NextCharacter);
  return cursor.charFormat();
}

const std::string& Report() {
  static const std::string report = fixtures::ReferenceGrowthReport();
  return report;
}

}  // namespace

TEST(RtfView, ShowsTheGrowthReportWithItsTables) {
  RtfView view;
  view.LoadFromBytes(Report());
  EXPECT_EQ(view.Bytes(), Report());
  QTextDocument& doc = *view.document();
  EXPECT_TRUE(
      doc.toPlainText().contains(QString::fromUtf8("TABELA DE CRESCIMENTO E PRODU\xC3\x87\xC3\x83O - Eucalyptus")));

  const RtfDocument model = RtfReader::Read(Report());
  const std::vector<const RtfTable*> expected = model.Tables();
  const std::vector<QTextTable*> tables = TablesOf(doc);
  ASSERT_EQ(tables.size(), expected.size());
  for (std::size_t t = 0; t < tables.size(); ++t) {
    ASSERT_EQ(tables[t]->rows(), static_cast<int>(expected[t]->rows.size()));
    ASSERT_EQ(tables[t]->columns(), expected[t]->columns);
    for (int r = 0; r < tables[t]->rows(); ++r)
      for (int c = 0; c < tables[t]->columns(); ++c)
        EXPECT_EQ(CellText(tables[t], r, c).toStdString(),
                  expected[t]->rows[static_cast<std::size_t>(r)].cells[static_cast<std::size_t>(c)].Text());
  }
  // The growth table: fixed widths from the right edges, centred.
  const QTextTableFormat growth = tables[0]->format();
  EXPECT_EQ(growth.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  ASSERT_EQ(growth.columnWidthConstraints().size(), 9);
  EXPECT_EQ(growth.columnWidthConstraints()[0], QTextLength(QTextLength::FixedLength, 40));  // 600 twips
  EXPECT_EQ(growth.columnWidthConstraints()[8], QTextLength(QTextLength::FixedLength, 1000.0 / 15));

  // Heads in bold Liberation Sans 8 pt, data in Liberation Mono 10 pt.
  const QTextCharFormat head = CellFormat(tables[0], 0, 1);
  EXPECT_EQ(head.fontFamilies().toStringList(), QStringList{"Liberation Sans"});
  EXPECT_EQ(head.fontPointSize(), 8.0);
  EXPECT_EQ(head.fontWeight(), QFont::Bold);
  const QTextCharFormat data = CellFormat(tables[0], 1, 1);
  EXPECT_EQ(data.fontFamilies().toStringList(), QStringList{"Liberation Mono"});
  EXPECT_EQ(data.fontPointSize(), 10.0);
  EXPECT_EQ(data.fontWeight(), QFont::Normal);

  EXPECT_EQ(doc.defaultTextOption().tabStopDistance(), 48.0);
  EXPECT_TRUE(view.isReadOnly());
  EXPECT_EQ(view.focusPolicy(), Qt::ClickFocus);
}

TEST(RtfView, SavesTheBytesItLoaded) {
  TempDir dir;
  RtfView view;
  // Bytes a text-mode write or a re-export would change.
  const std::string bytes = Report() + "\r\n\x80\x00\xFF"s;
  view.LoadFromBytes(bytes);
  view.SaveToFile(dir / "relatorio.rtf");
  EXPECT_EQ(ReadFileBytes(dir / "relatorio.rtf"), bytes);
  try {
    view.SaveToFile(dir / "falta/relatorio.rtf");
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {  // the system's reason in Portuguese
    EXPECT_EQ(e.Message(), "N\xC3\xA3o foi poss\xC3\xADvel criar o arquivo " + (dir / "falta/relatorio.rtf") +
                               ": Arquivo ou pasta n\xC3\xA3o encontrado");
  }

  RtfView again;
  again.LoadFromFile(dir / "relatorio.rtf");
  EXPECT_EQ(again.Bytes(), bytes);
  EXPECT_THROW(again.LoadFromFile(dir / "falta.rtf"), EFOpenError);
}

TEST(RtfView, PrintsToAPdfWithTheTitle) {
  TempDir dir;
  ScriptedDialogs dialogs;
  TDocumentFolder documents;
  TPrintService service(dialogs, documents);
  dialogs.AnswerFile(dir / "relatorio.pdf");
  service.Printer().setOutputFormat(QPrinter::PdfFormat);
  RtfView view;
  view.LoadFromBytes(Report());
  // The printed copy keeps the tab stops.
  EXPECT_EQ(service.PrintCopy(*view.document())->defaultTextOption().tabStopDistance(), 48.0);
  EXPECT_TRUE(view.Print(service, "Refer\xC3\xAAncia"));
  const std::string pdf = ReadFileBytes(dir / "relatorio.pdf");
  EXPECT_GT(pdf.size(), 1000u);
  EXPECT_EQ(pdf::Title(pdf), "Refer\xC3\xAAncia");
}

TEST(RtfView, WrapOptionAndTheContextMenuHook) {
  RtfView view;
  view.resize(300, 200);
  view.LoadFromBytes(Report());
  EXPECT_TRUE(view.WordWrap());
  view.SetWordWrap(false);
  EXPECT_FALSE(view.WordWrap());
  EXPECT_EQ(view.lineWrapMode(), QTextEdit::NoWrap);

  std::vector<TPoint> shown;
  QContextMenuEvent plain(QContextMenuEvent::Mouse, QPoint(5, 6), QPoint(105, 206));
  QCoreApplication::sendEvent(view.viewport(), &plain);  // no hook: nothing
  view.OnContextMenu = [&](TPoint p) { shown.push_back(p); };
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 6), QPoint(105, 206));
  QCoreApplication::sendEvent(view.viewport(), &event);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].X, 105);
  EXPECT_EQ(shown[0].Y, 206);
}

TEST(RtfView, ANewDocumentShowsFromItsStart) {
  QWidget page;
  page.resize(300, 200);
  RtfView* view = new RtfView(&page);
  view->SetWordWrap(false);
  view->setGeometry(0, 0, 300, 200);
  page.show();
  view->LoadFromBytes(Report());
  QCoreApplication::processEvents();
  QScrollBar* down = view->verticalScrollBar();
  QScrollBar* across = view->horizontalScrollBar();
  ASSERT_GT(down->maximum(), 0);
  ASSERT_GT(across->maximum(), 0);
  EXPECT_EQ(down->value(), 0);
  // Read at the right, then the page is folded up and hidden, as the group
  // bar leaves a page; the next report comes meanwhile.
  across->setValue(across->maximum());
  view->setGeometry(0, 0, 300, 0);
  page.hide();
  view->LoadFromBytes(Report());
  view->setGeometry(0, 0, 300, 200);
  page.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(view->textCursor().position(), 0);
  EXPECT_EQ(down->value(), 0);
  EXPECT_EQ(across->value(), 0);
}

// Read-only, the report still moves with the keys a reader uses.
TEST(RtfView, TheKeysMoveTheReportAndChangeNothing) {
  RtfView view;
  view.resize(300, 200);
  view.LoadFromBytes(Report());
  view.show();
  QCoreApplication::processEvents();
  QScrollBar* down = view.verticalScrollBar();
  const QString text = view.toPlainText();
  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(down->value(), down->maximum());
  QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(down->value(), 0);
  QTest::keyClick(&view, Qt::Key_PageDown);
  EXPECT_GT(down->value(), 0);
  QTest::keyClicks(&view, "x");
  QTest::keyClick(&view, Qt::Key_Delete);
  EXPECT_EQ(view.toPlainText(), text);
}

TEST(RtfView, DamagedReportsShowWhatCanBeRead) {
  RtfView view;
  const std::string& report = Report();
  // Cut inside a table: the rows read so far are shown.
  const std::size_t cut = report.find("\\intbl  10");
  ASSERT_NE(cut, std::string::npos);
  view.LoadFromBytes(report.substr(0, cut + 30));
  EXPECT_TRUE(view.document()->toPlainText().contains("Tallora"));
  EXPECT_EQ(TablesOf(*view.document()).size(), 3u);

  std::uint32_t seed = 7;
  auto next = [&seed](std::uint32_t bound) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<std::size_t>((seed >> 8) % bound);
  };
  const std::vector<std::string> pieces = {
      "{", "}", "\\row", "\\cell ", "\\intbl ", "\\trowd\\cellx5", "\\cellx99999999", "\\fs99999", "\\par", "\\pard"};
  for (int i = 0; i < 150; ++i) {
    std::string rtf = report;
    for (int e = 0; e < 6; ++e) {
      const std::size_t at = next(static_cast<std::uint32_t>(rtf.size()));
      if (next(2) == 0)
        rtf.insert(at, pieces[next(static_cast<std::uint32_t>(pieces.size()))]);
      else
        rtf.erase(at, next(40));
    }
    view.LoadFromBytes(rtf);
    view.document()->size();  // laid out
  }
  for (std::size_t n = 0; n < report.size(); n += 97) view.LoadFromBytes(report.substr(0, n));
  view.LoadFromBytes("");
  EXPECT_TRUE(view.document()->isEmpty());
}

TEST(RtfView, GalleryOfTheGrowthReport) {
  RtfView view;
  view.SetWordWrap(false);
  view.resize(760, 900);
  view.LoadFromBytes(Report());
  view.show();
  const QImage image = Snap(view);
  EXPECT_TRUE(image.save(QString(TQ_BINARY_DIR) + "/richedit-gallery.png"));
  // The view scrolls to show the rest, the table keeps its width.
  EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
}
