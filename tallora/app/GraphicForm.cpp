#include "tallora/app/GraphicForm.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScatterSeries>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <memory>
#include <set>

#include "model/items/SimulationData.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/SysUtils.h"

namespace {

enum class Look { Circle, Triangle, DownTriangle, DiagonalCross, Line };

struct SeriesStyle {
  Look look;
  QColor color;
  int size;  // marker side in pixels; pen width of a line
};

const std::array<SeriesStyle, PlotData::kSeriesCount> kStyles = {{
    {Look::Circle, QColor(220, 0, 0), 9},
    {Look::Line, QColor(0, 128, 0), 2},
    {Look::Circle, QColor(0, 0, 230), 9},
    {Look::DownTriangle, QColor(255, 0, 255), 10},
    {Look::Line, QColor(232, 128, 0), 2},
    {Look::Triangle, QColor(255, 0, 255), 10},
    {Look::Line, QColor(0, 128, 128), 2},
    {Look::DiagonalCross, QColor(0, 0, 0), 13},
}};

constexpr const char* kBottomMask = "#,###.";
constexpr const char* kLeftMask = "#,##0.##";
constexpr const char* kBottomTitle = "Idade (anos)";

QFont ChartFont(int pixels, bool italic = false) {
  QFont f = PixelFont("Arial", pixels, italic ? TFontStyles{fsItalic} : TFontStyles{0});
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

// The picture of a point marker, `size` pixels a side.
QImage MarkerImage(const SeriesStyle& style) {
  const int s = style.size;
  QImage image(s, s, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(style.color.darker(140), 1));
  p.setBrush(style.color);
  const QRectF box(0.5, 0.5, s - 1, s - 1);
  QPainterPath path;
  switch (style.look) {
    case Look::Circle:
      p.drawEllipse(box);
      break;
    case Look::Triangle:
      path.moveTo(box.center().x(), box.top());
      path.lineTo(box.bottomRight());
      path.lineTo(box.bottomLeft());
      path.closeSubpath();
      p.drawPath(path);
      break;
    case Look::DownTriangle:
      path.moveTo(box.topLeft());
      path.lineTo(box.topRight());
      path.lineTo(box.center().x(), box.bottom());
      path.closeSubpath();
      p.drawPath(path);
      break;
    case Look::DiagonalCross:
      p.setPen(QPen(style.color, 1.5));
      p.drawLine(box.topLeft(), box.bottomRight());
      p.drawLine(box.topRight(), box.bottomLeft());
      break;
    case Look::Line:
      break;
  }
  return image;
}

}  // namespace

// The legend above the chart: each drawn series' symbol and title, in italic,
// two to a row.
class TChartLegend : public QWidget {
public:
  struct Entry {
    SeriesStyle style;
    QString title;
  };

  explicit TChartLegend(QWidget* parent) : QWidget(parent) {
    setObjectName("Legend");
    setFont(ChartFont(12, true));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
  }

  void SetEntries(std::vector<Entry> entries) {
    entries_ = std::move(entries);
    setFixedHeight(kTop + Rows() * RowHeight() + kBottom);
    update();
  }
  const std::vector<Entry>& Entries() const { return entries_; }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const int columnWidth = (width() - 2 * kSide) / kColumns;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const int column = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
      const int x = kSide + column * columnWidth, y = kTop + row * RowHeight();
      const Entry& e = entries_[i];
      const QRect symbol(x, y + (RowHeight() - kSymbol) / 2, kSymbol, kSymbol);
      if (e.style.look == Look::Line) {
        p.setPen(QPen(e.style.color, e.style.size));
        p.drawLine(symbol.left(), symbol.center().y(), symbol.right(), symbol.center().y());
      } else {
        const QImage marker = MarkerImage(e.style);
        p.drawImage(symbol.center() - QPoint(marker.width() / 2, marker.height() / 2), marker);
      }
      p.setPen(Qt::black);
      p.drawText(QRect(x + kSymbol + 6, y, columnWidth - kSymbol - 10, RowHeight()), Qt::AlignVCenter | Qt::AlignLeft,
                 e.title);
    }
  }

private:
  static constexpr int kColumns = 2, kSide = 24, kTop = 6, kBottom = 2, kSymbol = 16;
  int Rows() const { return (static_cast<int>(entries_.size()) + kColumns - 1) / kColumns; }
  int RowHeight() const { return fontMetrics().height() + 3; }

  std::vector<Entry> entries_;
};

const std::array<const char*, PlotData::kSeriesCount> TFormGraphic::kSeriesTitles = {
    "% da Densidade Máxima - [Reineke]",
    "Área Basal",
    "Ind. Espaç. Relativo- %   [Hart-Becking]",
    "Área basal máxima indicada para manejo",
    "Volume  (dividido por 10)",
    "Área basal mínima indicada para manejo",
    "Incremento Médio Anual  (I.M.A.)",
    "...",
};

