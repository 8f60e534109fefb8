#include "platform/gui/Controls.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Guard.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/Menus.h"
#include "platform/gui/QtTypes.h"

// ---- keys and shift states

int VirtualKeyFromQt(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    default:
      return 0;
  }
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

bool ButtonFromQt(Qt::MouseButton b, TMouseButton& out) {
  switch (b) {
    case Qt::LeftButton:
      out = mbLeft;
      return true;
    case Qt::RightButton:
      out = mbRight;
      return true;
    case Qt::MiddleButton:
      out = mbMiddle;
      return true;
    default:
      return false;
  }
}

namespace {

// The order within one kind of alignment: by position, the control that
// asked first among equals.
bool InsertBefore(const TControl* c1, const TControl* c2, TAlign align) {
  switch (align) {
    case alTop:
      return c1->Top() < c2->Top();
    case alBottom:
      return c1->Top() + c1->Height() > c2->Top() + c2->Height();
    case alLeft:
      return c1->Left() < c2->Left();
    case alRight:
      return c1->Left() + c1->Width() > c2->Left() + c2->Width();
    default:
      return false;
  }
}

}  // namespace

// ---- TControl

TControl::TControl(TComponent* AOwner) : QWidget(nullptr), TComponent(AOwner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  setMouseTracking(true);
  setGeometry(0, 0, 0, 0);
  seenSize_ = QSize(0, 0);
  font_.OnChange = [this](TPersistent*) {
    parentFont_ = false;
    FontChanged();
  };
  InputHub::Instance();
}

TControl::~TControl() {
  Destroying();
  InputHub::Instance().ForgetControl(this);
  for (auto& [id, qtId] : timers_) killTimer(qtId);
  timers_.clear();
  // The children go while this control and its owner's components are whole.
  for (;;) {
    QWidget* child = nullptr;
    for (QObject* o : children()) {
      if (o->isWidgetType()) child = static_cast<QWidget*>(o);
    }
    if (!child) break;
    delete child;
  }
  DestroyComponents();
}

template <class F>
void TControl::Dispatch(F&& work) {
  if (Going()) return;
  Guard(std::forward<F>(work));
}

void TControl::SetName(const std::string& name) {
  TComponent::SetName(name);
  setObjectName(ToQString(name));
}

// ---- parent and children

TControl* TControl::Parent() const {
  return dynamic_cast<TControl*>(parentWidget());
}

void TControl::SetParent(QWidget* parent) {
  if (parent == parentWidget()) return;
  // Qt hides a widget that was on screen when it changes parent; the
  // control keeps its Visible.
  const bool visible = visible_;
  QWidget::setParent(parent);
  visible_ = visible;
  ApplyVisibility();
  if (Parent()) {
    if (parentColor_) ParentColorChanged();
    if (parentFont_) ParentFontChanged();
  }
  RequestAlign();
}

int TControl::ControlCount() const {
  int n = 0;
  for (QObject* o : children()) {
    if (o->isWidgetType() && dynamic_cast<TControl*>(o) && !static_cast<QWidget*>(o)->isWindow()) ++n;
  }
  return n;
}

TControl* TControl::Controls(int index) const {
  int n = 0;
  for (QObject* o : children()) {
    auto* c = o->isWidgetType() ? dynamic_cast<TControl*>(o) : nullptr;
    if (!c || c->isWindow()) continue;
    if (n == index) return c;
    ++n;
  }
  ThrowListIndexError(index);
}

void TControl::BringToFront() {
  raise();
}

void TControl::SendToBack() {
  lower();
}

// ---- geometry

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  PlaceWindow(Bounds(ALeft, ATop, AWidth, AHeight));
  RequestAlign();
}

void TControl::PlaceWindow(const TRect& bounds) {
  TRect b = bounds;
  b.Right = std::max(b.Right, b.Left);
  b.Bottom = std::max(b.Bottom, b.Top);
  QRect r = ToQRect(b);
  if (geometry() != r) setGeometry(r);
  SizeChanged();
}

void TControl::SizeChanged() {
  if (size() == seenSize_ || Going()) return;
  seenSize_ = size();
  Realign();
  Resized();
}

TPoint TControl::ClientToScreen(TPoint p) const {
  return FromQPoint(mapToGlobal(ToQPoint(p)));
}

