#include "platform/rtf/RtfReader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

namespace {

enum class Destination { Text, FontTable, Skip };

struct GroupState {
  RtfCharFormat format;
  Destination destination = Destination::Text;
  int unicodeSkip = 1;  // fallback characters after \uN
};

// Destinations whose content is never text of the document.
constexpr std::array<std::string_view, 24> kSkippedDestinations = {
    "colortbl", "stylesheet", "info",    "pict",    "object",  "header",   "headerl",   "headerr",
    "headerf",  "footer",     "footerl", "footerr", "footerf", "footnote", "listtable", "listoverridetable",
    "rsidtbl",  "generator",  "filetbl", "revtbl",  "fldinst", "xmlnstbl", "themedata", "latentstyles",
};

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int Clamp(long long v, int low, int high) {
  return static_cast<int>(std::clamp<long long>(v, low, high));
}

class Parser {
public:
  explicit Parser(std::string_view rtf) : in_(rtf) {}
  RtfDocument Run();

private:
  void OpenGroup();
  void CloseGroup();
  void PlainText();
  void Control();
  void ControlWord(std::string_view word, bool hasParam, long long param);
  void ControlSymbol(char c);

  // Text in UTF-8 to the current destination.
  void Emit(std::string_view utf8);
  void EmitChar(char32_t c);
  void EmitUnicode(long long param);
  void FlushSurrogate();

  RtfParagraph& Target() { return rowOpen_ ? cellParagraph_ : paragraph_; }
  void Par();
  void PushParagraph();
  void Intbl();
  void Cell();
  void AddCell(RtfCell cell);
  void FinishRow();
  void CommitFont();

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  GroupState state_;
  RtfDocument doc_;

  RtfParagraph paragraph_;  // outside tables
  bool rowOpen_ = false;
  RtfRow row_;
  RtfCell cell_;
  RtfParagraph cellParagraph_;
  RtfRowDefinition definition_;
  int openTable_ = -1;  // index of the table rows still join, or -1

  int fontIndex_ = -1;
  std::string fontFace_;
  std::string fontFamily_;

  int skip_ = 0;  // fallback characters still to drop after \uN
  char16_t highSurrogate_ = 0;
};

RtfDocument Parser::Run() {
  while (pos_ < in_.size()) {
    const char c = in_[pos_];
    if (c == '{') {
      ++pos_;
      OpenGroup();
    } else if (c == '}') {
      ++pos_;
      CloseGroup();
    } else if (c == '\\') {
      Control();
    } else {
      PlainText();
    }
  }
  if (rowOpen_) FinishRow();
  FlushSurrogate();
  if (!paragraph_.runs.empty()) PushParagraph();
  return std::move(doc_);
}

void Parser::OpenGroup() {
  skip_ = 0;
  stack_.push_back(state_);
}

void Parser::CloseGroup() {
  skip_ = 0;
  if (state_.destination == Destination::FontTable) CommitFont();
  if (stack_.empty()) return;  // an unbalanced brace
  state_ = stack_.back();
  stack_.pop_back();
}

void Parser::PlainText() {
  const std::size_t start = pos_;
  while (pos_ < in_.size()) {
    const char c = in_[pos_];
    if (c == '{' || c == '}' || c == '\\' || static_cast<unsigned char>(c) < 0x20) break;
    ++pos_;
  }
  if (pos_ == start) {
    // A control byte: a tab is text, CR, LF and the others are dropped.
    const char c = in_[pos_++];
    if (skip_ > 0) {
      if (c == '\t') --skip_;
      return;
    }
    if (c == '\t') Emit("\t");
    return;
  }
  std::string_view bytes = in_.substr(start, pos_ - start);
  const std::size_t skipped = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(skip_));
  skip_ -= static_cast<int>(skipped);
  bytes.remove_prefix(skipped);
  if (!bytes.empty()) Emit(Cp1252ToUtf8(bytes));
}

void Parser::Control() {
  ++pos_;  // the backslash
  if (pos_ >= in_.size()) return;
  const char c = in_[pos_];
  if (!IsLetter(c)) {
    ++pos_;
    if (c == '\'') {
      // Two hex digits; a cut escape drops the digit it has.
      int value = 0, digits = 0;
      while (digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0) {
        value = value * 16 + HexValue(in_[pos_++]);
        ++digits;
      }
      if (digits < 2) value = -1;
      if (skip_ > 0) {
        --skip_;
        return;
      }
      if (value >= 0) {
        const char byte = static_cast<char>(value);
        Emit(Cp1252ToUtf8(std::string_view(&byte, 1)));
      }
      return;
    }
    if (skip_ > 0) {
      --skip_;
      return;
    }
    ControlSymbol(c);
    return;
  }
  const std::size_t start = pos_;
  while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
  const std::string_view word = in_.substr(start, pos_ - start);
  bool negative = false;
  if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  bool hasParam = false;
  long long param = 0;
  while (pos_ < in_.size() && IsDigit(in_[pos_])) {
    hasParam = true;
    if (param < 1000000000000LL) param = param * 10 + (in_[pos_] - '0');
    ++pos_;
  }
  if (negative) param = -param;
  if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter
  if (skip_ > 0) {
    --skip_;
    return;
  }
  ControlWord(word, hasParam, param);
}

