// Cross-checks against independent references: a literal reading of the split
// rules on plain strings; muparser on expressions both languages read alike;
// closed forms of the built-in equations; and random garbage, which must
// compile or raise a parser error.

#include <gtest/gtest.h>
#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>

#include "parser/FormulaBuild.h"
#include "platform/rtl/SysUtils.h"
#include "tests/parser/ParserTestUtil.h"

namespace {

// The split rules read word by word; only whole answers are remembered.
class LiteralRules {
public:
  enum Op { kPlus, kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret };
  struct Split {
    bool ok = false;
    std::string left = "#", right = "#";  // the parts last written
    int kind = 0;
  };

  LiteralRules(const TCustomParser& p, char separator) : p_(p), separator_(separator) {}

  // "PI", "-PI", or [+-]? digits? (separator digits?)? (E [+-]? digits)? with a digit.
  bool Num(const std::string& s, double* value = nullptr) const {
    double v = s == "PI" ? 3.141592653589793 : -3.141592653589793;
    if (s != "PI" && s != "-PI") {
      std::size_t i = !s.empty() && (s[0] == '+' || s[0] == '-');
      auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - from;
      };
      bool ok = digits() > 0;
      if (i < s.size() && s[i] == separator_) ok = (++i, digits() > 0) || ok;
      if (ok && i < s.size() && s[i] == 'E') {
        i += 1 + (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-'));
        ok = digits() > 0;
      }
      if (!ok || i != s.size() || !TryStrToFloat(s, v, separator_)) return false;
    }
    if (value) *value = v;
    return true;
  }
  bool Var(const std::string& s) const { return p_.VariableTable().count(s) != 0; }
  static bool Balanced(const std::string& s) {
    return std::count(s.begin(), s.end(), '(') == std::count(s.begin(), s.end(), ')');
  }

  bool Strip(const std::string& s, std::string& inside) const {
    std::string in;
    if (s.size() < 2 || s.front() != '(' || s.back() != ')' || !Valid(s.substr(1, s.size() - 2), in)) return false;
    inside = in;
    return true;
  }

  // Number, variable, negation, +, -, *, DIV, MOD, /, ^, binary, unary, brackets.
  bool Valid(const std::string& s, std::string& stripped) const {
    auto [it, fresh] = valid_.try_emplace(s);
    if (fresh) {
      std::string part;
      bool ok = !s.empty() && (Num(s) || Var(s) || Neg(s, part));
      for (int op = kPlus; !s.empty() && !ok && op <= kCaret; ++op) ok = SplitAt(static_cast<Op>(op), s).ok;
      ok = ok || (!s.empty() && (Bin(s).ok || Un(s, part)));
      it->second = {ok, s};
      if (!ok && !s.empty()) it->second.first = Strip(s, it->second.second);
    }
    if (it->second.first) stripped = it->second.second;
    return it->second.first;
  }

  bool Neg(const std::string& s, std::string& part) const {
    if (s.empty() || s[0] != '-') return false;
    const std::string rest = s.substr(1);
    std::string in;
    if (Strip(rest, in)) return part = in, true;
    if (Var(rest) || SplitAt(kCaret, rest).ok || Un(rest, in) || Bin(rest).ok) return part = rest, true;
    return false;
  }

  bool Un(const std::string& s, std::string& arg) const {
    const std::size_t open = s.find('(');
    return open != std::string::npos && open > 0 && p_.OneParameterFunctions().count(s.substr(0, open)) &&
           Strip(s.substr(open), arg);
  }

  Split Bin(const std::string& s) const {
    const std::size_t open = s.find('(');
    if (open == std::string::npos || open == 0 || s.back() != ')' ||
        !p_.TwoParameterFunctions().count(s.substr(0, open)))
      return {};
    const std::string inner = s.substr(open + 1, s.size() - open - 2);
    Split out;
    for (std::size_t c = inner.find(','); c != std::string::npos; c = inner.find(',', c + 1)) {
      if (c == 0 || c == inner.size() - 1) break;
      out.left = inner.substr(0, c);
      out.right = inner.substr(c + 1);
      if (Valid(out.left, out.left) && Valid(out.right, out.right)) return out.ok = true, out;
    }
    return out;
  }

