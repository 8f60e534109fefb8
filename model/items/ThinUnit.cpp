#include "model/items/ThinUnit.h"

#include "model/items/ErrorsUnit.h"
#include "platform/rtl/SysUtils.h"

const ClassInfo& TThin::StaticClass() {
  static const auto ci = ClassBuilder<TThin>("TThin", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TThin::Id)
                             .Integer("Age", &TThin::Age, &TThin::SetAge)
                             .Integer("ThinType", &TThin::ThinType, &TThin::SetThinType)
                             .String("TypeName", &TThin::TypeName, &TThin::SetTypeName)
                             .Integer("ThinMode", &TThin::ThinMode, &TThin::SetThinMode)
                             .Double("RemanescentTrees", &TThin::RemanescentTrees, &TThin::SetRemanescentTrees)
                             .Double("RemanescentBaseArea", &TThin::RemanescentBaseArea, &TThin::SetRemanescentBaseArea)
                             .Integer("CutRows", &TThin::CutRows, &TThin::SetCutRows)
                             .Double("RemovedTrees", &TThin::RemovedTrees, &TThin::SetRemovedTrees)
                             .Double("TreesAfterThin", &TThin::TreesAfterThin, &TThin::SetTreesAfterThin)
                             .Double("RemovedBaseArea", &TThin::RemovedBaseArea, &TThin::SetRemovedBaseArea)
                             .Double("BaseAreaAfterThin", &TThin::BaseAreaAfterThin, &TThin::SetBaseAreaAfterThin)
                             .Double("MedianDiameter", &TThin::MedianDiameter, &TThin::SetMedianDiameter)
                             .Double("MedianHeight", &TThin::MedianHeight, &TThin::SetMedianHeight)
                             .Double("RemovedVolume", &TThin::RemovedVolume, &TThin::SetRemovedVolume)
                             .Double("VolumeAfterThin", &TThin::VolumeAfterThin, &TThin::SetVolumeAfterThin)
                             .Build();
  return *ci;
}

namespace {

// NaN is outside every range.
bool InRange(double v, double lo, double hi) {
  return lo <= v && v <= hi;
}

}  // namespace

bool IsKnownThinType(TThinType type) {
  switch (type) {
    case TThinType::Selective:
    case TThinType::Systematic:
    case TThinType::RowsThenSelective:
      return true;
  }
  return false;
}

bool IsKnownThinMode(TThinMode mode) {
  switch (mode) {
    case TThinMode::RemainingBaseArea:
    case TThinMode::RemainingTrees:
      return true;
  }
  return false;
}

void TThin::Validate(TErrorList& errors, int lowest, int highest) const {
  const std::string head = "Desbaste na idade " + IntToStr(age_) + ": ";
  if (age_ < lowest || age_ >= highest) errors.Add(51, head + "Idade Inválida!");
  if (Type() == TThinType::RowsThenSelective && (cutRows_ < 1 || cutRows_ > 30))
    errors.Add(52, head + "A linha a ser desbasta " + IntToStr(cutRows_) + " é inválida!");
  if (Mode() == TThinMode::RemainingBaseArea && !InRange(remanescentBaseArea_, 1, 100))
    errors.Add(53, head + "Área Basal " + FloatToStr(remanescentBaseArea_) + " é inválida!");
  if (Mode() == TThinMode::RemainingTrees && !InRange(remanescentTrees_, 1, 5000))
    errors.Add(54, head + "Número de árvores " + FloatToStr(remanescentTrees_) + "é inválido!");
  if (!IsKnownThinType(Type())) errors.Add(56, head + "Tipo de desbaste " + IntToStr(thinType_) + " é inválido!");
  if (!IsKnownThinMode(Mode())) errors.Add(57, head + "Modo de desbaste " + IntToStr(thinMode_) + " é inválido!");
}

TThin* TThinCollection::FirstThin() {
  cursor_ = 0;
  return NextThin();
}

TThin* TThinCollection::NextThin() {
  int best = kAgeSentinel;
  TThin* candidate = nullptr;
  for (TThin& thin : *this) {
    if (thin.Age() > cursor_ && thin.Age() < best) {
      best = thin.Age();
      candidate = &thin;
    }
  }
  if (candidate) cursor_ = best;
  return candidate;
}

bool TThinCollection::HasRepeatedAges() const {
  for (int i = 1; i < Count(); ++i)
    for (int j = 0; j < i; ++j)
      if (GetItem(i).Age() == GetItem(j).Age()) return true;
  return false;
}
