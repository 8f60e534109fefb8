#include "model/items/ProductionUnit.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/items/ProductUnit.h"
#include "platform/rtl/FloatChecks.h"

const ClassInfo& TProductVolume::StaticClass() {
  static const auto ci = ClassBuilder<TProductVolume>("TProductVolume", &TCollectionItem::StaticClass())
                             .Integer("ProductIndex", &TProductVolume::ProductIndex, &TProductVolume::SetProductIndex)
                             .Double("Volume", &TProductVolume::Volume, &TProductVolume::SetVolume)
                             .Build();
  return *ci;
}

const ClassInfo& TDiameterClass::StaticClass() {
  using C = TDiameterClass;
  static const auto ci = ClassBuilder<C>("TDiameterClass", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &C::Id)
                             .Double("MinDiameter", &C::MinDiameter, &C::SetMinDiameter)
                             .Double("MaxDiameter", &C::MaxDiameter, &C::SetMaxDiameter)
                             .Double("NoTrees", &C::NoTrees, &C::SetNoTrees)
                             .Double("MedianHeight", &C::MedianHeight, &C::SetMedianHeight)
                             .Double("Volume", &C::Volume, &C::SetVolume)
                             .Collection("ProductsVolume", static_cast<TProductsVolume& (C::*)()>(&C::ProductsVolume),
                                         TProductVolume::StaticClass())
                             .Build();
  return *ci;
}

const ClassInfo& TProduction::StaticClass() {
  using P = TProduction;
  static const auto ci = ClassBuilder<P>("TProduction", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &P::Id)
                             .Integer("Age", &P::Age, &P::SetAge)
                             .String("Origem", &P::Origem, &P::SetOrigem)
                             .Double("NoTree", &P::NoTree, &P::SetNoTree)
                             .Double("MedianHeight", &P::MedianHeight, &P::SetMedianHeight)
                             .Double("MedianDiameter", &P::MedianDiameter, &P::SetMedianDiameter)
                             .Double("TotalVolume", &P::TotalVolume, &P::SetTotalVolume)
                             .Collection("DiameterClasses",
                                         static_cast<TDiameterClasses& (P::*)()>(&P::DiameterClasses),
                                         TDiameterClass::StaticClass())
                             .Integer("ThinType", &P::ThinType, &P::SetThinType)
                             .Build();
  return *ci;
}

// ---- product volumes ----

void TProductVolume::CopyFrom(const TProductVolume& other) {
  productIndex_ = other.productIndex_;
  volume_ = other.volume_;
}

// ---- diameter classes ----

void TDiameterClass::AssortProducts(const TProductCollection& products, IEquation& shape, IEquation& integral,
                                    double volume, double height, double trees, double width, double lower) {
  minDiameter_ = lower;
  maxDiameter_ = lower + width;
  noTrees_ = trees;
  medianHeight_ = height;
  volume_ = std::fabs(volume);
  shape_ = &shape;
  integral_ = &integral;

  double s = 0;
  double bound = 1e100;
  for (int n = 0; n < products.Count(); ++n) {
    const int k = NextProductBelow(products, bound);
    const TProduct& product = products.GetItem(k);
    const double m = product.MinDiameter();
    const double length = product.Size();
    bound = m;
    double top = medianHeight_;
    if (m != 0 && length != 0) {
      // Whole logs while the diameter at the log's top stays above the
      // minimum; the next log must end above s and at or below the tree top.
      int j = 0;
      for (;;) {
        const double next = s + (j + 1) * length;
        if (!(next > s) || next > medianHeight_) break;
        if (!(DiameterAtHeight(next) > m)) break;
        ++j;
      }
      top = s + j * length;
    }
    TProductVolume& entry = productsVolume_.Add();
    entry.SetProductIndex(k);
    entry.SetVolume(CheckResult(SectionVolumeFraction(s, top) * volume_));
    s = top;
  }
}

