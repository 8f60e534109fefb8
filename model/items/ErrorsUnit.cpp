#include "model/items/ErrorsUnit.h"

#include "platform/rtl/Exceptions.h"

TErrorList::TErrorList() {
  items_.reserve(kInitialCapacity);
}

void TErrorList::Add(int code, const std::string& text) {
  items_.push_back(TError(code, text));
}

void TErrorList::Clear() {
  items_.clear();
  items_.reserve(kInitialCapacity);
}

const TError& TErrorList::GetItem(int index) const {
  if (index < 0 || index >= Count()) ThrowListIndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

std::vector<ErrorLine> ErrorLines(const TErrorList& errors) {
  std::vector<ErrorLine> lines;
  lines.reserve(static_cast<std::size_t>(errors.Count()));
  for (const TError& e : errors) lines.push_back({e.Code(), e.Text()});
  return lines;
}
