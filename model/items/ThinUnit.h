#pragma once
// Scheduled thinnings and, after a run, what each removed and left.

#include <string>

#include "model/items/SbParameters.h"
#include "platform/classes/Classes.h"

class TErrorList;

// Kinds of thinning, as stored in ThinType.
enum class TThinType : int {
  Selective = 0,          // from below
  Systematic = 1,         // a share of the trees regardless of size
  RowsThenSelective = 2,  // one row in every CutRows rows, then from below
};

// What a thinning's remaining stand is given by, as stored in ThinMode.
enum class TThinMode : int {
  RemainingBaseArea = 0,
  RemainingTrees = 1,
};

// A stored value may be any integer; these tell the named ones.
bool IsKnownThinType(TThinType type);
bool IsKnownThinMode(TThinMode mode);

// What one cut of a thinning took: trees/ha, diameter (cm), height (m) and
// the volume removed.
struct ThinPart {
  double Trees = 0;
  double Diameter = 0;
  double Height = 0;
  double Volume = 0;
};

class TThin : public TCollectionItem {
  TQ_DECLARE_CLASS(TThin)
public:
  TThin() = default;
  ~TThin() override = default;

  // Inputs.
  int Age() const { return age_; }
  void SetAge(int value) { age_ = value; }
  // A TThinType; a file may hold any integer, which validation refuses.
  int ThinType() const { return thinType_; }
  void SetThinType(int value) { thinType_ = value; }
  TThinType Type() const { return static_cast<TThinType>(thinType_); }
  void SetType(TThinType value) { thinType_ = static_cast<int>(value); }
  const std::string& TypeName() const { return typeName_; }
  void SetTypeName(const std::string& value) { typeName_ = value; }
  // A TThinMode; a file may hold any integer, which validation refuses.
  int ThinMode() const { return thinMode_; }
  void SetThinMode(int value) { thinMode_ = value; }
  TThinMode Mode() const { return static_cast<TThinMode>(thinMode_); }
  void SetMode(TThinMode value) { thinMode_ = static_cast<int>(value); }
  double RemanescentTrees() const { return remanescentTrees_; }
  void SetRemanescentTrees(double value) { remanescentTrees_ = value; }
  double RemanescentBaseArea() const { return remanescentBaseArea_; }
  void SetRemanescentBaseArea(double value) { remanescentBaseArea_ = value; }
  int CutRows() const { return cutRows_; }
  void SetCutRows(int value) { cutRows_ = value; }

  // Results of the last run.
  double RemovedTrees() const { return removedTrees_; }
  void SetRemovedTrees(double value) { removedTrees_ = value; }
  double TreesAfterThin() const { return treesAfterThin_; }
  void SetTreesAfterThin(double value) { treesAfterThin_ = value; }
  double RemovedBaseArea() const { return removedBaseArea_; }
  void SetRemovedBaseArea(double value) { removedBaseArea_ = value; }
  double BaseAreaAfterThin() const { return baseAreaAfterThin_; }
  void SetBaseAreaAfterThin(double value) { baseAreaAfterThin_ = value; }
  double MedianDiameter() const { return medianDiameter_; }
  void SetMedianDiameter(double value) { medianDiameter_ = value; }
  double MedianHeight() const { return medianHeight_; }
  void SetMedianHeight(double value) { medianHeight_ = value; }
  double RemovedVolume() const { return removedVolume_; }
  void SetRemovedVolume(double value) { removedVolume_ = value; }
  double VolumeAfterThin() const { return volumeAfterThin_; }
  void SetVolumeAfterThin(double value) { volumeAfterThin_ = value; }

  // Unstored results read by the harvests: the selective cut (trees of the
  // stand it works on, diameter and height at the truncation point), the
  // systematic cut (trees taken, their mean diameter and height), and the
  // stand's distributions just before the thinning.
  const ThinPart& SelectivePart() const { return selective_; }
  ThinPart& SelectivePart() { return selective_; }
  const ThinPart& SystematicPart() const { return systematic_; }
  ThinPart& SystematicPart() { return systematic_; }
  const SbParameters& Sb() const { return sb_; }
  SbParameters& Sb() { return sb_; }

  // Appends codes 51-54, 56 (unknown type) and 57 (unknown mode); the list
  // is not cleared. An age must lie in [lowest, highest).
  void Validate(TErrorList& errors, int lowest, int highest) const;

private:
  int age_ = 0;
  int thinType_ = 0;
  std::string typeName_;
  int thinMode_ = 0;
  double remanescentTrees_ = 0;
  double remanescentBaseArea_ = 0;
  int cutRows_ = 0;
  double removedTrees_ = 0;
  double treesAfterThin_ = 0;
  double removedBaseArea_ = 0;
  double baseAreaAfterThin_ = 0;
  double medianDiameter_ = 0;
  double medianHeight_ = 0;
  double removedVolume_ = 0;
  double volumeAfterThin_ = 0;

  ThinPart selective_;
  ThinPart systematic_;
  SbParameters sb_;
};

class TThinCollection : public TTypedCollection<TThin> {
public:
  using TTypedCollection::TTypedCollection;

  // Ages at or above this are never handed out.
  static constexpr int kAgeSentinel = 99;

  // Restarts the age cursor at 0 and returns NextThin().
  TThin* FirstThin();
  // The thinning of smallest Age above the cursor (and below the sentinel),
  // the first in index order on ties; moves the cursor to its age. nullptr
  // when none is left, and the cursor stays.
  TThin* NextThin();
  bool HasRepeatedAges() const;

private:
  int cursor_ = 0;
};
