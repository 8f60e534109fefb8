#include "quorva/model/FinUnit.h"

double PresentValue(int year, double rate, double amount) {
  const double factor = CheckResult(std::pow(1.0 + rate / 100.0, year));
  return CheckedDiv(amount, factor);
}
