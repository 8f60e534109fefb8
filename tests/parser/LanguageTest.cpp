// The formula language: precedence and associativity as the split tables
// define them, power kinds, number literals, limits and the builder's messages.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "parser/FormulaBuild.h"
#include "platform/rtl/SysUtils.h"
#include "tests/parser/ParserTestUtil.h"

namespace {

// A = 7, B = 3, C = 2, D = 5, E = 3, X = 2, Y = 3: the two possible groupings
// of each text give different values.
class LanguageTest : public ::testing::Test {
protected:
  LanguageTest() {
    // clang-format off
    p.SetA(7); p.SetB(3); p.SetC(2); p.SetD(5); p.SetE(3); p.SetX(2); p.SetY(3);
    // clang-format on
  }
  TParser p;
};

TEST_F(LanguageTest, GroupingAndValues) {
  // clang-format off
  const std::pair<const char*, double> cases[] = {
      {"A-B-C", 2}, {"A-B+C", 6}, {"A/B/C", 7.0 / 6}, {"A/B*C", 14.0 / 3}, {"ADIVB*C", 4},
      {"A*BDIVC", 7}, {"A*B/C", 10.5}, {"AMODB*C", 2}, {"-X^2", -4}, {"-2^2", -4}, {"(-2)^2", 4},
      {"-A*B", -21}, {"-A+B", -4}, {"(-A)-B", -10}, {"A*(-B)", -21}, {"A*-2", -14}, {"A+-2", 5},
      {"A--2", 9}, {"-(-A)", 7}, {"A*-B*C", -42}, {"((A+B))", 10}, {"(A)*(B)", 21},
      {"(A^B)^C", 117649}, {"A^(B^C)", 40353607}, {"A*B+C*D", 31}, {"MAX(MIN(A,B),C)", 3},
      {"1E+5", 1e5}, {"A+1E+5", 100007}, {"1E+5+A", 100007}, {"1E-5-A", 1e-5 - 7}, {".5+5.", 5.5},
      {"1.5e3", 1500}, {"E-1", 2}, {"PI*2", 6.283185307179586}, {"-PI", -3.141592653589793},
      {"  A+B  ", 10}, {"X^-2", 0.25}, {"X^0.5", std::sqrt(2.0)},
      {"-SIN(X)^2", -std::sin(2.0) * std::sin(2.0)}};
  // clang-format on
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(Eval(p, text), value) << text;
  // A+(B-C): 1 with A = 1, B = C = 1e16; (A+B)-C would give 0.
  p.SetA(1);
  p.SetB(1e16);
  p.SetC(1e16);
  EXPECT_EQ(Eval(p, "A+B-C"), 1.0);
}

TEST_F(LanguageTest, OperationKindsInListOrder) {
  // clang-format off
  const std::pair<const char*, std::vector<int>> cases[] = {
      {"X^2", {kOpSquare}}, {"X^2.0", {kOpSquare}}, {"X^3", {kOpCube}}, {"X^4", {kOpFourthPower}},
      {"X^5", {kOpIntPower}}, {"X^-2", {kOpIntPower}}, {"X^0.5", {kOpRealPower}},
      {"X^Y", {kOpRealPower}}, {"X^(2)", {kOpRealPower}}, {"X^2147483648", {kOpRealPower}},
      {"-X^2", {kOpSquare, kOpNegate}}, {"A*B+C*D", {kOpMultiply, kOpMultiply, kOpAdd}},
      {"SIN(X)", {kOpFunction1}}, {"MAX(MIN(A,B),C)", {kOpFunction2, kOpFunction2}},
      {"-2", {kOpConstant}} /* a signed number, not a negation */, {"A", {kOpVariable}}};
  // clang-format on
  for (const auto& [text, kinds] : cases) {
    p.SetExpression(text);
    EXPECT_EQ(KindsOf(p), kinds) << text;
  }
  // A lone variable is its own storage; a lone number holds itself.
  EXPECT_EQ(p.OperationList()->Result, p.VariableTable().at("A"));
  p.SetExpression("2.5");
  EXPECT_EQ(p.OperationList()->Result, p.OperationList()->Arg1);
  EXPECT_EQ(*p.OperationList()->Result, 2.5);
}

TEST_F(LanguageTest, SyntaxErrors) {
  for (const char* text : {"-A-B",   "-2-B",   "+A+B",   "A*-B",  "--A",   "A^B^C",   "-1E-5-A", "SIN(X,Y)",
                           "MAX(X)", "FOO(X)", "()",     "SIN()", "2A",    "MAX(X,)", "MAX(,X)", ")A(",
                           "SIN",    "1E400",  "1E-400", "1E",    "1.5.2", "1,5",     "A+\tB",   "A\xC3\xA9"})
    EXPECT_THROW(p.SetExpression(text), ESyntaxError) << text;
}

TEST_F(LanguageTest, Messages) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"2+", "Error parsing expression:\r2+"},
      {"A*-B", "Error parsing expression:\rA\r-B"} /* the last split tried */,
      {"MAX(A,B+)", "Error parsing expression:\rA\rB+"}, {")A(", "Error parsing expression:\r)A("},
      {"   ", "Error parsing expression:\r"}, {"A B", "Expression has blanks"},
      {"A B)", "Expression has blanks"} /* found before the brackets */,
      {"(A+B", "Missing brackets in expression"}};
  // clang-format on
  for (const auto& [text, message] : cases) EXPECT_EQ(CompileError<EMathParserError>(p, text), message) << text;
  TExpressionMatcher m("A+B", p.VariableTable(), p.OneParameterFunctions(), p.TwoParameterFunctions(), true);
  std::string_view l, r;
  try {
    m.MatchSum("A+B", l, r);  // not a part of the matcher's own text
    ADD_FAILURE();
  } catch (const EParserInternalError& e) {
    EXPECT_EQ(e.Message(), "TParser internal error");
  }
}

