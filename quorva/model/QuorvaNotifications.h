#pragma once
// What Quorva's project module tells the main window about productions and
// cost types; the window has done with each call when it returns.

class IQuorvaNotifications {
public:
  virtual ~IQuorvaNotifications() = default;
  // A production was posted.
  virtual void ProductionPosted(int id, int idade) = 0;
  // A production is about to be deleted.
  virtual void ProductionDeleted(int id, int idade) = 0;
  // The cost type changed. oneOff: 1 for a one-off cost, 0 for an annual one;
  // unitCode: 3 for "$/M3", else 2.
  virtual void CostTypeChanged(int oneOff, int unitCode) = 0;
};

// The values CostTypeChanged is told.
inline constexpr int kAnnualCost = 0;
inline constexpr int kOneOffCost = 1;
inline constexpr int kUnitCodeOther = 2;
inline constexpr int kUnitCodePerM3 = 3;
