#pragma once
// A small tokenizer: splits a text at any character of a separator set. The
// character 0 always separates; two separators in a row give an empty token,
// the end of the text none.

#include <string>
#include <string_view>

class TStrTok {
public:
  void SetText(std::string_view text);
  void SetSeparators(std::string_view chars);
  // Restarts at the beginning and returns the first token.
  std::string FirstToken();
  // The next token; sets End() when the text is exhausted (the token is then empty).
  std::string NextToken();
  bool IsSeparator(char c) const;
  bool End() const { return end_; }
  // The separator that ended the last token.
  char LastSeparator() const { return lastSeparator_; }

private:
  std::string text_{'\0'};
  std::size_t position_ = 0;
  std::string separators_{'\0'};
  std::string token_;
  bool end_ = false;
  char lastSeparator_ = '\0';
};
