#include "model/growth/FormulaUnit.h"

#include <string>
#include <string_view>

#include "model/growth/HardFormulaUnit.h"
#include "model/items/ErrorsUnit.h"
#include "parser/FormulaBuild.h"
#include "parser/FormulaParser.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr std::string_view kSyntaxPrefix = "Erro de sintaxe na expressão ";
// The parser's syntax errors: their text goes on from the colon.
constexpr std::string_view kParsingMessage = "Error parsing expression:";

// What follows the prefix: a syntax error's text from the colon on, our own
// words for the parser's other faults, and any other fault's own message.
std::string SyntaxDetail(const std::exception& e) {
  const std::string_view message = e.what();
  if (message.starts_with(kParsingMessage)) return std::string(message.substr(kParsingMessage.size() - 1));
  if (dynamic_cast<const EMissMatchingBracket*>(&e)) return ": parênteses sem par.";
  if (dynamic_cast<const ETooManyNestings*>(&e))
    return ": expressão com aninhamento excessivo (mais de " + std::to_string(kMaxOperationLevel) + " níveis).";
  if (dynamic_cast<const EExpressionTooComplex*>(&e))
    return ": expressão complexa demais (mais de " + std::to_string(kMaxOperationsPerLevel) + " operações num nível).";
  if (dynamic_cast<const EParserInternalError*>(&e)) return ": erro interno do analisador.";
  if (dynamic_cast<const EExpressionHasBlanks*>(&e)) return ": a expressão contém espaços.";
  return std::string(message);
}

[[noreturn]] void RaiseAbstract() {
  throw EAbstractError("Erro abstrato.");
}

}  // namespace

// ---- TFormula ----

const ClassInfo& TFormula::StaticClass() {
  static const auto ci = ClassBuilder<TFormula>("TFormula", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TFormula::Id)
                             .String("Description", &TFormula::Description, &TFormula::SetDescription)
                             .String("Author", &TFormula::Author, &TFormula::SetAuthor)
                             .String("Expression", &TFormula::Expression, &TFormula::SetExpression)
                             .String("EquationType", &TFormula::EquationType, &TFormula::SetEquationType)
                             .Integer("AssociatedFormula", &TFormula::AssociatedFormula,
                                      &TFormula::SetAssociatedFormula)
                             .Build();
  return *ci;
}

TFormula::TFormula() : parser_(std::make_unique<TParser>(nullptr)) {
  // S and H are defined so that texts using them compile; the letters are the
  // parser's own fields.
  s_ = parser_->AssignVariable("S", 1);
  h_ = parser_->AssignVariable("H", 1);
  a_ = parser_->AssignVariable("A", 0);
  d_ = parser_->AssignVariable("D", 0);
  x_ = parser_->AssignVariable("X", 0);
}

TFormula::~TFormula() = default;

void TFormula::SetExpression(const std::string& value) {
  expression_ = value;
  builtIn_ = nullptr;
}

bool TFormula::CheckSyntax() {
  try {
    parser_->SetExpression(TParser::RemoveBlanks(expression_));
  } catch (const std::exception& e) {
    throw Exception(std::string(kSyntaxPrefix) + SyntaxDetail(e));
  }
  return true;
}

void TFormula::AssignVariable(const std::string& name, double value) {
  parser_->AssignVariable(name, value);
}

double TFormula::GetValue() const {
  return static_cast<double>(parser_->Value());
}

double TFormula::Compute(std::span<const double>) {
  RaiseAbstract();
}

void TFormula::InstallBuiltInFunction() {
  RaiseAbstract();
}

bool TFormula::Validate(TErrorList& errors) const {
  errors.Clear();
  if (Trim(description_).empty()) errors.Add(101, "Falta informar a Descrição.");
  if (Trim(author_).empty()) errors.Add(102, "Falta informar o Autor.");
  if (Trim(expression_).empty()) errors.Add(103, "Falta informar a Expressão.");
  if (associatedFormula_ != 0) {
    if (associatedFormula_ == Id())
      errors.Add(104, "Fórmula Associada não pode ser igual ao Identificador.");
    else if (Collection() && !Collection()->FindItemID(associatedFormula_))
      errors.Add(105, "Fórmula Associada não catalogada.");
  }
  return errors.Count() == 0;
}

// ---- equations ----

const ClassInfo& TSiteIndexEquation::StaticClass() {
  static const auto ci = ClassBuilder<TSiteIndexEquation>("TSiteIndexEquation", &TFormula::StaticClass()).Build();
  return *ci;
}

double TSiteIndexEquation::Compute(std::span<const double> values) {
  if (builtIn_) return builtIn_(values);
  *s_ = values[0];
  *a_ = values[1];
  return GetValue();
}

void TSiteIndexEquation::InstallBuiltInFunction() {
  builtIn_ = DefaultSiteIndex;
}

const ClassInfo& TVolumeEquation::StaticClass() {
  static const auto ci = ClassBuilder<TVolumeEquation>("TVolumeEquation", &TFormula::StaticClass()).Build();
  return *ci;
}

double TVolumeEquation::Compute(std::span<const double> values) {
  if (builtIn_) return builtIn_(values);
  *d_ = values[0];
  *h_ = values[1];
  *a_ = values[2];
  return GetValue();
}

void TVolumeEquation::InstallBuiltInFunction() {
  builtIn_ = DefaultVolume;
}

const ClassInfo& TShapeFunctionEquation::StaticClass() {
  static const auto ci =
      ClassBuilder<TShapeFunctionEquation>("TShapeFunctionEquation", &TFormula::StaticClass()).Build();
  return *ci;
}

double TShapeFunctionEquation::Compute(std::span<const double> values) {
  if (builtIn_) return builtIn_(values);
  *d_ = values[0];
  *x_ = values[1];
  return GetValue();
}

void TShapeFunctionEquation::InstallBuiltInFunction() {
  builtIn_ = DefaultShapeFunction;
}

const ClassInfo& TShapeFunctionIntegral2Equation::StaticClass() {
  static const auto ci = ClassBuilder<TShapeFunctionIntegral2Equation>("TShapeFunctionIntegral2Equation",
                                                                       &TFormula::StaticClass())
                             .Build();
  return *ci;
}

double TShapeFunctionIntegral2Equation::Compute(std::span<const double> values) {
  if (builtIn_) return builtIn_(values);
  *x_ = values[0];
  return GetValue();
}

void TShapeFunctionIntegral2Equation::InstallBuiltInFunction() {
  builtIn_ = DefaultShapeIntegral;
}
