#include "parser/FormulaParser.h"

#include <cfloat>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "parser/FormulaBuild.h"
#include "platform/rtl/FloatChecks.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Half an ulp above DBL_MAX: from here on a long double rounds to infinity.
constexpr long double kDoubleOverflow = static_cast<long double>(DBL_MAX) + 0x1p970L;

// Rounds an extended result to double, checked before rounding: beyond the
// double range is an overflow, NaN an invalid operation.
inline double RoundToDouble(long double r) {
  if (!(std::fabs(r) < kDoubleOverflow)) {
    if (std::isnan(r)) RaiseInvalidOp();
    RaiseOverflow();
  }
  return static_cast<double>(r);
}

// CheckResult with a cheaper test: r - r is 0 exactly when r is finite.
inline double CheckFinite(double r) {
  if (!(r - r == 0.0)) return CheckResult(r);
  return r;
}

// A comparison with NaN is an invalid operation.
inline double Comparable(const double* p) {
  const double v = *p;
  if (std::isnan(v)) RaiseInvalidOp();
  return v;
}

// ---- operation kinds ----

void OpNothing(const TOperation&) {}
void OpNegate(const TOperation& op) {
  *op.Result = CheckFinite(-*op.Arg1);
}
void OpAdd(const TOperation& op) {
  *op.Result = CheckFinite(*op.Arg1 + *op.Arg2);
}
void OpSubtract(const TOperation& op) {
  *op.Result = CheckFinite(*op.Arg1 - *op.Arg2);
}
void OpMultiply(const TOperation& op) {
  *op.Result = CheckFinite(*op.Arg1 * *op.Arg2);
}
void OpDivide(const TOperation& op) {
  *op.Result = CheckedDiv(*op.Arg1, *op.Arg2);
}

void OpMod(const TOperation& op) {
  const std::int64_t a = TruncToInt64(*op.Arg1);
  const std::int64_t b = TruncToInt64(*op.Arg2);
  *op.Result = static_cast<double>(IntMod(a, b));
}

void OpDiv(const TOperation& op) {
  const std::int64_t a = TruncToInt64(*op.Arg1);
  const std::int64_t b = TruncToInt64(*op.Arg2);
  *op.Result = static_cast<double>(IntDiv(a, b));
}

void OpIntPower(const TOperation& op) {
  *op.Result = IntPower(*op.Arg1, TruncToInt64(*op.Arg2));
}
void OpRealPower(const TOperation& op) {
  *op.Result = RealPower(*op.Arg1, *op.Arg2);
}

void OpSquare(const TOperation& op) {
  *op.Result = CheckFinite(*op.Arg1 * *op.Arg1);
}

void OpCube(const TOperation& op) {
  const long double a = *op.Arg1;
  *op.Result = RoundToDouble(a * (a * a));
}

void OpFourthPower(const TOperation& op) {
  const long double a = *op.Arg1;
  *op.Result = RoundToDouble((a * a) * (a * a));
}

TOperationProc ProcOfKind(std::uint8_t kind) {
  switch (kind) {
    case kOpNegate:
      return OpNegate;
    case kOpAdd:
      return OpAdd;
    case kOpSubtract:
      return OpSubtract;
    case kOpMultiply:
      return OpMultiply;
    case kOpDivide:
      return OpDivide;
    case kOpMod:
      return OpMod;
    case kOpDiv:
      return OpDiv;
    case kOpIntPower:
      return OpIntPower;
    case kOpRealPower:
      return OpRealPower;
    case kOpSquare:
      return OpSquare;
    case kOpCube:
      return OpCube;
    case kOpFourthPower:
      return OpFourthPower;
    default:
      return OpNothing;
  }
}

// IntPower for a constant exponent N >= 0: the same squarings, unrolled.
template <unsigned N>
void OpIntPowerOf(const TOperation& op) {
  long double b = *op.Arg1;
  long double r = 1.0L;
  unsigned n = N;
#pragma GCC unroll 8
  while (n != 0) {
    if (n & 1u) r *= b;
    n >>= 1;
    if (n != 0) b *= b;
  }
  *op.Result = RoundToDouble(r);
}

