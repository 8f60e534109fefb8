// The parser component: variables, compilation state, error events, the
// function library and the evaluation faults.

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

TEST(ParserComponent, ValueWithoutListIsZero) {
  TParser p;
  EXPECT_EQ(p.Value(), 0.0L);
  EXPECT_FALSE(p.ParserError());
  EXPECT_TRUE(p.PascalNumberformat());
  p.SetExpression("A+1");
  EXPECT_EQ(p.Value(), 1.0L);  // A never assigned
  p.SetExpression("");
  EXPECT_EQ(p.Value(), 0.0L);
  EXPECT_EQ(p.OperationList(), nullptr);
  EXPECT_EQ(p.ClassName(), "TParser");
}

TEST(ParserComponent, TablesOfTheParser) {
  TParser p;
  std::string names;
  for (const auto& [name, storage] : p.VariableTable()) names += name;
  EXPECT_EQ(names, "ABCDETXY");
  EXPECT_EQ(p.OneParameterFunctions().size(), 15u);
  for (const char* f : {"TAN", "SIN", "COS", "SINH", "COSH", "ARCTAN", "EXP", "LN", "SQRT", "ABS",
                        "HEAV", "SIGN", "ZERO", "PH", "RND"})
    EXPECT_EQ(p.OneParameterFunctions().count(f), 1u) << f;
  EXPECT_EQ(p.TwoParameterFunctions().size(), 2u);
  EXPECT_EQ(p.TwoParameterFunctions().count("MAX"), 1u);
  EXPECT_EQ(p.TwoParameterFunctions().count("MIN"), 1u);
  // The letters are the fields.
  p.SetT(4);
  EXPECT_EQ(*p.VariableTable().at("T"), 4.0);
}

class ParserWithDuplicate : public TParser {
public:
  void AddAgain() { AddFunctionOneParameter("sin", nullptr); }
};

TEST(ParserComponent, DuplicateFunctionIsAnError) {
  ParserWithDuplicate p;
  EXPECT_THROW(p.AddAgain(), EListError);
}

TEST(ParserComponent, OwnedByAComponent) {
  TComponent owner;
  auto* p = new TParser(&owner);
  EXPECT_EQ(owner.ComponentCount(), 1);
  p->SetExpression("X*2");
  // Freed with its owner.
}

TEST(ParserComponent, VariablesAreCaseInsensitiveAndSeenWithoutRecompiling) {
  TParser p;
  double* s = p.AssignVariable("s", 2);
  EXPECT_EQ(p.AssignVariable("S", 3), s);
  EXPECT_EQ(*s, 3.0);
  p.SetExpression("a*2+s");
  p.SetA(5);
  EXPECT_EQ(p.Value(), 13.0L);
  *s = 10;
  p.SetA(1);
  EXPECT_EQ(p.Value(), 12.0L);
  EXPECT_EQ(p.AssignVariable("a", 6), p.VariableTable().at("A"));
  EXPECT_EQ(p.A(), 6.0);
  // Long names may contain MOD or DIV; names are identifiers.
  p.AssignVariable("_x1", 1);
  p.AssignVariable("Modulo", 4);
  p.AssignVariable("DIVISOR", 2);
  EXPECT_EQ(Eval(p, "modulo*2+_X1"), 9.0);
  EXPECT_EQ(Eval(p, "MODULO/DIVISOR"), 2.0);
  EXPECT_EQ(Eval(p, "7MOD4"), 3.0);
  for (const char* bad : {"2X", "A-B", "", "X Y", "Ä"}) {
    try {
      p.AssignVariable(bad, 1);
      ADD_FAILURE() << bad;
    } catch (const EBadName& e) {
      EXPECT_EQ(e.Message(), UpperCase(bad));
    }
  }
  EXPECT_THROW(p.SetExpression("Q+1"), ESyntaxError);  // unknown until assigned
  p.AssignVariable("Q", 1);
  EXPECT_EQ(Eval(p, "Q+1"), 2.0);
  EXPECT_THROW(p.AssignVariable("Z", 1e300L * 1e300L), EOverflow);
}

