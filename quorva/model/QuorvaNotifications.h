#pragma once
// What Quorva's project module tells the main window about productions and
// cost types; the window has done with each call when it returns.

enum class TCostType;
enum class TCostUnit;

class IQuorvaNotifications {
public:
  virtual ~IQuorvaNotifications() = default;
  // A production was posted.
  virtual void ProductionPosted(int id, int idade) = 0;
  // A production is about to be deleted.
  virtual void ProductionDeleted(int id, int idade) = 0;
  // The cost type changed: Unitario (one value) or Anual (values by year);
  // PorM3 for a cost per cubic metre, which holds it one-off, else Other.
  virtual void CostTypeChanged(TCostType type, TCostUnit unit) = 0;
};