TFormGraphic::TFormGraphic(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      chart_(new QChart()),
      view_(nullptr),
      legend_(new TChartLegend(this)),
      bottom_(new QCategoryAxis()),
      left_(new QCategoryAxis()),
      mainWindow_(mainWindow) {
  setObjectName("FormGraphic");
  setWindowTitle(QString::fromUtf8(kCaption));
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kWidth, kHeight);
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());

  chart_->legend()->hide();
  chart_->setBackgroundRoundness(0);
  chart_->setMargins(QMargins(4, 2, 14, 4));
  QLinearGradient background(0, 0, 0, 1);
  background.setCoordinateMode(QGradient::ObjectMode);
  background.setColorAt(0, Qt::white);
  background.setColorAt(1, QColor(214, 226, 240));
  chart_->setBackgroundBrush(background);
  chart_->setBackgroundPen(Qt::NoPen);
  chart_->setPlotAreaBackgroundBrush(Qt::white);
  chart_->setPlotAreaBackgroundVisible(true);

  for (QCategoryAxis* axis : {bottom_, left_}) {
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setLabelsFont(ChartFont(11));
    axis->setLabelsColor(Qt::black);
    axis->setLinePenColor(QColor(96, 96, 96));
    axis->setGridLineColor(QColor(216, 216, 216));
    axis->setMinorTickCount(2);
  }
  bottom_->setTitleText(QString::fromUtf8(kBottomTitle));
  bottom_->setTitleFont(ChartFont(12));
  chart_->addAxis(bottom_, Qt::AlignBottom);
  chart_->addAxis(left_, Qt::AlignLeft);

  std::vector<TChartLegend::Entry> entries;
  for (int i = 0; i < PlotData::kSeriesCount; ++i) {
    const SeriesStyle& style = kStyles[static_cast<std::size_t>(i)];
    QXYSeries* series = nullptr;
    if (style.look == Look::Line) {
      auto* line = new QLineSeries();
      line->setPen(QPen(style.color, style.size));
      series = line;
    } else {
      auto* points = new QScatterSeries();
      points->setMarkerSize(style.size);
      points->setLightMarker(MarkerImage(style));
      points->setColor(style.color);
      series = points;
    }
    series->setName(QString::fromUtf8(kSeriesTitles[static_cast<std::size_t>(i)]));
    series->setObjectName(QStringLiteral("Series%1").arg(i + 1));
    chart_->addSeries(series);
    series->attachAxis(bottom_);
    series->attachAxis(left_);
    series_[static_cast<std::size_t>(i)] = series;
    if (i == PlotData::kDenseStand)
      series->setVisible(false);  // inactive: kept, filled, never drawn or listed
    else
      entries.push_back({style, series->name()});
  }
  legend_->SetEntries(std::move(entries));

  view_ = new QChartView(chart_, this);
  view_->setObjectName("Chart1");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(legend_);
  layout->addWidget(view_, 1);

  PlotData empty;
  SetBottomAxis(BottomAxisScale(empty));
  SetLeftAxis(LeftAxisScale(empty));
}

TFormGraphic::~TFormGraphic() = default;

void TFormGraphic::PlotPrognosis(const TSimulationData& simulation) {
  PlotPrognosis(::PlotPrognosis(simulation.PrognosisCollection(), simulation.FinalAge()));
}

void TFormGraphic::PlotPrognosis(const PlotData& data) {
  for (int i = 0; i < PlotData::kSeriesCount; ++i) {
    QList<QPointF> points;
    for (const PlotPoint& p : data.series[static_cast<std::size_t>(i)]) points.append(QPointF(p.x, p.y));
    series_[static_cast<std::size_t>(i)]->replace(points);
  }
  SetBottomAxis(BottomAxisScale(data));
  SetLeftAxis(LeftAxisScale(data));
}

namespace {

void SetCategories(QCategoryAxis& axis, const AxisScale& scale, const char* mask) {
  for (const QString& label : axis.categoriesLabels()) axis.remove(label);
  axis.setStartValue(scale.minimum);
  axis.setRange(scale.minimum, scale.maximum);
  std::set<QString> used;
  for (double value : scale.labels) {
    const QString label = ToQString(FormatFloat(mask, value));
    // Labels name categories, so each text once.
    if (used.insert(label).second) axis.append(label, value);
  }
}

}  // namespace

void TFormGraphic::SetBottomAxis(const AxisScale& scale) {
  SetCategories(*bottom_, scale, kBottomMask);
}

void TFormGraphic::SetLeftAxis(const AxisScale& scale) {
  SetCategories(*left_, scale, kLeftMask);
}

std::vector<std::string> TFormGraphic::LegendTitles() const {
  std::vector<std::string> titles;
  for (const TChartLegend::Entry& e : legend_->Entries()) titles.push_back(FromQString(e.title));
  return titles;
}

void TFormGraphic::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) Guard([this] { FormClose(); });
}

void TFormGraphic::FormClose() {
  if (OnClose) OnClose();
}

void TFormGraphic::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Guard([this] {
    // A tool window of the main window: above it.
    if (mainWindow_ && windowHandle())
      if (QWindow* owner = mainWindow_->window()->windowHandle()) windowHandle()->setTransientParent(owner);
  });
}