  // The side tables; the side is replaced by its inside when bracketed.
  bool Side(Op op, bool right, std::string& s) const {
    auto [it, fresh] = sides_.try_emplace({op * 2 + right, s});
    if (fresh) {
      std::string side = s, part;
      static const std::vector<Op> lists[7][2] = {
          {{kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret},
           {kPlus, kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret}},
          {{kMinus, kTimes, kDivWord, kModWord, kSlash, kCaret}, {kTimes, kDivWord, kModWord, kSlash, kCaret}},
          {{kDivWord, kModWord, kSlash, kCaret}, {kTimes, kDivWord, kModWord, kSlash, kCaret}},
          {{kDivWord, kModWord, kSlash, kCaret}, {kCaret}},
          {{kDivWord, kModWord, kSlash, kCaret}, {kCaret}},
          {{kDivWord, kModWord, kSlash, kCaret}, {kCaret}},
          {{}, {}}};
      bool ok = Var(side) || Num(side) || Strip(side, side);
      ok = ok || (op != kCaret && !right && Neg(side, part));
      for (Op o : lists[op][right]) ok = ok || SplitAt(o, side).ok;
      it->second = {ok || Un(side, part) || Bin(side).ok, side};
    }
    if (it->second.first) s = it->second.second;
    return it->second.first;
  }

