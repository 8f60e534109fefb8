#pragma once
// Reads the RTF the reports are written in into a small document model:
// paragraphs of runs (font, size, bold) and tables of rows of cells, with
// the row definition (right edges, gap, centred or left).
//
// Besides what the writer emits, the reader takes \'hh, \\, \{, \}, \tab,
// \line, \uN (skipping the fallback characters, \ucN), \plain, and skips
// {\* ...} and the usual unknown destinations. Damaged input (unbalanced
// braces, stray or unknown control words, absurd parameters, truncation)
// gives what can be read; the reader never loops or fails. Rules:
// - the blank after a control word is its delimiter and is dropped;
// - rows without a \trowd of their own reuse the last definition;
// - a row opens with \intbl and ends with \row; text outside a row, or a
//   \par with no row open, is an ordinary paragraph, and ends the table;
// - a row whose definition or column count differs from the table's starts
//   a new table.

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct RtfCharFormat {
  int font = 0;         // index in the font table
  int halfPoints = 24;  // font size in half-points
  bool bold = false;
  bool operator==(const RtfCharFormat&) const = default;
};

// Text in UTF-8; '\t' for a tab, '\n' for a line break inside the paragraph.
struct RtfRun {
  std::string text;
  RtfCharFormat format;
};

struct RtfParagraph {
  std::vector<RtfRun> runs;
  // The format at the paragraph's end: an empty paragraph's line height.
  RtfCharFormat mark;
  std::string Text() const;
};

struct RtfCell {
  std::vector<RtfParagraph> paragraphs;
  // The paragraphs' texts joined with '\n'.
  std::string Text() const;
};

struct RtfRowDefinition {
  std::vector<int> rightEdges;  // twips from the row's left edge
  int gap = 0;                  // half the space between two cells' texts, twips
  bool centred = false;
  bool bordered = false;  // the row has an outer line
  bool operator==(const RtfRowDefinition&) const = default;
};

struct RtfRow {
  std::vector<RtfCell> cells;
};

struct RtfTable {
  RtfRowDefinition definition;
  int columns = 0;  // every row has at most this many cells
  std::vector<RtfRow> rows;
};

struct RtfFont {
  std::string face;    // "Courier New"
  std::string family;  // "modern", "swiss", "roman", ...; empty when not given
};

using RtfBlock = std::variant<RtfParagraph, RtfTable>;

struct RtfDocument {
  std::map<int, RtfFont> fonts;
  int defaultFont = 0;
  std::vector<RtfBlock> blocks;

  // The font of an index, or nullptr.
  const RtfFont* Font(int index) const;
  // The blocks of one kind, in order.
  std::vector<const RtfTable*> Tables() const;
  std::vector<const RtfParagraph*> Paragraphs() const;
};

class RtfReader {
public:
  // Cells past this many in a row join the last one; edges past it are dropped.
  static constexpr int kMaxColumns = 64;
  // Font sizes are kept within these half-points.
  static constexpr int kMinHalfPoints = 2;
  static constexpr int kMaxHalfPoints = 800;
  // Edges and gaps are kept within 0 and this many twips.
  static constexpr int kMaxTwips = 100000;

  static RtfDocument Read(std::string_view rtf);
};
