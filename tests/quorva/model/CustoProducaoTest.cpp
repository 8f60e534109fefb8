#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "model/items/ErrorsUnit.h"
#include "model/items/ProductUnit.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/CustoUnit.h"
#include "quorva/model/ProducaoUnit.h"
#include "tests/support/TestSupport.h"

namespace {

class Items : public ::testing::Test {
protected:
  TCusto& Custo(const std::string& nome, const std::string& unidade, const std::string& tipo, double valor) {
    TCusto& c = custos_.Add();
    c.SetNome(nome);
    c.SetUnidadeMedida(unidade);
    c.SetTipoCusto(tipo);
    c.SetCusto(valor);
    return c;
  }
  static void Anual(TCusto& c, int idade, double valor) {
    TCustoAnual& a = c.CustosAnuais().Add();
    a.SetIdade(idade);
    a.SetCusto(valor);
  }
  static TItemProducao& Item(TProducao& p, const std::string& produto, double volume, double preco) {
    TItemProducao& item = p.ItensProducao().Add();
    item.SetProduto(produto);
    item.SetVolume(volume);
    item.SetPreco(preco);
    return item;
  }

  TCustos custos_;
  TProducoes producoes_;
  TErrorList errors_;
};

}  // namespace

TEST(ItemClasses, PublishTheFileFieldsInOrder) {
  EXPECT_EQ(PropertyNames(TCusto::StaticClass()),
            (std::vector<std::string>{"Id", "Nome", "UnidadeMedida", "TipoCusto", "Custo", "CustosAnuais"}));
  EXPECT_EQ(PropertyNames(TCustoAnual::StaticClass()), (std::vector<std::string>{"Id", "Idade", "Custo"}));
  EXPECT_EQ(PropertyNames(TProducao::StaticClass()),
            (std::vector<std::string>{"Id", "Idade", "Origem", "ItensProducao"}));
  EXPECT_EQ(PropertyNames(TItemProducao::StaticClass()),
            (std::vector<std::string>{"Id", "Produto", "Volume", "Preco"}));
  EXPECT_TRUE(TCusto::StaticClass().Find("id")->IsReadOnly());
  EXPECT_EQ(TCusto::StaticClass().Find("custosanuais")->itemClass, &TCustoAnual::StaticClass());
  EXPECT_EQ(TProducao::StaticClass().Find("ItensProducao")->itemClass, &TItemProducao::StaticClass());

  TCustos custos;
  TCusto& c = custos.Add();
  TCollection& entries = GetCollectionProp(c, "CustosAnuais");
  EXPECT_EQ(&entries, &c.CustosAnuais());
  EXPECT_EQ(entries.Owner(), &c);
}

TEST_F(Items, CostChecksAppendWithoutClearing) {
  errors_.Add(1, "antes");
  EXPECT_TRUE(Custo("Adubo", "$/ha", " unitario ", -2.5).Validate(errors_));
  EXPECT_TRUE(Custo(" ", "$/HA", "xyz", 0).Validate(errors_));
  EXPECT_FALSE(Custo("Frete", "$/m3", "UNITARIO", 0).Validate(errors_));
  EXPECT_TRUE(Custo("Frete", " $/m3", "Unitario", 1).Validate(errors_));  // the unit is not trimmed
  EXPECT_TRUE(Custo("X", "$/ha", "Unitario", std::numeric_limits<double>::quiet_NaN()).Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{1, "antes"},
                                         {504, "Custo: -2,5 inválido"},
                                         {505, "O Custo Unitário deve ser informado "},
                                         {501, "Falta informar a Descrição do Custo"},
                                         {502, "Unidade de Medida: $/HA inválida"},
                                         {503, "Tipo de Custo: xyz inválido"},
                                         {502, "Unidade de Medida:  $/m3 inválida"},
                                         {504, "Custo: NAN inválido"},
                                         {505, "O Custo Unitário deve ser informado "}}));
}

TEST_F(Items, AnnualCostLosesItsUnitValueAndChecksItsEntries) {
  TCusto& capina = Custo("Capina", "$/ha", "Anual", 5);
  Anual(capina, 1, 100);
  EXPECT_FALSE(capina.Validate(errors_));
  EXPECT_EQ(capina.Custo(), 0);
  TCusto& negativo = Custo("Capina", "$/ha", "ANUAL", -3);  // kept, not reported
  EXPECT_FALSE(negativo.Validate(errors_));
  EXPECT_EQ(negativo.Custo(), -3);
  EXPECT_EQ(errors_.Count(), 0);

  TCusto& adubo = Custo("Adubo", "$/ha", "Anual", 0);
  Anual(adubo, 3, 10);
  Anual(adubo, 3, 20);
  Anual(adubo, -1, -5);
  Anual(adubo, 3, 5);
  EXPECT_TRUE(adubo.Validate(errors_));
  const std::string repeated = "Existem mais de um custo anual no ano: 3!";
  EXPECT_EQ(EntriesOf(errors_), (Entries{{507, repeated},
                                         {601, "Idade do Custo Anual de Adubo: -1 inválida"},
                                         {601, "Custo Anual de Adubo: -5 inválido"},
                                         {507, repeated},
                                         {507, repeated}}));
  // An entry answers whether it added anything.
  EXPECT_FALSE(adubo.CustosAnuais()[0].Validate(errors_, "Adubo"));
  EXPECT_TRUE(adubo.CustosAnuais()[2].Validate(errors_, "Adubo"));
}