  Split SplitAt(Op op, const std::string& s) const {
    static const char* const symbols[] = {"+", "-", "*", "DIV", "MOD", "/", "^"};
    const std::string sym = symbols[op];
    Split out;
    for (std::size_t at = s.find(sym); at != std::string::npos; at = s.find(sym, at + 1)) {
      if (sym.size() == 1 && (at == 0 || at == s.size() - 1)) break;
      if (at == 0) continue;
      out.left = s.substr(0, at);
      out.right = s.substr(at + sym.size());
      const std::string exponent = out.right;
      if (!Balanced(out.left) || !Balanced(out.right) || !Side(op, false, out.left) || !Side(op, true, out.right))
        continue;
      double v = 0;
      out.kind = op != kCaret ? 0 : Num(exponent, &v) ? PowerKindOf(v) : int{kOpRealPower};
      return out.ok = true, out;
    }
    return out;
  }

private:
  const TCustomParser& p_;
  char separator_;
  mutable std::map<std::string, std::pair<bool, std::string>> valid_;
  mutable std::map<std::pair<int, std::string>, std::pair<bool, std::string>> sides_;
};

std::string RandomText(std::mt19937& rng, int maxTokens, bool chain) {
  static const char* const tokens[] = {"A",    "B",    "X",  "1",    "2",   "0.5", "E",   "+",    "-",    "*",
                                       "/",    "^",    "(",  ")",    ",",   "DIV", "MOD", "SIN(", "MAX(", "PI",
                                       "1E-2", "1E+5", "X1", "DIVA", "LN(", "-2",  "2.",  "-"};
  static const char* const operands[] = {"A",  "B",    "2",  "X1",       "(A)",   "SIN(A)",
                                         "-A", "1E-2", "-2", "MAX(A,B)", "(A-B)", "DIVA"};
  static const char* const operators[] = {"+", "-", "*", "/", "^", "DIV", "MOD", "*-"};
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  std::string s = chain ? operands[pick(12)] : "";
  for (int n = pick(maxTokens) + 1; n > 0; --n) {
    if (!chain) {
      s += tokens[pick(static_cast<int>(std::size(tokens)))];
      continue;
    }
    s += std::string(operators[pick(8)]) + operands[pick(12)];
    if (pick(8) == 0) s = "(" + s + ")";
  }
  return s;
}

// Every matcher on every part (or only the whole) of random texts; returns
// how many parts were operands.
int CompareWithLiteralRules(bool pascalNumberformat, int rounds, int tokens, bool chains, bool everyPart) {
  TParser p;
  p.AssignVariable("X1", 1);
  p.AssignVariable("DIVA", 1);
  const LiteralRules rules(p, pascalNumberformat ? '.' : FormatSettings().DecimalSeparator);
  std::mt19937 rng(1234 + rounds + tokens);
  using Matcher = bool (TExpressionMatcher::*)(std::string_view, std::string_view&, std::string_view&);
  const Matcher splits[] = {&TExpressionMatcher::MatchSum,       &TExpressionMatcher::MatchDifference,
                            &TExpressionMatcher::MatchProduct,   &TExpressionMatcher::MatchIntegerQuotient,
                            &TExpressionMatcher::MatchRemainder, &TExpressionMatcher::MatchQuotient};
  int operands = 0;
  for (int round = 0; round < rounds; ++round) {
    TExpressionMatcher m(RandomText(rng, tokens, chains), p.VariableTable(), p.OneParameterFunctions(),
                         p.TwoParameterFunctions(), pascalNumberformat);
    const std::string_view all = m.Text();
    for (std::size_t pos = 0; pos < (everyPart ? all.size() : 1); ++pos) {
      for (std::size_t len = everyPart ? 1 : all.size(); pos + len <= all.size(); ++len) {
        const std::string_view part = all.substr(pos, len);
        const std::string s(part);
        std::string want;
        std::string_view got = "#", gotR = "#";
        const bool valid = rules.Valid(s, want);
        EXPECT_EQ(m.IsValidOperand(part, got), valid) << s;
        if (valid) {
          EXPECT_EQ(got, want) << s;
        }
        operands += valid;
        want = "#";
        got = "#";
        EXPECT_EQ(m.MatchNegation(part, got), rules.Neg(s, want)) << s;
        EXPECT_EQ(got, want) << s;
        want = got = "#";
        EXPECT_EQ(m.MatchUnaryFunction(part, got), rules.Un(s, want)) << s;
        EXPECT_EQ(got, want) << s;
        got = "#";
        auto same = [&](bool ok, const LiteralRules::Split& expected, const char* what) {
          EXPECT_EQ(ok, expected.ok) << what << " " << s;
          EXPECT_EQ(got, expected.left) << what << " " << s;
          EXPECT_EQ(gotR, expected.right) << what << " " << s;
          got = gotR = "#";
        };
        for (int op = 0; op < 6; ++op)
          same((m.*splits[op])(part, got, gotR), rules.SplitAt(static_cast<LiteralRules::Op>(op), s), "split");
        std::uint8_t kind = 0;
        const LiteralRules::Split power = rules.SplitAt(LiteralRules::kCaret, s);
        same(m.MatchPower(part, got, gotR, kind), power, "^");
        if (power.ok) {
          EXPECT_EQ(kind, power.kind) << s;
        }
        same(m.MatchBinaryFunction(part, got, gotR), rules.Bin(s), "binary");
      }
    }
  }
  return operands;
}

TEST(LiteralReading, MatchersAgree) {
  EXPECT_GT(CompareWithLiteralRules(true, 2500, 9, false, true), 1000);
  EXPECT_GT(CompareWithLiteralRules(true, 200, 8, true, true), 1000);
  EXPECT_GT(CompareWithLiteralRules(true, 1500, 30, true, false), 100);
  EXPECT_GT(CompareWithLiteralRules(false, 800, 9, false, true), 300);  // "," separates decimals
}

// A fully bracketed expression in muparser's syntax; @ and # stand for subexpressions.
std::string MuparserExpression(std::mt19937& rng, int depth) {
  static const char* const patterns[] = {"(@+#)",
                                         "(@-#)",
                                         "(@*#)",
                                         "(@/(abs(#)+0.5))",
                                         "(abs(@)+0.25)^2",
                                         "(abs(@)+0.25)^3",
                                         "(abs(@)+0.25)^4",
                                         "(abs(@)+0.25)^5",
                                         "(abs(@)+0.25)^(-2)",
                                         "(abs(@)+0.25)^0.5",
                                         "(abs(@)+0.25)^1.7",
                                         "(-(@))",
                                         "sin(@)",
                                         "cos(@)",
                                         "atan(@)",
                                         "abs(@)",
                                         "sign(@)",
                                         "sqrt(abs(@))",
                                         "exp(sin(@))",
                                         "sinh(sin(@))",
                                         "cosh(sin(@))",
                                         "ln(abs(@)+1)",
                                         "max(@,#)",
                                         "min(@,#)"};
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  if (depth == 0 || pick(4) == 0)
    return pick(3) ? std::string(1, "ABCDXY"[pick(6)]) : std::to_string(pick(900) + 100).insert(1, ".");
  std::string s = patterns[pick(static_cast<int>(std::size(patterns)))];
  for (const char* hole : {"@", "#"})
    if (const auto at = s.find(hole); at != std::string::npos) s.replace(at, 1, MuparserExpression(rng, depth - 1));
  return s;
}

// The same expression in our syntax: upper case, ARCTAN, a signed exponent.
std::string OurExpression(std::string mu) {
  mu = UpperCase(mu);
  for (auto [from, to] : {std::pair{"ATAN(", "ARCTAN("}, {"^(-2)", "^-2"}})
    for (auto at = mu.find(from); at != std::string::npos; at = mu.find(from, at + 1))
      mu.replace(at, std::string_view(from).size(), to);
  return mu;
}

TEST(MuparserPeer, GeneratedExpressionsGiveTheSameValues) {
  TParser p;
  mu::Parser mu;
  double vars[6] = {1.3, -0.7, 2.9, 0.4, -2.2, 1.05};
  for (int i = 0; i < 6; ++i) {
    const std::string name(1, "ABCDXY"[i]);
    p.AssignVariable(name, vars[i]);
    mu.DefineVar(name, &vars[i]);
  }
  std::mt19937 rng(7);
  int compared = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::string theirs = MuparserExpression(rng, 4), ours = OurExpression(theirs);
    mu.SetExpr(theirs);
    const double expected = mu.Eval();
    ASSERT_NO_THROW(p.SetExpression(ours)) << ours;
    if (!std::isfinite(expected) || std::fabs(expected) > 1e12) continue;
    EXPECT_NEAR(static_cast<double>(p.Value()), expected, 1e-10 * std::max(1.0, std::fabs(expected))) << ours;
    ++compared;
  }
  EXPECT_GT(compared, 2500);
}

