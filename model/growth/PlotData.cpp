#include "model/growth/PlotData.h"

#include <algorithm>
#include <cmath>

#include "model/items/PrognosisUnit.h"

namespace {

bool Positive(double v) {
  return std::isfinite(v) && v > 0;
}

void Add(PlotData& data, PlotData::Series series, double age, double y) {
  if (std::isfinite(y)) data.series[series].push_back({age, y});
}

// The smallest of 1, 2, 2.5, 5 (or 1, 2, 5) times a power of ten not below
// `raw`.
double NiceStep(double raw, bool quarters) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    if (m == 2.5 && !quarters) continue;
    if (m * power >= raw * (1 - 1e-12)) return m * power;
  }
  return 10 * power;
}

// The multiples of step from `from` to `to`, both included.
std::vector<double> Multiples(double step, double from, double to) {
  std::vector<double> values;
  for (double k = std::ceil(from / step - 1e-9); k * step <= to * (1 + 1e-12) + 1e-12; ++k) values.push_back(k * step);
  return values;
}

}  // namespace

PlotData PlotPrognosis(const TPrognosisCollection& rows, int finalAge) {
  PlotData data;
  data.bottomMinimum = 1;
  data.bottomMaximum = std::max(finalAge, 2);
  for (int i = 1; i < rows.Count(); ++i) {
    const TPrognosis& row = rows[i];
    const double a = row.Age();
    const double n = row.NoTrees();
    const double dq = row.MedianDiameter();
    const double h = row.DominantHeight();
    const double g = row.BaseArea();
    if (!Positive(n) || !Positive(dq) || !Positive(h)) continue;
    const double nmax = std::exp(kReinekeA - kReinekeB * std::log(dq));
    Add(data, PlotData::kRelativeDensity, a, 100 * n / nmax);
    if (a > 2) Add(data, PlotData::kRelativeSpacing, a, std::sqrt(10000 / n) * 100 / h);
    Add(data, PlotData::kIncrement, a, row.IMA());
    Add(data, PlotData::kBasalArea, a, g);
    Add(data, PlotData::kVolume, a, row.Volume() / 10);
    if (a > 3) Add(data, PlotData::kMaxBasalArea, a, kMaxBasalAreaFactor * dq * dq * nmax);
    Add(data, PlotData::kMinBasalArea, a, kMinBasalAreaFactor * dq * dq * nmax);
    if (a > 7 && n > 1100 && g > 40)
      Add(data, PlotData::kDenseStand, a, 100 * n / std::exp(kDenseA - kDenseB * std::log(dq)));
  }
  return data;
}

AxisScale LeftAxisScale(const PlotData& data, int intervals) {
  double highest = 0;
  for (int i = 0; i < PlotData::kSeriesCount; ++i)
    if (i != PlotData::kDenseStand)
      for (const PlotPoint& point : data.series[i]) highest = std::max(highest, point.y);
  AxisScale scale;
  double step = 10;
  if (highest > 0) {
    step = NiceStep(highest / std::max(intervals, 1), true);
    scale.maximum = (std::floor(highest / step + 1e-9) + 1) * step;
  } else {
    scale.maximum = 100;
  }
  scale.labels = Multiples(step, 0, scale.maximum);
  return scale;
}

AxisScale BottomAxisScale(const PlotData& data, int intervals) {
  AxisScale scale;
  scale.minimum = data.bottomMinimum;
  scale.maximum = data.bottomMaximum;
  const double span = std::max(scale.maximum - scale.minimum, 1.0);
  const double step = std::max(1.0, NiceStep(span / std::max(intervals - 1, 1), false));
  scale.labels = Multiples(step, scale.minimum, scale.maximum);
  return scale;
}
