#pragma once
// The control base: a QWidget that is also a component. It carries the class
// library's geometry (virtual SetBounds over a raw PlaceWindow), alignment in
// the order alTop, alBottom, alLeft, alRight, alClient, colour and font
// passed on to children, the change hooks, Visible against Showing, mouse
// and key virtuals in client coordinates with click synthesis, mouse
// capture, window timers and the drag protocol.
//
// Qt events only forward, inside the guard, to the message paths (WMButtonDown,
// WMMouseMove, WMButtonUp, ...) and from there to the virtuals; tests may call
// either directly. Painting happens only in the paint event, through Canvas():
// a control that wants to draw at another moment changes its state and calls
// Invalidate/Repaint. The paint is opaque and nothing fills the background
// before Paint runs.
//
// Controls are deleted by Qt's parent tree (a control without a parent by its
// Owner); the Owner is a pointer for notifications and look-ups.

#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "platform/classes/Classes.h"
#include "platform/gui/Canvas.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

class TControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TBorderStyle { bsNone, bsSingle };

enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1,
  csCaptureMouse = 2,  // a left press takes the mouse capture until the release
  csClickEvents = 4,   // a left press and release on the control give Click
  csSetCaption = 8,
  csOpaque = 16,
  csDoubleClicks = 32,  // a second quick press is a double click, else a press
  csNoDesignVisible = 64,
};
using TControlStyle = unsigned;

// Screen cursor identifiers; programs add their own positive ones
// (Screen::SetCursors).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Virtual-key codes of the keys the widgets look at.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;

// The virtual-key code of a Qt key (letters upper case, digits as they are);
// 0 for a key without one.
int VirtualKeyFromQt(int qtKey);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The left, right or middle button; false for any other.
bool ButtonFromQt(Qt::MouseButton button, TMouseButton& out);

using TMouseEvent = std::function<void(TPersistent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TPersistent* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TPersistent* Sender, int& Key, TShiftState Shift)>;
using TDragOverEvent =
    std::function<void(TPersistent* Sender, TPersistent* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TPersistent* Sender, TPersistent* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TPersistent* Sender, TPersistent* Target, int X, int Y)>;

class TControl : public QWidget, public TComponent {
public:
  explicit TControl(TComponent* AOwner = nullptr);
  ~TControl() override;

  void SetName(const std::string& name) override;

  // ---- Parent and children
  // The parent when it is a control (nullptr for any other parent widget).
  TControl* Parent() const;
  // Keeps Visible; a child takes the parent's colour and font when its
  // ParentColor and ParentFont say so; the parent realigns.
  void SetParent(QWidget* parent);
  // Child controls in z-order, the bottom one first.
  int ControlCount() const;
  TControl* Controls(int index) const;
  void BringToFront();
  void SendToBack();

