#include "quorva/model/FinUnit.h"

#include <cstddef>

double PresentValue(int year, double rate, double amount) {
  const double factor = CheckResult(std::pow(1.0 + rate / 100.0, year));
  return CheckedDiv(amount, factor);
}

TPresentValues NetPresentValue(const TCashFlow& flow, double rate) {
  TPresentValues pv;
  for (std::size_t year = 0; year < flow.revenue.size(); ++year) {
    pv.revenue += PresentValue(static_cast<int>(year), rate, flow.revenue[year]);
    pv.cost += PresentValue(static_cast<int>(year), rate, flow.cost[year]);
  }
  CheckResult(pv.revenue);
  CheckResult(pv.cost);
  pv.net = CheckResult(pv.revenue - pv.cost);
  return pv;
}

TCashFlow DiscountedFlow(const TCashFlow& flow, double rate) {
  TCashFlow present{std::vector<double>(flow.revenue.size()), std::vector<double>(flow.cost.size())};
  for (std::size_t year = 0; year < flow.revenue.size(); ++year) {
    present.revenue[year] = PresentValue(static_cast<int>(year), rate, flow.revenue[year]);
    present.cost[year] = PresentValue(static_cast<int>(year), rate, flow.cost[year]);
  }
  return present;
}
