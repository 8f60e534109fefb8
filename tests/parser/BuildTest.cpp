// The formula language: splits, precedence and associativity, power kinds,
// number literals, limits and the builder's messages.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "parser/FormulaBuild.h"
#include "tests/parser/ParserTestUtil.h"
#include "platform/rtl/SysUtils.h"

namespace {

class BuildTest : public ::testing::Test {
protected:
  void SetUp() override {
    p.SetA(7);
    p.SetB(3);
    p.SetC(2);
  }
  TParser p;
};

TEST_F(BuildTest, AssociativityFollowsTheSideTables) {
  // Values under the language's grouping differ from the other grouping.
  EXPECT_DOUBLE_EQ(Eval(p, "A-B-C"), 2.0);       // (A-B)-C
  EXPECT_DOUBLE_EQ(Eval(p, "A-B+C"), 6.0);       // (A-B)+C
  EXPECT_DOUBLE_EQ(Eval(p, "A/B/C"), 7.0 / 6.0); // (A/B)/C
  EXPECT_DOUBLE_EQ(Eval(p, "A/B*C"), 14.0 / 3.0);
  EXPECT_DOUBLE_EQ(Eval(p, "ADIVB*C"), 4.0);     // (A DIV B)*C
  EXPECT_DOUBLE_EQ(Eval(p, "A*BDIVC"), 7.0);     // A*(B DIV C)
  EXPECT_DOUBLE_EQ(Eval(p, "A*B/C"), 10.5);
  // A+(B-C): 1 with A = 1, B = C = 1e16; (A+B)-C would give 0.
  p.SetA(1);
  p.SetB(1e16);
  p.SetC(1e16);
  EXPECT_DOUBLE_EQ(Eval(p, "A+B-C"), 1.0);
}

TEST_F(BuildTest, SplitsAsTheMatchersReportThem) {
  TExpressionMatcher m("A-B-C+A*B/C", p.VariableTable(), p.OneParameterFunctions(),
                       p.TwoParameterFunctions(), true);
  std::string_view l, r;
  ASSERT_TRUE(m.MatchSum(m.Text(), l, r));
  EXPECT_EQ(l, "A-B-C");
  EXPECT_EQ(r, "A*B/C");
  ASSERT_TRUE(m.MatchDifference(l, l, r));
  EXPECT_EQ(l, "A-B");
  EXPECT_EQ(r, "C");

  TExpressionMatcher m2("A*B/C", p.VariableTable(), p.OneParameterFunctions(),
                        p.TwoParameterFunctions(), true);
  ASSERT_TRUE(m2.MatchProduct(m2.Text(), l, r));
  EXPECT_EQ(l, "A");
  EXPECT_EQ(r, "B/C");

  TExpressionMatcher m3("MAX(MIN(A,B),(C))", p.VariableTable(), p.OneParameterFunctions(),
                        p.TwoParameterFunctions(), true);
  ASSERT_TRUE(m3.MatchBinaryFunction(m3.Text(), l, r));
  EXPECT_EQ(l, "MIN(A,B)");  // split at the second comma
  EXPECT_EQ(r, "C");         // stripped
  std::string_view inside;
  EXPECT_TRUE(m3.IsValidOperand(m3.Text().substr(13, 3), inside));
  EXPECT_EQ(inside, "C");

  TExpressionMatcher m4("((A+B))", p.VariableTable(), p.OneParameterFunctions(),
                        p.TwoParameterFunctions(), true);
  ASSERT_TRUE(m4.StripOuterBrackets(m4.Text(), inside));
  EXPECT_EQ(inside, "A+B");

  TExpressionMatcher m5("X^-2", p.VariableTable(), p.OneParameterFunctions(),
                        p.TwoParameterFunctions(), true);
  std::uint8_t kind = 0;
  ASSERT_TRUE(m5.MatchPower(m5.Text(), l, r, kind));
  EXPECT_EQ(kind, kOpIntPower);
  EXPECT_EQ(r, "-2");
}

TEST_F(BuildTest, SignsAndNegation) {
  p.SetX(3);
  EXPECT_DOUBLE_EQ(Eval(p, "-X^2"), -9.0);
  EXPECT_DOUBLE_EQ(Eval(p, "-2^2"), -4.0);
  EXPECT_DOUBLE_EQ(Eval(p, "(-2)^2"), 4.0);
  EXPECT_DOUBLE_EQ(Eval(p, "-A*B"), -21.0);
  EXPECT_DOUBLE_EQ(Eval(p, "-A+B"), -4.0);
  EXPECT_DOUBLE_EQ(Eval(p, "(-A)-B"), -10.0);
  EXPECT_DOUBLE_EQ(Eval(p, "A*(-B)"), -21.0);
  EXPECT_DOUBLE_EQ(Eval(p, "A*-2"), -14.0);
  EXPECT_DOUBLE_EQ(Eval(p, "A+-2"), 5.0);
  EXPECT_DOUBLE_EQ(Eval(p, "A--2"), 9.0);
  EXPECT_DOUBLE_EQ(Eval(p, "-(-A)"), 7.0);
  EXPECT_DOUBLE_EQ(Eval(p, "A*-B*C"), -42.0);  // A*((-B)*C)
  EXPECT_DOUBLE_EQ(Eval(p, "-SIN(X)^2"), -std::sin(3.0) * std::sin(3.0));
  EXPECT_EQ(KindsOf(p), (std::vector<int>{kOpFunction1, kOpSquare, kOpNegate}));

  for (const char* text : {"-A-B", "-2-B", "+A+B", "A*-B", "--A", "A^B^C", "-1E-5-A"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(p.SetExpression(text), ESyntaxError);
  }
}

TEST_F(BuildTest, PowersAndTheirKinds) {
  p.SetX(2);
  p.SetY(3);
  const struct {
    const char* text;
    std::vector<int> kinds;
    double value;
  } cases[] = {
      {"X^2", {kOpSquare}, 4.0},
      {"X^2.0", {kOpSquare}, 4.0},
      {"X^3", {kOpCube}, 8.0},
      {"X^4", {kOpFourthPower}, 16.0},
      {"X^5", {kOpIntPower}, 32.0},
      {"X^-2", {kOpIntPower}, 0.25},
      {"X^0.5", {kOpRealPower}, std::sqrt(2.0)},
      {"X^Y", {kOpRealPower}, 8.0},
      {"X^(2)", {kOpRealPower}, 4.0},
      {"X^2147483648", {kOpRealPower}, std::pow(2.0, 2147483648.0)},
      {"(A^B)^C", {kOpRealPower, kOpRealPower}, 7.0 * 7 * 7 * 7 * 7 * 7},
      {"A^(B^C)", {kOpRealPower, kOpRealPower}, std::pow(7.0, 9.0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (std::isinf(c.value)) {
      EXPECT_THROW(Eval(p, c.text), EOverflow);
      EXPECT_EQ(KindsOf(p), c.kinds);
      continue;
    }
    EXPECT_DOUBLE_EQ(Eval(p, c.text), c.value);
    EXPECT_EQ(KindsOf(p), c.kinds);
  }
}

TEST_F(BuildTest, ListIsLinkedDeepestLevelFirst) {
  p.SetD(5);
  EXPECT_DOUBLE_EQ(Eval(p, "A*B+C*D"), 31.0);
  EXPECT_EQ(KindsOf(p), (std::vector<int>{kOpMultiply, kOpMultiply, kOpAdd}));
  EXPECT_DOUBLE_EQ(Eval(p, "MAX(MIN(A,B),C)"), 3.0);
  EXPECT_EQ(KindsOf(p), (std::vector<int>{kOpFunction2, kOpFunction2}));
  EXPECT_DOUBLE_EQ(Eval(p, "((A+B))"), 10.0);
  EXPECT_EQ(KindsOf(p), (std::vector<int>{kOpAdd}));
  EXPECT_DOUBLE_EQ(Eval(p, "(A)*(B)"), 21.0);

  // A lone variable is its own storage; a lone number one constant.
  double* a = p.AssignVariable("A", 4);
  p.SetExpression("A");
  ASSERT_EQ(KindsOf(p), (std::vector<int>{kOpVariable}));
  EXPECT_EQ(p.OperationList()->Result, a);
  p.SetExpression("2.5");
  ASSERT_EQ(KindsOf(p), (std::vector<int>{kOpConstant}));
  EXPECT_EQ(*p.OperationList()->Result, 2.5);
  EXPECT_EQ(p.OperationList()->Result, p.OperationList()->Arg1);
}

TEST_F(BuildTest, FunctionsNeedTheirTable) {
  p.SetX(0.5);
  p.SetY(2);
  EXPECT_DOUBLE_EQ(Eval(p, "SIN(X)"), std::sin(0.5));
  EXPECT_EQ(KindsOf(p), (std::vector<int>{kOpFunction1}));
  for (const char* text : {"SIN(X,Y)", "MAX(X)", "FOO(X)", "()", "SIN()", "2A", "MAX(X,)",
                           "MAX(,X)", ")A(", "SIN", "SIN(X)(Y)"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(p.SetExpression(text), ESyntaxError);
  }
}

TEST_F(BuildTest, NumberLiterals) {
  EXPECT_DOUBLE_EQ(Eval(p, "1E+5"), 100000.0);
  EXPECT_DOUBLE_EQ(Eval(p, "A+1E+5"), 100007.0);
  EXPECT_DOUBLE_EQ(Eval(p, "1E+5+A"), 100007.0);
  EXPECT_DOUBLE_EQ(Eval(p, "1E-5-A"), 1e-5 - 7.0);
  EXPECT_DOUBLE_EQ(Eval(p, ".5+5."), 5.5);
  EXPECT_DOUBLE_EQ(Eval(p, "1.5e3"), 1500.0);  // upper-cased first
  EXPECT_EQ(Eval(p, "PI*2"), 6.283185307179586);
  EXPECT_EQ(Eval(p, "-PI"), -3.141592653589793);
  EXPECT_EQ(KindsOf(p), (std::vector<int>{kOpConstant}));
  EXPECT_DOUBLE_EQ(Eval(p, "-2"), -2.0);
  EXPECT_EQ(KindsOf(p), (std::vector<int>{kOpConstant}));  // a signed number, not a negation
  p.SetE(3);
  EXPECT_DOUBLE_EQ(Eval(p, "E-1"), 2.0);  // E is a variable here
  for (const char* text : {"1E400", "1E-400", "1E", "1.5.2", "1,5"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(p.SetExpression(text), ESyntaxError);
  }
}

TEST_F(BuildTest, LocaleNumberFormat) {
  const TFormatSettings saved = FormatSettings();
  SetBrazilianFormatSettings();
  p.SetPascalNumberformat(false);
  EXPECT_DOUBLE_EQ(Eval(p, "A*1,5"), 10.5);
  // The first comma where both sides are operands: MAX(1; 5,2).
  EXPECT_DOUBLE_EQ(Eval(p, "MAX(1,5,2)"), 5.2);
  EXPECT_THROW(p.SetExpression("A*1.5"), ESyntaxError);
  p.SetPascalNumberformat(true);
  EXPECT_DOUBLE_EQ(Eval(p, "A*1.5"), 10.5);
  EXPECT_THROW(p.SetExpression("MAX(1,5,2)"), ESyntaxError);
  FormatSettings() = saved;
}

TEST_F(BuildTest, Messages) {
  EXPECT_EQ(CompileError<ESyntaxError>(p, "2+"), "Error parsing expression:\r2+");
  EXPECT_EQ(CompileError<ESyntaxError>(p, "A*-B"), "Error parsing expression:\rA\r-B");
  EXPECT_EQ(CompileError<ESyntaxError>(p, ")A("), "Error parsing expression:\r)A(");
  EXPECT_EQ(CompileError<ESyntaxError>(p, "   "), "Error parsing expression:\r");
  EXPECT_EQ(CompileError<ESyntaxError>(p, "MAX(A,B+)"), "Error parsing expression:\rA\rB+");
  EXPECT_EQ(CompileError<EExpressionHasBlanks>(p, "A B"), "Expression has blanks");
  EXPECT_EQ(CompileError<EMissMatchingBracket>(p, "(A+B"), "Missing brackets in expression");
  EXPECT_EQ(CompileError<EMathParserError>(p, "A B)"), "Expression has blanks");  // found first
  EXPECT_NO_THROW(p.SetExpression("  A+B  "));
  // A tab is no blank: it stays in the text and fails as a syntax error.
  EXPECT_THROW(p.SetExpression("A+\tB"), ESyntaxError);

  TExpressionMatcher m("A+B", p.VariableTable(), p.OneParameterFunctions(),
                       p.TwoParameterFunctions(), true);
  std::string_view l, r;
  try {
    m.MatchSum("A+B", l, r);  // not a part of the matcher's text
    FAIL();
  } catch (const EParserInternalError& e) {
    EXPECT_EQ(e.Message(), "TParser internal error");
  }
  // Every parser error is an EMathParserError and an Exception.
  EXPECT_THROW(p.SetExpression("2+"), EMathParserError);
  EXPECT_THROW(p.SetExpression("2+"), Exception);
}

std::string Chain(const std::string& term, const std::string& op, int terms) {
  std::string s = term;
  for (int i = 1; i < terms; ++i) s += op + term;
  return s;
}

std::string Nested(const std::string& open, const std::string& inner, const std::string& close,
                   int depth) {
  std::string s;
  for (int i = 0; i < depth; ++i) s += open;
  s += inner;
  for (int i = 0; i < depth; ++i) s += close;
  return s;
}

// ((A+A)+(A+A)) ... with 2^depth leaves.
std::string Balanced(int depth) {
  return depth == 0 ? "A" : "(" + Balanced(depth - 1) + "+" + Balanced(depth - 1) + ")";
}

TEST_F(BuildTest, NestingAndComplexityLimits) {
  p.SetA(1);
  EXPECT_DOUBLE_EQ(Eval(p, Chain("A", "+", 21)), 21.0);  // 20 operators
  EXPECT_EQ(CompileError<ETooManyNestings>(p, Chain("A", "+", 22)),
            "Expression contains too many nestings");
  EXPECT_DOUBLE_EQ(Eval(p, Balanced(6)), 64.0);
  EXPECT_EQ(CompileError<EExpressionTooComplex>(p, Balanced(7)), "Expression is too complex");
  EXPECT_NO_THROW(p.SetExpression(Nested("SIN(", "A", ")", 20)));
  EXPECT_THROW(p.SetExpression(Nested("SIN(", "A", ")", 21)), ETooManyNestings);
  EXPECT_DOUBLE_EQ(Eval(p, Nested("(", "A", ")", 300)), 1.0);
  EXPECT_TRUE(p.ParserError() == false);
}

TEST_F(BuildTest, LongChainsEndPromptly) {
  // Each is compiled or rejected; the time goal is in the benchmark.
  for (const char* op : {"-", "/", "+", "*", "DIV", "MOD"}) {
    SCOPED_TRACE(op);
    EXPECT_THROW(p.SetExpression(Chain("A", op, 200)), ETooManyNestings);
  }
  EXPECT_THROW(p.SetExpression(Chain("A-B*C", "-", 67)), ETooManyNestings);
  EXPECT_THROW(p.SetExpression(Chain("A", "^", 200)), ESyntaxError);
  EXPECT_THROW(p.SetExpression(Chain("A", "*-", 200)), ESyntaxError);
  EXPECT_THROW(p.SetExpression(Chain("A", "-", 40)), ETooManyNestings);
  std::string maxes = "A";
  for (int i = 0; i < 200; ++i) maxes = "MAX(" + maxes + ",A)";
  EXPECT_THROW(p.SetExpression(maxes), ETooManyNestings);
  // Far deeper than any compilable text: refused without exhausting the stack.
  EXPECT_THROW(p.SetExpression(Nested("(", "A", ")", 100000)), ETooManyNestings);
  EXPECT_THROW(p.SetExpression(Nested("-(", "A", ")", 50000)), ETooManyNestings);
}

}  // namespace
