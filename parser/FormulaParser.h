#pragma once
// Formula parser component: compiles a formula text once into a flat list of
// operations and evaluates that list on demand with the current variable values.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/rtl/Exceptions.h"

// The parser's own exceptions (English messages).
TQ_DECLARE_EXCEPTION(EMathParserError, Exception)
TQ_DECLARE_EXCEPTION(ESyntaxError, EMathParserError)
TQ_DECLARE_EXCEPTION(EExpressionHasBlanks, EMathParserError)
TQ_DECLARE_EXCEPTION(EMissMatchingBracket, EMathParserError)
TQ_DECLARE_EXCEPTION(ETooManyNestings, EMathParserError)
TQ_DECLARE_EXCEPTION(EExpressionTooComplex, EMathParserError)
TQ_DECLARE_EXCEPTION(EParserInternalError, EMathParserError)
// Raised by AssignVariable; the message is the upper-cased name.
TQ_DECLARE_EXCEPTION(EBadName, EMathParserError)

struct TOperation;

// Computes Result from Arg1 (and Arg2).
using TOperationProc = void (*)(const TOperation& op);

// Operation kinds.
enum : std::uint8_t {
  kOpVariable = 0,
  kOpConstant = 1,
  kOpNegate = 2,
  kOpAdd = 3,
  kOpSubtract = 4,
  kOpMultiply = 5,
  kOpDivide = 6,
  kOpMod = 7,
  kOpDiv = 8,
  kOpIntPower = 9,
  kOpRealPower = 10,
  kOpSquare = 11,
  kOpCube = 12,
  kOpFourthPower = 13,
  kOpFunction1 = 14,
  kOpFunction2 = 15,
};

// True for the kinds that read Arg1 only.
inline bool IsOneOperandKind(std::uint8_t kind) {
  return kind == kOpNegate || kind == kOpSquare || kind == kOpCube || kind == kOpFourthPower || kind == kOpFunction1;
}

struct TOperation {
  double* Arg1 = nullptr;
  double* Arg2 = nullptr;
  double* Result = nullptr;
  TOperation* Next = nullptr;
  TOperationProc Proc = nullptr;
  std::uint8_t Kind = 0;
};

// Upper-case names with the storage of each variable.
using TVariableTable = std::map<std::string, double*, std::less<>>;
// Upper-case names with the procedure of each function.
using TFunctionTable = std::map<std::string, TOperationProc, std::less<>>;

// One compiled list: owns its operations and the storages of its constants
// and results (addresses are stable).
class TOperationList {
public:
  TOperationList() = default;
  TOperationList(const TOperationList&) = delete;
  TOperationList& operator=(const TOperationList&) = delete;

  // A zeroed operation of that kind.
  TOperation* NewOperation(std::uint8_t kind, TOperationProc proc);
  // Storage of a number literal.
  double* NewConstant(double v);
  // Zeroed storage of an operation's result.
  double* NewResult();
  // The literal storages, in order of creation.
  const std::vector<double*>& Constants() const { return constants_; }

  TOperation* Head() const { return head_; }
  TOperation* Last() const { return last_; }
  int Count() const { return static_cast<int>(operations_.size()); }
  // Links the given operations in this order.
  void Link(const std::vector<TOperation*>& order);

  // Copies of the operations that Value runs, in list order: those whose
  // operands are not all constant (see TCustomParser).
  std::vector<TOperation>& RunList() { return run_; }
  const std::vector<TOperation>& RunList() const { return run_; }

private:
  std::deque<TOperation> operations_;
  std::deque<double> values_;
  std::vector<double*> constants_;
  TOperation* head_ = nullptr;
  TOperation* last_ = nullptr;
  std::vector<TOperation> run_;
};

// Receives compilation errors instead of letting them propagate.
using TParserExceptionEvent = std::function<void(TPersistent* sender, Exception& e)>;

class TCustomParser : public TComponent {
  TQ_DECLARE_CLASS(TCustomParser)
public:
  explicit TCustomParser(TComponent* owner = nullptr);
  ~TCustomParser() override;

  // Evaluates the compiled list; 0 without one. Operations whose operands are
  // all constant were worked out once when the text was compiled.
  long double Value() const {
    for (const TOperation* op = runBegin_; op != runEnd_; ++op) op->Proc(*op);
    return *result_;
  }

  const std::string& Expression() const { return expression_; }
  // Compiles the text.
  void SetExpression(const std::string& text) { CompileExpression(text); }

  bool PascalNumberformat() const { return pascalNumberformat_; }
  void SetPascalNumberformat(bool value) { pascalNumberformat_ = value; }

  // True when the last non-empty text failed to compile.
  bool ParserError() const { return parserError_; }

  const TParserExceptionEvent& OnParserError() const { return onParserError_; }
  void SetOnParserError(TParserExceptionEvent handler) { onParserError_ = std::move(handler); }

  // Defines or sets a variable; returns its storage. Raises EBadName.
  double* AssignVariable(std::string_view name, long double value);
  // Frees every user variable, empties the variable table and clears Expression.
  void ReleaseVariables();
  void FreeOperationList();
  void CompileExpression(const std::string& text);

  // The compiled list (nullptr when empty), for inspection.
  const TOperation* OperationList() const { return list_ ? list_->Head() : nullptr; }
  const TVariableTable& VariableTable() const { return variables_; }
  const TFunctionTable& OneParameterFunctions() const { return functions1_; }
  const TFunctionTable& TwoParameterFunctions() const { return functions2_; }

protected:
  // Registers a function; a name already known raises EListError.
  void AddFunctionOneParameter(std::string_view name, TOperationProc proc);
  void AddFunctionTwoParameters(std::string_view name, TOperationProc proc);
  // Puts a name in the variable table with the given storage (ignored when known).
  void AddVariable(std::string_view name, double* storage);

  // Storage of the built-in one-letter variables.
  double a_ = 0, b_ = 0, c_ = 0, d_ = 0, e_ = 0, x_ = 0, y_ = 0, t_ = 0;

private:
  std::string expression_;
  bool pascalNumberformat_ = true;
  bool parserError_ = false;
  TParserExceptionEvent onParserError_;
  TVariableTable variables_;
  std::vector<std::unique_ptr<double>> userStorages_;
  TFunctionTable functions1_;
  TFunctionTable functions2_;
  std::unique_ptr<TOperationList> list_;
  // What Value walks: the run list of list_ and the storage of its result.
  const TOperation* runBegin_ = nullptr;
  const TOperation* runEnd_ = nullptr;
  const double* result_ = &kNoResult;
  static constexpr double kNoResult = 0.0;
};

// The parser with the built-in letters A, B, C, D, E, X, Y, T and the
// function library.
class TParser : public TCustomParser {
  TQ_DECLARE_CLASS(TParser)
public:
  explicit TParser(TComponent* owner = nullptr);

  double A() const { return a_; }
  void SetA(double v) { a_ = v; }
  double B() const { return b_; }
  void SetB(double v) { b_ = v; }
  double C() const { return c_; }
  void SetC(double v) { c_ = v; }
  double D() const { return d_; }
  void SetD(double v) { d_ = v; }
  double E() const { return e_; }
  void SetE(double v) { e_ = v; }
  double T() const { return t_; }
  void SetT(double v) { t_ = v; }
  double X() const { return x_; }
  void SetX(double v) { x_ = v; }
  double Y() const { return y_; }
  void SetY(double v) { y_ = v; }

  // A copy of the text without blanks, tabs, carriage returns and line feeds.
  static std::string RemoveBlanks(std::string_view text);
};
