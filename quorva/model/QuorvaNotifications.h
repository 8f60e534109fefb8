#pragma once
// What Quorva's project module tells the main window about productions and
// cost types, as synchronous calls in place of window messages.

class IQuorvaNotifications {
public:
  // The window messages the calls stand for.
  static constexpr int WM_ITEMPOSTED = 2024;
  static constexpr int WM_ITEMDELETED = 2025;
  static constexpr int WM_COSTTYPECHANGED = 2026;

  virtual ~IQuorvaNotifications() = default;
  // WM_ITEMPOSTED: a production was posted.
  virtual void ProductionPosted(int id, int idade) = 0;
  // WM_ITEMDELETED: a production is about to be deleted.
  virtual void ProductionDeleted(int id, int idade) = 0;
  // WM_COSTTYPECHANGED. oneOff: 1 for a one-off cost, 0 for an annual one;
  // unitCode: 3 for "$/M3", else 2.
  virtual void CostTypeChanged(int oneOff, int unitCode) = 0;
};

// The values CostTypeChanged is told.
inline constexpr int kAnnualCost = 0;
inline constexpr int kOneOffCost = 1;
inline constexpr int kUnitCodeOther = 2;
inline constexpr int kUnitCodePerM3 = 3;