template <unsigned... N>
TOperationProc IntPowerOfProc(unsigned n, std::integer_sequence<unsigned, N...>) {
  static const TOperationProc procs[] = {OpIntPowerOf<N>...};
  return n < sizeof...(N) ? procs[n] : nullptr;
}

// RealPower for a constant exponent that is no whole number within 32 bits:
// for a positive finite base it is pow, otherwise RealPower decides.
void OpRealPowerFraction(const TOperation& op) {
  const double a = *op.Arg1;
  if (a > 0.0 && a <= DBL_MAX)
    *op.Result = CheckResult(std::pow(a, *op.Arg2));
  else
    *op.Result = RealPower(a, *op.Arg2);
}

// A faster procedure with the same results for a power with a constant exponent.
TOperationProc PowerProcFor(std::uint8_t kind, double exponent) {
  if (kind == kOpIntPower && exponent >= 0.0 && exponent <= 16.0)
    return IntPowerOfProc(static_cast<unsigned>(exponent), std::make_integer_sequence<unsigned, 17>{});
  const bool whole = std::fabs(exponent) <= 2147483647.0 &&
                     static_cast<double>(static_cast<std::int64_t>(exponent)) == exponent;
  if (kind == kOpRealPower && std::isfinite(exponent) && exponent != 0.0 && !whole) return OpRealPowerFraction;
  return nullptr;
}

// ---- function library ----

constexpr double kTwoTo63 = 9223372036854775808.0;

void FnSin(const TOperation& op) {
  const double x = *op.Arg1;
  *op.Result = std::fabs(x) >= kTwoTo63 ? 0.0 : CheckResult(std::sin(x));
}

void FnCos(const TOperation& op) {
  const double x = *op.Arg1;
  *op.Result = std::fabs(x) >= kTwoTo63 ? 0.0 : CheckResult(std::cos(x));
}

void FnTan(const TOperation& op) {
  *op.Result = CheckResult(std::tan(*op.Arg1));
}

void FnSinh(const TOperation& op) {
  const long double x = *op.Arg1;
  *op.Result = RoundToDouble((std::exp(x) - std::exp(-x)) * 0.5L);
}

void FnCosh(const TOperation& op) {
  const long double x = *op.Arg1;
  *op.Result = RoundToDouble((std::exp(x) + std::exp(-x)) * 0.5L);
}

void FnArcTan(const TOperation& op) {
  *op.Result = CheckResult(std::atan2(*op.Arg1, 1.0));
}
void FnExp(const TOperation& op) {
  *op.Result = CheckedExp(*op.Arg1);
}
void FnLn(const TOperation& op) {
  *op.Result = CheckedLn(*op.Arg1);
}
void FnSqrt(const TOperation& op) {
  *op.Result = CheckedSqrt(*op.Arg1);
}
void FnAbs(const TOperation& op) {
  *op.Result = CheckResult(std::fabs(*op.Arg1));
}
void FnHeav(const TOperation& op) {
  *op.Result = Comparable(op.Arg1) >= 0.0 ? 1.0 : 0.0;
}

void FnSign(const TOperation& op) {
  const double x = Comparable(op.Arg1);
  *op.Result = x < 0.0 ? -1.0 : x > 0.0 ? 1.0 : 0.0;
}

void FnZero(const TOperation& op) {
  *op.Result = Comparable(op.Arg1) == 0.0 ? 0.0 : 1.0;
}

void FnPh(const TOperation& op) {
  const double t = CheckResult(*op.Arg1 / 0.6366197723675814);
  const double r = Round(t);
  *op.Result = CheckResult((t - r) * 6.283185307179586);
}

void FnRnd(const TOperation& op) {
  const double whole = std::trunc(*op.Arg1);
  *op.Result = CheckResult(whole * RandomValue());
}

