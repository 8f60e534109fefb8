#include "platform/gui/InputHub.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

namespace {

QPointer<InputHub>& TheHub() {
  static QPointer<InputHub> hub;
  return hub;
}

// Platforms without a mouse grab (they say so in a warning on every try).
bool PlatformGrabsMouse() {
  static const bool grabs = [] {
    const QString name = QGuiApplication::platformName();
    return name != "offscreen" && name != "minimal" && !name.startsWith("wayland");
  }();
  return grabs;
}

}  // namespace

InputHub::InputHub(QObject* parent) : QObject(parent) {}

InputHub& InputHub::Instance() {
  QPointer<InputHub>& hub = TheHub();
  if (!hub) {
    hub = new InputHub(QCoreApplication::instance());
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(hub);
  }
  return *hub;
}

template <class Handler>
void InputHub::Drop(std::vector<Entry<Handler>>& list, Subscription id) {
  list.erase(std::remove_if(list.begin(), list.end(), [id](const auto& e) { return e.id == id; }), list.end());
}

InputHub::Subscription InputHub::SubscribeKeys(std::function<bool(const TKeyStroke&)> handler) {
  keys_.push_back({nextId_, std::move(handler)});
  return nextId_++;
}

InputHub::Subscription InputHub::SubscribeMousePresses(std::function<void(const TMousePress&)> handler) {
  presses_.push_back({nextId_, std::move(handler)});
  return nextId_++;
}

InputHub::Subscription InputHub::SubscribeDeactivation(std::function<void()> handler) {
  deactivation_.push_back({nextId_, std::move(handler)});
  return nextId_++;
}

void InputHub::Unsubscribe(Subscription id) {
  Drop(keys_, id);
  Drop(presses_, id);
  Drop(deactivation_, id);
}

// ---- capture

void InputHub::SetCapture(TControl* control) {
  if (control == capture_) return;
  TControl* old = capture_;
  if (grabbed_ && old && QWidget::mouseGrabber() == old) old->releaseMouse();
  grabbed_ = false;
  capture_ = control;
  if (control && control->isVisible() && PlatformGrabsMouse()) {
    control->grabMouse();
    grabbed_ = true;
  }
  if (old) old->CaptureChanged(control);
}

void InputHub::ReleaseCapture() {
  TControl* old = capture_;
  if (!old) return;
  capture_ = nullptr;
  if (grabbed_ && QWidget::mouseGrabber() == old) old->releaseMouse();
  grabbed_ = false;
  old->CaptureChanged(nullptr);
}

void InputHub::ForgetControl(TControl* control) {
  if (capture_ != control) return;
  if (grabbed_ && QWidget::mouseGrabber() == control) control->releaseMouse();
  grabbed_ = false;
  capture_ = nullptr;
}

// ---- the filter

bool InputHub::eventFilter(QObject* watched, QEvent* event) {
  bool swallow = false;
  Guard([&] {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        if (watched->isWidgetType()) {
          swallow = FilterKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
        }
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (watched->isWidgetType()) FilterPress(static_cast<QMouseEvent*>(event), false);
        break;
      case QEvent::NonClientAreaMouseButtonPress:
        FilterPress(static_cast<QMouseEvent*>(event), true);
        break;
      case QEvent::MouseMove:
      case QEvent::MouseButtonRelease:
        if (watched->isWidgetType()) {
          swallow = RedirectToCapture(static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(event));
        }
        break;
      case QEvent::ApplicationStateChange:
        if (watched == QCoreApplication::instance() &&
            static_cast<QApplicationStateChangeEvent*>(event)->applicationState() != Qt::ApplicationActive) {
          Deactivated();
        }
        break;
      default:
        break;
    }
  });
  return swallow;
}

bool InputHub::FilterKey(QWidget* receiver, QKeyEvent* e) {
  // An ignored key goes up the parents as the same event: it is new unless it
  // is the one last seen, now at an ancestor of where it was.
  bool same = e == lastKey_ && e->type() == lastKeyType_ && e->key() == lastKeyCode_ && lastKeyReceiver_ &&
              receiver->isAncestorOf(lastKeyReceiver_);
  lastKey_ = e;
  lastKeyType_ = e->type();
  lastKeyCode_ = e->key();
  lastKeyReceiver_ = receiver;
  if (same) return lastKeySwallowed_;
  lastKeySwallowed_ = false;
  int vk = VirtualKeyFromQt(e->key());
  if (vk == 0 || keys_.empty()) return false;
  TKeyStroke stroke{vk, e->type() == QEvent::KeyPress, ShiftStateFromQt(e->modifiers(), Qt::NoButton),
                    e->isAutoRepeat()};
  auto handlers = keys_;
  for (const auto& entry : handlers) {
    if (std::none_of(keys_.begin(), keys_.end(), [&](const auto& k) { return k.id == entry.id; })) continue;
    bool swallowed = false;
    Guard([&] { swallowed = entry.handler(stroke); });
    if (swallowed) {
      lastKeySwallowed_ = true;
      return true;
    }
  }
  return false;
}

void InputHub::FilterPress(QMouseEvent* e, bool nonClient) {
  TMouseButton button;
  if (!ButtonFromQt(e->button(), button)) return;
  QPoint global = e->globalPosition().toPoint();
  quint64 time = e->timestamp();
  // Parents get copies of an ignored press: the same press has the same
  // timestamp, button and place. A press without a timestamp is always new.
  if (time != 0 && time == lastPressTime_ && int(e->button()) == lastPressButton_ && global == lastPressPos_) {
    return;
  }
  lastPressTime_ = time;
  lastPressButton_ = int(e->button());
  lastPressPos_ = global;
  TMousePress press{button, FromQPoint(global), nonClient};
  auto handlers = presses_;
  for (const auto& entry : handlers) {
    if (std::none_of(presses_.begin(), presses_.end(), [&](const auto& k) { return k.id == entry.id; })) continue;
    Guard([&] { entry.handler(press); });
  }
}

bool InputHub::RedirectToCapture(QWidget* receiver, QMouseEvent* e) {
  TControl* holder = capture_;
  if (!holder || receiver == holder || QApplication::activePopupWidget()) return false;
  TPoint p = FromQPoint(holder->mapFromGlobal(e->globalPosition().toPoint()));
  TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
  if (e->type() == QEvent::MouseMove) {
    Guard([&] { holder->WMMouseMove(shift, p.X, p.Y); });
    return true;
  }
  TMouseButton button;
  if (!ButtonFromQt(e->button(), button)) return true;
  Guard([&] { holder->WMButtonUp(button, shift, p.X, p.Y); });
  return true;
}

void InputHub::Deactivated() {
  Guard([] { CancelCaptureMode(); });
  auto handlers = deactivation_;
  for (const auto& entry : handlers) {
    if (std::none_of(deactivation_.begin(), deactivation_.end(), [&](const auto& k) { return k.id == entry.id; }))
      continue;
    Guard([&] { entry.handler(); });
  }
}

// ---- Capture

void SetCapture(TControl* control) {
  InputHub::Instance().SetCapture(control);
}

void ReleaseCapture() {
  InputHub::Instance().ReleaseCapture();
}

TControl* GetCapture() {
  return InputHub::Instance().Capture();
}

void CancelCaptureMode() {
  if (TControl* holder = GetCapture()) holder->CancelMode();
}