TEST(BuiltInEquations, TextsMatchClosedForms) {
  TParser p;
  p.AssignVariable("S", 30);
  p.AssignVariable("H", 25);
  // Site index: reference values at ages 1, 3, 7, 15 for S = 30.
  p.SetExpression("S*EXP(-4.7196*(A^(-0.51)-7^(-0.51)))");
  for (auto [age, expected] : {std::pair{1.0, 1.5388911}, {3.0, 11.653093}, {7.0, 30.0}, {15.0, 52.70045}}) {
    p.SetA(age);
    const double got = static_cast<double>(p.Value());
    EXPECT_NEAR(got, expected, 5e-8 * expected) << age;
    EXPECT_NEAR(got, 30 * std::exp(-4.7196 * (std::pow(age, -0.51) - std::pow(7.0, -0.51))), 1e-14 * expected);
  }
  p.SetA(7);
  EXPECT_EQ(p.Value(), 30.0L);  // S exactly at the reference age
  // Volume.
  p.SetD(20);
  EXPECT_NEAR(Eval(p, "D^2*7.854E-5*0.4436*H"), 0.34840344, 1e-15);
  // Taper and the integral of its square, as polynomials in X.
  auto poly = [](const std::vector<double>& c, double x) {
    double v = 0;
    for (auto k = c.size(); k-- > 0;) v = v * x + c[k];
    return v;
  };
  const std::vector<double> taper = {0.080127, 1.038552, 1.6698, -4.21279, 2.525275};
  const std::vector<double> integral = {0,       0.00642,  0.083216, 0.448728,  0.698308,
                                        -1.1115, -1.47063, 3.74,     -2.659613, 0.708557};
  p.SetD(30);
  for (double x : {0.0, 0.25, 0.5, 0.8, 1.0}) {
    p.SetX(x);
    EXPECT_NEAR(Eval(p, "D*(1.6698*X^2+(1.038552*X+0.080127)-4.21279*X^3+2.525275*X^4)"), 30 * poly(taper, x), 1e-13)
        << x;
    EXPECT_NEAR(Eval(p,
                     "0.083216*X^2+0.00642*X+0.448728*X^3+0.698308*X^4-1.1115*X^5"
                     "-1.47063*X^6+3.74*X^7-2.659613*X^8+0.708557*X^9"),
                poly(integral, x), 1e-14)
        << x;
  }
  EXPECT_NEAR(Eval(p, "D*(1.6698*X^2+(1.038552*X+0.080127)-4.21279*X^3+2.525275*X^4)"), 33.02892, 1e-12);
}

TEST(BadInput, RandomTextsCompileOrRaiseParserErrors) {
  TParser p;
  std::mt19937 rng(99);
  const std::string alphabet = "ABXYTE0123456789.,+-*/^()()  \t\r\nDIVMODSINLNEXPMAXPI_\x01\xC3\xA9$#";
  int compiled = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text = RandomText(rng, 20, round % 4 == 0);
    if (round % 2) {
      text.clear();
      for (int n = std::uniform_int_distribution<int>(0, 40)(rng); n > 0; --n)
        text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
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
      EXPECT_TRUE(std::isfinite(p.Value())) << text;
    } catch (const Exception&) {
      // an evaluation fault of the run-time family
    }
  }
  EXPECT_GT(compiled, 500);
}

}  // namespace
