#include "forms/ErrorsForm.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <tuple>
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

// What a user types in, picks from or presses.
bool IsControl(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
         qobject_cast<const QAbstractButton*>(w);
}

// Inside a control below root (a combo box's edit, a view's buttons).
bool InsideControl(const QWidget* w, const QWidget* root) {
  for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
    if (IsControl(p)) return true;
  return false;
}

std::int64_t Area(const QRect& r) {
  return r.isEmpty() ? 0 : std::int64_t{r.width()} * r.height();
}

QRect ScreenRect(const QWidget* w) {
  return {w->mapToGlobal(QPoint(0, 0)), w->size()};
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
  if (!movedByUser_) MoveToPlace(main);
  // Where the platform activates a shown window all the same, the window in
  // use gets the activation back, and with it the focus of its edit.
  QWidget* active = QApplication::activeWindow();
  returnActivationTo_ = active != this ? active : nullptr;
  shownAt_.start();
  show();
  // An already visible window would stay behind the one in use.
  raise();
}

void TFormErrors::MoveToPlace(const QWidget* main) {
  const QWidget* owner = main ? main->window() : nullptr;
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  placedAt_ = PlaceFor(owner, FrameSize(owner), screen->availableGeometry());
  // Until the platform knows the frame, a move places the inside of the
  // window: there, put it where the owner's decoration would put it.
  QPoint inside = placedAt_;
  if (owner && frameGeometry() == geometry()) inside += owner->geometry().topLeft() - owner->frameGeometry().topLeft();
  move(inside);
}

void TFormErrors::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // Only a window on the screen is moved by the user; until it is exposed
  // the window manager may still be settling it.
  const QWindow* handle = windowHandle();
  if (isVisible() && handle && handle->isExposed() && pos() != placedAt_) movedByUser_ = true;
}

QSize TFormErrors::FrameSize(const QWidget* owner) const {
  // The frame's size where the platform tells it already.
  winId();
  const QSize frame = frameGeometry().size();
  if (frame != size() || !owner) return frame;
  return size() + owner->frameGeometry().size() - owner->size();
}

QPoint TFormErrors::Place(QSize frame, const QRect& screen, const QRect& main, const QRect& itemsArea,
                          const std::vector<QRect>& controls) {
  const int w = frame.width();
  const int h = frame.height();
  const auto onScreenX = [&](int x) {
    return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - w));
  };
  const auto onScreenY = [&](int y) {
    return std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - h));
  };
  const auto onScreen = [&](QPoint p) { return QPoint(onScreenX(p.x()), onScreenY(p.y())); };
  if (main.isEmpty()) return onScreen(screen.center() - QPoint(w / 2, h / 2));

  const int roomRight = screen.right() - main.right();
  const int roomLeft = main.left() - screen.left();
  if (roomRight >= w) return {main.right() + 1 + std::min(kPlacementGap, roomRight - w), onScreenY(main.top())};
  if (roomLeft >= w) return {main.left() - std::min(kPlacementGap, roomLeft - w) - w, onScreenY(main.top())};

  const auto covered = [&](QPoint p) {
    const QRect r(p, frame);
    std::int64_t area = 0;
    for (const QRect& c : controls) area += Area(r & c);
    return area;
  };
  if (!itemsArea.isEmpty()) {
    const QPoint over = onScreen({itemsArea.right() + 1 - kPlacementGap - w, itemsArea.bottom() + 1 - h});
    if (covered(over) == 0) return over;
  }

  // Against the screen's edges or the main window's inside, or a gap off
  // the main window's edges or a control's.
  std::vector<int> xs{screen.left(), screen.right() + 1 - w, main.left(), main.right() + 1 - w};
  std::vector<int> ys{screen.top(), screen.bottom() + 1 - h, main.top(), main.bottom() + 1 - h};
  const auto besideOf = [&](const QRect& r) {
    xs.insert(xs.end(), {r.left() - kPlacementGap - w, r.right() + 1 + kPlacementGap});
    ys.insert(ys.end(), {r.top() - kPlacementGap - h, r.bottom() + 1 + kPlacementGap});
  };
  besideOf(main);
  for (const QRect& c : controls) besideOf(c);
  for (int& x : xs) x = onScreenX(x);
  for (int& y : ys) y = onScreenY(y);
  for (std::vector<int>* v : {&xs, &ys}) {
    std::sort(v->begin(), v->end());
    v->erase(std::unique(v->begin(), v->end()), v->end());
  }
  const QPoint centre = main.center() - QPoint(w / 2, h / 2);
  QPoint best;
  auto bestCost = std::make_tuple(std::numeric_limits<std::int64_t>::max(), std::int64_t{0}, std::int64_t{0});
  for (int x : xs) {
    for (int y : ys) {
      const QPoint p(x, y);
      const QPoint off = p - centre;
      const auto cost = std::make_tuple(covered(p), Area(QRect(p, frame) & main),
                                        std::int64_t{off.x()} * off.x() + std::int64_t{off.y()} * off.y());
      if (cost < bestCost) {
        bestCost = cost;
        best = p;
      }
    }
  }
  return best;
}

QPoint TFormErrors::PlaceFor(const QWidget* main, QSize frame, const QRect& screen) {
  if (!main) return Place(frame, screen, {}, {}, {});
  const QRect outer = main->frameGeometry();
  std::vector<QRect> controls = PageControls(main);
  // The title bar and the menus stay in view as well.
  const auto* menus = main->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
  if (menus && menus->isVisible())
    controls.emplace_back(outer.topLeft(), QPoint(outer.right(), ScreenRect(menus).bottom()));
  return Place(frame, screen, outer, ItemsArea(main), controls);
}

QRect TFormErrors::FrameArea(const QWidget* main) {
  const QWidget* host = main ? main->findChild<QWidget*>(QStringLiteral("FrameHost")) : nullptr;
  if (!host || host->size().isEmpty()) return {};
  return ScreenRect(host);
}

QRect TFormErrors::ItemsArea(const QWidget* main) {
  const QWidget* panel = main ? main->findChild<QWidget*>(QStringLiteral("HeaderPanelTreeView")) : nullptr;
  const QRect frames = FrameArea(main);
  if (!panel || !panel->isVisible() || frames.isEmpty()) return {};
  return {QPoint(main->mapToGlobal(QPoint(0, 0)).x(), frames.top()), QPoint(frames.left() - 1, frames.bottom())};
}

std::vector<QRect> TFormErrors::PageControls(const QWidget* main) {
  const auto* frames = main ? main->findChild<QStackedWidget*>(QStringLiteral("Frames")) : nullptr;
  const QWidget* frame = frames ? frames->currentWidget() : nullptr;
  std::vector<QRect> controls;
  if (!frame || !frame->isVisible()) return controls;
  for (const QWidget* w : frame->findChildren<QWidget*>())
    if (IsControl(w) && w->isVisible() && !InsideControl(w, frame)) controls.push_back(ScreenRect(w));
  return controls;
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

void TErrorWindow::HideErrorsOf(const std::string& title) {
  if (form_ && form_->windowTitle() == ToQString(title)) form_->hide();
}
