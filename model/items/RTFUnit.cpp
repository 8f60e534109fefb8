#include "model/items/RTFUnit.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

#include <utility>

namespace {

void AppendUnicode(std::string& out, char32_t cp) {
  auto unit = [&out](unsigned u) {
    out += "\\u";
    out += std::to_string(u >= 0x8000 ? static_cast<int>(u) - 0x10000 : static_cast<int>(u));
    out += '?';
  };
  if (cp > 0xFFFF) {
    const unsigned v = static_cast<unsigned>(cp) - 0x10000;
    unit(0xD800 + (v >> 10));
    unit(0xDC00 + (v & 0x3FF));
  } else {
    unit(static_cast<unsigned>(cp));
  }
}

}  // namespace

std::string EncodeRTFText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  char32_t cp;
  while (pos < text.size()) {
    if (!Utf8Next(text, pos, cp)) {
      out += '?';
      continue;
    }
    if (cp == '\\' || cp == '{' || cp == '}') {
      out += '\\';
      out += static_cast<char>(cp);
      continue;
    }
    const int b = Cp1252Char(cp);
    if (b >= 0)
      out += static_cast<char>(b);
    else
      AppendUnicode(out, cp);
  }
  return out;
}

TRTFDocument::TRTFDocument() : header_("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046") {}

int TRTFDocument::AddFont(std::string_view family, std::string_view face) {
  const int n = static_cast<int>(fonts_.size());
  std::string entry = "{\\f" + std::to_string(n) + "\\f";
  entry += family;
  entry += "\\fcharset0 ";
  entry += EncodeRTFText(face);
  entry += ";}";
  fonts_.push_back(std::move(entry));
  return n;
}

void TRTFDocument::Write(std::string_view bytes) {
  data_.replace(position_, bytes.size(), bytes);
  position_ += bytes.size();
}

void TRTFDocument::BeginDocument() {
  data_.clear();
  position_ = 0;
  Write(header_);
  if (!fonts_.empty()) {
    Write("{\\fonttbl");
    for (const std::string& entry : fonts_) Write(entry);
    Write("}");
  }
  Write("\\pard");
}

void TRTFDocument::EndDocument() {
  Write("}");
  position_ = 0;
}

void TRTFDocument::WriteText(std::string_view text) {
  Write(EncodeRTFText(text));
}

void TRTFDocument::SetFont(int font) {
  Write("\\f" + std::to_string(font));
}

void TRTFDocument::SetFontSize(int points) {
  Write("\\fs" + std::to_string(2 * points));
}

void TRTFDocument::SetFontAndSize(int font, int points) {
  SetFont(font);
  SetFontSize(points);
}

void TRTFDocument::NewParagraph() {
  Write("\\par");
}

void TRTFDocument::NewParagraphs(int count) {
  for (int i = 0; i < count; ++i) NewParagraph();
}

void TRTFDocument::ResetParagraph() {
  Write("\\pard");
}

void TRTFDocument::BoldOn() {
  Write("\\b1");
}

void TRTFDocument::BoldOff() {
  Write("\\b0");
}

void TRTFDocument::WriteRowDefinition(int gap, const std::vector<int>& widths, bool centred) {
  std::string row = "\\trowd\\trgaph" + std::to_string(gap);
  if (centred) row += "\\trqc";
  row +=
      "\\trbrdrt\\brdrs\\brdrw10"
      "\\trbrdrl\\brdrs\\brdrw10"
      "\\trbrdrb\\brdrs\\brdrw10"
      "\\trbrdrr\\brdrs\\brdrw10";
  long long edge = 0;
  for (int w : widths) {
    edge += w;
    row += "\\cellx" + std::to_string(edge);
  }
  Write(row);
}

void TRTFDocument::BeginTableRow(int gap, const std::vector<int>& widths) {
  WriteRowDefinition(gap, widths, true);
}

void TRTFDocument::BeginLeftTableRow(int gap, const std::vector<int>& widths) {
  WriteRowDefinition(gap, widths, false);
}

void TRTFDocument::WriteTableRow(const std::vector<std::string>& cells) {
  std::string row = "\\intbl ";
  for (const std::string& cell : cells) {
    row += EncodeRTFText(cell);
    row += "\\cell ";
  }
  row += "\\row";
  Write(row);
}