TEST_F(Items, HarvestSumsAndPriceEvolution) {
  TProducao& p = producoes_.Add();
  EXPECT_EQ(p.SumRevenue(), 0);
  Item(p, "Serraria", 150, 80);
  TItemProducao& celulose = Item(p, "Celulose", 200, 45);
  EXPECT_DOUBLE_EQ(p.SumRevenue(), 150 * 80 + 200 * 45);
  EXPECT_DOUBLE_EQ(p.SumVolume(), 350);

  celulose.ApplyPriceEvolution(10, 40, 3);
  EXPECT_NEAR(celulose.Preco(), 53.756655, 1e-6);
  EXPECT_NEAR(celulose.Preco(), 40 * std::pow(1.03L, 10), 1e-12 * 54);
  celulose.ApplyPriceEvolution(7, 50, 2);
  EXPECT_NEAR(celulose.Preco(), 57.434283, 1e-6);
  celulose.ApplyPriceEvolution(0, 50, 2);
  EXPECT_EQ(celulose.Preco(), 50);
}

TEST_F(Items, HarvestChecksAnswerForTheWholeList) {
  TProducao& p = producoes_.Add();
  p.SetIdade(400);
  Item(p, "  ", 1000, 999);
  TItemProducao& lenha = Item(p, "Lenha", 999.99, 998.99);
  Item(p, "Lenha", 0, 0);
  EXPECT_FALSE(p.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{601, "Idade : 400 inválida"},
                                         {603, "Informe o Nome do Produto  "},
                                         {604, "Volume : 1000 inválido"},
                                         {605, "Preço : 999 inválido"},
                                         {604, "Volume : 0 inválido"},
                                         {605, "Preço : 0 inválido"}}));
  EXPECT_FALSE(lenha.Validate(errors_));  // valid item, but the list is not empty
  errors_.Clear();
  EXPECT_TRUE(lenha.Validate(errors_));
  lenha.SetVolume(std::numeric_limits<double>::quiet_NaN());
  p.SetIdade(0);
  p.ItensProducao().Delete(2);
  p.ItensProducao().Delete(0);
  EXPECT_FALSE(p.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{601, "Idade : 0 inválida"}, {604, "Volume : NAN inválido"}}));
}

TEST(ProducoesCursor, VisitsAgesInIncreasingOrderOnceBelowTheSentinel) {
  TProducoes producoes;
  EXPECT_EQ(producoes.FirstByAge(), nullptr);
  for (int age : {7, 0, 4, 7, 1000, 999, 998}) producoes.Add().SetIdade(age);
  std::vector<std::pair<int, int>> visited;  // (age, index)
  for (TProducao* p = producoes.FirstByAge(); p; p = producoes.NextByAge())
    visited.emplace_back(p->Idade(), p->Index());
  EXPECT_EQ(visited, (std::vector<std::pair<int, int>>{{4, 2}, {7, 0}, {998, 6}}));
  EXPECT_EQ(producoes.NextByAge(), nullptr);
  EXPECT_EQ(producoes.FirstByAge()->Index(), 2);  // starts again
}

TEST_F(Items, QuorvaProductCheckHasItsOwnCodes) {
  TProductCollection products;
  TProduct& product = products.Add();
  product.SetMinDiameter(-1);
  product.SetSize(-2);
  product.SetPrice(-3.5);
  errors_.Add(7, "cleared first");
  EXPECT_FALSE(quorva::ValidateProduct(product, errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{201, "Falta informar o Nome do Produto"},
                                         {202, "Diâmetro mínimo: -1 inválido"},
                                         {203, "Comprimento: -2 inválido"},
                                         {204, "Comprimento negativo"},
                                         {205, "Preço: -R$ 3,50 inválido"}}));

  // No rule about a single zero measure; the bounds are inclusive.
  product.SetName("Lenha");
  product.SetMinDiameter(8);
  product.SetSize(0);
  product.SetPrice(0);
  EXPECT_TRUE(quorva::ValidateProduct(product, errors_));
  product.SetMinDiameter(1000);
  product.SetSize(100);
  EXPECT_TRUE(quorva::ValidateProduct(product, errors_));
  product.SetMinDiameter(1001);
  product.SetSize(101);
  product.SetPrice(-1234.5);
  EXPECT_FALSE(quorva::ValidateProduct(product, errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{202, "Diâmetro mínimo: 1001 inválido"},
                                         {203, "Comprimento: 101 inválido"},
                                         {205, "Preço: -R$ 1.234,50 inválido"}}));
}
