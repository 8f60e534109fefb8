#pragma once
// Log products: a named assortment class with minimum diameter, length and price.

#include <string>

#include "platform/classes/Classes.h"

class TErrorList;

class TProduct : public TCollectionItem {
  TQ_DECLARE_CLASS(TProduct)
public:
  TProduct() = default;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }
  // cm
  double MinDiameter() const { return minDiameter_; }
  void SetMinDiameter(double value) { minDiameter_ = value; }
  // Log length, m.
  double Size() const { return size_; }
  void SetSize(double value) { size_ = value; }
  double Price() const { return price_; }
  void SetPrice(double value) { price_ = value; }
  // Percent per year.
  double PriceEvolutionRate() const { return priceEvolutionRate_; }
  void SetPriceEvolutionRate(double value) { priceEvolutionRate_ = value; }

  // Clears the list, adds codes 201-204 and answers whether none was added.
  bool Validate(TErrorList& errors) const;

private:
  std::string name_;
  double minDiameter_ = 0;
  double size_ = 0;
  double price_ = 0;
  double priceEvolutionRate_ = 0;
};

class TProductCollection : public TTypedCollection<TProduct> {
public:
  using TTypedCollection::TTypedCollection;
};
