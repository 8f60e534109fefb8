#pragma once
// The chart window "Variáveis básicas para o manejo florestal adequado": the
// stand-management variables of the current simulation's growth table
// against age, in eight series (the last one is kept but never drawn). A
// modeless tool window above the main window, which makes it on first use
// and keeps it; closing it only hides it and tells the main window.

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/growth/PlotData.h"

class QCategoryAxis;
class QChart;
class QChartView;
class QXYSeries;
class TChartLegend;
class TSimulationData;

class TFormGraphic : public QWidget {
public:
  static constexpr int kWidth = 667;
  static constexpr int kHeight = 476;
  static constexpr const char* kCaption = "Variáveis básicas para o manejo florestal adequado";
  static const std::array<const char*, PlotData::kSeriesCount> kSeriesTitles;

  // Shown, it stays above mainWindow (nullptr: none).
  explicit TFormGraphic(QWidget* mainWindow = nullptr);
  ~TFormGraphic() override;

  // Refills the series from the simulation's growth table and final age.
  void PlotPrognosis(const TSimulationData& simulation);
  void PlotPrognosis(const PlotData& data);

  // Called after the user closed the window (it is hidden, not freed).
  std::function<void()> OnClose;

  QChart& Chart() const { return *chart_; }
  QChartView& View() const { return *view_; }
  QXYSeries& Series(int index) const { return *series_.at(static_cast<std::size_t>(index)); }
  QCategoryAxis& BottomAxis() const { return *bottom_; }
  QCategoryAxis& LeftAxis() const { return *left_; }
  // The titles the legend lists, in order.
  std::vector<std::string> LegendTitles() const;

protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void FormClose();
  void SetBottomAxis(const AxisScale& scale);
  void SetLeftAxis(const AxisScale& scale);

  QChart* chart_;
  QChartView* view_;
  TChartLegend* legend_;
  std::array<QXYSeries*, PlotData::kSeriesCount> series_{};
  QCategoryAxis* bottom_;
  QCategoryAxis* left_;
  QPointer<QWidget> mainWindow_;
};
