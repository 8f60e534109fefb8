#include "platform/richedit/RtfView.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <map>
#include <tuple>

#include "platform/gui/Graphics.h"
#include "platform/gui/Guard.h"
#include "platform/gui/PrintService.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SafeFile.h"

namespace {

constexpr double kTwipsPerPixel = 15.0;     // 1440 twips an inch, 96 pixels an inch
constexpr double kRowLine = 0.5 * 96 / 72;  // 0.5 pt
constexpr int kDefaultCellTwips = 1440;     // a cell past the row's edges

class Builder {
public:
  Builder(const RtfDocument& model, QTextDocument& document) : model_(model), document_(document) {}

  void Run() {
    QTextOption option = document_.defaultTextOption();
    option.setTabStopDistance(RtfView::kTabStop);
    document_.setDefaultTextOption(option);
    QFont font(RtfFontFamily(model_.Font(model_.defaultFont)));
    font.setPointSizeF(RtfCharFormat{}.halfPoints / 2.0);
    document_.setDefaultFont(font);

    cursor_ = QTextCursor(&document_);
    cursor_.beginEditBlock();
    for (const RtfBlock& block : model_.blocks) {
      if (const auto* p = std::get_if<RtfParagraph>(&block))
        Paragraph(*p);
      else
        Table(std::get<RtfTable>(block));
    }
    cursor_.endEditBlock();
  }

private:
  const QTextCharFormat& Format(const RtfCharFormat& f) {
    const auto key = std::make_tuple(f.font, f.halfPoints, f.bold);
    auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    QTextCharFormat format;
    format.setFontFamilies({Family(f.font)});
    format.setFontPointSize(f.halfPoints / 2.0);
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    return formats_.emplace(key, format).first->second;
  }

  const QString& Family(int font) {
    auto it = families_.find(font);
    if (it == families_.end()) it = families_.emplace(font, RtfFontFamily(model_.Font(font))).first;
    return it->second;
  }

  // Into the empty block at the cursor. A cell's first block keeps its
  // format: the cell's format lives there.
  void Fill(QTextCursor& cursor, const RtfParagraph& p, bool blockFormat = true) {
    if (blockFormat) cursor.setBlockCharFormat(Format(p.mark));
    for (const RtfRun& run : p.runs) {
      QString text = ToQString(run.text);
      text.replace(QLatin1Char('\n'), QChar::LineSeparator);
      cursor.insertText(text, Format(run.format));
    }
  }

  // Qt lays out an empty block right before or after a table inside the
  // table's border: each table gets such a block of its own on both sides,
  // so that the document's empty paragraphs keep their height.
  void Paragraph(const RtfParagraph& p) {
    if (at_ != At::Start) cursor_.insertBlock(QTextBlockFormat());
    Fill(cursor_, p);
    at_ = At::Paragraph;
  }

