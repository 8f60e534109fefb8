#pragma once
// Harvests: the trees taken by one part of a thinning ("DESBASTE") or the
// final cut ("CORTE FINAL"), as a table of diameter classes whose volume is
// split into log products.
//
// The data, merging and assortment live here; filling a harvest and building
// its classes from the SB distributions needs the numerics and lives with the
// growth model (THarvestBuilder).

#include <string>

#include "model/items/PrognosisUnit.h"
#include "model/items/SbParameters.h"
#include "model/items/ThinUnit.h"
#include "platform/classes/Classes.h"

class TProduct;
class TProductCollection;

class TProductVolume : public TCollectionItem {
  TQ_DECLARE_CLASS(TProductVolume)
public:
  TProductVolume() = default;

  // Index of the product in the simulation's product collection.
  int ProductIndex() const { return productIndex_; }
  void SetProductIndex(int value) { productIndex_ = value; }
  double Volume() const { return volume_; }
  void SetVolume(double value) { volume_ = value; }

  void CopyFrom(const TProductVolume& other);

private:
  int productIndex_ = 0;
  double volume_ = 0;
};

class TProductsVolume : public TTypedCollection<TProductVolume> {
public:
  using TTypedCollection::TTypedCollection;
};

class TDiameterClass : public TCollectionItem {
  TQ_DECLARE_CLASS(TDiameterClass)
public:
  TDiameterClass() = default;
  ~TDiameterClass() override = default;

  // cm
  double MinDiameter() const { return minDiameter_; }
  void SetMinDiameter(double value) { minDiameter_ = value; }
  double MaxDiameter() const { return maxDiameter_; }
  void SetMaxDiameter(double value) { maxDiameter_ = value; }
  // Trees per hectare.
  double NoTrees() const { return noTrees_; }
  void SetNoTrees(double value) { noTrees_ = value; }
  // m
  double MedianHeight() const { return medianHeight_; }
  void SetMedianHeight(double value) { medianHeight_ = value; }
  double Volume() const { return volume_; }
  void SetVolume(double value) { volume_ = value; }
  // One entry per product, in assortment order (decreasing minimum diameter).
  TProductsVolume& ProductsVolume() { return productsVolume_; }
  const TProductsVolume& ProductsVolume() const { return productsVolume_; }

  // Sets the class values and cuts the stem into the products' logs, the
  // largest minimum diameter at the butt. A log ends at or below the class
  // height.
  void AssortProducts(const TProductCollection& products, IEquation& shape, IEquation& integral, double volume,
                      double height, double trees, double width, double lower);
  // Index of the product with the largest MinDiameter strictly below bound
  // and not negative, the later one on ties; 0 when none qualifies.
  static int NextProductBelow(const TProductCollection& products, double bound);
  // Stem diameter at height h (m) by the taper equation.
  double DiameterAtHeight(double h) const;
  // Share of the stem volume between two heights, by the squared-taper integral.
  double SectionVolumeFraction(double bottom, double top) const;
  // Adds another class of the same diameters: trees, volumes and the
  // tree-weighted height.
  void AddClass(const TDiameterClass& other);
  void CopyFrom(const TDiameterClass& other);

private:
  double minDiameter_ = 0;
  double maxDiameter_ = 0;
  double noTrees_ = 0;
  double medianHeight_ = 0;
  double volume_ = 0;
  TProductsVolume productsVolume_{this};
  IEquation* shape_ = nullptr;
  IEquation* integral_ = nullptr;
};

class TDiameterClasses : public TTypedCollection<TDiameterClass> {
public:
  using TTypedCollection::TTypedCollection;

  // Diameters at or above this are never handed out.
  static constexpr double kDiameterSentinel = 999999;

  // The class of smallest MinDiameter (the first on ties); the cursor moves
  // to it. nullptr when empty.
  TDiameterClass* FirstByDiameter();
  // The class of smallest MinDiameter above the cursor (the first on ties);
  // nullptr when none is left, and the cursor stays.
  TDiameterClass* NextByDiameter();

private:
  double cursor_ = 0;
};

class TProduction : public TCollectionItem {
  TQ_DECLARE_CLASS(TProduction)
public:
  TProduction() = default;
  ~TProduction() override = default;

  int Age() const { return age_; }
  void SetAge(int value) { age_ = value; }
  // "DESBASTE" or "CORTE FINAL".
  const std::string& Origem() const { return origem_; }
  void SetOrigem(const std::string& value) { origem_ = value; }
  // Trees the class probabilities are multiplied by.
  double NoTree() const { return noTree_; }
  void SetNoTree(double value) { noTree_ = value; }
  // m; for a selective part, the truncation height.
  double MedianHeight() const { return medianHeight_; }
  void SetMedianHeight(double value) { medianHeight_ = value; }
  // cm; for a selective part, the truncation diameter.
  double MedianDiameter() const { return medianDiameter_; }
  void SetMedianDiameter(double value) { medianDiameter_ = value; }
  // Volume the class volumes are scaled to.
  double TotalVolume() const { return totalVolume_; }
  void SetTotalVolume(double value) { totalVolume_ = value; }
  TDiameterClasses& DiameterClasses() { return classes_; }
  const TDiameterClasses& DiameterClasses() const { return classes_; }
  // 1 every tree of the law (systematic part, final cut); 0 removal from
  // below (the values of TThinType).
  int ThinType() const { return thinType_; }
  void SetThinType(int value) { thinType_ = value; }
  TThinType Type() const { return static_cast<TThinType>(thinType_); }
  void SetType(TThinType value) { thinType_ = static_cast<int>(value); }

  // Unstored settings given by the run before filling.
  const TProductCollection* Products() const { return products_; }
  void SetProducts(const TProductCollection* products) { products_ = products; }
  int ClassWidth() const { return classWidth_; }
  void SetClassWidth(int width) { classWidth_ = width; }
  // Unstored: the law of the trees taken.
  const SbParameters& Sb() const { return sb_; }
  SbParameters& Sb() { return sb_; }

  // Adds a harvest of the same age into this one.
  void MergeProduction(const TProduction& other);
  // Sum over the classes of the product entry at this position.
  double ProductTotal(int position) const;

private:
  int age_ = 0;
  std::string origem_;
  double noTree_ = 0;
  double medianHeight_ = 0;
  double medianDiameter_ = 0;
  double totalVolume_ = 0;
  TDiameterClasses classes_{this};
  int thinType_ = 0;

  const TProductCollection* products_ = nullptr;
  int classWidth_ = 0;
  SbParameters sb_;
};

class TProductionCollection : public TTypedCollection<TProduction> {
public:
  using TTypedCollection::TTypedCollection;
};
