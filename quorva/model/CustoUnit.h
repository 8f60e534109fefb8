#pragma once
// Costs of a plan: one-off or yearly, per hectare or per cubic metre.

#include <string>

#include "platform/classes/Classes.h"

class TErrorList;

// Kind of a cost, from TipoCusto trimmed and upper-cased: "UNITARIO" (one
// value), "ANUAL" (values by year) or anything else (ignored by the cash flow).
enum class TCostType { Unitario, Anual, Other };
// TipoCusto as the programs write it.
inline constexpr const char* kTipoCustoUnitario = "Unitario";
inline constexpr const char* kTipoCustoAnual = "Anual";
// Unit of a cost, from UnidadeMedida trimmed and upper-cased: "$/HA", "$/M3"
// or anything else.
enum class TCostUnit { PorHa, PorM3, Other };

TCostType CostTypeOf(const std::string& tipoCusto);
TCostUnit CostUnitOf(const std::string& unidadeMedida);

// The value of a yearly cost in one year of the plan.
class TCustoAnual : public TCollectionItem {
  TQ_DECLARE_CLASS(TCustoAnual)
public:
  TCustoAnual() = default;

  // Year of the plan, 0 = planting year.
  int Idade() const { return idade_; }
  void SetIdade(int value) { idade_ = value; }
  double Custo() const { return custo_; }
  void SetCusto(double value) { custo_ = value; }

  // Adds code 601 for a negative year or cost; true when it added any.
  bool Validate(TErrorList& errors, const std::string& nome) const;

private:
  int idade_ = 0;
  double custo_ = 0;
};

class TCustosAnuais : public TTypedCollection<TCustoAnual> {
public:
  using TTypedCollection::TTypedCollection;
};

class TCusto : public TCollectionItem {
  TQ_DECLARE_CLASS(TCusto)
public:
  TCusto() = default;

  const std::string& Nome() const { return nome_; }
  void SetNome(const std::string& value) { nome_ = value; }
  // "$/ha" or "$/m3".
  const std::string& UnidadeMedida() const { return unidadeMedida_; }
  void SetUnidadeMedida(const std::string& value) { unidadeMedida_ = value; }
  // "Unitario" or "Anual", compared trimmed and upper-cased.
  const std::string& TipoCusto() const { return tipoCusto_; }
  void SetTipoCusto(const std::string& value) { tipoCusto_ = value; }
  // The value of a one-off cost.
  double Custo() const { return custo_; }
  void SetCusto(double value) { custo_ = value; }
  // The values of a yearly cost.
  TCustosAnuais& CustosAnuais() { return custosAnuais_; }
  const TCustosAnuais& CustosAnuais() const { return custosAnuais_; }

  TCostType Type() const { return CostTypeOf(tipoCusto_); }
  TCostUnit Unit() const { return CostUnitOf(unidadeMedida_); }

  // Appends codes 501-505, 507 and the annual entries' 601 without clearing
  // the list; zeroes Custo of a yearly cost. True when it added any entry.
  bool Validate(TErrorList& errors);

private:
  std::string nome_;
  std::string unidadeMedida_;
  std::string tipoCusto_;
  double custo_ = 0;
  TCustosAnuais custosAnuais_{this};
};

class TCustos : public TTypedCollection<TCusto> {
public:
  using TTypedCollection::TTypedCollection;
};
