#pragma once
// Formulas: a catalogue record whose text is compiled by its own parser, and
// the four equation classes of a simulation, each of which may run a built-in
// function instead of the text.

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "model/items/PrognosisUnit.h"
#include "platform/classes/Classes.h"

class TErrorList;
class TParser;

// A built-in equation: the argument values in, the result out.
using TBuiltInFunction = std::function<double(std::span<const double>)>;

class TFormula : public TCollectionItem, public IEquation {
  TQ_DECLARE_CLASS(TFormula)
public:
  TFormula();
  ~TFormula() override;

  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value) { description_ = value; }
  const std::string& Author() const { return author_; }
  void SetAuthor(const std::string& value) { author_ = value; }
  const std::string& Expression() const { return expression_; }
  // Stores the text (uncompiled) and drops the built-in function.
  void SetExpression(const std::string& value);
  const std::string& EquationType() const { return equationType_; }
  void SetEquationType(const std::string& value) { equationType_ = value; }
  // Id of another formula of the collection, 0 for none.
  int AssociatedFormula() const { return associatedFormula_; }
  void SetAssociatedFormula(int value) { associatedFormula_ = value; }

  // Compiles the stored text without its blanks; a failure raises Exception
  // "Erro de sintaxe na expressão ..." with what the parser found.
  bool CheckSyntax();
  void AssignVariable(const std::string& name, double value);
  // Evaluates the last compiled text.
  double GetValue() const;

  // The built-in function when one is set, else the compiled text with the
  // values given to the equation's variables. Raises EAbstractError here.
  double Compute(std::span<const double> values) override;

  // Built-in functions: any callable may be installed; writing Expression
  // removes it again.
  void SetBuiltInFunction(TBuiltInFunction function) { builtIn_ = std::move(function); }
  bool HasBuiltInFunction() const { return static_cast<bool>(builtIn_); }
  // Installs the equation's own built-in function. Raises EAbstractError here.
  virtual void InstallBuiltInFunction();

  // Clears the list, adds codes 101-105 and answers whether none was added.
  bool Validate(TErrorList& errors) const;

protected:
  // Storage of the variables the equations assign.
  double* s_ = nullptr;
  double* h_ = nullptr;
  double* a_ = nullptr;
  double* d_ = nullptr;
  double* x_ = nullptr;
  TBuiltInFunction builtIn_;

private:
  std::string description_;
  std::string author_;
  std::string expression_;
  std::string equationType_;
  int associatedFormula_ = 0;
  std::unique_ptr<TParser> parser_;
};

// Site index S, age A -> dominant height.
class TSiteIndexEquation : public TFormula {
  TQ_DECLARE_CLASS(TSiteIndexEquation)
public:
  double Compute(std::span<const double> values) override;
  void InstallBuiltInFunction() override;
};

// Diameter D (cm), height H (m), age A -> tree volume.
class TVolumeEquation : public TFormula {
  TQ_DECLARE_CLASS(TVolumeEquation)
public:
  double Compute(std::span<const double> values) override;
  void InstallBuiltInFunction() override;
};

// Diameter D, relative height X -> stem diameter at that height.
class TShapeFunctionEquation : public TFormula {
  TQ_DECLARE_CLASS(TShapeFunctionEquation)
public:
  double Compute(std::span<const double> values) override;
  void InstallBuiltInFunction() override;
};

// Relative height X -> integral of the squared taper from 0 to X.
class TShapeFunctionIntegral2Equation : public TFormula {
  TQ_DECLARE_CLASS(TShapeFunctionIntegral2Equation)
public:
  double Compute(std::span<const double> values) override;
  void InstallBuiltInFunction() override;
};

class TFormulaCollection : public TTypedCollection<TFormula> {
public:
  using TTypedCollection::TTypedCollection;
};