void FnMin(const TOperation& op) {
  const double x = Comparable(op.Arg1);
  const double y = Comparable(op.Arg2);
  *op.Result = x >= y ? y : x;
}

void FnMax(const TOperation& op) {
  const double x = Comparable(op.Arg1);
  const double y = Comparable(op.Arg2);
  *op.Result = x >= y ? x : y;
}

// Functions whose result depends on their arguments alone.
bool IsPureFunction(TOperationProc proc) {
  static const TOperationProc pure[] = {FnSin,  FnCos, FnTan,  FnSinh, FnCosh, FnArcTan, FnExp, FnLn,
                                        FnSqrt, FnAbs, FnHeav, FnSign, FnZero, FnPh,     FnMin, FnMax};
  for (TOperationProc p : pure)
    if (p == proc) return true;
  return false;
}

bool IsIdentifier(std::string_view name) {
  if (name.empty()) return false;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!letter(name[0])) return false;
  for (char c : name)
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

// Precomputes the operations whose operands are all constant and that do not
// fault; Value then runs only copies of the others, side by side. The list
// itself is unchanged and every value is the same.
void PrepareRunList(TOperationList& list) {
  std::vector<TOperation>& run = list.RunList();
  run.clear();
  std::unordered_set<const double*> constant(list.Constants().begin(), list.Constants().end());
  for (TOperation* op = list.Head(); op; op = op->Next) {
    if (op->Kind <= kOpConstant) continue;
    const bool pure = (op->Kind != kOpFunction1 && op->Kind != kOpFunction2) || IsPureFunction(op->Proc);
    const bool operandsConstant = constant.count(op->Arg1) && (IsOneOperandKind(op->Kind) || constant.count(op->Arg2));
    if (pure && operandsConstant) {
      try {
        op->Proc(*op);
        constant.insert(op->Result);
        continue;
      } catch (const Exception&) {
        // Faults are raised when the list is evaluated.
      }
    }
    TOperation& copy = run.emplace_back(*op);
    if ((op->Kind == kOpIntPower || op->Kind == kOpRealPower) && constant.count(op->Arg2))
      if (TOperationProc proc = PowerProcFor(op->Kind, *op->Arg2)) copy.Proc = proc;
  }
}

}  // namespace

// ---- TOperationList ----

TOperation* TOperationList::NewOperation(std::uint8_t kind, TOperationProc proc) {
  TOperation& op = operations_.emplace_back();
  op.Kind = kind;
  op.Proc = proc;
  return &op;
}

double* TOperationList::NewConstant(double v) {
  double* p = &values_.emplace_back(v);
  constants_.push_back(p);
  return p;
}

double* TOperationList::NewResult() {
  return &values_.emplace_back(0.0);
}

void TOperationList::Link(const std::vector<TOperation*>& order) {
  head_ = order.empty() ? nullptr : order.front();
  last_ = order.empty() ? nullptr : order.back();
  for (std::size_t i = 0; i < order.size(); ++i) order[i]->Next = i + 1 < order.size() ? order[i + 1] : nullptr;
}

// ---- TCustomParser ----

const ClassInfo& TCustomParser::StaticClass() {
  static const auto ci = ClassBuilder<TCustomParser>("TCustomParser", &TComponent::StaticClass()).Build();
  return *ci;
}

TCustomParser::TCustomParser(TComponent* owner) : TComponent(owner) {}

TCustomParser::~TCustomParser() {
  FreeOperationList();
  ReleaseVariables();
}

double* TCustomParser::AssignVariable(std::string_view name, long double value) {
  const std::string upper = UpperCase(name);
  const double v = std::isfinite(value) ? RoundToDouble(value) : static_cast<double>(value);
  auto it = variables_.find(upper);
  if (it != variables_.end()) {
    *it->second = v;
    return it->second;
  }
  double* storage = nullptr;
  if (upper.size() == 1) {
    double* const fields[] = {&a_, &b_, &c_, &d_, &e_, &t_, &x_, &y_};
    const std::size_t letter = std::string_view("ABCDETXY").find(upper[0]);
    if (letter != std::string_view::npos) storage = fields[letter];
  }
  if (!storage) {
    if (!IsIdentifier(upper)) throw EBadName(upper);
    storage = userStorages_.emplace_back(std::make_unique<double>(0.0)).get();
  }
  *storage = v;
  variables_.emplace(upper, storage);
  return storage;
}

