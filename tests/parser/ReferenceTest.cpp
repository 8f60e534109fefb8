// Cross-checks against independent references: a literal, unremembered
// reading of the split rules on short texts; muparser on expressions both
// languages read alike; closed forms of the built-in equations; and random
// garbage, which must compile or raise a parser error.

#include <gtest/gtest.h>
#include <muParser.h>

#include <cmath>
#include <random>
#include <string>

#include "parser/FormulaBuild.h"
#include "platform/rtl/SysUtils.h"
#include "tests/parser/ParserTestUtil.h"

namespace {

// The split rules read word by word, on plain strings, without remembering.
class LiteralRules {
public:
  enum Op { kPlus, kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret };

  LiteralRules(const TCustomParser& p, char separator) : p_(p), separator_(separator) {}

  bool Var(const std::string& s) const { return p_.VariableTable().count(s) != 0; }

  bool Num(const std::string& s, double* value = nullptr) const {
    double v = 0;
    if (s == "PI" || s == "-PI") {
      v = s == "PI" ? 3.141592653589793 : -3.141592653589793;
    } else {
      std::size_t i = 0, digits = 0;
      auto isDigit = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
      if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
      while (isDigit(i)) ++i, ++digits;
      if (i < s.size() && s[i] == separator_) {
        ++i;
        while (isDigit(i)) ++i, ++digits;
      }
      if (digits == 0) return false;
      if (i < s.size() && s[i] == 'E') {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (!isDigit(i)) return false;
        while (isDigit(i)) ++i;
      }
      if (i != s.size() || !TryStrToFloat(s, v, separator_)) return false;
    }
    if (value) *value = v;
    return true;
  }

  static bool Balanced(const std::string& s) {
    int n = 0;
    for (char c : s) n += c == '(' ? 1 : c == ')' ? -1 : 0;
    return n == 0;
  }

  bool Strip(const std::string& s, std::string& inside) const {
    if (s.size() < 2 || s.front() != '(' || s.back() != ')') return false;
    std::string in = s.substr(1, s.size() - 2);
    if (!Valid(in, in)) return false;
    inside = in;
    return true;
  }

  bool Valid(const std::string& s, std::string& stripped) const {
    if (s.empty()) return false;
    std::string l, r, part;
    bool wrote = false;
    int kind = 0;
    if (Num(s) || Var(s) || Neg(s, part)) return Keep(s, stripped);
    for (Op op : {kPlus, kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret})
      if (Split(op, s, l, r, kind, wrote)) return Keep(s, stripped);
    if (Bin(s, l, r, wrote) || Un(s, part)) return Keep(s, stripped);
    return Strip(s, stripped);
  }

  bool Neg(const std::string& s, std::string& part) const {
    if (s.empty() || s[0] != '-') return false;
    const std::string rest = s.substr(1);
    std::string in, l, r;
    bool wrote = false;
    int kind = 0;
    if (Strip(rest, in)) {
      part = in;
      return true;
    }
    if (Var(rest) || Split(kCaret, rest, l, r, kind, wrote) || Un(rest, in) ||
        Bin(rest, l, r, wrote)) {
      part = rest;
      return true;
    }
    return false;
  }

  bool Un(const std::string& s, std::string& arg) const {
    const std::size_t open = s.find('(');
    if (open == std::string::npos || open == 0) return false;
    if (!p_.OneParameterFunctions().count(s.substr(0, open))) return false;
    return Strip(s.substr(open), arg);
  }

  bool Bin(const std::string& s, std::string& l, std::string& r, bool& wrote) const {
    const std::size_t open = s.find('(');
    if (open == std::string::npos || open == 0 || s.back() != ')') return false;
    if (!p_.TwoParameterFunctions().count(s.substr(0, open))) return false;
    return Pair(s.substr(open + 1, s.size() - open - 2), l, r, wrote);
  }

  bool Pair(const std::string& s, std::string& l, std::string& r, bool& wrote) const {
    for (std::size_t c = s.find(','); c != std::string::npos; c = s.find(',', c + 1)) {
      if (c == 0 || c == s.size() - 1) return false;
      wrote = true;
      l = s.substr(0, c);
      r = s.substr(c + 1);
      if (!Valid(l, l)) continue;
      if (!Valid(r, r)) continue;
      return true;
    }
    return false;
  }