TPoint TControl::ScreenToClient(TPoint p) const {
  return FromQPoint(mapFromGlobal(ToQPoint(p)));
}

// ---- alignment

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (TControl* p = Parent()) p->AlignControl(this);
}

void TControl::Realign() {
  AlignControl(nullptr);
}

void TControl::DisableAlign() {
  ++alignLevel_;
}

void TControl::EnableAlign() {
  if (alignLevel_ > 0 && --alignLevel_ == 0 && alignNeeded_) Realign();
}

void TControl::AlignControl(TControl* AControl) {
  if (Going()) return;
  if (alignLevel_ != 0) {
    alignNeeded_ = true;
    return;
  }
  struct Level {
    TControl& c;
    explicit Level(TControl& control) : c(control) { ++c.alignLevel_; }
    ~Level() {
      c.alignNeeded_ = false;  // requests made while aligning are answered by it
      --c.alignLevel_;
    }
  } level(*this);
  TRect r = ClientRect();
  AlignControls(AControl, r);
}

void TControl::AdjustClientRect(TRect&) {}

void TControl::AlignControls(TControl* AControl, TRect& Rect) {
  AdjustClientRect(Rect);
  std::vector<TControl*> children;
  for (QObject* o : this->children()) {
    auto* c = o->isWidgetType() ? dynamic_cast<TControl*>(o) : nullptr;
    if (c && !c->isWindow() && !c->Going()) children.push_back(c);
  }
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (AControl && AControl->Align() == kind && AControl->Visible() &&
        std::find(children.begin(), children.end(), AControl) != children.end()) {
      list.push_back(AControl);
    }
    for (TControl* c : children) {
      if (c == AControl || c->Align() != kind || !c->Visible()) continue;
      std::size_t j = 0;
      while (j < list.size() && !InsertBefore(c, list[j], kind)) ++j;
      list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
    }
    for (TControl* c : list) {
      int w = Rect.Right - Rect.Left;
      if (w < 0 || kind == alLeft || kind == alRight) w = c->Width();
      int h = Rect.Bottom - Rect.Top;
      if (h < 0 || kind == alTop || kind == alBottom) h = c->Height();
      int left = Rect.Left;
      int top = Rect.Top;
      switch (kind) {
        case alTop:
          Rect.Top += h;
          break;
        case alBottom:
          Rect.Bottom -= h;
          top = Rect.Bottom;
          break;
        case alLeft:
          Rect.Left += w;
          break;
        case alRight:
          Rect.Right -= w;
          left = Rect.Right;
          break;
        default:
          break;
      }
      c->SetBounds(left, top, w, h);
      // A control that kept another size leaves its space as it is.
      if (c->Width() != w || c->Height() != h) {
        switch (kind) {
          case alTop:
            Rect.Top -= h - c->Height();
            break;
          case alBottom:
            Rect.Bottom += h - c->Height();
            break;
          case alLeft:
            Rect.Left -= w - c->Width();
            break;
          case alRight:
            Rect.Right += w - c->Width();
            break;
          case alClient:
            Rect.Right -= w - c->Width();
            Rect.Bottom -= h - c->Height();
            break;
          default:
            break;
        }
      }
    }
  }
}

// ---- look and texts

void TControl::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  parentColor_ = false;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (value && Parent()) ParentColorChanged();
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (value && Parent()) ParentFontChanged();
}

void TControl::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  Ctl3DChanged();
}

void TControl::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  TextChanged();
}

void TControl::SetHint(const std::string& value) {
  hint_ = value;
  ApplyHint();
}

void TControl::SetShowHint(bool value) {
  showHint_ = value;
  ApplyHint();
}

void TControl::ApplyHint() {
  setToolTip(showHint_ ? ToQString(hint_) : QString());
}

void TControl::SetCursor(TCursor value) {
  cursor_ = value;
  if (value == crDefault) {
    unsetCursor();
  } else {
    setCursor(Screen::Cursors(value));
  }
}

