#include "quorva/model/CustoUnit.h"

#include <cmath>

#include "model/items/ErrorsUnit.h"
#include "platform/rtl/SysUtils.h"

const ClassInfo& TCustoAnual::StaticClass() {
  static const auto ci = ClassBuilder<TCustoAnual>("TCustoAnual", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TCustoAnual::Id)
                             .Integer("Idade", &TCustoAnual::Idade, &TCustoAnual::SetIdade)
                             .Double("Custo", &TCustoAnual::Custo, &TCustoAnual::SetCusto)
                             .Build();
  return *ci;
}

const ClassInfo& TCusto::StaticClass() {
  using CollectionGetter = TCustosAnuais& (TCusto::*)();
  static const auto ci = ClassBuilder<TCusto>("TCusto", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TCusto::Id)
                             .String("Nome", &TCusto::Nome, &TCusto::SetNome)
                             .String("UnidadeMedida", &TCusto::UnidadeMedida, &TCusto::SetUnidadeMedida)
                             .String("TipoCusto", &TCusto::TipoCusto, &TCusto::SetTipoCusto)
                             .Double("Custo", &TCusto::Custo, &TCusto::SetCusto)
                             .Collection("CustosAnuais", static_cast<CollectionGetter>(&TCusto::CustosAnuais),
                                         TCustoAnual::StaticClass())
                             .Build();
  return *ci;
}

bool TCustoAnual::Validate(TErrorList& errors, const std::string& nome) const {
  const int before = errors.Count();
  if (idade_ < 0) errors.Add(601, "Idade do Custo Anual de " + nome + ": " + IntToStr(idade_) + " inválida");
  if (!(custo_ >= 0)) errors.Add(601, "Custo Anual de " + nome + ": " + FloatToStr(custo_) + " inválido");
  return errors.Count() > before;
}

TCostType CostTypeOf(const std::string& tipoCusto) {
  const std::string tipo = UpperCase(Trim(tipoCusto));
  if (tipo == "UNITARIO") return TCostType::Unitario;
  if (tipo == "ANUAL") return TCostType::Anual;
  return TCostType::Other;
}

TCostUnit CostUnitOf(const std::string& unidadeMedida) {
  const std::string unidade = UpperCase(Trim(unidadeMedida));
  if (unidade == "$/HA") return TCostUnit::PorHa;
  if (unidade == "$/M3") return TCostUnit::PorM3;
  return TCostUnit::Other;
}

bool TCusto::Validate(TErrorList& errors) {
  const int before = errors.Count();
  const TCostType tipo = Type();
  if (Trim(nome_).empty()) errors.Add(501, "Falta informar a Descrição do Custo");
  // The unit is checked as stored: exact and case-sensitive.
  if (unidadeMedida_ != "$/m3" && unidadeMedida_ != "$/ha")
    errors.Add(502, "Unidade de Medida: " + unidadeMedida_ + " inválida");
  if (tipo == TCostType::Other) errors.Add(503, "Tipo de Custo: " + tipoCusto_ + " inválido");
  if (tipo == TCostType::Unitario && !(custo_ >= 0)) {
    errors.Add(504, "Custo: " + FloatToStr(custo_) + " inválido");
    errors.Add(505, "O Custo Unitário deve ser informado ");
  }
  // A yearly cost keeps its values only in CustosAnuais.
  if (tipo == TCostType::Anual && (custo_ > 0 || std::isnan(custo_))) custo_ = 0;
  for (int i = 0; i < custosAnuais_.Count(); ++i) {
    const TCustoAnual& entry = custosAnuais_[i];
    entry.Validate(errors, nome_);
    for (int j = i - 1; j >= 0; --j) {
      if (custosAnuais_[j].Idade() == entry.Idade())
        errors.Add(507, "Existem mais de um custo anual no ano: " + IntToStr(entry.Idade()) + "!");
    }
  }
  return errors.Count() > before;
}