TEST(ParserComponent, ReleaseVariables) {
  TParser p;
  p.AssignVariable("H", 2);
  p.SetExpression("A*H");
  p.ReleaseVariables();
  EXPECT_EQ(p.Expression(), "");
  EXPECT_EQ(p.Value(), 0.0L);
  EXPECT_TRUE(p.VariableTable().empty());
  EXPECT_THROW(p.SetExpression("A"), ESyntaxError);
  EXPECT_TRUE(p.ParserError());
  EXPECT_EQ(p.AssignVariable("A", 3), p.AssignVariable("a", 3));
  EXPECT_EQ(p.A(), 3.0);  // back on the field
  EXPECT_EQ(Eval(p, "A"), 3.0);
  EXPECT_FALSE(p.ParserError());
}

TEST(ParserComponent, ParserErrorAndTheEvent) {
  TParser p;
  int calls = 0;
  std::string message;
  TPersistent* sender = nullptr;
  p.SetOnParserError([&](TPersistent* s, Exception& e) {
    ++calls;
    sender = s;
    message = e.Message();
    EXPECT_NE(dynamic_cast<ESyntaxError*>(&e), nullptr);
  });
  EXPECT_NO_THROW(p.SetExpression("2+"));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(sender, &p);
  EXPECT_EQ(message, "Error parsing expression:\r2+");
  EXPECT_TRUE(p.ParserError());
  EXPECT_EQ(p.Value(), 0.0L);
  EXPECT_EQ(p.Expression(), "2+");
  p.SetExpression("");  // keeps the previous state
  EXPECT_TRUE(p.ParserError());
  p.SetExpression("2+3");
  EXPECT_FALSE(p.ParserError());
  EXPECT_EQ(p.Value(), 5.0L);
  p.SetOnParserError(nullptr);
  EXPECT_THROW(p.SetExpression("(2"), EMissMatchingBracket);
  EXPECT_TRUE(p.ParserError());
  EXPECT_EQ(p.Value(), 0.0L);  // the old list is gone
}

TEST(ParserComponent, RemoveBlanks) {
  EXPECT_EQ(TParser::RemoveBlanks(" 2 * D ^ 2 "), "2*D^2");
  EXPECT_EQ(TParser::RemoveBlanks("A +\tB\r\n- C\n"), "A+B-C");
  TParser p;
  p.SetD(3);
  EXPECT_EQ(Eval(p, TParser::RemoveBlanks("2 * D ^ 2\r\n")), 18.0);
}

TEST(FunctionLibrary, Values) {
  TParser p;
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"MIN(2,2)", 2},
      {"MAX(2,2)", 2},
      {"MIN(1,2)", 1},
      {"MAX(1,2)", 2},
      {"MIN(-1,-2)", -2},
      {"HEAV(0)", 1},
      {"HEAV(-1E-300)", 0},
      {"SIGN(0)", 0},
      {"SIGN(-3)", -1},
      {"SIGN(0.1)", 1},
      {"ZERO(0)", 0},
      {"ZERO(-3)", 1},
      {"ABS(-2.5)", 2.5},
      {"7MOD3", 1},
      {"-7MOD3", -1},
      {"7MOD-3", 1},
      {"7.9DIV2", 3},
      {"-7.9DIV2", -3},
      {"EXP(1)", std::exp(1.0)},
      {"EXP(-1000)", 0},
      {"LN(10)", std::log(10.0)},
      {"SQRT(2)", std::sqrt(2.0)},
      {"SIN(1E19)", 0},
      {"COS(-1E19)", 0},
      {"TAN(1)", std::tan(1.0)},
      {"ARCTAN(1)", std::numbers::pi / 4},
      {"SINH(1)", 1.1752011936438014},
      {"COSH(1)", 1.5430806348152437},
      {"PH(1)", -2.6967662132698145},
      // halves go to the even integer
      {"PH(0.3183098861837907)", std::numbers::pi},
      {"PH(0.954929658551372)", -std::numbers::pi},
      {"PH(1.5915494309189535)", std::numbers::pi},
      {"0^0", 1},
      {"RND(0.9)", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(Eval(p, c.text), c.value);
  }
  EXPECT_NE(Eval(p, "SIN(9E18)"), 0.0);
  // Beyond the double formula's range, still finite in extended precision.
  EXPECT_NEAR(Eval(p, "SINH(710)") / std::sinh(710.0), 1.0, 1e-13);
}

