#pragma once
// Expression builder: classifies a formula text by splitting it at an operator
// whose two sides are acceptable for that operator (which sides each operator
// accepts gives the language its precedence and associativity), then builds
// the operation list level by level, deepest level first.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "parser/FormulaParser.h"

// Size of the operation table: levels 1..20 below the whole expression, and
// positions 1..50 on each level.
inline constexpr int kMaxOperationLevel = 20;
inline constexpr int kMaxOperationsPerLevel = 50;

// "(" counts +1 and ")" -1; true when the total is 0 (order is not checked).
bool BracketsBalanced(std::string_view text);

// Power kind for a number exponent: 11, 12, 13 for 2, 3, 4; 9 for another
// whole number within 32 bits; 10 otherwise.
std::uint8_t PowerKindOf(double exponent);

class TMatchEngine;

// The matchers over one prepared text (upper case, no blanks). Every text
// handed to a matcher must be a part of Text(). Answers about parts are
// remembered and parts that cannot match are ruled out early, so that long
// texts take polynomial time; what is accepted does not change.
// An operator matcher that fails leaves in left and right the parts of the
// last split it tried (they stay unchanged when it tried none).
class TExpressionMatcher {
public:
  TExpressionMatcher(std::string text, const TVariableTable& variables, const TFunctionTable& unaryFunctions,
                     const TFunctionTable& binaryFunctions, bool pascalNumberformat);
  ~TExpressionMatcher();
  TExpressionMatcher(const TExpressionMatcher&) = delete;
  TExpressionMatcher& operator=(const TExpressionMatcher&) = delete;

  std::string_view Text() const;

  // The storage of a known variable, or nullptr.
  double* IsKnownVariable(std::string_view s) const;
  bool TryNumber(std::string_view s, double& value) const;
  bool StripOuterBrackets(std::string_view s, std::string_view& inside);
  bool IsValidOperand(std::string_view s, std::string_view& stripped);
  bool MatchNegation(std::string_view s, std::string_view& part);
  bool MatchSum(std::string_view s, std::string_view& left, std::string_view& right);
  bool MatchDifference(std::string_view s, std::string_view& left, std::string_view& right);
  bool MatchProduct(std::string_view s, std::string_view& left, std::string_view& right);
  bool MatchIntegerQuotient(std::string_view s, std::string_view& left, std::string_view& right);
  bool MatchRemainder(std::string_view s, std::string_view& left, std::string_view& right);
  bool MatchQuotient(std::string_view s, std::string_view& left, std::string_view& right);
  bool MatchPower(std::string_view s, std::string_view& left, std::string_view& right, std::uint8_t& kind);
  bool MatchUnaryFunction(std::string_view s, std::string_view& argument);
  bool MatchBinaryFunction(std::string_view s, std::string_view& left, std::string_view& right);
  bool MatchArgumentPair(std::string_view s, std::string_view& left, std::string_view& right);

private:
  std::unique_ptr<TMatchEngine> engine_;
};

// Compiles a formula text with the parser's tables into a new operation list.
// Raises ESyntaxError, EExpressionHasBlanks, EMissMatchingBracket,
// ETooManyNestings, EExpressionTooComplex or EParserInternalError, with error
// set to true; on success error is false. Proc is left empty except for the
// function kinds 14 and 15, which get the function's procedure.
std::unique_ptr<TOperationList> BuildOperationList(std::string_view text, const TVariableTable& variables,
                                                   const TFunctionTable& unaryFunctions,
                                                   const TFunctionTable& binaryFunctions, bool pascalNumberformat,
                                                   bool& error);
