#pragma once
// Coded validation messages: every check appends to a list instead of
// stopping at the first fault.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/services/ErrorLine.h"

class TErrorList;

class TError {
public:
  int Code() const { return code_; }
  const std::string& Text() const { return text_; }

private:
  friend class TErrorList;
  TError(int code, std::string text) : code_(code), text_(std::move(text)) {}

  int code_;
  std::string text_;
};

class TErrorList {
public:
  TErrorList();

  void Add(int code, const std::string& text);
  // Removes every message; the title stays.
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError outside 0..Count-1.
  const TError& GetItem(int index) const;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  std::vector<TError>::const_iterator begin() const { return items_.begin(); }
  std::vector<TError>::const_iterator end() const { return items_.end(); }

private:
  static constexpr std::size_t kInitialCapacity = 100;

  std::vector<TError> items_;
  std::string title_;
};

// The list as the error window shows it.
std::vector<ErrorLine> ErrorLines(const TErrorList& errors);
