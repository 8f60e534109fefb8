#pragma once
// Helpers shared by the parser tests.

#include <string>
#include <vector>

#include "parser/FormulaParser.h"

// Compiles and evaluates a text.
inline double Eval(TParser& p, const std::string& text) {
  p.SetExpression(text);
  return static_cast<double>(p.Value());
}

// Kinds of the compiled list, in evaluation order.
inline std::vector<int> KindsOf(const TCustomParser& p) {
  std::vector<int> kinds;
  for (const TOperation* op = p.OperationList(); op; op = op->Next) kinds.push_back(op->Kind);
  return kinds;
}

// The message of the exception a compilation raises, "" when none.
template <class E>
std::string CompileError(TParser& p, const std::string& text) {
  try {
    p.SetExpression(text);
  } catch (const E& e) {
    return e.Message();
  }
  return "";
}
