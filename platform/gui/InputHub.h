#pragma once
// One application-wide event filter stands in for the keyboard hook, the
// mouse hook and the main-window hook, and carries the mouse capture.
//
// Keyboard subscribers see each key press and release before the widget it
// goes to, and may swallow it. Mouse-press subscribers hear of each physical
// press once: Qt hands an ignored press to every parent as a copy, so presses
// are told apart by timestamp, button and global position (a press with
// timestamp 0 is always new). Deactivation subscribers hear
// ApplicationStateChange to a state other than active.
//
// Capture: while a control holds it, every mouse move and release of the
// application goes to the holder in its client coordinates, also while the
// holder is hidden; Qt's mouse grab is taken only while the holder is
// visible.

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Types.h"

class QKeyEvent;
class QMouseEvent;

struct TKeyStroke {
  int Key = 0;  // virtual-key code
  bool Down = true;
  TShiftState Shift = 0;
  bool AutoRepeat = false;
};

struct TMousePress {
  TMouseButton Button = mbLeft;
  TPoint ScreenPos;
  bool NonClient = false;  // a press on a window frame (where the platform reports one)
};

class InputHub : public QObject {
public:
  // The hub of the running application, created and installed on first use.
  static InputHub& Instance();

  using Subscription = int;
  // The handler returns true to swallow the key: neither its widget nor later
  // subscribers see it.
  Subscription SubscribeKeys(std::function<bool(const TKeyStroke&)> handler);
  Subscription SubscribeMousePresses(std::function<void(const TMousePress&)> handler);
  Subscription SubscribeDeactivation(std::function<void()> handler);
  // Safe from inside a handler; 0 and unknown ids do nothing.
  void Unsubscribe(Subscription id);

  TControl* Capture() const { return capture_; }
  void SetCapture(TControl* control);
  void ReleaseCapture();
  // A control that goes leaves the capture without being told.
  void ForgetControl(TControl* control);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  explicit InputHub(QObject* parent);
  bool FilterKey(QWidget* receiver, QKeyEvent* e);
  void FilterPress(QMouseEvent* e, bool nonClient);
  bool RedirectToCapture(QWidget* receiver, QMouseEvent* e);
  void Deactivated();

  template <class Handler>
  struct Entry {
    Subscription id;
    Handler handler;
  };
  template <class Handler>
  static void Drop(std::vector<Entry<Handler>>& list, Subscription id);

  int nextId_ = 1;
  std::vector<Entry<std::function<bool(const TKeyStroke&)>>> keys_;
  std::vector<Entry<std::function<void(const TMousePress&)>>> presses_;
  std::vector<Entry<std::function<void()>>> deactivation_;

  // The key event being passed up the parents, and where it was last seen.
  const QEvent* lastKey_ = nullptr;
  int lastKeyType_ = 0;
  int lastKeyCode_ = 0;
  QPointer<QWidget> lastKeyReceiver_;
  bool lastKeySwallowed_ = false;
  // The last press seen.
  quint64 lastPressTime_ = 0;
  int lastPressButton_ = 0;
  QPoint lastPressPos_;

  TControl* capture_ = nullptr;
  bool grabbed_ = false;
};

// The mouse capture, held by the hub.
void SetCapture(TControl* control);
void ReleaseCapture();
TControl* GetCapture();
// Sends CancelMode to the capture holder, if any. The layer's wrappers that
// open something modal (popup menus; dialogs and message boxes) call it first.
void CancelCaptureMode();