int TDiameterClass::NextProductBelow(const TProductCollection& products, double bound) {
  int index = 0;
  bool found = false;
  double best = 0;
  for (int i = 0; i < products.Count(); ++i) {
    const double m = products.GetItem(i).MinDiameter();
    if (m < bound && m >= 0 && (!found || m >= best)) {
      found = true;
      best = m;
      index = i;
    }
  }
  return index;
}

double TDiameterClass::DiameterAtHeight(double h) const {
  const std::array<double, 2> values{(minDiameter_ + maxDiameter_) / 2, 1 - CheckedDiv(h, medianHeight_)};
  return CheckResult(shape_->Compute(values));
}

double TDiameterClass::SectionVolumeFraction(double bottom, double top) const {
  const std::array<double, 1> lowX{1 - CheckedDiv(bottom, medianHeight_)};
  const std::array<double, 1> highX{1 - CheckedDiv(top, medianHeight_)};
  const std::array<double, 1> whole{1.0};
  const double lowI = integral_->Compute(lowX);
  const double highI = integral_->Compute(highX);
  return CheckedDiv(CheckResult(lowI - highI), CheckResult(integral_->Compute(whole)));
}

void TDiameterClass::AddClass(const TDiameterClass& other) {
  const double t1 = noTrees_;
  const double t2 = other.noTrees_;
  medianHeight_ = CheckedDiv(t1 * medianHeight_ + t2 * other.medianHeight_, t1 + t2);
  noTrees_ = t1 + t2;
  volume_ += other.volume_;
  const int n = std::min(productsVolume_.Count(), other.productsVolume_.Count());
  for (int k = 0; k < n; ++k) {
    TProductVolume& mine = productsVolume_.GetItem(k);
    mine.SetVolume(mine.Volume() + other.productsVolume_.GetItem(k).Volume());
  }
}

void TDiameterClass::CopyFrom(const TDiameterClass& other) {
  minDiameter_ = other.minDiameter_;
  maxDiameter_ = other.maxDiameter_;
  noTrees_ = other.noTrees_;
  medianHeight_ = other.medianHeight_;
  volume_ = other.volume_;
  shape_ = other.shape_;
  integral_ = other.integral_;
  for (const TProductVolume& v : other.productsVolume_) productsVolume_.Add().CopyFrom(v);
}

TDiameterClass* TDiameterClasses::FirstByDiameter() {
  TDiameterClass* first = nullptr;
  for (TDiameterClass& c : *this)
    if (!first || c.MinDiameter() < first->MinDiameter()) first = &c;
  if (first) cursor_ = first->MinDiameter();
  return first;
}

TDiameterClass* TDiameterClasses::NextByDiameter() {
  double best = kDiameterSentinel;
  TDiameterClass* next = nullptr;
  for (TDiameterClass& c : *this) {
    if (c.MinDiameter() > cursor_ && c.MinDiameter() < best) {
      best = c.MinDiameter();
      next = &c;
    }
  }
  if (next) cursor_ = best;
  return next;
}

// ---- harvests ----

void TProduction::MergeProduction(const TProduction& other) {
  const TDiameterClasses& theirs = other.classes_;
  int i = 0;
  int j = 0;
  while (j < theirs.Count()) {
    if (i >= classes_.Count()) {
      for (; j < theirs.Count(); ++j) classes_.Add().CopyFrom(theirs.GetItem(j));
      break;
    }
    TDiameterClass& mine = classes_.GetItem(i);
    const TDiameterClass& their = theirs.GetItem(j);
    if (mine.MinDiameter() == their.MinDiameter()) {
      mine.AddClass(their);
      ++i;
      ++j;
    } else if (mine.MinDiameter() > their.MinDiameter()) {
      classes_.Add().CopyFrom(their);
      ++j;
    } else {
      ++i;
    }
  }
  totalVolume_ += other.totalVolume_;
}

double TProduction::ProductTotal(int position) const {
  double total = 0;
  for (const TDiameterClass& c : classes_) total += c.ProductsVolume().GetItem(position).Volume();
  return total;
}
