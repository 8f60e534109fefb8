#pragma once
// The report view: a read-only QTextEdit that shows a report's RTF. It keeps
// the bytes it loaded and saves exactly those (it never edits, and Qt writes
// no RTF); it prints through the print service. Tab stops every 48 pixels
// (720 twips); word wrap can be turned off; it takes the focus on a click
// only and then moves with the keyboard; a right click goes to the
// context-menu hook.

#include <QTextEdit>
#include <functional>
#include <string>

#include "platform/gui/Types.h"
#include "platform/rtf/RtfReader.h"

class QTextDocument;
class TPrintService;

// The font family standing for a report font: Liberation Mono, Sans and Serif
// for Courier New, Arial and Times New Roman.
QString RtfFontFamily(const RtfFont* font);

// Fills an empty document: paragraphs become blocks, tables QTextTables with
// fixed column widths (twips / 15 = pixels), centred or left, the gap as the
// cells' side padding, and one outer line around each bordered row.
void BuildRtfDocument(const RtfDocument& model, QTextDocument& document);

class RtfView : public QTextEdit {
public:
  // Default tab stops, pixels.
  static constexpr int kTabStop = 48;

  explicit RtfView(QWidget* parent = nullptr);

  // Shows the RTF and keeps its bytes. Damaged RTF shows what can be read.
  void LoadFromBytes(std::string bytes);
  // Raises EFOpenError when the file cannot be read.
  void LoadFromFile(const std::string& path);
  const std::string& Bytes() const { return bytes_; }
  // Writes the loaded bytes unchanged; raises EFCreateError on failure.
  void SaveToFile(const std::string& path) const;

  void SetWordWrap(bool wrap);
  bool WordWrap() const { return lineWrapMode() != NoWrap; }

  // Prints what is shown with the title as the job's name; false when
  // nothing was printed.
  bool Print(TPrintService& service, const std::string& title);

  // Called on a right click (or the menu key) with the screen position; when
  // empty no menu shows.
  std::function<void(TPoint screenPos)> OnContextMenu;

protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  std::string bytes_;
};