void Parser::ControlSymbol(char c) {
  switch (c) {
    case '\\':
    case '{':
    case '}':
      Emit(std::string_view(&c, 1));
      break;
    case '~':
      EmitChar(0x00A0);
      break;
    case '_':
      EmitChar(0x2011);
      break;
    case '*':
      state_.destination = Destination::Skip;
      break;
    case '\r':
    case '\n':
      if (state_.destination == Destination::Text) Par();
      break;
    default:  // \- and the others show nothing
      break;
  }
}

void Parser::ControlWord(std::string_view word, bool hasParam, long long param) {
  if (state_.destination == Destination::Skip) return;
  if (word == "u") {
    EmitUnicode(param);
    skip_ = state_.unicodeSkip;
    return;
  }
  if (word == "uc") {
    state_.unicodeSkip = Clamp(param, 0, 8);
    return;
  }
  if (state_.destination == Destination::FontTable) {
    if (word == "f") {
      CommitFont();
      fontIndex_ = Clamp(param, 0, 1 << 20);
    } else if (word.size() > 1 && word[0] == 'f' &&
               (word == "fnil" || word == "froman" || word == "fswiss" || word == "fmodern" || word == "fscript" ||
                word == "fdecor" || word == "ftech" || word == "fbidi")) {
      fontFamily_ = std::string(word.substr(1));
    } else if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) !=
               kSkippedDestinations.end()) {
      state_.destination = Destination::Skip;
    }
    return;
  }

  if (word == "par") {
    Par();
  } else if (word == "pard") {
    if (rowOpen_) FinishRow();
  } else if (word == "f") {
    state_.format.font = Clamp(param, 0, 1 << 20);
  } else if (word == "fs") {
    state_.format.halfPoints = hasParam && param > 0
                                   ? Clamp(param, RtfReader::kMinHalfPoints, RtfReader::kMaxHalfPoints)
                                   : RtfCharFormat{}.halfPoints;
  } else if (word == "b") {
    state_.format.bold = !hasParam || param != 0;
  } else if (word == "plain") {
    state_.format = RtfCharFormat{doc_.defaultFont};
  } else if (word == "tab") {
    Emit("\t");
  } else if (word == "line") {
    Emit("\n");
  } else if (word == "trowd") {
    if (rowOpen_) FinishRow();
    definition_ = RtfRowDefinition{};
  } else if (word == "trgaph") {
    definition_.gap = Clamp(param, 0, RtfReader::kMaxTwips);
  } else if (word == "trqc") {
    definition_.centred = true;
  } else if (word == "trql" || word == "trqr") {
    definition_.centred = false;
  } else if (word.starts_with("trbrdr")) {
    definition_.bordered = true;
  } else if (word == "cellx") {
    if (definition_.rightEdges.size() < static_cast<std::size_t>(RtfReader::kMaxColumns))
      definition_.rightEdges.push_back(Clamp(param, 0, RtfReader::kMaxTwips));
  } else if (word == "intbl") {
    Intbl();
  } else if (word == "cell") {
    Cell();
  } else if (word == "row") {
    if (rowOpen_) FinishRow();
  } else if (word == "deff") {
    doc_.defaultFont = Clamp(param, 0, 1 << 20);
    state_.format.font = doc_.defaultFont;
  } else if (word == "fonttbl") {
    state_.destination = Destination::FontTable;
    fontIndex_ = -1;
    fontFace_.clear();
    fontFamily_.clear();
  } else if (word == "emdash") {
    EmitChar(0x2014);
  } else if (word == "endash") {
    EmitChar(0x2013);
  } else if (word == "bullet") {
    EmitChar(0x2022);
  } else if (word == "lquote") {
    EmitChar(0x2018);
  } else if (word == "rquote") {
    EmitChar(0x2019);
  } else if (word == "ldblquote") {
    EmitChar(0x201C);
  } else if (word == "rdblquote") {
    EmitChar(0x201D);
  } else if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) != kSkippedDestinations.end()) {
    state_.destination = Destination::Skip;
  }
  // Anything else is skipped.
}

void Parser::Emit(std::string_view utf8) {
  FlushSurrogate();
  switch (state_.destination) {
    case Destination::Skip:
      return;
    case Destination::FontTable:
      for (char c : utf8) {
        if (c == ';')
          CommitFont();
        else
          fontFace_ += c;
      }
      return;
    case Destination::Text:
      break;
  }
  RtfParagraph& p = Target();
  if (!p.runs.empty() && p.runs.back().format == state_.format)
    p.runs.back().text += utf8;
  else
    p.runs.push_back({std::string(utf8), state_.format});
}

void Parser::EmitChar(char32_t c) {
  std::string utf8;
  Utf8Append(utf8, c);
  Emit(utf8);
}