  // The side tests of the operator table, replacing the side by its inside.
  bool Side(Op op, bool right, std::string& s) const {
    std::string l, r, part;
    bool wrote = false;
    int kind = 0;
    if (op == kCaret && right) {
      if (Num(s)) return true;
      if (Var(s) || Strip(s, s)) return true;
      return Un(s, part) || Bin(s, l, r, wrote);
    }
    if (Var(s) || Num(s) || Strip(s, s)) return true;
    auto any = [&](std::initializer_list<Op> ops, bool negation, bool functions) {
      if (negation && Neg(s, part)) return true;
      for (Op o : ops)
        if (Split(o, s, l, r, kind, wrote)) return true;
      return functions && (Un(s, part) || Bin(s, l, r, wrote));
    };
    switch (op) {
      case kPlus:
        return right ? any({kPlus, kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret}, false, true)
                     : any({kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret}, true, true);
      case kMinus:
        return right ? any({kTimes, kDivWord, kModWord, kSlash, kCaret}, false, true)
                     : any({kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret}, true, true);
      case kTimes:
        return right ? any({kTimes, kDivWord, kModWord, kSlash, kCaret}, false, true)
                     : any({kDivWord, kModWord, kSlash, kCaret}, true, true);
      case kCaret: return any({}, false, true);
      default:
        return right ? any({kCaret}, false, true)
                     : any({kDivWord, kModWord, kSlash, kCaret}, true, true);
    }
  }

  bool Split(Op op, const std::string& s, std::string& l, std::string& r, int& kind,
             bool& wrote) const {
    static const char* const symbols[] = {"+", "-", "*", "DIV", "MOD", "/", "^"};
    const std::string sym = symbols[op];
    for (std::size_t at = s.find(sym); at != std::string::npos; at = s.find(sym, at + 1)) {
      if (sym.size() == 1 && (at == 0 || at == s.size() - 1)) return false;
      if (at == 0) continue;
      wrote = true;
      l = s.substr(0, at);
      r = s.substr(at + sym.size());
      if (!Balanced(l) || !Balanced(r)) continue;
      if (!Side(op, false, l)) continue;
      const std::string exponent = r;
      if (!Side(op, true, r)) continue;
      double v = 0;
      kind = op != kCaret ? 0 : Num(exponent, &v) ? PowerKindOf(v) : int{kOpRealPower};
      return true;
    }
    return false;
  }

private:
  static bool Keep(const std::string& s, std::string& out) {
    out = s;
    return true;
  }
  const TCustomParser& p_;
  char separator_;
};

std::string RandomText(std::mt19937& rng, int maxTokens) {
  static const char* const tokens[] = {"A",   "B",    "X",    "1",    "2",  "0.5", "E",   "+",
                                       "-",   "*",    "/",    "^",    "(",  ")",   ",",   "DIV",
                                       "MOD", "SIN(", "MAX(", "PI",   "(",  ")",   "-",   "A",
                                       "1E-2", "1E+5", "X1",  "DIVA", "LN(", "-2",  "2."};
  std::uniform_int_distribution<int> count(1, maxTokens);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(tokens)) - 1);
  std::string s;
  for (int n = count(rng); n > 0; --n) s += tokens[pick(rng)];
  return s;
}

