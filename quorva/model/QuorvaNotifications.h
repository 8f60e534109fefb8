#pragma once
// What Quorva's project module tells the main window about productions and
// cost types; the window has done with each call when it returns.

// Whether the current cost has one value or values by year.
enum class TCostPeriod { Annual, OneOff };
// PerM3: the cost's unit is "$/M3", which holds it one-off.
enum class TUnitRule { Other, PerM3 };

class IQuorvaNotifications {
public:
  virtual ~IQuorvaNotifications() = default;
  // A production was posted.
  virtual void ProductionPosted(int id, int idade) = 0;
  // A production is about to be deleted.
  virtual void ProductionDeleted(int id, int idade) = 0;
  // The cost type changed.
  virtual void CostTypeChanged(TCostPeriod period, TUnitRule rule) = 0;
};
