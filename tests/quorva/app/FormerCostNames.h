#pragma once
// The former names of the cost notice's arguments, for the tests still
// written with them: Annual/OneOff are TCostType's Anual/Unitario, Other and
// PerM3 TCostUnit's Other and PorM3. Each converts to and from the enum.

#include "quorva/model/CustoUnit.h"

struct TCostPeriod {
  static constexpr TCostType Annual = TCostType::Anual;
  static constexpr TCostType OneOff = TCostType::Unitario;
  TCostPeriod(TCostType type) : value(type) {}
  operator TCostType() const { return value; }
  TCostType value;
};

struct TUnitRule {
  static constexpr TCostUnit Other = TCostUnit::Other;
  static constexpr TCostUnit PerM3 = TCostUnit::PorM3;
  TUnitRule(TCostUnit unit) : value(unit) {}
  operator TCostUnit() const { return value; }
  TCostUnit value;
};