// Compares every matcher on every part of random texts; returns how many parts were operands.
int CompareOnRandomTexts(bool pascalNumberformat, int rounds, unsigned seed) {
  const std::string kUnset(1, '#');
  TParser p;
  p.AssignVariable("X1", 1);
  p.AssignVariable("DIVA", 1);
  const LiteralRules rules(p, pascalNumberformat ? '.' : FormatSettings().DecimalSeparator);
  std::mt19937 rng(seed);
  int accepted = 0;
  for (int round = 0; round < rounds; ++round) {
    const std::string text = RandomText(rng, 9);
    TExpressionMatcher m(text, p.VariableTable(), p.OneParameterFunctions(),
                         p.TwoParameterFunctions(), pascalNumberformat);
    const std::string_view all = m.Text();
    for (std::size_t pos = 0; pos < all.size(); ++pos) {
      for (std::size_t len = 1; pos + len <= all.size(); ++len) {
        const std::string_view part = all.substr(pos, len);
        const std::string s(part);
        SCOPED_TRACE(s);
        std::string want, wantR;
        std::string_view got, gotR;
        EXPECT_EQ(m.IsValidOperand(part, got), rules.Valid(s, want));
        if (rules.Valid(s, want)) {
          EXPECT_EQ(got, want);
          ++accepted;
        }
        bool ok = rules.Neg(s, want);
        EXPECT_EQ(m.MatchNegation(part, got), ok);
        if (ok) {
          EXPECT_EQ(got, want);
        }
        ok = rules.Un(s, want);
        EXPECT_EQ(m.MatchUnaryFunction(part, got), ok);
        if (ok) {
          EXPECT_EQ(got, want);
        }

        using Matcher = bool (TExpressionMatcher::*)(std::string_view, std::string_view&,
                                                     std::string_view&);
        const std::pair<LiteralRules::Op, Matcher> splits[] = {
            {LiteralRules::kPlus, &TExpressionMatcher::MatchSum},
            {LiteralRules::kMinus, &TExpressionMatcher::MatchDifference},
            {LiteralRules::kTimes, &TExpressionMatcher::MatchProduct},
            {LiteralRules::kDivWord, &TExpressionMatcher::MatchIntegerQuotient},
            {LiteralRules::kModWord, &TExpressionMatcher::MatchRemainder},
            {LiteralRules::kSlash, &TExpressionMatcher::MatchQuotient},
        };
        for (const auto& [op, matcher] : splits) {
          bool wrote = false;
          int kind = 0;
          want = wantR = kUnset;
          got = gotR = "#";
          ok = rules.Split(op, s, want, wantR, kind, wrote);
          EXPECT_EQ((m.*matcher)(part, got, gotR), ok) << op;
          EXPECT_EQ(got, want) << op;
          EXPECT_EQ(gotR, wantR) << op;
        }
        bool wrote = false;
        int kind = 0;
        std::uint8_t gotKind = 0;
        want = wantR = kUnset;
        got = gotR = "#";
        ok = rules.Split(LiteralRules::kCaret, s, want, wantR, kind, wrote);
        EXPECT_EQ(m.MatchPower(part, got, gotR, gotKind), ok);
        EXPECT_EQ(got, want);
        EXPECT_EQ(gotR, wantR);
        if (ok) {
          EXPECT_EQ(gotKind, kind);
        }
        want = wantR = kUnset;
        got = gotR = "#";
        ok = rules.Bin(s, want, wantR, wrote);
        EXPECT_EQ(m.MatchBinaryFunction(part, got, gotR), ok);
        EXPECT_EQ(got, want);
        EXPECT_EQ(gotR, wantR);
      }
    }
  }
  return accepted;
}

TEST(LiteralReading, MatchersAgreeOnEveryPartOfRandomTexts) {
  EXPECT_GT(CompareOnRandomTexts(true, 2500, 20240611), 1000);
}

TEST(LiteralReading, MatchersAgreeWithTheLocaleNumberFormat) {
  const TFormatSettings saved = FormatSettings();
  SetBrazilianFormatSettings();
  EXPECT_GT(CompareOnRandomTexts(false, 1000, 4242), 300);
  FormatSettings() = saved;
}

// ---- muparser on fully bracketed expressions ----

struct TwoTexts {
  std::string ours;
  std::string mu;
};

class ExpressionGenerator {
public:
  explicit ExpressionGenerator(unsigned seed) : rng_(seed) {}