void TControl::SetPopupMenu(TPopupMenu* value) {
  if (value == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = value;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TComponentOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

// ---- visibility, enabling, focus

void TControl::SetVisible(bool value) {
  if (value == Visible()) {
    // A window keeps the flag too, for the parent it may get later.
    visible_ = value;
    return;
  }
  visible_ = value;
  VisibleChanged();
  RequestAlign();
}

void TControl::ApplyVisibility() {
  // A window shows only when asked to, never because it lost its parent.
  if (parentWidget()) QWidget::setVisible(visible_);
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  EnabledChanged();
}

bool TControl::CanFocus() const {
  return isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus;
}

void TControl::SetFocus() {
  setFocus(Qt::OtherFocusReason);
}

// ---- painting

void TControl::Invalidate() {
  dirty_ = true;
  update();
}

void TControl::InvalidateRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  dirty_ = true;
  update(ToQRect(r));
}

void TControl::Repaint() {
  repaint();
}

void TControl::RepaintRect(const TRect& r) {
  if (!IsRectEmpty(r)) repaint(ToQRect(r));
}

void TControl::Update() {
  if (dirty_) repaint();
}

// ---- capture and timers

bool TControl::MouseCapture() const {
  return GetCapture() == this;
}

void TControl::SetMouseCapture(bool value) {
  if (value) {
    ::SetCapture(this);
  } else if (MouseCapture()) {
    ::ReleaseCapture();
  }
}

void TControl::SetTimer(int id, int ms) {
  KillTimer(id);
  timers_[id] = startTimer(std::max(ms, 1));
}

void TControl::KillTimer(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  killTimer(it->second);
  timers_.erase(it);
}

// ---- message paths

void TControl::WMButtonDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (style_ & csCaptureMouse) SetMouseCapture(true);
    if (style_ & csClickEvents) clicked_ = true;
  }
  MouseDown(Button, Shift, X, Y);
}

void TControl::WMButtonDblClk(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!(style_ & csDoubleClicks)) {
    WMButtonDown(Button, Shift, X, Y);
    return;
  }
  QPointer<QWidget> alive(this);
  if (Button == mbLeft) {
    if (style_ & csCaptureMouse) SetMouseCapture(true);
    if (style_ & csClickEvents) DblClick();
  }
  if (alive) MouseDown(Button, Shift | ssDouble, X, Y);
}

void TControl::WMMouseMove(TShiftState Shift, int X, int Y) {
  MouseMove(Shift, X, Y);
}

void TControl::WMButtonUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft) {
    MouseUp(Button, Shift, X, Y);
    return;
  }
  QPointer<QWidget> alive(this);
  if ((style_ & csCaptureMouse) && MouseCapture()) SetMouseCapture(false);
  if (!alive) return;
  bool click = clicked_ && PtInRect(ClientRect(), {X, Y});
  clicked_ = false;
  MouseUp(mbLeft, Shift, X, Y);
  if (alive && click) Click();
}

// ---- hooks

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::KeyDown(int& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TControl::KeyUp(int& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TControl::Paint() {}

void TControl::Resized() {
  if (OnResize) OnResize(this);
}

void TControl::ColorChanged() {
  Invalidate();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->parentColor_) c->ParentColorChanged();
  }
}

void TControl::ParentColorChanged() {
  TControl* p = Parent();
  if (!parentColor_ || !p) return;
  SetColor(p->Color());
  parentColor_ = true;
}

void TControl::FontChanged() {
  Invalidate();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->parentFont_) c->ParentFontChanged();
  }
}

void TControl::ParentFontChanged() {
  TControl* p = Parent();
  if (!parentFont_ || !p) return;
  font_.Assign(p->Font());
  parentFont_ = true;
}

void TControl::EnabledChanged() {
  QWidget::setEnabled(enabled_);
  Invalidate();
}

void TControl::TextChanged() {
  Invalidate();
}

void TControl::VisibleChanged() {
  QWidget::setVisible(visible_);
}

void TControl::ShowingChanged() {}

void TControl::Ctl3DChanged() {
  Invalidate();
}

void TControl::CancelMode() {
  clicked_ = false;
  if (MouseCapture()) ::ReleaseCapture();
}

void TControl::CaptureChanged(TControl*) {}

void TControl::WindowTimer(int) {}

