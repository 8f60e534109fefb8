// Chart points of the growth table: values against closed forms, the strict
// conditions of each series, rows left out.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "model/growth/PlotData.h"
#include "model/items/SimulationData.h"

namespace {

struct Row {
  int age;
  double trees, dq, height, basalArea, volume, ima;
};

class PlotDataTest : public ::testing::Test {
protected:
  // A first row that is never plotted, then the given ones.
  PlotData Plot(const std::vector<Row>& rows, int finalAge = 16) {
    Append({1, 1500, 3, 3, 1, 2, 2});
    for (const Row& r : rows) Append(r);
    return PlotPrognosis(s.PrognosisCollection(), finalAge);
  }
  void Append(const Row& r) {
    TPrognosis& p = s.PrognosisCollection().Add();
    p.SetAge(r.age);
    p.SetNoTrees(r.trees);
    p.SetMedianDiameter(r.dq);
    p.SetDominantHeight(r.height);
    p.SetBaseArea(r.basalArea);
    p.SetVolume(r.volume);
    p.SetIMA(r.ima);
  }
  static std::vector<int> SeriesWithPoints(const PlotData& d) {
    std::vector<int> with;
    for (int i = 0; i < PlotData::kSeriesCount; ++i)
      if (!d.series[i].empty()) with.push_back(i);
    return with;
  }

  TSimulationData s;
};

TEST_F(PlotDataTest, DiameterTenGivesTheKnownDensityAndBasalAreas) {
  const PlotData d = Plot({{10, 1354, 10, 15, 20, 250, 25}});
  // Nmax = e^13.893 * 10^-2.203, written apart from the code's ln form.
  const double nmax = std::exp(13.893) * std::pow(10.0, -2.203);
  EXPECT_NEAR(nmax, 6771.0, 0.05);
  ASSERT_EQ(d.series[0].size(), 1u);
  EXPECT_EQ(d.series[0][0].x, 10);
  EXPECT_NEAR(d.series[0][0].y, 20.0, 0.005);
  EXPECT_NEAR(d.series[0][0].y, 135400 / nmax, 1e-9);
  ASSERT_EQ(d.series[3].size(), 1u);
  EXPECT_NEAR(d.series[3][0].y, 34.567, 0.0005);
  ASSERT_EQ(d.series[5].size(), 1u);
  EXPECT_NEAR(d.series[5][0].y, 23.931, 0.0005);
  // The same basal areas from pi/40000 at 65 % and 45 %, to the constants' five digits.
  EXPECT_NEAR(d.series[3][0].y, 0.65 * std::numbers::pi / 40000 * 100 * nmax, 34.567 * 1e-5);
  EXPECT_NEAR(d.series[5][0].y, 0.45 * std::numbers::pi / 40000 * 100 * nmax, 23.931 * 1e-5);
  // Hart-Becking: mean spacing sqrt(10000/N) m as a percentage of H.
  ASSERT_EQ(d.series[2].size(), 1u);
  EXPECT_NEAR(d.series[2][0].y, 100 * std::sqrt(10000.0 / 1354) / 15, 1e-12);
  EXPECT_EQ(d.series[1][0].y, 20);
  EXPECT_EQ(d.series[4][0].y, 25);
  EXPECT_EQ(d.series[6][0].y, 25);
  EXPECT_TRUE(d.series[7].empty());
}

TEST_F(PlotDataTest, AgeThreeAddsToEverySeriesButTheMaximumBasalArea) {
  const PlotData d = Plot({{3, 1400, 8, 9, 7, 40, 13}});
  EXPECT_EQ(SeriesWithPoints(d), (std::vector<int>{0, 1, 2, 4, 5, 6}));
}

TEST_F(PlotDataTest, AgeTwoGivesNoSpacingPoint) {
  const PlotData d = Plot({{2, 1400, 6, 7, 4, 20, 10}});
  EXPECT_EQ(SeriesWithPoints(d), (std::vector<int>{0, 1, 4, 5, 6}));
}

TEST_F(PlotDataTest, DenseSeriesNeedsEachBoundStrictlyPassed) {
  // Age 7, 1100 trees, 40 m²/ha: each on its bound once.
  const PlotData d = Plot({{7, 1200, 20, 20, 41, 300, 40},
                           {8, 1100, 20, 20, 41, 300, 40},
                           {9, 1200, 20, 20, 40, 300, 40},
                           {10, 1200, 20, 20, 40.5, 300, 40}});
  ASSERT_EQ(d.series[7].size(), 1u);
  EXPECT_EQ(d.series[7][0].x, 10);
  // 100 N / (e^14.64375 * Dq^-2.5435396)
  EXPECT_NEAR(d.series[7][0].y, 100 * 1200 / (std::exp(14.64375) * std::pow(20.0, -2.5435396)), 1e-9);
  EXPECT_NEAR(d.series[7][0].y, 106.832, 0.0005);
  EXPECT_EQ(d.series[0].size(), 4u);
}

TEST_F(PlotDataTest, OneRowPlotsNothingAndTheAxisRunsToTheFinalAge) {
  const PlotData d = Plot({}, 16);
  EXPECT_TRUE(SeriesWithPoints(d).empty());
  EXPECT_EQ(d.bottomMinimum, 1);
  EXPECT_EQ(d.bottomMaximum, 16);
}

TEST_F(PlotDataTest, NoRowsAtAllPlotNothing) {
  EXPECT_TRUE(SeriesWithPoints(PlotPrognosis(s.PrognosisCollection(), 16)).empty());
}

TEST_F(PlotDataTest, PointsFollowTheRowsInOrder) {
  const PlotData d = Plot({{4, 1500, 9, 12, 9.5, 60, 15}, {6, 1450, 11, 16, 13.8, 110, 18}});
  ASSERT_EQ(d.series[1].size(), 2u);
  EXPECT_EQ(d.series[1][0].x, 4);
  EXPECT_EQ(d.series[1][1].x, 6);
  EXPECT_EQ(d.series[1][1].y, 13.8);
  EXPECT_EQ(d.series[4][0].y, 6);
}

TEST_F(PlotDataTest, RowsWithoutTreesDiameterOrHeightAreSkipped) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const PlotData d = Plot({{4, 0, 9, 12, 9.5, 60, 15},
                           {5, 1500, 0, 12, 9.5, 60, 15},
                           {6, 1500, 9, -1, 9.5, 60, 15},
                           {7, nan, 9, 12, 9.5, 60, 15},
                           {8, 1400, 12, 18, 15.8, 140, 17.5}});
  for (int i = 0; i < 7; ++i) {
    ASSERT_EQ(d.series[i].size(), 1u) << i;
    EXPECT_EQ(d.series[i][0].x, 8) << i;
  }
}

