#include "quorva/model/FluxoFinanceiroUnit.h"

#include "quorva/model/FinUnit.h"

const ClassInfo& TFluxoFinanceiro::StaticClass() {
  static const auto ci =
      ClassBuilder<TFluxoFinanceiro>("TFluxoFinanceiro", &TCollectionItem::StaticClass())
          .ReadOnlyInteger("Id", &TFluxoFinanceiro::Id)
          .Integer("Ano", &TFluxoFinanceiro::Ano, &TFluxoFinanceiro::SetAno)
          .Double("Receita", &TFluxoFinanceiro::Receita, &TFluxoFinanceiro::SetReceita)
          .Double("Custo", &TFluxoFinanceiro::Custo, &TFluxoFinanceiro::SetCusto)
          .Double("ReceitaPresente", &TFluxoFinanceiro::ReceitaPresente, &TFluxoFinanceiro::SetReceitaPresente)
          .Double("CustoPresente", &TFluxoFinanceiro::CustoPresente, &TFluxoFinanceiro::SetCustoPresente)
          .Build();
  return *ci;
}

void TFluxoFinanceiro::CalculatePresentValues(double rate) {
  receitaPresente_ = PresentValue(ano_, rate, receita_);
  custoPresente_ = PresentValue(ano_, rate, custo_);
}
