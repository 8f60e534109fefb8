// The parser component: variables, compilation state, the error event, the
// function library, the powers and the evaluation faults.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "platform/rtl/FloatChecks.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/SysUtils.h"
#include "tests/parser/ParserTestUtil.h"

namespace {

class ParserWithDuplicate : public TParser {
public:
  void AddAgain() { AddFunctionOneParameter("sin", nullptr); }
};

TEST(ParserComponent, CreationAndTables) {
  TComponent owner;
  auto* p = new TParser(&owner);  // freed by its owner
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(p->ClassName(), "TParser");
  EXPECT_EQ(p->Value(), 0.0L);  // no text yet
  EXPECT_FALSE(p->ParserError());
  EXPECT_TRUE(p->PascalNumberformat());
  std::string names;
  for (const auto& [name, storage] : p->VariableTable()) names += name;
  EXPECT_EQ(names, "ABCDETXY");
  std::string functions;
  for (const auto& [name, proc] : p->OneParameterFunctions()) functions += name + " ";
  EXPECT_EQ(functions, "ABS ARCTAN COS COSH EXP HEAV LN PH RND SIGN SIN SINH SQRT TAN ZERO ");
  EXPECT_EQ(p->TwoParameterFunctions().count("MAX") + p->TwoParameterFunctions().count("MIN"), 2u);
  p->SetT(4);
  EXPECT_EQ(*p->VariableTable().at("T"), 4.0);  // the letters are the fields
  ParserWithDuplicate duplicate;
  EXPECT_THROW(duplicate.AddAgain(), EListError);
}

TEST(ParserComponent, Variables) {
  TParser p;
  EXPECT_EQ(Eval(p, "A+1"), 1.0);  // never assigned
  double* s = p.AssignVariable("s", 2);
  EXPECT_EQ(p.AssignVariable("S", 3), s);
  p.SetExpression("a*2+s");
  p.SetA(5);
  EXPECT_EQ(p.Value(), 13.0L);  // seen without recompiling
  *s = 10;
  EXPECT_EQ(p.Value(), 20.0L);
  EXPECT_EQ(p.AssignVariable("a", 6), &*p.VariableTable().at("A"));
  p.AssignVariable("_x1", 1);
  p.AssignVariable("Modulo", 4);
  p.AssignVariable("DIVISOR", 2);
  EXPECT_EQ(Eval(p, "modulo/DIVISOR+_X1"), 3.0);
  for (const char* bad : {"2X", "A-B", "", "X Y", "\xC3\x84"}) {
    try {
      p.AssignVariable(bad, 1);
      ADD_FAILURE() << bad;
    } catch (const EBadName& e) {
      EXPECT_EQ(e.Message(), UpperCase(bad));
    }
  }
  EXPECT_THROW(p.SetExpression("Q+1"), ESyntaxError);  // unknown until assigned
  EXPECT_THROW(p.AssignVariable("Z", 1e300L * 1e300L), EOverflow);

  p.SetExpression("A*S");
  p.ReleaseVariables();
  EXPECT_EQ(p.Expression(), "");
  EXPECT_EQ(p.Value(), 0.0L);
  EXPECT_TRUE(p.VariableTable().empty());
  EXPECT_THROW(p.SetExpression("A"), ESyntaxError);
  double* a = p.AssignVariable("A", 3);
  EXPECT_EQ(a, p.VariableTable().at("A"));
  EXPECT_EQ(p.A(), 3.0);  // back on the field
}

TEST(ParserComponent, ParserErrorAndItsEvent) {
  TParser p;
  int calls = 0;
  p.SetOnParserError([&](TPersistent* sender, Exception& e) {
    ++calls;
    EXPECT_EQ(sender, &p);
    EXPECT_NE(dynamic_cast<ESyntaxError*>(&e), nullptr);
    EXPECT_EQ(e.Message(), "Error parsing expression:\r2+");
  });
  EXPECT_NO_THROW(p.SetExpression("2+"));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(p.ParserError());
  EXPECT_EQ(p.Value(), 0.0L);
  EXPECT_EQ(p.Expression(), "2+");
  p.SetExpression("");  // keeps the state
  EXPECT_TRUE(p.ParserError());
  EXPECT_EQ(Eval(p, "2+3"), 5.0);
  EXPECT_FALSE(p.ParserError());
  p.SetOnParserError(nullptr);
  EXPECT_THROW(p.SetExpression("(2"), EMissMatchingBracket);
  EXPECT_TRUE(p.ParserError());
  EXPECT_EQ(p.Value(), 0.0L);  // the old list is gone
}

TEST(ParserComponent, RemoveBlanks) {
  EXPECT_EQ(TParser::RemoveBlanks(" 2 * D ^ 2 "), "2*D^2");
  EXPECT_EQ(TParser::RemoveBlanks("A +\tB\r\n- C\n"), "A+B-C");
}

TEST(FunctionLibrary, Values) {
  TParser p;
  // clang-format off
  const std::pair<const char*, double> cases[] = {
      {"MIN(2,2)", 2}, {"MAX(2,2)", 2}, {"MIN(1,2)", 1}, {"MAX(1,2)", 2}, {"HEAV(0)", 1},
      {"HEAV(-1E-300)", 0}, {"SIGN(0)", 0}, {"SIGN(-3)", -1}, {"SIGN(0.1)", 1}, {"ZERO(0)", 0},
      {"ZERO(-3)", 1}, {"ABS(-2.5)", 2.5}, {"7MOD3", 1}, {"-7MOD3", -1}, {"7MOD-3", 1},
      {"7.9DIV2", 3}, {"-7.9DIV2", -3}, {"EXP(1)", std::exp(1.0)}, {"EXP(-1000)", 0},
      {"LN(10)", std::log(10.0)}, {"SQRT(2)", std::sqrt(2.0)}, {"SIN(1E19)", 0},
      {"COS(-1E19)", 0}, {"TAN(1)", std::tan(1.0)}, {"ARCTAN(1)", std::numbers::pi / 4},
      {"SINH(1)", 1.1752011936438014}, {"COSH(1)", 1.5430806348152437},
      {"PH(1)", -2.6967662132698145},
      // halves go to the even integer
      {"PH(0.3183098861837907)", std::numbers::pi}, {"PH(0.954929658551372)", -std::numbers::pi},
      {"PH(1.5915494309189535)", std::numbers::pi}, {"RND(0.9)", 0}, {"0^0", 1}};
  // clang-format on
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(Eval(p, text), value) << text;
  EXPECT_NE(Eval(p, "SIN(9E18)"), 0.0);
  // Beyond the range of the formula in doubles, finite in extended precision.
  EXPECT_NEAR(Eval(p, "SINH(710)") / std::sinh(710.0), 1.0, 1e-13);
}

TEST(FunctionLibrary, RndDrawsFromTheRunTimeGenerator) {
  TParser p;
  p.SetExpression("RND(2.7)");
  std::uint32_t seed = RandomSeed();
  for (int i = 0; i < 3; ++i) {
    seed = seed * 134775813u + 1u;
    EXPECT_EQ(static_cast<double>(p.Value()), 2.0 * (seed / 4294967296.0));
  }
  const double v = Eval(p, "RND(-2.7)");
  EXPECT_TRUE(v > -2.0 && v <= 0.0);
  p.SetExpression("RND(1)-RND(1)");  // two draws per evaluation, constant arguments or not
  EXPECT_NE(p.Value(), p.Value());
}

TEST(Evaluation, FaultsRaiseRunTimeExceptions) {
  TParser p;
  auto fault = [&](const char* text) -> std::string {
    try {
      return std::isfinite(Eval(p, text)) ? "none" : "non-finite";
    } catch (const EZeroDivide&) {
      return "zero";
    } catch (const EInvalidOp&) {
      return "invalid";
    } catch (const EOverflow&) {
      return "overflow";
    } catch (const EDivByZero&) {
      return "intzero";
    }
  };
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"EXP(710)", "overflow"}, {"LN(0)", "zero"}, {"LN(-1)", "invalid"}, {"SQRT(-1)", "invalid"},
      {"1/0", "zero"}, {"0/0", "invalid"}, {"1DIV0", "intzero"}, {"1MOD0", "intzero"},
      {"1E19DIV1", "invalid"}, {"1MOD-1E19", "invalid"}, {"1E200*1E200", "overflow"},
      {"1E308+1E308", "overflow"}, {"(-1E308)-1E308", "overflow"}, {"(1E103)^3", "overflow"},
      {"(1E80)^4", "overflow"}, {"(1E155)^2", "overflow"}, {"SINH(12000)", "overflow"},
      {"COSH(-12000)", "overflow"}, {"PH(1.7E308)", "overflow"}, {"2^1024", "overflow"},
      {"(-4)^0.5", "invalid"}, {"0^(-0.5)", "zero"}, {"0^-1", "zero"}, {"A+1/0", "zero"}};
  // clang-format on
  for (const auto& [text, expected] : cases) EXPECT_EQ(fault(text), expected) << text;
  p.SetExpression("A+1/0");  // a constant part faults at every evaluation
  EXPECT_THROW(p.Value(), EZeroDivide);
  EXPECT_THROW(p.Value(), EZeroDivide);

  p.SetA(std::numeric_limits<double>::quiet_NaN());
  for (const char* text : {"HEAV(A)", "SIGN(A)", "ZERO(A)", "MIN(A,1)", "MAX(1,A)", "A+1", "-A", "ABS(A)", "SIN(A)",
                           "EXP(A)", "A^2", "A^0.5", "A^5", "ADIV1"})
    EXPECT_EQ(fault(text), "invalid") << text;
  p.SetA(-9223372036854775808.0);  // -2^63 is out of the truncation's range
  EXPECT_EQ(fault("ADIV-1"), "invalid");
  p.SetA(-9223372036854774784.0);
  EXPECT_EQ(Eval(p, "ADIV-1"), 9223372036854774784.0);
  EXPECT_EQ(Eval(p, "AMOD7"), static_cast<double>(INT64_C(-9223372036854774784) % 7));
}

