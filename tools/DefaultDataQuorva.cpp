#include "tools/DefaultDataQuorva.h"

#include <initializer_list>
#include <utility>

#include "storage/PersistUnit.h"

namespace {

constexpr const char* kHa = "$/ha";
constexpr const char* kM3 = "$/m3";

void AddItem(TProducao& producao, const char* produto, double volume, double preco) {
  TItemProducao& item = producao.ItensProducao().Add();
  item.SetProduto(produto);
  item.SetVolume(volume);
  item.SetPreco(preco);
}

}  // namespace

TCusto& AddCusto(TCustos& custos, const std::string& nome, const std::string& unidade, const std::string& tipo,
                 double custo, const std::vector<std::pair<int, double>>& anuais) {
  TCusto& c = custos.Add();
  c.SetNome(nome);
  c.SetUnidadeMedida(unidade);
  c.SetTipoCusto(tipo);
  c.SetCusto(custo);
  for (const auto& [idade, valor] : anuais) {
    TCustoAnual& a = c.CustosAnuais().Add();
    a.SetIdade(idade);
    a.SetCusto(valor);
  }
  return c;
}

void FillDefaultCosts(TCustoPersist& root) {
  root.SetFilename(kCostsFileName);
  TCustos& custos = root.Custos();
  custos.Clear();
  custos.RestartIds();
  AddCusto(custos, "Preparo Solo", kHa, kTipoCustoUnitario, 850);
  AddCusto(custos, "Mudas", kHa, kTipoCustoUnitario, 620);
  AddCusto(custos, "Plantio", kHa, kTipoCustoUnitario, 480);
  AddCusto(custos, "Adubação", kHa, kTipoCustoUnitario, 560);
  AddCusto(custos, "Formicida", kHa, kTipoCustoAnual, 0, {{1, 60}, {2, 40}, {3, 30}});
  AddCusto(custos, "Manutenção", kHa, kTipoCustoAnual, 0, {{1, 350}, {2, 220}, {3, 120}, {4, 120}, {5, 120}});
  AddCusto(custos, "Arrendamento", kHa, kTipoCustoAnual, 0, {{1, 180}, {2, 180}, {3, 180}, {4, 180}, {5, 180}});
  AddCusto(custos, "Vigilância", kHa, kTipoCustoAnual, 0, {{1, 45}, {2, 45}, {3, 45}, {4, 45}, {5, 45}});
  AddCusto(custos, "Colheita", kM3, kTipoCustoUnitario, 18);
  AddCusto(custos, "Transporte", kM3, kTipoCustoUnitario, 12);
}

void FillDefaultPlan(TQuorvaPersist& root) {
  root.SetFilename(kPlanTemplateName);
  TQuorvas& plans = root.Quorvas();
  plans.Clear();
  plans.RestartIds();
  TQuorva& plan = plans.Add();
  plan.SetDescricao("Plano de exemplo");
  plan.SetIdadeFinal(7);
  plan.SetTaxaAtratividade(10);
  plan.SetTemAnaliseSensibilidade(1);
  plan.SetTaxaJurosInicial(6);
  plan.SetTaxaJurosFinal(14);
  plan.SetIncrementoTaxaJuros(2);
  plan.SetIndiceSitio(28);

  TCustos& custos = plan.Custos();
  AddCusto(custos, "Implantação", kHa, kTipoCustoUnitario, 2500);
  AddCusto(custos, "Manutenção", kHa, kTipoCustoAnual, 0,
           {{1, 350}, {2, 220}, {3, 120}, {4, 120}, {5, 120}, {6, 120}, {7, 120}});
  AddCusto(custos, "Colheita", kM3, kTipoCustoUnitario, 18);

  TProducao& desbaste = plan.Producoes().Add();
  desbaste.SetIdade(4);
  desbaste.SetOrigem("DESBASTE");
  AddItem(desbaste, "Energia", 60, 30);
  TProducao& corte = plan.Producoes().Add();
  corte.SetIdade(7);
  corte.SetOrigem("CORTE FINAL");
  AddItem(corte, "Serraria", 70, 100);
  AddItem(corte, "Celulose", 180, 50);
}

void AppendQuorvaDefaultFiles(std::vector<TDefaultFile>& files) {
  files.push_back({kCostsFileName, [](const std::string& path) {
                     TCustoPersist root;
                     FillDefaultCosts(root);
                     SaveComponent(path, root);
                   }});
  files.push_back({kPlanTemplateName, [](const std::string& path) {
                     TQuorvaPersist root;
                     FillDefaultPlan(root);
                     SaveComponent(path, root);
                   }});
}