TEST(FunctionLibrary, RndDrawsFromTheRunTimeGenerator) {
  TParser p;
  p.SetExpression("RND(2.7)");
  const std::uint32_t seed = RandomSeed();
  std::uint32_t s = seed;
  for (int i = 0; i < 3; ++i) {
    s = s * 134775813u + 1u;
    EXPECT_EQ(static_cast<double>(p.Value()), 2.0 * (s / 4294967296.0));
  }
  p.SetExpression("RND(-2.7)");
  const double v = static_cast<double>(p.Value());
  EXPECT_TRUE(v > -2.0 && v <= 0.0);
  // A draw per evaluation, also with constant arguments.
  p.SetExpression("RND(1)-RND(1)");
  EXPECT_NE(p.Value(), p.Value());
}

TEST(Evaluation, FaultsRaiseRunTimeExceptions) {
  TParser p;
  auto fault = [&](const char* text) -> std::string {
    try {
      p.SetExpression(text);
      const double v = static_cast<double>(p.Value());
      return std::isfinite(v) ? "none" : "non-finite";
    } catch (const EZeroDivide&) {
      return "zero";
    } catch (const EInvalidOp&) {
      return "invalid";
    } catch (const EOverflow&) {
      return "overflow";
    } catch (const EDivByZero&) {
      return "intzero";
    } catch (const EIntOverflow&) {
      return "intoverflow";
    }
  };
  EXPECT_EQ(fault("EXP(710)"), "overflow");
  EXPECT_EQ(fault("LN(0)"), "zero");
  EXPECT_EQ(fault("LN(-1)"), "invalid");
  EXPECT_EQ(fault("SQRT(-1)"), "invalid");
  EXPECT_EQ(fault("1/0"), "zero");
  EXPECT_EQ(fault("0/0"), "invalid");
  EXPECT_EQ(fault("1DIV0"), "intzero");
  EXPECT_EQ(fault("1MOD0"), "intzero");
  EXPECT_EQ(fault("1E19DIV1"), "invalid");
  EXPECT_EQ(fault("1MOD-1E19"), "invalid");
  EXPECT_EQ(fault("1E200*1E200"), "overflow");
  EXPECT_EQ(fault("1E308+1E308"), "overflow");
  EXPECT_EQ(fault("(-1E308)-1E308"), "overflow");
  EXPECT_EQ(fault("(1E103)^3"), "overflow");
  EXPECT_EQ(fault("(1E80)^4"), "overflow");
  EXPECT_EQ(fault("(1E155)^2"), "overflow");
  EXPECT_EQ(fault("SINH(12000)"), "overflow");
  EXPECT_EQ(fault("COSH(-12000)"), "overflow");
  EXPECT_EQ(fault("PH(1.7E308)"), "overflow");
  EXPECT_EQ(fault("2^1024"), "overflow");
  EXPECT_EQ(fault("(-4)^0.5"), "invalid");
  EXPECT_EQ(fault("0^(-0.5)"), "zero");
  EXPECT_EQ(fault("0^-1"), "zero");

  p.SetA(std::numeric_limits<double>::quiet_NaN());
  for (const char* text : {"HEAV(A)", "SIGN(A)", "ZERO(A)", "MIN(A,1)", "MAX(1,A)", "A+1", "-A",
                           "ABS(A)", "SIN(A)", "EXP(A)", "A^2", "A^0.5", "ADIV1"})
    EXPECT_EQ(fault(text), "invalid") << text;

  // 64-bit edges of DIV and MOD: -2^63 is out of the truncation's range.
  p.SetA(-9223372036854775808.0);
  p.SetB(-1);
  EXPECT_EQ(fault("ADIVB"), "invalid");
  EXPECT_EQ(fault("AMODB"), "invalid");
  p.SetA(-9223372036854774784.0);
  EXPECT_EQ(Eval(p, "ADIVB"), 9223372036854774784.0);
  EXPECT_EQ(Eval(p, "AMODB"), 0.0);
  EXPECT_EQ(Eval(p, "AMOD7"), static_cast<double>(INT64_C(-9223372036854774784) % 7));
}

