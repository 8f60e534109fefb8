// The chart window: its series, legend and axes after a plot, closing and
// showing again, and a picture of the reference simulation's chart
// (tallora-chart.png in the build folder).
#include <gtest/gtest.h>

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QPointer>
#include <QTest>
#include <QXYSeries>
#include <algorithm>

#include "fixtures/ReferenceSimulation.h"
#include "model/growth/SimulationUnit.h"
#include "tallora/app/GraphicForm.h"
#include "tests/support/Fakes.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class GraphicForm : public ::testing::Test {
protected:
  // A growth table: the never-plotted first row, then the given rows as
  // (age, trees, Dq, H, G).
  void Rows(std::initializer_list<std::array<double, 5>> rows, int finalAge = 16) {
    s.PrognosisCollection().Clear();
    s.SetFinalAge(finalAge);
    for (const auto& r : std::initializer_list<std::array<double, 5>>{{1, 1600, 2, 2, 0.5}}) Add(r);
    for (const auto& r : rows) Add(r);
  }
  void Add(const std::array<double, 5>& r) {
    TPrognosis& p = s.PrognosisCollection().Add();
    p.SetAge(static_cast<int>(r[0]));
    p.SetNoTrees(r[1]);
    p.SetMedianDiameter(r[2]);
    p.SetDominantHeight(r[3]);
    p.SetBaseArea(r[4]);
    p.SetVolume(r[4] * 8);
    p.SetIMA(r[4]);
  }
  std::vector<int> Counts() const {
    std::vector<int> counts;
    for (int i = 0; i < PlotData::kSeriesCount; ++i) counts.push_back(static_cast<int>(form.Series(i).count()));
    return counts;
  }
  static QStringList Labels(QCategoryAxis& axis) { return axis.categoriesLabels(); }

  TSimulationData s;
  TFormGraphic form;
};

TEST_F(GraphicForm, IsAToolWindowWithSevenSeriesInTheLegend) {
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Variáveis básicas para o manejo florestal adequado"));
  EXPECT_EQ(form.size(), QSize(667, 476));
  EXPECT_EQ(form.windowType(), Qt::Tool);
  ASSERT_EQ(form.Chart().series().size(), 8);
  const std::vector<std::string> titles = form.LegendTitles();
  ASSERT_EQ(titles.size(), 7u);
  EXPECT_EQ(titles[0], "% da Densidade Máxima - [Reineke]");
  EXPECT_EQ(titles[2], "Ind. Espaç. Relativo- %   [Hart-Becking]");
  EXPECT_EQ(titles[4], "Volume  (dividido por 10)");
  EXPECT_EQ(titles[6], "Incremento Médio Anual  (I.M.A.)");
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(form.Series(i).isVisible()) << i;
  EXPECT_FALSE(form.Series(7).isVisible());
  EXPECT_EQ(form.BottomAxis().titleText(), "Idade (anos)");
  EXPECT_EQ(form.BottomAxis().min(), 1);
  EXPECT_EQ(form.BottomAxis().max(), 25);
}

TEST_F(GraphicForm, PlotsEachSeriesFromTheGrowthTable) {
  // Age 3 skips the maximum basal area; age 9 is dense enough for series 8.
  Rows({{3, 1500, 8, 9, 7.5}, {9, 1300, 20, 24, 41}});
  form.PlotPrognosis(s);
  EXPECT_EQ(Counts(), (std::vector<int>{2, 2, 2, 1, 2, 2, 2, 1}));
  EXPECT_FALSE(form.Series(7).isVisible());
  EXPECT_EQ(form.Series(1).at(0), QPointF(3, 7.5));
  EXPECT_EQ(form.Series(4).at(1), QPointF(9, 41 * 8 / 10.0));
}

TEST_F(GraphicForm, OneRowPlotsNothingAndTheAgeAxisRunsToTheFinalAge) {
  Rows({{3, 1500, 8, 9, 7.5}});
  form.PlotPrognosis(s);
  Rows({}, 16);
  form.PlotPrognosis(s);
  EXPECT_EQ(Counts(), std::vector<int>(8, 0));
  EXPECT_EQ(form.BottomAxis().min(), 1);
  EXPECT_EQ(form.BottomAxis().max(), 16);
  EXPECT_EQ(form.LeftAxis().min(), 0);
}

TEST_F(GraphicForm, ARowWithoutTreesIsSkipped) {
  Rows({{4, 0, 9, 12, 9.5}, {6, 1400, 11, 15, 13}});
  form.PlotPrognosis(s);
  for (int i = 0; i < 7; ++i) {
    ASSERT_EQ(form.Series(i).count(), 1) << i;
    EXPECT_EQ(form.Series(i).at(0).x(), 6) << i;
  }
}

TEST_F(GraphicForm, AxisLabelsUseTheLocalesSeparators) {
  // Highest value 23 -> steps of 2.5 up to 25.
  PlotData d;
  d.bottomMaximum = 12;
  d.series[1] = {{2, 10}, {12, 23}};
  form.PlotPrognosis(d);
  const QStringList left = Labels(form.LeftAxis());
  EXPECT_TRUE(left.contains("0"));
  EXPECT_TRUE(left.contains("7,5"));
  EXPECT_TRUE(left.contains("25"));
  EXPECT_EQ(form.LeftAxis().min(), 0);
  EXPECT_EQ(form.LeftAxis().max(), 25);
  EXPECT_EQ(Labels(form.BottomAxis()).first(), "1");
  EXPECT_EQ(Labels(form.BottomAxis()).last(), "12");
  // Thousands: 1800 -> steps of 200 up to 2000.
  d.series[4] = {{6, 1800}};
  form.PlotPrognosis(d);
  EXPECT_TRUE(Labels(form.LeftAxis()).contains("1.200"));
  EXPECT_EQ(Labels(form.LeftAxis()).last(), "2.000");
}

TEST_F(GraphicForm, ClosingHidesItAndCallsBackAndShowingAgainReplots) {
  int closes = 0;
  form.OnClose = [&] { ++closes; };
  Rows({{4, 1500, 9, 12, 9.5}});
  form.PlotPrognosis(s);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(closes, 1);
  Rows({{4, 1500, 9, 12, 9.5}, {6, 1400, 11, 15, 13}});
  form.PlotPrognosis(s);
  form.show();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.Series(1).count(), 2);
  EXPECT_EQ(closes, 1);
}

TEST_F(GraphicForm, DrawsTheReferenceSimulation) {
  TSimulation run;
  fixtures::FillReferenceSimulation(run);
  ASSERT_TRUE(run.Validate());
  ASSERT_TRUE(run.Execute());
  form.PlotPrognosis(run);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QImage image = Snap(form);
  ASSERT_TRUE(image.save(QString(TQ_BINARY_DIR) + "/tallora-chart.png"));
  // The red density points and the fuchsia basal-area markers are drawn, the
  // black crosses of the inactive series nowhere in the plot.
  const QChart& chart = form.Chart();
  const QRect plot = chart.plotArea().toRect().translated(form.View().mapTo(&form, QPoint(0, 0)));
  const TRect area = Bounds(plot.left(), plot.top(), plot.width(), plot.height());
  EXPECT_GT(CountInside(image, area, QColor(220, 0, 0)), 0);
  EXPECT_GT(CountInside(image, area, QColor(255, 0, 255)), 0);
  EXPECT_EQ(CountInside(image, area, QColor(0, 0, 0)), 0);
}

}  // namespace
