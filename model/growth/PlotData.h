#pragma once
// The points of the stand-management chart, from the growth table of a run:
// relative density against Reineke's maximum density line, basal area with
// the recommended maximum and minimum for management, Hart-Becking's relative
// spacing index, volume and mean annual increment, against age.

#include <array>
#include <vector>

class TPrognosisCollection;

struct PlotPoint {
  double x;  // age, years
  double y;
};

struct PlotData {
  static constexpr int kSeriesCount = 8;
  // Series, in the chart's order.
  enum Series {
    kRelativeDensity = 0,  // % of Reineke's maximum density
    kBasalArea = 1,        // m²/ha
    kRelativeSpacing = 2,  // Hart-Becking, %
    kMaxBasalArea = 3,     // maximum basal area for management, m²/ha
    kVolume = 4,           // volume / 10
    kMinBasalArea = 5,     // minimum basal area for management, m²/ha
    kIncrement = 6,        // mean annual increment
    kDenseStand = 7,       // % of a second density line; never drawn
  };
  std::array<std::vector<PlotPoint>, kSeriesCount> series;
  // Bottom axis (age) range.
  double bottomMinimum = 1;
  double bottomMaximum = 25;
};

// Reineke's line: exp(a - b ln Dq) trees per hectare for a quadratic mean
// diameter Dq in cm.
inline constexpr double kReinekeA = 13.893;
inline constexpr double kReinekeB = 2.203;
// The line of the dense-stand series.
inline constexpr double kDenseA = 14.64375;
inline constexpr double kDenseB = 2.5435396;
// 0.65 and 0.45 times pi / 40000: basal area (m²/ha) of Nmax trees of Dq cm at
// 65 % and at 45 %.
inline constexpr double kMaxBasalAreaFactor = 5.1051e-5;
inline constexpr double kMinBasalAreaFactor = 3.5343e-5;

// An axis: its range and the values that carry a label.
struct AxisScale {
  double minimum = 0;
  double maximum = 0;
  std::vector<double> labels;
};

// Every row but the first, with the strict age, tree and basal-area
// conditions of the series. A row whose trees, diameter or dominant height is
// not a positive number, and any point whose value is not finite, is left
// out. The bottom axis runs from 1 to finalAge, at least to 2.
PlotData PlotPrognosis(const TPrognosisCollection& rows, int finalAge);

// The left axis: from 0 to the first whole step above the highest value drawn
// (the dense-stand series is not), the step 1, 2, 2.5 or 5 times a power of
// ten, the smallest not below highest / intervals; 0 to 100 by 10 when
// nothing above 0 is drawn.
AxisScale LeftAxisScale(const PlotData& data, int intervals = 10);
// The age axis over the data's range, labelled at the multiples of a step of
// 1, 2 or 5 times a power of ten years giving at most `intervals` labels.
AxisScale BottomAxisScale(const PlotData& data, int intervals = 20);
