#pragma once
// Plans built in code, shared by Quorva's tests. The programs that include
// this link Quorva's model and the default-data generator.

#include <string>
#include <tuple>
#include <vector>

#include "quorva/model/QuorvaUnit.h"
#include "tools/DefaultDataQuorva.h"

namespace examples {

// A production with its items (product, volume, price).
inline void AddProducao(TQuorva& plan, int idade, const std::string& origem,
                        std::vector<std::tuple<std::string, double, double>> itens) {
  TProducao& p = plan.Producoes().Add();
  p.SetIdade(idade);
  p.SetOrigem(origem);
  for (const auto& [produto, volume, preco] : itens) {
    TItemProducao& i = p.ItensProducao().Add();
    i.SetProduto(produto);
    i.SetVolume(volume);
    i.SetPreco(preco);
  }
}

// Every cost kind, a thinning and a final cut, sensitivity 6 to 14 by 4:
// CustoTotal 9400, ValorPresenteCusto 6223.678645, TIR 33.7218014 %.
inline void FillExampleA(TQuorva& plan) {
  plan.SetIdadeFinal(7);
  plan.SetTaxaAtratividade(10);
  plan.SetTemAnaliseSensibilidade(1);
  plan.SetTaxaJurosInicial(6);
  plan.SetTaxaJurosFinal(14);
  plan.SetIncrementoTaxaJuros(4);
  AddCusto(plan.Custos(), "Implantacao", "$/ha", "Unitario", 2000);
  AddCusto(plan.Custos(), "Manutencao", "$/ha", "Anual", 0,
           {{1, 300}, {2, 150}, {3, 100}, {4, 100}, {5, 100}, {6, 100}, {7, 100}});
  AddCusto(plan.Custos(), "Colheita", "$/m3", "Unitario", 15);
  AddProducao(plan, 4, "DESBASTE", {{"Lenha", 80, 30}});
  AddProducao(plan, 7, "CORTE FINAL", {{"Serraria", 150, 80}, {"Celulose", 200, 45}});
}

}  // namespace examples
