#include "parser/FormulaBuild.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <span>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace {

constexpr const char* kMsgHasBlanks = "Expression has blanks";
constexpr const char* kMsgMissingBrackets = "Missing brackets in expression";
constexpr const char* kMsgParsing = "Error parsing expression:\r";
constexpr const char* kMsgTooManyNestings = "Expression contains too many nestings";
constexpr const char* kMsgTooComplex = "Expression is too complex";
constexpr const char* kMsgInternal = "TParser internal error";

constexpr double kPi = 3.141592653589793;

// Questions nested inside one another before a text counts as too deeply
// nested (hundreds of redundant brackets, chains far beyond 20 levels), and
// the stack they may take at most: keeps the stack bounded in every build.
constexpr int kMaxQuestionDepth = 1000;
constexpr std::uintptr_t kMaxStackBytes = std::uintptr_t{4} << 20;
// Questions asked in one compilation before the text counts as too complex
// (a fraction of a second; only texts of thousands of operators get there).
constexpr std::uint64_t kMaxQuestions = 10'000'000;
// Answers that took at most this many nested questions are not remembered.
constexpr std::uint64_t kQuestionsWorthKeeping = 8;
// Longest text whose parts can be addressed in a memo key.
constexpr std::size_t kMaxTextLength = (std::size_t{1} << 29) - 1;

struct Span {
  std::uint32_t pos = 0;
  std::uint32_t len = 0;
  std::uint32_t end() const { return pos + len; }
};

// Answer to a question about one part: for a split, a and b are the parts
// (the last split tried when it failed and wrote is set); for a side test or
// a bracket strip, a is the stripped text.
struct Outcome {
  bool ok = false;
  bool wrote = false;
  std::uint8_t kind = 0;
  Span a;
  Span b;
};

enum Question : std::uint8_t {
  kValid = 1,
  kStrip,
  kNegation,
  kSum,
  kDifference,
  kProduct,
  kIntegerQuotient,
  kRemainder,
  kQuotient,
  kPower,
  kPair,
  kUnary,
  kBinary,
  kSidePlusLeft,  // also the left side of "-"
  kSidePlusRight,
  kSideMinusRight,
  kSideTimesLeft,  // also the left side of DIV, MOD and "/"
  kSideTimesRight,
  kSideDivideRight,
  kSidePowerLeft,
  kSidePowerRight,
};

enum Symbol : int {
  kSymPlus,
  kSymMinus,
  kSymTimes,
  kSymSlash,
  kSymCaret,
  kSymOpen,
  kSymComma,
  kSymDivWord,
  kSymModWord,
  kSymCount,
};

// A split at a character or a word: which questions its two sides must pass,
// and whether both sides must have balanced brackets.
struct SplitRule {
  Question self;
  Symbol symbol;
  std::uint32_t width;
  Question left;
  Question right;
  bool balanced;
  std::uint8_t kind;
};

const SplitRule& RuleOf(Question q) {
  static const SplitRule rules[] = {
      {kSum, kSymPlus, 1, kSidePlusLeft, kSidePlusRight, true, kOpAdd},
      {kDifference, kSymMinus, 1, kSidePlusLeft, kSideMinusRight, true, kOpSubtract},
      {kProduct, kSymTimes, 1, kSideTimesLeft, kSideTimesRight, true, kOpMultiply},
      {kIntegerQuotient, kSymDivWord, 3, kSideTimesLeft, kSideDivideRight, true, kOpDiv},
      {kRemainder, kSymModWord, 3, kSideTimesLeft, kSideDivideRight, true, kOpMod},
      {kQuotient, kSymSlash, 1, kSideTimesLeft, kSideDivideRight, true, kOpDivide},
      {kPower, kSymCaret, 1, kSidePowerLeft, kSidePowerRight, true, kOpRealPower},
      {kPair, kSymComma, 1, kValid, kValid, false, 0},
  };
  return rules[q - kSum];
}

bool IsSplitQuestion(Question q) {
  return q >= kSum && q <= kPair;
}

// What each side of each operator may be, besides a variable, a number or a
// bracketed operand.
constexpr Question kPlusLeft[] = {kNegation, kDifference, kProduct, kIntegerQuotient, kRemainder,
                                  kQuotient, kPower,      kUnary,   kBinary};
constexpr Question kPlusRight[] = {kSum,      kDifference, kProduct, kIntegerQuotient, kRemainder,
                                   kQuotient, kPower,      kUnary,   kBinary};
constexpr Question kMinusRight[] = {kProduct, kIntegerQuotient, kRemainder, kQuotient, kPower, kUnary, kBinary};
constexpr Question kTimesLeft[] = {kNegation, kIntegerQuotient, kRemainder, kQuotient, kPower, kUnary, kBinary};
constexpr Question kTimesRight[] = {kProduct, kIntegerQuotient, kRemainder, kQuotient, kPower, kUnary, kBinary};
constexpr Question kDivideRight[] = {kPower, kUnary, kBinary};
constexpr Question kPowerLeft[] = {kUnary, kBinary};
constexpr Question kPowerRight[] = {kUnary, kBinary};
constexpr Question kValidAlternatives[] = {kNegation,  kSum,      kDifference, kProduct, kIntegerQuotient,
                                           kRemainder, kQuotient, kPower,      kBinary,  kUnary};

