#include "model/items/ProductUnit.h"

#include "model/items/ErrorsUnit.h"
#include "platform/rtl/SysUtils.h"

const ClassInfo& TProduct::StaticClass() {
  static const auto ci = ClassBuilder<TProduct>("TProduct", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TProduct::Id)
                             .String("Name", &TProduct::Name, &TProduct::SetName)
                             .Double("MinDiameter", &TProduct::MinDiameter, &TProduct::SetMinDiameter)
                             .Double("Size", &TProduct::Size, &TProduct::SetSize)
                             .Double("Price", &TProduct::Price, &TProduct::SetPrice)
                             .Double("PriceEvolutionRate", &TProduct::PriceEvolutionRate,
                                     &TProduct::SetPriceEvolutionRate)
                             .Build();
  return *ci;
}

namespace {

// NaN is outside every range.
bool InRange(double v, double lo, double hi) {
  return lo <= v && v <= hi;
}

}  // namespace

bool TProduct::Validate(TErrorList& errors) const {
  errors.Clear();
  if (Trim(name_).empty()) errors.Add(201, "Falta informar o Nome do Produto");
  if (!InRange(minDiameter_, 0, 1000)) errors.Add(202, "Diâmetro mínimo: " + FloatToStr(minDiameter_) + " inválido");
  if (!InRange(size_, 0, 100)) errors.Add(203, "Comprimento: " + FloatToStr(size_) + " inválido");
  if ((minDiameter_ == 0) != (size_ == 0)) errors.Add(204, "Não é possivel ter somente uma das medidas igual a zero");
  return errors.Count() == 0;
}