TEST(Evaluation, PowersInExtendedPrecision) {
  TParser p;
  auto power = [&](double x, double y, const char* text) {
    p.SetX(x);
    p.SetY(y);
    return Eval(p, text);
  };
  EXPECT_EQ(power(1e200, 1, "X^1"), 1e200);  // no fault from an unneeded squaring
  EXPECT_EQ(power(1e200, 1, "X^Y"), 1e200);
  EXPECT_EQ(power(10, -400, "X^-400"), 0.0);  // 1 / a power beyond the range
  EXPECT_EQ(power(10, -400, "X^Y"), 0.0);
  EXPECT_EQ(power(0, 0, "X^Y"), 1.0);
  EXPECT_EQ(power(0, 0, "X^2.5"), 0.0);
  EXPECT_EQ(power(-2, 3, "X^Y"), -8.0);
  EXPECT_EQ(power(-2, 3, "X^-3"), -0.125);
  const long double x = 1.1;
  EXPECT_EQ(power(1.1, 0, "X^3"), static_cast<double>(x * (x * x)));
  EXPECT_EQ(power(1.1, 0, "X^4"), static_cast<double>((x * x) * (x * x)));
  const long double x2 = x * x, x4 = x2 * x2;  // 7 = 1 + 2 + 4
  EXPECT_EQ(power(1.1, 7, "X^7"), static_cast<double>(x * x2 * x4));
  EXPECT_EQ(power(1.1, 7, "X^Y"), static_cast<double>(x * x2 * x4));
  EXPECT_EQ(power(1.1, 7, "X^(7)"), static_cast<double>(x * x2 * x4));
  EXPECT_EQ(power(3, 0.7, "X^0.7"), std::pow(3.0, 0.7));
  EXPECT_EQ(RealPower(2, 0.5), std::sqrt(2.0));
  EXPECT_EQ(IntPower(2, -2), 0.25);
  EXPECT_EQ(IntPower(1, std::numeric_limits<std::int64_t>::min()), 1.0);
  EXPECT_EQ(IntPower(0.5, std::numeric_limits<std::int64_t>::max()), 0.0);
  EXPECT_THROW(IntPower(2, std::numeric_limits<std::int64_t>::max()), EOverflow);
  EXPECT_THROW(IntPower(1e-300, -20), EOverflow);
  EXPECT_THROW(RealPower(-2, 3e9), EInvalidOp);
}

}  // namespace