void TCustomParser::AddVariable(std::string_view name, double* storage) {
  variables_.emplace(UpperCase(name), storage);
}

void TCustomParser::AddFunctionOneParameter(std::string_view name, TOperationProc proc) {
  if (!functions1_.emplace(UpperCase(name), proc).second) throw EListError("Lista não permite duplicatas");
}

void TCustomParser::AddFunctionTwoParameters(std::string_view name, TOperationProc proc) {
  if (!functions2_.emplace(UpperCase(name), proc).second) throw EListError("Lista não permite duplicatas");
}

void TCustomParser::ReleaseVariables() {
  // The list refers to the storages: release it first.
  FreeOperationList();
  variables_.clear();
  userStorages_.clear();
  CompileExpression(std::string());
}

void TCustomParser::FreeOperationList() {
  runBegin_ = runEnd_ = nullptr;
  result_ = &kNoResult;
  list_.reset();
}

void TCustomParser::CompileExpression(const std::string& text) {
  FreeOperationList();
  expression_ = text;
  if (text.empty()) return;
  try {
    bool error = true;
    std::unique_ptr<TOperationList> list = BuildOperationList(text, variables_, functions1_, functions2_,
                                                              pascalNumberformat_, error);
    parserError_ = error;
    for (TOperation* op = list->Head(); op; op = op->Next)
      if (op->Kind != kOpFunction1 && op->Kind != kOpFunction2) op->Proc = ProcOfKind(op->Kind);
    PrepareRunList(*list);
    list_ = std::move(list);
    runBegin_ = list_->RunList().data();
    runEnd_ = runBegin_ + list_->RunList().size();
    result_ = list_->Last()->Result;
  } catch (Exception& e) {
    parserError_ = true;
    if (!onParserError_) throw;
    onParserError_(this, e);
  } catch (...) {
    parserError_ = true;
    throw;
  }
}

// ---- TParser ----

const ClassInfo& TParser::StaticClass() {
  static const auto ci = ClassBuilder<TParser>("TParser", &TCustomParser::StaticClass()).Build();
  return *ci;
}

TParser::TParser(TComponent* owner) : TCustomParser(owner) {
  AddVariable("A", &a_);
  AddVariable("B", &b_);
  AddVariable("C", &c_);
  AddVariable("D", &d_);
  AddVariable("E", &e_);
  AddVariable("X", &x_);
  AddVariable("Y", &y_);
  AddVariable("T", &t_);
  AddFunctionOneParameter("TAN", FnTan);
  AddFunctionOneParameter("SIN", FnSin);
  AddFunctionOneParameter("COS", FnCos);
  AddFunctionOneParameter("SINH", FnSinh);
  AddFunctionOneParameter("COSH", FnCosh);
  AddFunctionOneParameter("ARCTAN", FnArcTan);
  AddFunctionOneParameter("EXP", FnExp);
  AddFunctionOneParameter("LN", FnLn);
  AddFunctionOneParameter("SQRT", FnSqrt);
  AddFunctionOneParameter("ABS", FnAbs);
  AddFunctionOneParameter("HEAV", FnHeav);
  AddFunctionOneParameter("SIGN", FnSign);
  AddFunctionOneParameter("ZERO", FnZero);
  AddFunctionOneParameter("PH", FnPh);
  AddFunctionOneParameter("RND", FnRnd);
  AddFunctionTwoParameters("MAX", FnMax);
  AddFunctionTwoParameters("MIN", FnMin);
}

std::string TParser::RemoveBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out += c;
  return out;
}