  TwoTexts Make(int depth) {
    if (depth == 0 || Pick(4) == 0) return Leaf();
    switch (Pick(12)) {
      case 0: return Binary(depth, "+");
      case 1: return Binary(depth, "-");
      case 2: return Binary(depth, "*");
      case 3: {  // a divisor kept away from zero
        TwoTexts l = Make(depth - 1), r = Make(depth - 1);
        return {"(" + l.ours + "/(ABS(" + r.ours + ")+0.5))",
                "(" + l.mu + "/(abs(" + r.mu + ")+0.5))"};
      }
      case 4: {
        static const char* const exps[][2] = {{"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"},
                                              {"-2", "(-2)"}, {"0.5", "0.5"}, {"1.7", "1.7"}};
        const auto& e = exps[Pick(7)];
        TwoTexts b = Make(depth - 1);
        return {"(ABS(" + b.ours + ")+0.25)^" + e[0], "(abs(" + b.mu + ")+0.25)^" + e[1]};
      }
      case 5: {
        TwoTexts a = Make(depth - 1);
        return {"(-(" + a.ours + "))", "(-(" + a.mu + "))"};
      }
      case 6: {
        static const char* const f[][2] = {{"SIN", "sin"}, {"COS", "cos"}, {"ARCTAN", "atan"},
                                           {"ABS", "abs"}, {"SIGN", "sign"}};
        const auto& fn = f[Pick(5)];
        TwoTexts a = Make(depth - 1);
        return {std::string(fn[0]) + "(" + a.ours + ")", std::string(fn[1]) + "(" + a.mu + ")"};
      }
      case 7: {
        static const char* const f[][2] = {{"EXP", "exp"}, {"SINH", "sinh"}, {"COSH", "cosh"}};
        const auto& fn = f[Pick(3)];
        TwoTexts a = Make(depth - 1);
        return {std::string(fn[0]) + "(SIN(" + a.ours + "))",
                std::string(fn[1]) + "(sin(" + a.mu + "))"};
      }
      case 8: {
        TwoTexts a = Make(depth - 1);
        return {"LN(ABS(" + a.ours + ")+1)", "ln(abs(" + a.mu + ")+1)"};
      }
      case 9: {
        TwoTexts a = Make(depth - 1);
        return {"SQRT(ABS(" + a.ours + "))", "sqrt(abs(" + a.mu + "))"};
      }
      default: {
        const bool max = Pick(2) == 0;
        TwoTexts l = Make(depth - 1), r = Make(depth - 1);
        return {std::string(max ? "MAX(" : "MIN(") + l.ours + "," + r.ours + ")",
                std::string(max ? "max(" : "min(") + l.mu + "," + r.mu + ")"};
      }
    }
  }

private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  TwoTexts Leaf() {
    static const char* const names[] = {"A", "B", "C", "D", "X", "Y"};
    if (Pick(3) != 0) {
      const std::string n = names[Pick(6)];
      return {n, n};
    }
    const std::string c = std::to_string(Pick(900) + 100).insert(1, ".");
    return {c, c};
  }

  TwoTexts Binary(int depth, const std::string& op) {
    TwoTexts l = Make(depth - 1), r = Make(depth - 1);
    return {"(" + l.ours + op + r.ours + ")", "(" + l.mu + op + r.mu + ")"};
  }

  std::mt19937 rng_;
};

TEST(MuparserPeer, GeneratedExpressionsGiveTheSameValues) {
  TParser p;
  mu::Parser mu;
  double vars[6] = {1.3, -0.7, 2.9, 0.4, -2.2, 1.05};
  const char* const names[] = {"A", "B", "C", "D", "X", "Y"};
  for (int i = 0; i < 6; ++i) {
    p.AssignVariable(names[i], vars[i]);
    mu.DefineVar(names[i], &vars[i]);
  }
  ExpressionGenerator gen(7);
  int compared = 0;
  for (int round = 0; round < 3000; ++round) {
    const TwoTexts t = gen.Make(4);
    SCOPED_TRACE(t.ours);
    mu.SetExpr(t.mu);
    double expected = 0;
    try {
      expected = mu.Eval();
    } catch (const mu::Parser::exception_type& e) {
      ADD_FAILURE() << e.GetMsg();
      continue;
    }
    ASSERT_NO_THROW(p.SetExpression(t.ours));
    if (!std::isfinite(expected) || std::fabs(expected) > 1e12) continue;
    const double got = static_cast<double>(p.Value());
    EXPECT_NEAR(got, expected, 1e-10 * std::max(1.0, std::fabs(expected)));
    ++compared;
  }
  EXPECT_GT(compared, 2500);
}

// ---- the built-in equations as formula texts ----