  void Table(const RtfTable& t) {
    const int columns = std::max(1, t.columns);
    const int rows = static_cast<int>(t.rows.size());
    if (rows == 0) return;
    const std::vector<int>& edges = t.definition.rightEdges;
    QList<QTextLength> widths;
    int left = 0;
    for (int c = 0; c < columns; ++c) {
      const int right = c < static_cast<int>(edges.size()) ? edges[static_cast<std::size_t>(c)]
                                                           : left + kDefaultCellTwips;
      widths.append(QTextLength(QTextLength::FixedLength, std::max(0, right - left) / kTwipsPerPixel));
      left = std::max(left, right);
    }
    QTextTableFormat format;
    format.setAlignment(t.definition.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    format.setColumnWidthConstraints(widths);
    format.setBorder(0);
    format.setBorderBrush(Qt::black);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setMargin(0);
    if (at_ == At::Paragraph) cursor_.insertBlock(QTextBlockFormat());
    QTextTable* table = cursor_.insertTable(rows, columns, format);

    // Cells carry few properties: the layout reads them again and again.
    const double padding = t.definition.gap / kTwipsPerPixel;
    std::vector<QTextTableCellFormat> cellFormats(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
      QTextTableCellFormat& f = cellFormats[static_cast<std::size_t>(c)];
      f.setLeftPadding(padding);
      f.setRightPadding(padding);
      if (!t.definition.bordered) continue;
      f.setTopBorder(kRowLine);
      f.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      f.setBottomBorder(kRowLine);
      f.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      if (c == 0) {
        f.setLeftBorder(kRowLine);
        f.setLeftBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      }
      if (c == columns - 1) {
        f.setRightBorder(kRowLine);
        f.setRightBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      }
    }
    for (int r = 0; r < rows; ++r) {
      const std::vector<RtfCell>& cells = t.rows[static_cast<std::size_t>(r)].cells;
      for (int c = 0; c < columns; ++c) {
        QTextTableCell cell = table->cellAt(r, c);
        cell.setFormat(cellFormats[static_cast<std::size_t>(c)]);
        if (c >= static_cast<int>(cells.size())) continue;
        const std::vector<RtfParagraph>& paragraphs = cells[static_cast<std::size_t>(c)].paragraphs;
        QTextCursor inCell = cell.firstCursorPosition();
        for (std::size_t i = 0; i < paragraphs.size(); ++i) {
          if (i > 0) inCell.insertBlock(QTextBlockFormat());
          Fill(inCell, paragraphs[i], i > 0);
        }
      }
    }
    cursor_.movePosition(QTextCursor::End);
    at_ = At::AfterTable;
  }

  const RtfDocument& model_;
  QTextDocument& document_;
  QTextCursor cursor_;
  // Where the cursor is: the document's first block, unused; the end of a
  // paragraph; the empty block after a table.
  enum class At { Start, Paragraph, AfterTable };
  At at_ = At::Start;
  std::map<std::tuple<int, int, bool>, QTextCharFormat> formats_;
  std::map<int, QString> families_;
};

}  // namespace

QString RtfFontFamily(const RtfFont* font) {
  if (font && !font->face.empty()) return ResolveFontFamily(font->face);
  const std::string family = font ? font->family : std::string("roman");
  if (family == "modern") return ResolveFontFamily("Courier New");
  if (family == "swiss") return ResolveFontFamily("Arial");
  return ResolveFontFamily("Times New Roman");
}

void BuildRtfDocument(const RtfDocument& model, QTextDocument& document) {
  Builder(model, document).Run();
}

RtfView::RtfView(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  // A reader moves with the keys (arrows, pages, Ctrl+Home, Ctrl+End); a
  // read-only QTextEdit ignores them unless asked.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setFocusPolicy(Qt::ClickFocus);
  setTabStopDistance(kTabStop);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void RtfView::LoadFromBytes(std::string bytes) {
  bytes_ = std::move(bytes);
  const RtfDocument model = RtfReader::Read(bytes_);
  auto* fresh = new QTextDocument(this);
  fresh->setUndoRedoEnabled(false);
  // No layout until the view sets the page size.
  fresh->setPageSize(QSizeF(0, 0));
  BuildRtfDocument(model, *fresh);
  // The former document is this view's child: setDocument deletes it.
  setDocument(fresh);
  setTabStopDistance(kTabStop);
  // From its start: keeping the caret in sight of a folded-up view (a page the
  // group bar left has no height) scrolls it down.
  setTextCursor(QTextCursor(fresh));
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
}

void RtfView::LoadFromFile(const std::string& path) {
  QFile file(ToQString(path));
  if (!file.exists()) throw EFOpenError("Arquivo n\xC3\xA3o encontrado: " + path);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError("N\xC3\xA3o foi poss\xC3\xADvel abrir o arquivo " + path + ": " +
                      FromQString(file.errorString()));
  const QByteArray data = file.readAll();
  LoadFromBytes(std::string(data.constData(), static_cast<std::size_t>(data.size())));
}

void RtfView::SaveToFile(const std::string& path) const {
  ReplaceFileContents(path, bytes_);
}

void RtfView::SetWordWrap(bool wrap) {
  setLineWrapMode(wrap ? WidgetWidth : NoWrap);
}

bool RtfView::Print(TPrintService& service, const std::string& title) {
  return service.Print(*document(), title);
}

void RtfView::keyPressEvent(QKeyEvent* event) {
  QTextEdit::keyPressEvent(event);
  // The caret in sight is not enough: Ctrl+Home shows the report's very top,
  // margin included, and Ctrl+End its very end.
  if (!(event->modifiers() & Qt::ControlModifier)) return;
  if (event->key() == Qt::Key_Home) {
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
  } else if (event->key() == Qt::Key_End) {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  }
}

void RtfView::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  Guard([&] {
    if (OnContextMenu) OnContextMenu(FromQPoint(event->globalPos()));
  });
}