TEST_F(LanguageTest, MatchersReportTheirParts) {
  TExpressionMatcher m("A-B-C+MAX(MIN(A,B),(C))", p.VariableTable(), p.OneParameterFunctions(),
                       p.TwoParameterFunctions(), true);
  std::string_view l, r, l2, r2;
  ASSERT_TRUE(m.MatchSum(m.Text(), l, r));
  EXPECT_EQ(l, "A-B-C");
  ASSERT_TRUE(m.MatchDifference(l, l2, r2));
  EXPECT_EQ(l2, "A-B");
  EXPECT_EQ(r2, "C");
  ASSERT_TRUE(m.MatchBinaryFunction(r, l2, r2));
  EXPECT_EQ(l2, "MIN(A,B)");  // the second comma
  EXPECT_EQ(r2, "C");         // stripped
  EXPECT_TRUE(m.IsValidOperand(m.Text().substr(19, 3), l2));
  EXPECT_EQ(l2, "C");
  EXPECT_FALSE(m.MatchProduct(m.Text(), l2, r2));
}

TEST_F(LanguageTest, LocaleNumberFormat) {
  p.SetPascalNumberformat(false);  // the tests run with "," as decimal separator
  EXPECT_DOUBLE_EQ(Eval(p, "A*1,5"), 10.5);
  EXPECT_DOUBLE_EQ(Eval(p, "MAX(1,5,2)"), 5.2);  // the first comma with two operands
  EXPECT_THROW(p.SetExpression("A*1.5"), ESyntaxError);
  p.SetPascalNumberformat(true);
  EXPECT_DOUBLE_EQ(Eval(p, "A*1.5"), 10.5);
  EXPECT_THROW(p.SetExpression("MAX(1,5,2)"), ESyntaxError);
}

std::string Chain(const std::string& term, const std::string& op, int terms) {
  std::string s = term;
  for (int i = 1; i < terms; ++i) s += op + term;
  return s;
}

std::string Nested(const std::string& open, const std::string& close, int depth) {
  std::string s;
  for (int i = 0; i < depth; ++i) s += open;
  s += "A";
  for (int i = 0; i < depth; ++i) s += close;
  return s;
}

std::string Balanced(int depth) {
  return depth == 0 ? "A" : "(" + Balanced(depth - 1) + "+" + Balanced(depth - 1) + ")";
}

TEST_F(LanguageTest, NestingAndComplexityLimits) {
  p.SetA(1);
  EXPECT_DOUBLE_EQ(Eval(p, Chain("A", "+", 21)), 21.0);  // 20 operators deep
  EXPECT_EQ(CompileError<ETooManyNestings>(p, Chain("A", "+", 22)), "Expression contains too many nestings");
  EXPECT_DOUBLE_EQ(Eval(p, Balanced(6)), 64.0);  // 32 operations on one level
  EXPECT_EQ(CompileError<EExpressionTooComplex>(p, Balanced(7)), "Expression is too complex");
  EXPECT_NO_THROW(p.SetExpression(Nested("SIN(", ")", 20)));
  EXPECT_THROW(p.SetExpression(Nested("SIN(", ")", 21)), ETooManyNestings);
  EXPECT_DOUBLE_EQ(Eval(p, Nested("(", ")", 300)), 1.0);
}

TEST_F(LanguageTest, LongChainsEndPromptly) {
  // Compiled or rejected; their times are in the benchmark.
  for (const char* op : {"-", "/", "+", "*", "DIV", "MOD"})
    EXPECT_THROW(p.SetExpression(Chain("A", op, 200)), ETooManyNestings) << op;
  EXPECT_THROW(p.SetExpression(Chain("A-B*C", "-", 67)), ETooManyNestings);
  EXPECT_THROW(p.SetExpression(Chain("A", "-", 40)), ETooManyNestings);
  EXPECT_THROW(p.SetExpression(Chain("A", "^", 200)), ESyntaxError);
  EXPECT_THROW(p.SetExpression(Chain("A", "*-", 200)), ESyntaxError);
  EXPECT_THROW(p.SetExpression(Nested("MAX(", ",A)", 200)), ETooManyNestings);
  // Far beyond anything compilable: refused without exhausting the stack or the time.
  EXPECT_THROW(p.SetExpression(Nested("(", ")", 100000)), ETooManyNestings);
  EXPECT_THROW(p.SetExpression(Nested("-(", ")", 50000)), ETooManyNestings);
  EXPECT_THROW(p.SetExpression(Chain("A", "-", 20000)), EMathParserError);
}

}  // namespace