void Parser::EmitUnicode(long long param) {
  if (param < 0) param += 0x10000;
  const char16_t unit = param >= 0 && param <= 0xFFFF ? static_cast<char16_t>(param) : char16_t{0xFFFD};
  if (unit >= 0xD800 && unit < 0xDC00) {
    FlushSurrogate();
    highSurrogate_ = unit;
  } else if (unit >= 0xDC00 && unit < 0xE000) {
    if (highSurrogate_ != 0) {
      const char32_t c = 0x10000 + ((char32_t{highSurrogate_} - 0xD800) << 10) + (char32_t{unit} - 0xDC00);
      highSurrogate_ = 0;
      EmitChar(c);
    } else {
      EmitChar(0xFFFD);
    }
  } else {
    EmitChar(unit);
  }
}

void Parser::FlushSurrogate() {
  if (highSurrogate_ == 0) return;
  highSurrogate_ = 0;
  EmitChar(0xFFFD);
}

void Parser::Par() {
  if (rowOpen_) {
    cellParagraph_.mark = state_.format;
    cell_.paragraphs.push_back(std::move(cellParagraph_));
    cellParagraph_ = RtfParagraph{};
    return;
  }
  paragraph_.mark = state_.format;
  PushParagraph();
}

void Parser::PushParagraph() {
  doc_.blocks.emplace_back(std::move(paragraph_));
  paragraph_ = RtfParagraph{};
  openTable_ = -1;
}

void Parser::Intbl() {
  if (rowOpen_) return;
  if (!paragraph_.runs.empty()) {
    paragraph_.mark = state_.format;
    PushParagraph();
  }
  rowOpen_ = true;
  row_ = RtfRow{};
  cell_ = RtfCell{};
  cellParagraph_ = RtfParagraph{};
}

void Parser::Cell() {
  if (!rowOpen_) Intbl();
  cellParagraph_.mark = state_.format;
  cell_.paragraphs.push_back(std::move(cellParagraph_));
  cellParagraph_ = RtfParagraph{};
  AddCell(std::move(cell_));
  cell_ = RtfCell{};
}

void Parser::AddCell(RtfCell cell) {
  if (row_.cells.size() < static_cast<std::size_t>(RtfReader::kMaxColumns)) {
    row_.cells.push_back(std::move(cell));
    return;
  }
  std::vector<RtfParagraph>& last = row_.cells.back().paragraphs;
  for (RtfParagraph& p : cell.paragraphs) last.push_back(std::move(p));
}

void Parser::FinishRow() {
  if (!cellParagraph_.runs.empty()) {
    cellParagraph_.mark = state_.format;
    cell_.paragraphs.push_back(std::move(cellParagraph_));
  }
  if (!cell_.paragraphs.empty()) AddCell(std::move(cell_));
  cellParagraph_ = RtfParagraph{};
  cell_ = RtfCell{};
  rowOpen_ = false;
  RtfRow row = std::move(row_);
  row_ = RtfRow{};
  if (row.cells.empty()) return;

  const int columns = static_cast<int>(std::max(definition_.rightEdges.size(), row.cells.size()));
  if (openTable_ >= 0) {
    RtfTable& table = std::get<RtfTable>(doc_.blocks[static_cast<std::size_t>(openTable_)]);
    if (table.definition == definition_ && table.columns == columns) {
      table.rows.push_back(std::move(row));
      return;
    }
  }
  RtfTable table;
  table.definition = definition_;
  table.columns = columns;
  table.rows.push_back(std::move(row));
  doc_.blocks.emplace_back(std::move(table));
  openTable_ = static_cast<int>(doc_.blocks.size()) - 1;
}

void Parser::CommitFont() {
  if (fontIndex_ >= 0 && (!fontFace_.empty() || !fontFamily_.empty())) {
    RtfFont& font = doc_.fonts[fontIndex_];
    const std::string face = Trim(fontFace_);
    if (!face.empty()) font.face = face;
    if (!fontFamily_.empty()) font.family = fontFamily_;
  }
  fontFace_.clear();
  fontFamily_.clear();
}

template <class T>
std::string JoinRuns(const T& runs) {
  std::string text;
  for (const RtfRun& run : runs) text += run.text;
  return text;
}

}  // namespace

std::string RtfParagraph::Text() const {
  return JoinRuns(runs);
}

std::string RtfCell::Text() const {
  std::string text;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) text += '\n';
    text += paragraphs[i].Text();
  }
  return text;
}

const RtfFont* RtfDocument::Font(int index) const {
  auto it = fonts.find(index);
  return it == fonts.end() ? nullptr : &it->second;
}

std::vector<const RtfTable*> RtfDocument::Tables() const {
  std::vector<const RtfTable*> out;
  for (const RtfBlock& block : blocks)
    if (const auto* t = std::get_if<RtfTable>(&block)) out.push_back(t);
  return out;
}

std::vector<const RtfParagraph*> RtfDocument::Paragraphs() const {
  std::vector<const RtfParagraph*> out;
  for (const RtfBlock& block : blocks)
    if (const auto* p = std::get_if<RtfParagraph>(&block)) out.push_back(p);
  return out;
}

RtfDocument RtfReader::Read(std::string_view rtf) {
  return Parser(rtf).Run();
}
