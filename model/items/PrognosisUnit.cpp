#include "model/items/PrognosisUnit.h"

#include <array>
#include <numbers>

#include "platform/rtl/FloatChecks.h"

const ClassInfo& TPrognosis::StaticClass() {
  static const auto ci = ClassBuilder<TPrognosis>("TPrognosis", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TPrognosis::Id)
                             .Integer("Age", &TPrognosis::Age, &TPrognosis::SetAge)
                             .Double("DominantHeight", &TPrognosis::DominantHeight, &TPrognosis::SetDominantHeight)
                             .Double("NoTrees", &TPrognosis::NoTrees, &TPrognosis::SetNoTrees)
                             .Double("MedianDiameter", &TPrognosis::MedianDiameter, &TPrognosis::SetMedianDiameter)
                             .Double("MedianHeight", &TPrognosis::MedianHeight, &TPrognosis::SetMedianHeight)
                             .Double("BaseArea", &TPrognosis::BaseArea, &TPrognosis::SetBaseArea)
                             .Double("Volume", &TPrognosis::Volume, &TPrognosis::SetVolume)
                             .Double("IMA", &TPrognosis::IMA, &TPrognosis::SetIMA)
                             .Double("ICA", &TPrognosis::ICA, &TPrognosis::SetICA)
                             .Build();
  return *ci;
}

void TPrognosis::ComputeBasalArea() {
  const double d = medianDiameter_ * 0.01;
  baseArea_ = CheckResult(d * d * noTrees_ * std::numbers::pi / 4);
}

double TPrognosis::ComputeVolume(IEquation& volumeEquation) {
  const std::array<double, 3> values{medianDiameter_, medianHeight_, static_cast<double>(age_)};
  volume_ = CheckResult(volumeEquation.Compute(values) * noTrees_);
  return volume_;
}

void TPrognosis::ComputeIMA(double removedVolume) {
  ima_ = CheckedDiv(volume_ + removedVolume, static_cast<double>(age_));
}

void TPrognosis::ComputeICA(int previousAge, double previousVolume) {
  ica_ = CheckedDiv(volume_ - previousVolume, static_cast<double>(age_) - previousAge);
}
