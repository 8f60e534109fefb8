#pragma once
// One year of a plan's cash flow per hectare.

#include "platform/classes/Classes.h"

class TFluxoFinanceiro : public TCollectionItem {
  TQ_DECLARE_CLASS(TFluxoFinanceiro)
public:
  TFluxoFinanceiro() = default;

  int Ano() const { return ano_; }
  void SetAno(int value) { ano_ = value; }
  double Receita() const { return receita_; }
  void SetReceita(double value) { receita_ = value; }
  double Custo() const { return custo_; }
  void SetCusto(double value) { custo_ = value; }
  double ReceitaPresente() const { return receitaPresente_; }
  void SetReceitaPresente(double value) { receitaPresente_ = value; }
  double CustoPresente() const { return custoPresente_; }
  void SetCustoPresente(double value) { custoPresente_ = value; }

  // Present values of Receita and Custo at rate (percent).
  void CalculatePresentValues(double rate);

private:
  int ano_ = 0;
  double receita_ = 0;
  double custo_ = 0;
  double receitaPresente_ = 0;
  double custoPresente_ = 0;
};

class TFluxosFinanceiros : public TTypedCollection<TFluxoFinanceiro> {
public:
  using TTypedCollection::TTypedCollection;
};