void TControl::DragOver(TPersistent* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TPersistent* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TPersistent* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

// ---- Qt events

void TControl::ShowingMayHaveChanged() {
  if (isVisible() == showing_) return;
  showing_ = isVisible();
  ShowingChanged();
}

bool TControl::event(QEvent* e) {
  bool handled = false;
  Guard([&] {
    switch (e->type()) {
      case QEvent::ChildRemoved:
        if (!Going() && static_cast<QChildEvent*>(e)->child()->isWidgetType()) Realign();
        break;
      case QEvent::ShowToParent:
        if (parentWidget()) visible_ = true;
        break;
      case QEvent::HideToParent:
        if (parentWidget()) visible_ = false;
        break;
      default:
        break;
    }
    handled = QWidget::event(e);
  });
  return handled;
}

void TControl::paintEvent(QPaintEvent*) {
  dirty_ = false;
  Dispatch([&] {
    QPainter painter(this);
    TCanvasBinding bound(canvas_, painter);
    Paint();
  });
}

void TControl::mousePressEvent(QMouseEvent* e) {
  e->accept();
  TMouseButton button;
  if (!ButtonFromQt(e->button(), button)) return;
  TPoint p = FromQPoint(e->position().toPoint());
  TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
  Dispatch([&] { WMButtonDown(button, shift, p.X, p.Y); });
}

void TControl::mouseDoubleClickEvent(QMouseEvent* e) {
  e->accept();
  TMouseButton button;
  if (!ButtonFromQt(e->button(), button)) return;
  TPoint p = FromQPoint(e->position().toPoint());
  TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
  Dispatch([&] { WMButtonDblClk(button, shift, p.X, p.Y); });
}

void TControl::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  TPoint p = FromQPoint(e->position().toPoint());
  TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
  Dispatch([&] { WMMouseMove(shift, p.X, p.Y); });
}

void TControl::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  TMouseButton button;
  if (!ButtonFromQt(e->button(), button)) return;
  TPoint p = FromQPoint(e->position().toPoint());
  TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
  Dispatch([&] { WMButtonUp(button, shift, p.X, p.Y); });
}

void TControl::enterEvent(QEnterEvent*) {
  Dispatch([&] { MouseEnter(); });
}

void TControl::leaveEvent(QEvent*) {
  Dispatch([&] { MouseLeave(); });
}

void TControl::keyPressEvent(QKeyEvent* e) {
  int key = VirtualKeyFromQt(e->key());
  if (key == 0) {
    e->ignore();
    return;
  }
  TShiftState shift = ShiftStateFromQt(e->modifiers(), Qt::NoButton);
  Dispatch([&] { KeyDown(key, shift); });
  // Keys left unhandled go on to the parent, as Qt's dialogs expect.
  e->setAccepted(key == 0);
}

void TControl::keyReleaseEvent(QKeyEvent* e) {
  int key = VirtualKeyFromQt(e->key());
  if (key == 0) {
    e->ignore();
    return;
  }
  TShiftState shift = ShiftStateFromQt(e->modifiers(), Qt::NoButton);
  Dispatch([&] { KeyUp(key, shift); });
  e->setAccepted(key == 0);
}

void TControl::focusInEvent(QFocusEvent* e) {
  Dispatch([&] {
    QWidget::focusInEvent(e);
    DoEnter();
  });
}

void TControl::focusOutEvent(QFocusEvent* e) {
  Dispatch([&] {
    QWidget::focusOutEvent(e);
    DoExit();
  });
}

void TControl::resizeEvent(QResizeEvent*) {
  Dispatch([&] { SizeChanged(); });
}

void TControl::showEvent(QShowEvent*) {
  Dispatch([&] { ShowingMayHaveChanged(); });
}

void TControl::hideEvent(QHideEvent*) {
  Dispatch([&] { ShowingMayHaveChanged(); });
}

void TControl::changeEvent(QEvent* e) {
  Dispatch([&] { QWidget::changeEvent(e); });
}

void TControl::contextMenuEvent(QContextMenuEvent* e) {
  TPopupMenu* menu = nullptr;
  Dispatch([&] { menu = GetPopupMenu(); });
  if (!menu || !menu->AutoPopup()) {
    e->ignore();
    return;
  }
  e->accept();
  TPoint at = FromQPoint(e->globalPos());
  Dispatch([&] {
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
  });
}

void TControl::timerEvent(QTimerEvent* e) {
  for (const auto& [id, qtId] : timers_) {
    if (qtId == e->timerId()) {
      int ours = id;
      Dispatch([&] { WindowTimer(ours); });
      return;
    }
  }
  QWidget::timerEvent(e);
}