TEST(BuiltInEquations, TextsMatchClosedForms) {
  TParser p;
  double* s = p.AssignVariable("S", 30);
  double* h = p.AssignVariable("H", 25);
  mu::Parser mu;
  double S = 30, A = 0, D = 0, H = 25, X = 0;
  mu.DefineVar("S", &S);
  mu.DefineVar("A", &A);
  mu.DefineVar("D", &D);
  mu.DefineVar("H", &H);
  mu.DefineVar("X", &X);

  p.SetExpression("S*EXP(-4.7196*(A^(-0.51)-7^(-0.51)))");
  mu.SetExpr("S*exp(-4.7196*(A^(-0.51)-7^(-0.51)))");
  const double site[][2] = {{1, 1.5388911}, {3, 11.653093}, {7, 30}, {15, 52.70045}};
  for (const auto& [age, expected] : site) {
    p.SetA(age);
    A = age;
    const double got = static_cast<double>(p.Value());
    EXPECT_NEAR(got, expected, 5e-8 * expected) << age;
    EXPECT_NEAR(got, 30 * std::exp(-4.7196 * (std::pow(age, -0.51) - std::pow(7.0, -0.51))),
                1e-14 * expected);
    EXPECT_NEAR(got, mu.Eval(), 1e-13 * expected);
  }
  p.SetA(7);
  EXPECT_EQ(p.Value(), 30.0L);

  *s = 0;
  p.SetExpression("D^2*7.854E-5*0.4436*H");
  p.SetD(20);
  EXPECT_NEAR(static_cast<double>(p.Value()), 0.34840344, 1e-15);
  *h = 1;

  p.SetExpression("D*(1.6698*X^2+(1.038552*X+0.080127)-4.21279*X^3+2.525275*X^4)");
  p.SetD(30);
  auto taper = [](double x) {
    return 1.6698 * x * x + (1.038552 * x + 0.080127) - 4.21279 * x * x * x +
           2.525275 * x * x * x * x;
  };
  for (double x : {0.0, 0.25, 0.5, 0.8, 1.0}) {
    p.SetX(x);
    EXPECT_NEAR(static_cast<double>(p.Value()), 30 * taper(x), 1e-13) << x;
  }
  p.SetX(1);
  EXPECT_NEAR(static_cast<double>(p.Value()), 33.02892, 1e-12);
  p.SetX(0);
  EXPECT_NEAR(static_cast<double>(p.Value()), 2.40381, 1e-12);

  const char* integral =
      "0.083216*X^2+0.00642*X+0.448728*X^3+0.698308*X^4-1.1115*X^5-1.47063*X^6+3.74*X^7"
      "-2.659613*X^8+0.708557*X^9";
  p.SetExpression(integral);
  const double c[] = {0, 0.00642, 0.083216, 0.448728, 0.698308, -1.1115,
                      -1.47063, 3.74, -2.659613, 0.708557};
  for (double x : {0.0, 0.3, 0.5, 0.8, 1.0}) {
    double expected = 0;
    for (int k = 9; k >= 1; --k) expected = (expected + c[k]) * x;
    p.SetX(x);
    EXPECT_NEAR(static_cast<double>(p.Value()), expected, 1e-14) << x;
  }
  p.SetX(1);
  EXPECT_NEAR(static_cast<double>(p.Value()), 0.443486, 1e-6);
}

// ---- bad input ----

TEST(BadInput, RandomTextsCompileOrRaiseParserErrors) {
  TParser p;
  p.AssignVariable("LONG_NAME", 2);
  std::mt19937 rng(99);
  const std::string alphabet = "ABXYTE0123456789.,+-*/^()()  \t\r\nDIVMODSINLNEXPMAXPI_eq\x01\xC3\xA9$#";
  std::uniform_int_distribution<int> length(0, 40);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  int compiled = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    if (round % 2 == 0) {
      text = RandomText(rng, 20);
    } else {
      for (int n = length(rng); n > 0; --n) text += alphabet[pick(rng)];
    }
    try {
      p.SetExpression(text);
    } catch (const EMathParserError&) {
      EXPECT_TRUE(p.ParserError());
      EXPECT_EQ(p.Value(), 0.0L);
      continue;
    }
    ++compiled;
    try {
      const long double v = p.Value();
      EXPECT_TRUE(std::isfinite(v)) << text;
    } catch (const Exception&) {
      // an evaluation fault of the run-time family
    }
  }
  EXPECT_GT(compiled, 500);
}

}  // namespace
