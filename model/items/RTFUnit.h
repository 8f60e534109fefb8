#pragma once
// A thin writer of Rich Text Format documents (code page 1252, language 1046)
// into an owned byte string that stands for a memory stream.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// UTF-8 text as RTF bytes: "\", "{" and "}" escaped, characters of code page
// 1252 as their byte, any other as "\uN?" (N a signed UTF-16 unit; a surrogate
// pair above U+FFFF). An invalid UTF-8 byte becomes "?".
std::string EncodeRTFText(std::string_view text);

class TRTFDocument {
public:
  TRTFDocument();

  const std::string& Header() const { return header_; }
  // Font-table entries; an entry's position is its font number.
  const std::vector<std::string>& Fonts() const { return fonts_; }
  // The stream's bytes and its current position.
  const std::string& Data() const { return data_; }
  std::size_t Position() const { return position_; }

  // Adds "{\f<n>\f<family>\fcharset0 <face>;}" and returns n.
  int AddFont(std::string_view family, std::string_view face);

  // Empties the stream and writes the header, the font table and "\pard".
  void BeginDocument();
  // Closes the document group and rewinds the stream.
  void EndDocument();

  void WriteText(std::string_view text);
  void SetFont(int font);
  void SetFontSize(int points);
  void SetFontAndSize(int font, int points);
  void NewParagraph();
  void NewParagraphs(int count);
  void ResetParagraph();
  void BoldOn();
  void BoldOff();

  // Row definition with outer borders; widths are cell widths in twips.
  void BeginTableRow(int gap, const std::vector<int>& widths);
  // The same row, not centred.
  void BeginLeftTableRow(int gap, const std::vector<int>& widths);
  void WriteTableRow(const std::vector<std::string>& cells);

private:
  // Writes bytes at the current position, overwriting or extending.
  void Write(std::string_view bytes);
  void WriteRowDefinition(int gap, const std::vector<int>& widths, bool centred);

  std::string header_;
  std::vector<std::string> fonts_;
  std::string data_;
  std::size_t position_ = 0;
};
