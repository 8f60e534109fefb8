#include "forms/ErrorsForm.h"

#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QTableWidget>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <utility>

#include "platform/gui/Graphics.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

namespace {

QString OneLine(const std::string& text) {
  QString line = ToQString(text);
  line.replace(QLatin1Char('\r'), QLatin1Char(' '));
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return line;
}

QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

// Under X11 the window is made again as a toolbar first, then a utility
// window: window managers that keep a minimise button on every utility
// window, and minimise the main window with it (openbox), leave it off a
// toolbar. The X11 platform reads this property of the window, a set of its
// window types (8: toolbar), when it makes the window.
void MakeToolbarUnderX11(QWidget* window) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  window->winId();
  QWindow* handle = window->windowHandle();
  if (!handle) return;
  handle->setProperty("_q_xcb_wm_window_type", 0x8);
  handle->destroy();
  handle->create();
}

}  // namespace

// A title and a close button only: minimising a tool window would take the
// main window with it.
TFormErrors::TFormErrors()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      grid_(new QTableWidget(this)) {
  setObjectName("FormErrors");
  setWindowTitle(QString::fromUtf8("Lista de Erros"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kWidth, kHeight);

  grid_->setObjectName("StringGrid");
  QFont font(ResolveFontFamily("MS Sans Serif"));
  font.setPixelSize(kFontPixels);
  grid_->setFont(font);
  grid_->setColumnCount(2);
  grid_->setRowCount(0);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
  grid_->setShowGrid(true);
  grid_->setWordWrap(false);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  grid_->setColumnWidth(0, kCodeColumnWidth);
  grid_->setGeometry(kBorderWidth, kBorderWidth, kWidth - 2 * kBorderWidth, kHeight - 2 * kBorderWidth);
  MakeToolbarUnderX11(this);
  FormCreate();
}

void TFormErrors::FormCreate() {
  FitColumns();
}

void TFormErrors::FormResize() {
  FitColumns();
}

void TFormErrors::FitColumns() {
  grid_->setColumnWidth(1, std::max(0, grid_->width() - grid_->columnWidth(0) - 22));
}

void TFormErrors::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Guard([this] {
    grid_->setGeometry(kBorderWidth, kBorderWidth, std::max(0, width() - 2 * kBorderWidth),
                       std::max(0, height() - 2 * kBorderWidth));
    FormResize();
  });
}

void TFormErrors::Fill(const std::string& title, const std::vector<ErrorLine>& errors) {
  grid_->clearContents();
  grid_->setRowCount(static_cast<int>(errors.size()));
  for (int row = 0; row < static_cast<int>(errors.size()); ++row) {
    const ErrorLine& line = errors[static_cast<std::size_t>(row)];
    grid_->setItem(row, 0, Cell(QString::number(line.code)));
    grid_->setItem(row, 1, Cell(OneLine(line.text)));
  }
  setWindowTitle(ToQString(title));
}

void TFormErrors::ShowOver(QWidget* main, const std::string& title, const std::vector<ErrorLine>& errors) {
  Fill(title, errors);
  if (main == this) main = nullptr;
  // Above the main window, as its tool window.
  if (main) {
    winId();
    if (QWindow* owner = main->window()->windowHandle()) windowHandle()->setTransientParent(owner);
  }
  if (!placed_) PlaceFirstTime(main);
  // Where the platform activates a shown window all the same, the window in
  // use gets the activation back, and with it the focus of its edit.
  QWidget* active = QApplication::activeWindow();
  returnActivationTo_ = active != this ? active : nullptr;
  shownAt_.start();
  show();
  // An already visible window would stay behind the one in use.
  raise();
}

void TFormErrors::PlaceFirstTime(const QWidget* main) {
  placed_ = true;
  const QWidget* owner = main ? main->window() : nullptr;
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  move(FirstPlace(FrameSize(owner), screen->availableGeometry(), owner ? owner->frameGeometry() : QRect(),
                  FrameArea(owner)));
}

QSize TFormErrors::FrameSize(const QWidget* owner) const {
  // The frame's size where the platform tells it already.
  winId();
  const QSize frame = frameGeometry().size();
  if (frame != size() || !owner) return frame;
  return size() + owner->frameGeometry().size() - owner->size();
}

QPoint TFormErrors::FirstPlace(QSize frame, const QRect& screen, const QRect& main, const QRect& avoid) {
  QPoint topLeft = screen.center() - QPoint(frame.width() / 2, frame.height() / 2);
  if (!main.isEmpty()) {
    const int right = main.right() + 1 + kPlacementGap;
    const int left = main.left() - kPlacementGap - frame.width();
    if (right + frame.width() <= screen.right() + 1) {
      topLeft = QPoint(right, main.top());
    } else if (left >= screen.left()) {
      topLeft = QPoint(left, main.top());
    } else if (avoid.isEmpty()) {
      topLeft = QPoint(main.left(), main.bottom() + 1 - frame.height());
    } else {
      topLeft = QPoint(avoid.left() - kPlacementGap - frame.width(), avoid.bottom() + 1 - frame.height());
    }
  }
  topLeft.setX(std::clamp(topLeft.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - frame.width())));
  topLeft.setY(std::clamp(topLeft.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - frame.height())));
  return topLeft;
}

QRect TFormErrors::FrameArea(const QWidget* main) {
  const QWidget* host = main ? main->findChild<QWidget*>(QStringLiteral("FrameHost")) : nullptr;
  if (!host || host->size().isEmpty()) return {};
  return {host->mapToGlobal(QPoint(0, 0)), host->size()};
}

bool TFormErrors::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Guard([this] { GiveActivationBack(); });
  return QWidget::event(event);
}

void TFormErrors::GiveActivationBack() {
  const QPointer<QWidget> to = std::exchange(returnActivationTo_, nullptr);
  if (to && to->isVisible() && shownAt_.isValid() && shownAt_.elapsed() < kActivationGraceMs) to->activateWindow();
}

// ---- TErrorWindow

TErrorWindow::TErrorWindow() = default;

TErrorWindow::~TErrorWindow() = default;

void TErrorWindow::ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors) {
  if (!form_) form_.reset(new TFormErrors());
  form_->ShowOver(main_, title, errors);
}

void TErrorWindow::HideErrors() {
  if (form_) form_->hide();
}