TEST(Evaluation, PowersComputedInExtendedPrecision) {
  TParser p;
  p.SetX(1e200);
  EXPECT_EQ(Eval(p, "X^1"), 1e200);
  p.SetY(1);
  EXPECT_EQ(Eval(p, "X^Y"), 1e200);
  p.SetX(10);
  EXPECT_EQ(Eval(p, "X^-400"), 0.0);
  p.SetY(-400);
  EXPECT_EQ(Eval(p, "X^Y"), 0.0);
  p.SetX(0);
  p.SetY(0);
  EXPECT_EQ(Eval(p, "X^Y"), 1.0);
  EXPECT_EQ(Eval(p, "X^2.5"), 0.0);
  p.SetX(-2);
  p.SetY(3);
  EXPECT_EQ(Eval(p, "X^Y"), -8.0);
  EXPECT_EQ(Eval(p, "X^-3"), -0.125);
  p.SetX(1.1);
  const long double x = 1.1;
  EXPECT_EQ(Eval(p, "X^3"), static_cast<double>(x * (x * x)));
  EXPECT_EQ(Eval(p, "X^4"), static_cast<double>((x * x) * (x * x)));
  EXPECT_EQ(Eval(p, "X^7"), static_cast<double>(x * x * x * x * x * x * x));
  // The platform's power functions follow the same rules.
  EXPECT_EQ(RealPower(5, 0), 1.0);
  EXPECT_EQ(RealPower(0, 3.5), 0.0);
  EXPECT_EQ(RealPower(2, 0.5), std::sqrt(2.0));
  EXPECT_EQ(IntPower(3, 0), 1.0);
  EXPECT_EQ(IntPower(2, -2), 0.25);
  EXPECT_EQ(IntPower(1, std::numeric_limits<std::int64_t>::min()), 1.0);
  EXPECT_EQ(IntPower(0.5, std::numeric_limits<std::int64_t>::max()), 0.0);
  EXPECT_THROW(IntPower(2, std::numeric_limits<std::int64_t>::max()), EOverflow);
  EXPECT_THROW(IntPower(1e-300, -20), EOverflow);
  EXPECT_THROW(RealPower(-2, 3e9), EInvalidOp);
}

TEST(Evaluation, ConstantPartsGiveTheSameValues) {
  TParser p;
  p.SetA(3);
  // A constant part that faults still faults at evaluation, every time.
  p.SetExpression("A+1/0");
  EXPECT_THROW(p.Value(), EZeroDivide);
  EXPECT_THROW(p.Value(), EZeroDivide);
  p.SetExpression("A*(2^0.5-LN(2))+7^(-0.51)");
  EXPECT_DOUBLE_EQ(static_cast<double>(p.Value()),
                   3 * (std::sqrt(2.0) - std::log(2.0)) + std::pow(7.0, -0.51));
  EXPECT_EQ(KindsOf(p).size(), 6u);  // the list keeps every operation
}

}  // namespace
