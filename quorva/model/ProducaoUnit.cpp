#include "quorva/model/ProducaoUnit.h"

#include <cmath>

#include "model/items/ErrorsUnit.h"
#include "model/items/ProductUnit.h"
#include "platform/rtl/FloatChecks.h"
#include "platform/rtl/SysUtils.h"

const ClassInfo& TItemProducao::StaticClass() {
  static const auto ci = ClassBuilder<TItemProducao>("TItemProducao", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TItemProducao::Id)
                             .String("Produto", &TItemProducao::Produto, &TItemProducao::SetProduto)
                             .Double("Volume", &TItemProducao::Volume, &TItemProducao::SetVolume)
                             .Double("Preco", &TItemProducao::Preco, &TItemProducao::SetPreco)
                             .Build();
  return *ci;
}

const ClassInfo& TProducao::StaticClass() {
  using CollectionGetter = TItensProducao& (TProducao::*)();
  static const auto ci = ClassBuilder<TProducao>("TProducao", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TProducao::Id)
                             .Integer("Idade", &TProducao::Idade, &TProducao::SetIdade)
                             .String("Origem", &TProducao::Origem, &TProducao::SetOrigem)
                             .Collection("ItensProducao", static_cast<CollectionGetter>(&TProducao::ItensProducao),
                                         TItemProducao::StaticClass())
                             .Build();
  return *ci;
}

namespace {

// Open interval; NaN is outside.
bool Inside(double v, double lo, double hi) {
  return lo < v && v < hi;
}

}  // namespace

void TItemProducao::ApplyPriceEvolution(int age, double price, double rate) {
  preco_ = CheckResult(price * std::pow(1.0 + rate / 100.0, age));
}

bool TItemProducao::Validate(TErrorList& errors) const {
  const std::string nome = Trim(produto_);
  if (nome.empty()) errors.Add(603, "Informe o Nome do Produto " + nome + " ");
  if (!Inside(volume_, 0, 1000)) errors.Add(604, "Volume : " + FloatToStr(volume_) + " inválido");
  if (!Inside(preco_, 0, 999)) errors.Add(605, "Preço : " + FloatToStr(preco_) + " inválido");
  return errors.Count() == 0;
}

double TProducao::SumRevenue() const {
  double sum = 0;
  for (const TItemProducao& item : itens_) sum += item.Volume() * item.Preco();
  return sum;
}

double TProducao::SumVolume() const {
  double sum = 0;
  for (const TItemProducao& item : itens_) sum += item.Volume();
  return sum;
}

bool TProducao::Validate(TErrorList& errors) const {
  if (idade_ <= 0 || idade_ >= 400) errors.Add(601, "Idade : " + IntToStr(idade_) + " inválida");
  for (const TItemProducao& item : itens_) item.Validate(errors);
  return errors.Count() == 0;
}

TProducao* TProducoes::FirstByAge() {
  cursor_ = 0;
  return NextByAge();
}

TProducao* TProducoes::NextByAge() {
  TProducao* found = nullptr;
  for (TProducao& p : *this) {
    if (p.Idade() > cursor_ && p.Idade() < kProducaoAgeSentinel && (!found || p.Idade() < found->Idade())) found = &p;
  }
  if (found) cursor_ = found->Idade();
  return found;
}

namespace quorva {

bool ValidateProduct(const TProduct& product, TErrorList& errors) {
  errors.Clear();
  if (Trim(product.Name()).empty()) errors.Add(201, "Falta informar o Nome do Produto");
  const double diameter = product.MinDiameter();
  if (!(0 <= diameter && diameter <= 1000)) errors.Add(202, "Diâmetro mínimo: " + FloatToStr(diameter) + " inválido");
  const double size = product.Size();
  if (!(0 <= size && size <= 100)) errors.Add(203, "Comprimento: " + FloatToStr(size) + " inválido");
  if (size < 0) errors.Add(204, "Comprimento negativo");
  if (!(product.Price() >= 0)) errors.Add(205, "Preço: " + FormatCurrency(product.Price()) + " inválido");
  return errors.Count() == 0;
}

}  // namespace quorva