TEST_F(PlotDataTest, ValuesThatAreNotFiniteAreSkipped) {
  const double inf = std::numeric_limits<double>::infinity();
  const PlotData d = Plot({{8, 1400, 12, 18, inf, std::nan(""), 17.5}});
  EXPECT_TRUE(d.series[1].empty());
  EXPECT_TRUE(d.series[4].empty());
  EXPECT_EQ(d.series[6].size(), 1u);
  EXPECT_EQ(d.series[0].size(), 1u);
}

TEST_F(PlotDataTest, TheAgeAxisReachesAtLeastTwo) {
  EXPECT_EQ(Plot({}, 0).bottomMaximum, 2);
  EXPECT_EQ(Plot({}, -5).bottomMaximum, 2);
  EXPECT_EQ(Plot({}, 2).bottomMaximum, 2);
  EXPECT_EQ(Plot({}, 3).bottomMaximum, 3);
}

TEST_F(PlotDataTest, LeftAxisStartsAtZeroAndEndsAStepAboveTheHighestDrawnValue) {
  // Highest drawn: 100 N / Nmax of 1354 trees at 10 cm, about 20.0.
  PlotData d = Plot({{10, 1354, 10, 15, 20, 150, 12}});
  AxisScale left = LeftAxisScale(d, 10);
  EXPECT_EQ(left.minimum, 0);
  // 34.567 / 10 -> step 5, first multiple above: 35.
  EXPECT_EQ(left.maximum, 35);
  EXPECT_EQ(left.labels, (std::vector<double>{0, 5, 10, 15, 20, 25, 30, 35}));
  // The dense-stand series is never drawn, so it never stretches the axis.
  d.series[PlotData::kDenseStand].push_back({12, 500});
  EXPECT_EQ(LeftAxisScale(d, 10).maximum, 35);
}

TEST_F(PlotDataTest, LeftAxisStepsAreOneTwoTwoAndAHalfOrFive) {
  PlotData d;
  d.series[1] = {{2, 0.7}};
  EXPECT_EQ(LeftAxisScale(d, 10).maximum, 0.8);  // step 0.1
  d.series[1] = {{2, 23}};
  EXPECT_EQ(LeftAxisScale(d, 10).maximum, 25);  // step 2.5
  d.series[1] = {{2, 100}};
  EXPECT_EQ(LeftAxisScale(d, 10).maximum, 110);  // step 10, a step above
  EXPECT_EQ(LeftAxisScale(PlotData{}, 10).maximum, 100);
  EXPECT_EQ(LeftAxisScale(PlotData{}, 10).labels.size(), 11u);
}

TEST_F(PlotDataTest, AgeLabelsAreWholeMultiplesInsideTheRange) {
  PlotData d;
  d.bottomMaximum = 16;
  EXPECT_EQ(BottomAxisScale(d, 20).labels.size(), 16u);  // 1, 2, ..., 16
  d.bottomMaximum = 60;
  EXPECT_EQ(BottomAxisScale(d, 20).labels, (std::vector<double>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}));
  d.bottomMaximum = 2;
  EXPECT_EQ(BottomAxisScale(d, 20).labels, (std::vector<double>{1, 2}));
}

}  // namespace