// Questions about an operand: variable, number, brackets or the alternatives.
bool IsOperandQuestion(Question q) {
  return q == kValid || q >= kSidePlusLeft;
}

// Operators outside brackets that a side cannot contain: a sign after an
// operand (a sum or difference), "*", "/" and "^". Any other "+" or "-" in
// these sides starts the text, a side or a number's exponent.
enum LooseKind { kLooseSign, kLooseTimes, kLooseSlash, kLooseCaret, kLooseCount };

unsigned ForbiddenOf(Question q) {
  constexpr unsigned sign = 1u << kLooseSign, times = 1u << kLooseTimes;
  constexpr unsigned slash = 1u << kLooseSlash, caret = 1u << kLooseCaret;
  switch (q) {
    case kSideMinusRight:
    case kSideTimesRight:
      return sign;
    case kSideTimesLeft:
      return sign | times;
    case kSideDivideRight:
      return sign | times | slash;
    case kSidePowerLeft:
    case kSidePowerRight:
      return sign | times | slash | caret;
    default:
      return 0;
  }
}

std::span<const Question> AlternativesOf(Question q) {
  switch (q) {
    case kValid:
      return kValidAlternatives;
    case kSidePlusLeft:
      return kPlusLeft;
    case kSidePlusRight:
      return kPlusRight;
    case kSideMinusRight:
      return kMinusRight;
    case kSideTimesLeft:
      return kTimesLeft;
    case kSideTimesRight:
      return kTimesRight;
    case kSideDivideRight:
      return kDivideRight;
    case kSidePowerLeft:
      return kPowerLeft;
    default:
      return kPowerRight;
  }
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool BracketsBalanced(std::string_view text) {
  long long count = 0;
  for (char c : text) {
    if (c == '(')
      ++count;
    else if (c == ')')
      --count;
  }
  return count == 0;
}

std::uint8_t PowerKindOf(double exponent) {
  if (!(std::trunc(exponent) == exponent && exponent >= -2147483648.0 && exponent <= 2147483647.0)) return kOpRealPower;
  if (exponent == 2.0) return kOpSquare;
  if (exponent == 3.0) return kOpCube;
  if (exponent == 4.0) return kOpFourthPower;
  return kOpIntPower;
}

// Answers the matchers' questions about the parts of one text, each once.
class TMatchEngine {
public:
  TMatchEngine(std::string text, const TVariableTable& variables, const TFunctionTable& unary,
               const TFunctionTable& binary, bool pascalNumberformat)
      : text_(std::move(text)),
        variables_(variables),
        unary_(unary),
        binary_(binary),
        separator_(pascalNumberformat ? '.' : FormatSettings().DecimalSeparator) {
    if (text_.size() > kMaxTextLength) throw EExpressionTooComplex(kMsgTooComplex);
    n_ = static_cast<std::uint32_t>(text_.size());
    depth_.assign(n_ + 1, 0);
    for (std::uint32_t i = 0; i < n_; ++i) depth_[i + 1] = depth_[i] + (text_[i] == '(' ? 1 : text_[i] == ')' ? -1 : 0);
    next_.assign(static_cast<std::size_t>(kSymCount) * (n_ + 1), n_);
    for (std::uint32_t i = n_; i-- > 0;) {
      for (int s = 0; s < kSymCount; ++s) Next(s, i) = Next(s, i + 1);
      switch (text_[i]) {
        case '+':
          Next(kSymPlus, i) = i;
          break;
        case '-':
          Next(kSymMinus, i) = i;
          break;
        case '*':
          Next(kSymTimes, i) = i;
          break;
        case '/':
          Next(kSymSlash, i) = i;
          break;
        case '^':
          Next(kSymCaret, i) = i;
          break;
        case '(':
          Next(kSymOpen, i) = i;
          break;
        case ',':
          Next(kSymComma, i) = i;
          break;
        default:
          break;
      }
      if (text_.compare(i, 3, "DIV") == 0) Next(kSymDivWord, i) = i;
      if (text_.compare(i, 3, "MOD") == 0) Next(kSymModWord, i) = i;
    }
    prev_.assign(static_cast<std::size_t>(kSymCount) * (n_ + 1), kNone);
    for (int sym = 0; sym < kSymCount; ++sym) {
      std::uint32_t* prev = &prev_[static_cast<std::size_t>(sym) * (n_ + 1)];
      for (std::uint32_t i = 0; i < n_; ++i) prev[i + 1] = NextOf(sym, i) == i ? i : prev[i];
    }
    // Numbers, "PI", brackets, variables and function calls.
    for (char c : std::string_view("0123456789+-(P")) canStart_[static_cast<unsigned char>(c)] = true;
    for (char c : std::string_view("0123456789)I")) canEnd_[static_cast<unsigned char>(c)] = true;
    canStart_[static_cast<unsigned char>(separator_)] = true;
    canEnd_[static_cast<unsigned char>(separator_)] = true;
    for (const auto& [name, storage] : variables_) {
      if (name.empty()) continue;
      canStart_[static_cast<unsigned char>(name.front())] = true;
      canEnd_[static_cast<unsigned char>(name.back())] = true;
    }
    for (const TFunctionTable* table : {&unary_, &binary_})
      for (const auto& [name, proc] : *table)
        if (!name.empty()) canStart_[static_cast<unsigned char>(name.front())] = true;
    // For each position, the next operator after it at the same bracket depth,
    // for "*", "/", "^", and a "+" or "-" after a name, a digit or ")" (which
    // can only be a sum or a difference).
    nextLoose_.assign(static_cast<std::size_t>(kLooseCount) * (n_ + 1), n_);
    bool namesHaveOperators = false;
    for (const auto& [name, storage] : variables_)
      namesHaveOperators = namesHaveOperators || name.find_first_of("+-*/^") != std::string::npos;
    for (const TFunctionTable* table : {&unary_, &binary_})
      for (const auto& [name, proc] : *table)
        namesHaveOperators = namesHaveOperators || name.find_first_of("+-*/^") != std::string::npos;
    if (!namesHaveOperators) {
      std::vector<std::uint32_t> nextAtDepth(kLooseCount * (2 * static_cast<std::size_t>(n_) + 1), n_);
      for (std::uint32_t i = n_; i-- > 0;) {
        const std::size_t d = static_cast<std::size_t>(depth_[i] + static_cast<int>(n_));
        for (int k = 0; k < kLooseCount; ++k) {
          std::uint32_t& next = nextAtDepth[static_cast<std::size_t>(k) * (2 * n_ + 1) + d];
          nextLoose_[static_cast<std::size_t>(k) * (n_ + 1) + i] = next;
          if (LooseKindAt(i) == k) next = i;
        }
      }
    }
    prevLoose_.assign(static_cast<std::size_t>(kLooseCount) * (n_ + 1), kNone);
    if (!namesHaveOperators) {
      std::vector<std::uint32_t> lastAtDepth(kLooseCount * (2 * static_cast<std::size_t>(n_) + 1), kNone);
      for (std::uint32_t i = 0; i <= n_; ++i) {
        const std::size_t d = static_cast<std::size_t>(depth_[i] + static_cast<int>(n_));
        const int kind = i < n_ ? LooseKindAt(i) : -1;
        for (int k = 0; k < kLooseCount; ++k) {
          std::uint32_t& last = lastAtDepth[static_cast<std::size_t>(k) * (2 * n_ + 1) + d];
          prevLoose_[static_cast<std::size_t>(k) * (n_ + 1) + i] = last;
          if (kind == k) last = i;
        }
      }
    }
    std::size_t capacity = 64;
    while (capacity < 2 * static_cast<std::size_t>(n_)) capacity *= 2;
    memo_.assign(capacity, MemoSlot{});
  }

  std::string_view Text() const { return text_; }
  Span Whole() const { return Span{0, n_}; }
  std::string_view View(Span s) const { return std::string_view(text_).substr(s.pos, s.len); }

  // The span of a view into Text().
  Span SpanOf(std::string_view s) const {
    const char* base = text_.data();
    if (s.data() < base || s.data() + s.size() > base + text_.size()) throw EParserInternalError(kMsgInternal);
    return Span{static_cast<std::uint32_t>(s.data() - base), static_cast<std::uint32_t>(s.size())};
  }

  double* Variable(Span s) const {
    if (s.len == 0) return nullptr;
    const char c = text_[s.pos];
    if (!((c >= 'A' && c <= 'Z') || c == '_')) return nullptr;
    auto it = variables_.find(View(s));
    return it == variables_.end() ? nullptr : it->second;
  }

  bool Number(Span s, double& value) const {
    const std::string_view t = View(s);
    if (t == "PI") {
      value = kPi;
      return true;
    }
    if (t == "-PI") {
      value = -kPi;
      return true;
    }
    // [+-]? digits? (separator digits?)? (E [+-]? digits)?, one mantissa digit at least.
    std::size_t i = 0;
    const std::size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(t[i])) ++i, ++digits;
    if (i < n && t[i] == separator_) {
      ++i;
      while (i < n && IsDigit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && t[i] == 'E') {
      ++i;
      if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
      std::size_t exponentDigits = 0;
      while (i < n && IsDigit(t[i])) ++i, ++exponentDigits;
      if (exponentDigits == 0) return false;
    }
    if (i != n) return false;
    return TryStrToFloat(t, value, separator_);
  }

  const TFunctionTable& Unary() const { return unary_; }
  const TFunctionTable& Binary() const { return binary_; }

  // Position of the first "(" of a part, or its end.
  std::uint32_t FirstOpen(Span s) const { return std::min(NextOf(kSymOpen, s.pos), s.end()); }

  Outcome Ask(Question q, Span s) {
    if (s.len == 0) return Outcome{};
    if (++questions_ > kMaxQuestions) throw EExpressionTooComplex(kMsgTooComplex);
    // Whatever is accepted has as many "(" as ")"; splits are still worked
    // out, for the parts they report when they fail.
    if (!IsSplitQuestion(q) && q != kBinary && !Balanced(s)) return Outcome{};
    // ... and begins and ends with a character that an operand can begin and end with.
    if (IsOperandQuestion(q) && (!canStart_[static_cast<unsigned char>(text_[s.pos])] ||
                                 !canEnd_[static_cast<unsigned char>(text_[s.end() - 1])]))
      return Outcome{};
    // A side has no operator outside brackets that it cannot split at.
    if (const unsigned forbidden = ForbiddenOf(q)) {
      for (int k = 0; k < kLooseCount; ++k)
        if ((forbidden & (1u << k)) && NextLoose(k, s.pos) < s.end()) return Outcome{};
    }
    if (IsOperandQuestion(q)) {
      // A variable or a number is accepted as it stands.
      double value;
      if (Number(s, value)) {
        Outcome o = Accept(s);
        if (q == kSidePowerRight) o.kind = PowerKindOf(value);
        return o;
      }
      if (Variable(s)) return Accept(s);
      bool possible = !QuickNo(kStrip, s);
      for (Question m : AlternativesOf(q)) possible = possible || !QuickNo(m, s);
      if (!possible) return Outcome{};
    } else if (QuickNo(q, s)) {
      return Outcome{};
    }
    DepthGuard guard(questionDepth_, stackBase_);
    // Only operands are remembered: every other question is asked by the
    // operand questions about the same part, so it is worked out a bounded
    // number of times.
    if (!IsOperandQuestion(q)) return Compute(q, s);
    const std::uint64_t key = Key(q, s);
    Outcome answer;
    if (Find(key, s, answer)) return answer;
    const std::uint64_t asksBefore = ++asks_;
    answer = Compute(q, s);
    // An answer found with a few questions is cheaper to work out again than
    // to keep; working it out again never takes more questions.
    if (asks_ - asksBefore > kQuestionsWorthKeeping) Store(key, s, answer);
    return answer;
  }

private:
  // Counts the questions in progress; the outermost one marks the stack.
  struct DepthGuard {
    DepthGuard(int& depth, std::uintptr_t& stackBase) : depth_(depth) {
      const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
      if (depth_ == 0) stackBase = frame;
      if (depth_ + 1 > kMaxQuestionDepth || (stackBase > frame && stackBase - frame > kMaxStackBytes))
        throw ETooManyNestings(kMsgTooManyNestings);
      ++depth_;
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& depth_;
  };

  // A remembered operand answer: accepted or not, the power kind, and how
  // many brackets were stripped on each side.
  struct MemoSlot {
    std::uint64_t key = 0;
    std::uint32_t answer = 0;
  };

  struct GoodLefts {
    std::uint32_t scanned = 0;
    std::vector<std::pair<std::uint32_t, Span>> good;
  };

  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  GoodLefts& LeftsOf(Question q, std::uint32_t start) {
    if (leftsIndex_.empty()) leftsIndex_.assign(static_cast<std::size_t>(kPair - kSum + 1) * (n_ + 1), 0);
    std::uint32_t& index = leftsIndex_[static_cast<std::size_t>(q - kSum) * (n_ + 1) + start];
    if (index == 0) {
      lefts_.emplace_back();
      index = static_cast<std::uint32_t>(lefts_.size());
    }
    return lefts_[index - 1];
  }

  std::uint32_t& Next(int symbol, std::uint32_t i) { return next_[static_cast<std::size_t>(symbol) * (n_ + 1) + i]; }
  std::uint32_t NextOf(int symbol, std::uint32_t i) const {
    return next_[static_cast<std::size_t>(symbol) * (n_ + 1) + i];
  }
  // The last occurrence before i, or kNone.
  std::uint32_t PrevOf(int symbol, std::uint32_t i) const {
    return prev_[static_cast<std::size_t>(symbol) * (n_ + 1) + i];
  }
  bool Balanced(Span s) const { return depth_[s.pos] == depth_[s.end()]; }

  // Which operator of the kLoose kinds stands at i, or -1.
  int LooseKindAt(std::uint32_t i) const {
    switch (text_[i]) {
      case '*':
        return kLooseTimes;
      case '/':
        return kLooseSlash;
      case '^':
        return kLooseCaret;
      case '+':
      case '-':
        break;
      default:
        return -1;
    }
    if (i == 0) return -1;
    const char c = text_[i - 1];
    const bool afterOperand = (c >= 'A' && c <= 'Z' && c != 'E') || (c >= '0' && c <= '9') || c == '_' || c == ')';
    if (!afterOperand) return -1;
    if (i >= 3 && (text_.compare(i - 3, 3, "DIV") == 0 || text_.compare(i - 3, 3, "MOD") == 0)) return -1;
    return kLooseSign;
  }
  // The first operator of that kind after i at the depth of i, or the end.
  std::uint32_t NextLoose(int kind, std::uint32_t i) const {
    return nextLoose_[static_cast<std::size_t>(kind) * (n_ + 1) + i];
  }
  // The last operator of that kind before i at the depth of i, or kNone.
  std::uint32_t PrevLoose(int kind, std::uint32_t i) const {
    return prevLoose_[static_cast<std::size_t>(kind) * (n_ + 1) + i];
  }

  static std::uint64_t Key(Question q, Span s) {
    return static_cast<std::uint64_t>(q) | (static_cast<std::uint64_t>(s.pos) << 5) |
           (static_cast<std::uint64_t>(s.len) << 34);
  }
  std::size_t SlotOf(std::uint64_t key) const {
    std::uint64_t h = key * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<std::size_t>(h) & (memo_.size() - 1);
  }
  bool Find(std::uint64_t key, Span s, Outcome& answer) const {
    for (std::size_t i = SlotOf(key);; i = (i + 1) & (memo_.size() - 1)) {
      if (memo_[i].key == 0) return false;
      if (memo_[i].key != key) continue;
      const std::uint32_t packed = memo_[i].answer;
      const std::uint32_t stripped = packed >> 5;
      answer = Outcome{};
      answer.ok = (packed & 1u) != 0;
      answer.kind = static_cast<std::uint8_t>((packed >> 1) & 15u);
      answer.a = Span{s.pos + stripped, s.len - 2 * stripped};
      return true;
    }
  }
  void Store(std::uint64_t key, Span s, const Outcome& answer) {
    if (2 * (used_ + 1) > memo_.size()) Grow();
    std::size_t i = SlotOf(key);
    while (memo_[i].key != 0) i = (i + 1) & (memo_.size() - 1);
    const std::uint32_t stripped = answer.ok ? answer.a.pos - s.pos : 0;
    memo_[i] = MemoSlot{key, (answer.ok ? 1u : 0u) | (std::uint32_t{answer.kind} << 1) | (stripped << 5)};
    ++used_;
  }
  void Grow() {
    std::vector<MemoSlot> old(memo_.size() * 2);
    old.swap(memo_);
    for (const MemoSlot& slot : old) {
      if (slot.key == 0) continue;
      std::size_t i = SlotOf(slot.key);
      while (memo_[i].key != 0) i = (i + 1) & (memo_.size() - 1);
      memo_[i] = slot;
    }
  }

  // Answers that need no work: nothing to split at, no bracket to strip.
  bool QuickNo(Question q, Span s) const {
    if (s.len == 0) return true;
    const char first = text_[s.pos];
    const char last = text_[s.end() - 1];
    switch (q) {
      case kStrip:
        return s.len < 2 || first != '(' || last != ')';
      case kNegation:
        return first != '-';
      case kUnary:
      case kBinary: {
        const std::uint32_t open = FirstOpen(s);
        return open >= s.end() || open == s.pos || (q == kBinary && last != ')');
      }
      default:
        break;
    }
    if (IsSplitQuestion(q)) {
      const SplitRule& rule = RuleOf(q);
      const std::uint32_t at = NextOf(rule.symbol, s.pos);
      if (at + rule.width > s.end()) return true;
      // A character in the first position ends the search at once.
      if (rule.width == 1 && at == s.pos) return true;
    }
    return false;
  }

  Outcome Compute(Question q, Span s) {
    switch (q) {
      case kStrip:
        return Strip(s);
      case kNegation:
        return Negation(s);
      case kUnary:
        return UnaryFunction(s);
      case kBinary:
        return BinaryFunction(s);
      default:
        break;
    }
    if (IsSplitQuestion(q)) return Split(RuleOf(q), s);
    return Operand(q, s);
  }

  // Accepted, with a as its text; as an exponent it makes a real power.
  static Outcome Accept(Span a) {
    Outcome o;
    o.ok = true;
    o.a = a;
    o.kind = kOpRealPower;
    return o;
  }

  Outcome Strip(Span s) {
    const Outcome inside = Ask(kValid, Span{s.pos + 1, s.len - 2});
    return inside.ok ? Accept(inside.a) : Outcome{};
  }

  Outcome Negation(Span s) {
    const Span rest{s.pos + 1, s.len - 1};
    const Outcome strip = Ask(kStrip, rest);
    if (strip.ok) return Accept(strip.a);
    if (Variable(rest) || Ask(kPower, rest).ok || Ask(kUnary, rest).ok || Ask(kBinary, rest).ok) return Accept(rest);
    return Outcome{};
  }

  Outcome UnaryFunction(Span s) {
    const std::uint32_t open = FirstOpen(s);
    if (unary_.find(View(Span{s.pos, open - s.pos})) == unary_.end()) return Outcome{};
    const Outcome strip = Ask(kStrip, Span{open, s.end() - open});
    if (strip.ok) return Accept(strip.a);
    return Outcome{};
  }

  Outcome BinaryFunction(Span s) {
    const std::uint32_t open = FirstOpen(s);
    if (binary_.find(View(Span{s.pos, open - s.pos})) == binary_.end()) return Outcome{};
    return Ask(kPair, Span{open + 1, s.end() - 1 - (open + 1)});
  }

  // Any operand (kValid) or one side of an operator, once a variable and a
  // number are ruled out: the bracketed form (which a valid operand tries
  // last) and the alternatives of the question.
  Outcome Operand(Question q, Span s) {
    if (q != kValid) {
      const Outcome strip = Ask(kStrip, s);
      if (strip.ok) return Accept(strip.a);
    }
    for (Question m : AlternativesOf(q))
      if (Ask(m, s).ok) return Accept(s);
    if (q == kValid) {
      const Outcome strip = Ask(kStrip, s);
      if (strip.ok) return Accept(strip.a);
    }
    return Outcome{};
  }

  // The split of a part at the first occurrence whose two sides pass. The
  // occurrences are tried from the left; a character in the last position
  // ends the search, a word at the start is skipped. When none passes, a and
  // b hold the last split tried (a stripped when its side passed).
  // Occurrences whose left side passes are kept per start position.
  Outcome Split(const SplitRule& rule, Span s) {
    const std::uint32_t w = rule.width;
    const std::uint32_t limit = s.end() + 1 - (w == 1 ? 2 : w);  // candidates lie below
    GoodLefts& lefts = LeftsOf(rule.self, s.pos);
    // A right side that cannot hold some operator outside brackets starts at
    // or after the last such operator: earlier splits need not be tried.
    std::uint32_t from = s.pos + 1;
    if (const unsigned forbidden = ForbiddenOf(rule.right); forbidden && Balanced(s)) {
      for (int k = 0; k < kLooseCount; ++k) {
        const std::uint32_t last = (forbidden & (1u << k)) ? PrevLoose(k, s.end()) : kNone;
        if (last != kNone && last >= w) from = std::max(from, last - w);
      }
    }
    std::size_t i = 0;
    if (from > s.pos + 1) {
      ExtendLefts(rule, s.pos, lefts, std::min(from, limit));
      i = static_cast<std::size_t>(
          std::lower_bound(lefts.good.begin(), lefts.good.end(), from,
                           [](const auto& entry, std::uint32_t at) { return entry.first < at; }) -
          lefts.good.begin());
    }
    for (;; ++i) {
      // The left sides do not depend on where the part ends: each occurrence
      // after s.pos is tried once, when a split first needs it.
      while (i == lefts.good.size() && ExtendLefts(rule, s.pos, lefts, limit, 1)) {
      }
      if (i == lefts.good.size()) break;
      const auto [at, left] = lefts.good[i];
      if (at >= limit) break;
      const Span right{at + w, s.end() - at - w};
      if (rule.balanced && !Balanced(right)) continue;
      const Outcome r = Ask(rule.right, right);
      if (!r.ok) continue;
      Outcome out;
      out.ok = out.wrote = true;
      out.a = left;
      out.b = r.a;
      out.kind = rule.right == kSidePowerRight ? r.kind : rule.kind;
      return out;
    }
    Outcome out;
    const std::uint32_t last = PrevOf(rule.symbol, limit);
    if (last == kNone || last <= s.pos) return out;
    out.wrote = true;
    out.a = Span{s.pos, last - s.pos};
    out.b = Span{last + w, s.end() - last - w};
    if (!rule.balanced || (Balanced(out.a) && Balanced(out.b))) {
      const Outcome l = Ask(rule.left, out.a);
      if (l.ok) out.a = l.a;
    }
    return out;
  }

  // Tries the left sides of the occurrences after start and below limit
  // that were not tried yet, at most count of them; false when none was left.
  bool ExtendLefts(const SplitRule& rule, std::uint32_t start, GoodLefts& lefts, std::uint32_t limit,
                   std::uint32_t count = kNone) {
    bool tried = false;
    for (; count > 0; --count) {
      const std::uint32_t at = NextOf(rule.symbol, std::max(lefts.scanned, start + 1));
      if (at >= limit) break;
      lefts.scanned = at + 1;
      tried = true;
      const Span left{start, at - start};
      if (rule.balanced && !Balanced(left)) continue;
      const Outcome l = Ask(rule.left, left);
      if (l.ok) lefts.good.emplace_back(at, l.a);
    }
    return tried;
  }

  std::string text_;
  const TVariableTable& variables_;
  const TFunctionTable& unary_;
  const TFunctionTable& binary_;
  char separator_;
  std::uint32_t n_ = 0;
  std::vector<int> depth_;
  std::vector<std::uint32_t> next_;
  std::vector<std::uint32_t> prev_;
  std::vector<std::uint32_t> nextLoose_;
  std::vector<std::uint32_t> prevLoose_;
  std::array<bool, 256> canStart_{};
  std::array<bool, 256> canEnd_{};
  std::vector<MemoSlot> memo_;
  std::size_t used_ = 0;
  std::vector<std::uint32_t> leftsIndex_;  // per split question and start: 1 + index
  std::deque<GoodLefts> lefts_;
  int questionDepth_ = 0;
  std::uintptr_t stackBase_ = 0;
  std::uint64_t asks_ = 0;
  std::uint64_t questions_ = 0;
};

namespace {

// Builds the operation table from the classified nodes, depth first.
class TOperationBuilder {
public:
  TOperationBuilder(TMatchEngine& engine, TOperationList& list) : engine_(engine), list_(list) {}

  void Build(Span root) {
    count_[0] = 1;
    table_[0][1] = &placeholder_;
    const std::uint8_t kind = Visit(root, 0, 1, 1);
    std::vector<TOperation*> order;
    if (kind <= kOpConstant) {
      TOperation* op = list_.NewOperation(kind, nullptr);
      op->Arg1 = placeholder_.Arg1;
      op->Result = op->Arg1;
      order.push_back(op);
    } else {
      for (int level = kMaxOperationLevel; level >= 1; --level)
        for (int p = 1; p <= count_[level]; ++p) order.push_back(table_[level][p]);
    }
    list_.Link(order);
  }

private:
  struct Node {
    std::uint8_t kind = 0;
    Span left;
    Span right;
    double* variable = nullptr;
    double number = 0;
  };

  Node Classify(Span s) {
    Node node;
    if ((node.variable = engine_.Variable(s))) {
      node.kind = kOpVariable;
      return node;
    }
    if (engine_.Number(s, node.number)) {
      node.kind = kOpConstant;
      return node;
    }
    const Outcome negation = engine_.Ask(kNegation, s);
    if (negation.ok) {
      node.kind = kOpNegate;
      node.left = negation.a;
      return node;
    }
    bool wrote = false;
    Span writtenLeft, writtenRight;
    auto split = [&](Question q) {
      const Outcome o = engine_.Ask(q, s);
      if (o.ok) {
        node.kind = o.kind;
        node.left = o.a;
        node.right = o.b;
      } else if (o.wrote) {
        wrote = true;
        writtenLeft = o.a;
        writtenRight = o.b;
      }
      return o.ok;
    };
    for (Question q : {kSum, kDifference, kProduct, kIntegerQuotient, kRemainder, kQuotient, kPower})
      if (split(q)) return node;
    const Outcome unary = engine_.Ask(kUnary, s);
    if (unary.ok) {
      node.kind = kOpFunction1;
      node.left = unary.a;
      return node;
    }
    if (split(kBinary)) {
      node.kind = kOpFunction2;
      return node;
    }
    std::string message = kMsgParsing;
    if (wrote) {
      message.append(engine_.View(writtenLeft)).append("\r").append(engine_.View(writtenRight));
    } else {
      message.append(engine_.View(s));
    }
    throw ESyntaxError(message);
  }

  void CheckLimits(int level) const {
    if (level > kMaxOperationLevel) throw ETooManyNestings(kMsgTooManyNestings);
    if (count_[level] + 1 > kMaxOperationsPerLevel) throw EExpressionTooComplex(kMsgTooComplex);
  }

  void SetOperand(int level, int position, int side, double* storage) {
    TOperation* consumer = table_[level][position];
    if (side == 1)
      consumer->Arg1 = storage;
    else
      consumer->Arg2 = storage;
  }

  TOperationProc FunctionProc(Span s, const TFunctionTable& table) const {
    const std::uint32_t open = engine_.FirstOpen(s);
    auto it = table.find(engine_.View(Span{s.pos, open - s.pos}));
    if (it == table.end()) throw EParserInternalError(kMsgInternal);
    return it->second;
  }

  // Classifies the node and places its operation; returns its kind.
  std::uint8_t Visit(Span s, int level, int position, int side) {
    const Node node = Classify(s);
    if (node.kind == kOpVariable) {
      SetOperand(level, position, side, node.variable);
      return node.kind;
    }
    if (node.kind == kOpConstant) {
      SetOperand(level, position, side, list_.NewConstant(node.number));
      return node.kind;
    }
    const int childLevel = level + 1;
    CheckLimits(childLevel);
    const int childPosition = count_[childLevel] + 1;
    TOperationProc proc = nullptr;
    if (node.kind == kOpFunction1) proc = FunctionProc(s, engine_.Unary());
    if (node.kind == kOpFunction2) proc = FunctionProc(s, engine_.Binary());
    TOperation* op = list_.NewOperation(node.kind, proc);
    table_[childLevel][childPosition] = op;
    op->Result = list_.NewResult();
    SetOperand(level, position, side, op->Result);
    if (IsOneOperandKind(node.kind)) {
      ++count_[childLevel];
      Visit(node.left, childLevel, childPosition, 1);
    } else {
      Visit(node.left, childLevel, childPosition, 1);
      CheckLimits(childLevel);
      ++count_[childLevel];
      Visit(node.right, childLevel, childPosition, 2);
    }
    return node.kind;
  }

  TMatchEngine& engine_;
  TOperationList& list_;
  TOperation placeholder_;
  std::array<std::array<TOperation*, kMaxOperationsPerLevel + 1>, kMaxOperationLevel + 1> table_{};
  std::array<int, kMaxOperationLevel + 1> count_{};
};

}  // namespace

std::unique_ptr<TOperationList> BuildOperationList(std::string_view text, const TVariableTable& variables,
                                                   const TFunctionTable& unaryFunctions,
                                                   const TFunctionTable& binaryFunctions, bool pascalNumberformat,
                                                   bool& error) {
  error = true;
  std::string prepared = UpperCase(text);
  const std::size_t first = prepared.find_first_not_of(' ');
  if (first == std::string::npos) {
    prepared.clear();
  } else {
    prepared.erase(prepared.find_last_not_of(' ') + 1);
    prepared.erase(0, first);
  }
  if (prepared.find(' ') != std::string::npos) throw EExpressionHasBlanks(kMsgHasBlanks);
  if (!BracketsBalanced(prepared)) throw EMissMatchingBracket(kMsgMissingBrackets);

  TMatchEngine engine(std::move(prepared), variables, unaryFunctions, binaryFunctions, pascalNumberformat);
  Span root = engine.Whole();
  for (Outcome strip = engine.Ask(kStrip, root); strip.ok; strip = engine.Ask(kStrip, root)) root = strip.a;

  auto list = std::make_unique<TOperationList>();
  TOperationBuilder(engine, *list).Build(root);
  error = false;
  return list;
}

// ---- TExpressionMatcher ----

TExpressionMatcher::TExpressionMatcher(std::string text, const TVariableTable& variables,
                                       const TFunctionTable& unaryFunctions, const TFunctionTable& binaryFunctions,
                                       bool pascalNumberformat)
    : engine_(std::make_unique<TMatchEngine>(std::move(text), variables, unaryFunctions, binaryFunctions,
                                             pascalNumberformat)) {}

TExpressionMatcher::~TExpressionMatcher() = default;

std::string_view TExpressionMatcher::Text() const {
  return engine_->Text();
}

double* TExpressionMatcher::IsKnownVariable(std::string_view s) const {
  return engine_->Variable(engine_->SpanOf(s));
}

bool TExpressionMatcher::TryNumber(std::string_view s, double& value) const {
  return engine_->Number(engine_->SpanOf(s), value);
}

namespace {

bool AnswerOne(TMatchEngine& engine, Question q, std::string_view s, std::string_view& part) {
  const Outcome o = engine.Ask(q, engine.SpanOf(s));
  if (o.ok) part = engine.View(o.a);
  return o.ok;
}

bool AnswerSplit(TMatchEngine& engine, Question q, std::string_view s, std::string_view& left, std::string_view& right,
                 std::uint8_t* kind = nullptr) {
  const Outcome o = engine.Ask(q, engine.SpanOf(s));
  if (o.ok || o.wrote) {
    left = engine.View(o.a);
    right = engine.View(o.b);
  }
  if (o.ok && kind) *kind = o.kind;
  return o.ok;
}

}  // namespace

bool TExpressionMatcher::StripOuterBrackets(std::string_view s, std::string_view& inside) {
  return AnswerOne(*engine_, kStrip, s, inside);
}

bool TExpressionMatcher::IsValidOperand(std::string_view s, std::string_view& stripped) {
  return AnswerOne(*engine_, kValid, s, stripped);
}

bool TExpressionMatcher::MatchNegation(std::string_view s, std::string_view& part) {
  return AnswerOne(*engine_, kNegation, s, part);
}

bool TExpressionMatcher::MatchUnaryFunction(std::string_view s, std::string_view& argument) {
  return AnswerOne(*engine_, kUnary, s, argument);
}

bool TExpressionMatcher::MatchSum(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kSum, s, left, right);
}

bool TExpressionMatcher::MatchDifference(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kDifference, s, left, right);
}

bool TExpressionMatcher::MatchProduct(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kProduct, s, left, right);
}

bool TExpressionMatcher::MatchIntegerQuotient(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kIntegerQuotient, s, left, right);
}

bool TExpressionMatcher::MatchRemainder(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kRemainder, s, left, right);
}

bool TExpressionMatcher::MatchQuotient(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kQuotient, s, left, right);
}

bool TExpressionMatcher::MatchPower(std::string_view s, std::string_view& left, std::string_view& right,
                                    std::uint8_t& kind) {
  return AnswerSplit(*engine_, kPower, s, left, right, &kind);
}

bool TExpressionMatcher::MatchBinaryFunction(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kBinary, s, left, right);
}

bool TExpressionMatcher::MatchArgumentPair(std::string_view s, std::string_view& left, std::string_view& right) {
  return AnswerSplit(*engine_, kPair, s, left, right);
}
