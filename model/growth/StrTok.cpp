#include "model/growth/StrTok.h"

void TStrTok::SetText(std::string_view text) {
  text_.assign(text);
  text_.push_back('\0');
  position_ = 0;
  token_.clear();
  end_ = false;
}

void TStrTok::SetSeparators(std::string_view chars) {
  separators_.assign(chars);
  separators_.push_back('\0');
}

std::string TStrTok::FirstToken() {
  position_ = 0;
  end_ = false;
  return NextToken();
}

std::string TStrTok::NextToken() {
  token_.clear();
  // The appended 0 is a separator, so the scan stops at the latest there.
  if (position_ + 1 < text_.size()) {
    const std::size_t start = position_;
    while (!IsSeparator(text_[position_])) ++position_;
    lastSeparator_ = text_[position_];
    token_.assign(text_, start, position_ - start);
    ++position_;
  } else {
    end_ = true;
  }
  return token_;
}

bool TStrTok::IsSeparator(char c) const {
  return separators_.find(c) != std::string::npos;
}