  // ---- Geometry, in the parent's client coordinates
  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
  void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
  void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
  void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // Moves and sizes the control, then asks the parent to realign.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // Moves and sizes the window only: no SetBounds override runs and the parent
  // does not realign. A new size realigns the children and calls Resized.
  void PlaceWindow(const TRect& bounds);
  virtual TRect ClientRect() const { return {0, 0, width(), height()}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  // ---- Alignment
  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  // Aligns the children now.
  void Realign();
  // Nested: alignment asked for in between runs once at the last EnableAlign.
  void DisableAlign();
  void EnableAlign();
  // Places the aligned children in Rect (the client rectangle on entry):
  // AdjustClientRect first, then alTop, alBottom, alLeft, alRight and alClient
  // children in turn; within one kind by position, AControl before its equals.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // The part of the client rectangle the aligned children share.
  virtual void AdjustClientRect(TRect& Rect);

  // ---- Look and texts
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value) { font_.Assign(value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& value);
  const std::string& Caption() const { return Text(); }
  void SetCaption(const std::string& value) { SetText(value); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor value) { dragCursor_ = value; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* value);
  // The menu a right click shows: PopupMenu here.
  virtual TPopupMenu* GetPopupMenu() { return popupMenu_; }
  TControlStyle ControlStyle() const { return style_; }
  void SetControlStyle(TControlStyle value) { style_ = value; }

  // ---- Visibility, enabling, focus
  // The control's own flag (it may be hidden by an ancestor); a control
  // without a parent is a window, visible while it is shown.
  bool Visible() const { return parentWidget() ? visible_ : !isHidden(); }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible on the screen: the control and all its ancestors are.
  bool Showing() const { return isVisible(); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Focused() const { return hasFocus(); }
  bool CanFocus() const;
  void SetFocus();

  // ---- Painting
  // Bound to the widget's painter while Paint runs; draws nothing elsewhere.
  TCanvas& Canvas() { return canvas_; }
  void Invalidate();
  void InvalidateRect(const TRect& r);
  // Paints now (the whole control or one rectangle).
  void Repaint();
  void RepaintRect(const TRect& r);
  // Paints now what was invalidated and not painted yet.
  void Update();

  // ---- Mouse capture
  bool MouseCapture() const;
  void SetMouseCapture(bool value);

  // ---- Window timers: WindowTimer(id) runs every ms milliseconds until
  // KillTimer(id); setting an id again restarts it.
  void SetTimer(int id, int ms);
  void KillTimer(int id);
  bool TimerRunning(int id) const { return timers_.count(id) != 0; }

  // ---- The message paths. A left press takes the capture (csCaptureMouse)
  // and marks a pending click (csClickEvents); the left release gives the
  // capture back, then MouseUp, then Click when the click is still pending
  // and the release lies in the client rectangle.
  void WMButtonDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void WMButtonDblClk(TMouseButton Button, TShiftState Shift, int X, int Y);
  void WMMouseMove(TShiftState Shift, int X, int Y);
  void WMButtonUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  bool ClickPending() const { return clicked_; }
  // The release of the current press will not be a click.
  void DropPendingClick() { clicked_ = false; }

  // ---- Hooks: what the events call, for the controls to override
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseEnter();
  // The pointer left the control (also when it enters a child, and on hide).
  virtual void MouseLeave();
  // Key: a virtual-key code; setting it to 0 marks it handled.
  virtual void KeyDown(int& Key, TShiftState Shift);
  virtual void KeyUp(int& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void Paint();
  // After a change of size, once the children are realigned; fires OnResize.
  virtual void Resized();
  virtual void ColorChanged();
  virtual void ParentColorChanged();
  virtual void FontChanged();
  virtual void ParentFontChanged();
  virtual void EnabledChanged();
  virtual void TextChanged();
  // Visible changed; the default shows or hides the widget.
  virtual void VisibleChanged();
  virtual void ShowingChanged();
  virtual void Ctl3DChanged();
  // Sent to the capture holder before a modal loop (menu, dialog) or when the
  // program is deactivated; the default drops a pending click and gives the
  // capture back.
  virtual void CancelMode();
  // The capture went from this control to newHolder (nullptr: released).
  virtual void CaptureChanged(TControl* newHolder);
  virtual void WindowTimer(int id);

  // ---- Drag protocol (positions in this control's client coordinates)
  // Accept only when OnDragOver is assigned and accepts.
  virtual void DragOver(TPersistent* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TPersistent* Source, int X, int Y);
  virtual void DoEndDrag(TPersistent* Target, int X, int Y);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnResize;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

protected:
  void Notification(TComponent* component, TComponentOperation operation) override;
  bool FreedByOwner() const override { return parentWidget() == nullptr; }
  // Asks the parent to realign, this control first among its equals.
  void RequestAlign();

  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

private:
  // Runs a handler inside the guard, unless the control is going.
  template <class F>
  void Dispatch(F&& work);
  void AlignControl(TControl* AControl);
  void SizeChanged();
  void ShowingMayHaveChanged();
  void ApplyVisibility();
  void ApplyHint();
  bool Going() const { return (ComponentState() & csDestroying) != 0; }

  TAlign align_ = alNone;
  int alignLevel_ = 0;
  bool alignNeeded_ = false;
  QSize seenSize_;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  TFont font_;
  bool parentFont_ = true;
  bool ctl3D_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  TCursor cursor_ = crDefault;
  TCursor dragCursor_ = crDrag;
  TPopupMenu* popupMenu_ = nullptr;
  TControlStyle style_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  bool visible_ = true;
  bool showing_ = false;
  bool enabled_ = true;
  bool clicked_ = false;
  bool dirty_ = false;
  TCanvas canvas_;
  std::map<int, int> timers_;  // our id -> Qt's id
};

// Windowed, custom-drawn and windowless controls are all the one widget
// class.
using TWinControl = TControl;
using TCustomControl = TControl;
using TGraphicControl = TControl;
