#pragma once
// Small helpers shared by the test programs.

#include <string>
#include <utility>
#include <vector>

#include "model/items/ErrorsUnit.h"
#include "platform/classes/TypInfo.h"

// An error list as (code, text) pairs.
using Entries = std::vector<std::pair<int, std::string>>;

inline Entries EntriesOf(const TErrorList& list) {
  Entries out;
  for (const TError& e : list) out.emplace_back(e.Code(), e.Text());
  return out;
}

// Published property names in declaration order.
inline std::vector<std::string> PropertyNames(const ClassInfo& ci) {
  std::vector<std::string> names;
  for (const PropertyInfo* p : ci.Properties()) names.push_back(p->name);
  return names;
}
