// The group bar: groups, layout, hit testing, painting, mouse and drag-over.

#include <QPointer>
#include <algorithm>
#include <cstdlib>

#include "platform/gui/Forms.h"
#include "platform/gui/InputHub.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ValueScope.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutConst.h"

namespace {

constexpr TColor kGrey = RGB(128, 128, 128);

void Line(TCanvas& c, TColor color, std::initializer_list<TPoint> points) {
  c.Pen().SetColor(color);
  auto it = points.begin();
  c.MoveTo(it->X, it->Y);
  for (++it; it != points.end(); ++it) c.LineTo(it->X, it->Y);
}

}  // namespace

// ---- construction

TCustomGBGroupBar::TCustomGBGroupBar(TComponent* AOwner) : TCustomControl(AOwner), framePause_(DefaultFramePause()) {
  // No double clicks: a quick second press is a press.
  SetControlStyle((ControlStyle() | csAcceptsControls) & ~csDoubleClicks);
  dragTimer_.SetEnabled(false);
  dragTimer_.SetInterval(500);
  dragTimer_.OnTimer = [this](TPersistent*) { DragSwitchTimer(); };
  SetBounds(Left(), Top(), 150, 200);
}

TCustomGBGroupBar::~TCustomGBGroupBar() {
  Destroying();
  dragTimer_.SetEnabled(false);
  dragTimer_.OnTimer = nullptr;
  FreeGroups();
}

void TCustomGBGroupBar::FreeGroups() {
  std::vector<TGBOutBarGroup*> groups;
  groups.swap(groups_);
  activeGroupIndex_ = -1;
  hotIndex_ = pressedIndex_ = dragIndex_ = -1;
  // They must not try to leave a bar that is going.
  for (TGBOutBarGroup* g : groups) g->groupBar_ = nullptr;
  for (TGBOutBarGroup* g : groups) delete g;
}

// ---- properties

void TCustomGBGroupBar::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  PlaceActivePage(true);
}

void TCustomGBGroupBar::SetFlatGroups(bool value) {
  if (value == flatGroups_) return;
  flatGroups_ = value;
  Invalidate();
}

void TCustomGBGroupBar::SetHotTrack(bool value) {
  if (value == hotTrack_) return;
  hotTrack_ = value;
  Invalidate();
}

void TCustomGBGroupBar::SetButtonSpace(int value) {
  if (value < 0) RaiseOutError(SInvalidPropertyValue);
  if (value == buttonSpace_) return;
  buttonSpace_ = value;
  UpdatePageBounds();
}

void TCustomGBGroupBar::SetHotColor(TColor value) {
  if (value == hotColor_) return;
  hotColor_ = value;
  Invalidate();
}

void TCustomGBGroupBar::SetFrequency(int value) {
  if (value == frequency_ || value < 0) return;
  frequency_ = value;
}

void TCustomGBGroupBar::SetButtonSpaceColor(TColor value) {
  if (value == buttonSpaceColor_) return;
  buttonSpaceColor_ = value;
  Invalidate();
}

namespace {
int defaultFramePause = 15;
}

int TCustomGBGroupBar::DefaultFramePause() {
  return defaultFramePause;
}

void TCustomGBGroupBar::SetDefaultFramePause(int ms) {
  defaultFramePause = std::max(ms, 0);
}

// ---- groups

TGBOutBarGroup* TCustomGBGroupBar::Groups(int index) const {
  if (index < 0 || index >= GroupCount()) ThrowListIndexError(index);
  return groups_[static_cast<std::size_t>(index)];
}

TGBOutBarGroup* TCustomGBGroupBar::GetActiveGroup() const {
  if (activeGroupIndex_ < 0 || activeGroupIndex_ >= GroupCount()) return nullptr;
  return groups_[static_cast<std::size_t>(activeGroupIndex_)];
}

void TCustomGBGroupBar::ActivateGroup(TGBOutBarGroup* group) {
  auto it = std::find(groups_.begin(), groups_.end(), group);
  if (it != groups_.end()) SetActiveGroupIndex(static_cast<int>(it - groups_.begin()));
}

TGBOutBarGroup* TCustomGBGroupBar::AddGroup() {
  auto* group = new TGBOutBarGroup(Owner());
  group->groupBar_ = this;
  group->SetDefaultCaption();
  AppendGroup(group);
  if (activeGroupIndex_ == -1) SetActiveGroupIndex(0);
  UpdatePageBounds();
  return group;
}

void TCustomGBGroupBar::AppendGroup(TGBOutBarGroup* group) {
  groups_.push_back(group);
  group->groupBar_ = this;
  group->SetParent(this);
  group->Invalidate();
}

void TCustomGBGroupBar::RemoveGroup(TGBOutBarGroup* group) {
  auto it = std::find(groups_.begin(), groups_.end(), group);
  if (it == groups_.end()) return;
  const int index = static_cast<int>(it - groups_.begin());
  hotIndex_ = pressedIndex_ = dragIndex_ = -1;
  pressed_ = false;
  if (Going() || GroupCount() <= 1) {
    activeGroupIndex_ = -1;
    Invalidate();
  } else {
    SetActiveGroupIndex(index + 1 < GroupCount() ? index + 1 : index - 1);
    if (index < activeGroupIndex_) --activeGroupIndex_;
  }
  it = std::find(groups_.begin(), groups_.end(), group);
  if (it != groups_.end()) groups_.erase(it);
  if (!Going() && !groups_.empty()) UpdatePageBounds();
}

TGBOutBarGroup* TCustomGBGroupBar::FindGroupByCaption(const std::string& caption) const {
  for (TGBOutBarGroup* g : groups_) {
    if (g->Caption() == caption) return g;
  }
  return nullptr;
}

// ---- layout

TRect TCustomGBGroupBar::InnerRect() const {
  TRect r = ClientRect();
  if (borderStyle_ == bsSingle) InflateRect(r, -1, -1);
  return r;
}

int TCustomGBGroupBar::CaptionSpan(int index) const {
  if (index < 0 || index >= GroupCount()) return 0;
  const TGBOutBarGroup* g = groups_[static_cast<std::size_t>(index)];
  const int button = g->CaptionAutoSize() ? std::abs(g->Font().Height()) * 2 : g->CaptionHeight();
  return button + buttonSpace_;
}

TRect TCustomGBGroupBar::CaptionRectFor(int index, int active) const {
  TRect r = InnerRect();
  const int n = GroupCount();
  if (active == -1 || index <= active) {
    int top = r.Top;
    for (int i = 0; i < index; ++i) top += CaptionSpan(i);
    r.Top = top;
    r.Bottom = top + CaptionSpan(index) - buttonSpace_;
  } else {
    int bottom = r.Bottom;
    for (int i = index + 1; i < n; ++i) bottom -= CaptionSpan(i);
    r.Bottom = bottom;
    r.Top = bottom - CaptionSpan(index) + buttonSpace_;
  }
  return r;
}

TRect TCustomGBGroupBar::GetCaptionRect(int index) const {
  return CaptionRectFor(index, activeGroupIndex_);
}

TRect TCustomGBGroupBar::PageRectFor(int active) const {
  TRect r = InnerRect();
  const int n = GroupCount();
  if (n == 0 || active == -1) return r;
  int top = r.Top;
  for (int i = 0; i <= active; ++i) top += CaptionSpan(i);
  int bottom = r.Bottom;
  for (int i = active + 1; i < n; ++i) bottom -= CaptionSpan(i);
  r.Top = top - buttonSpace_;
  r.Bottom = bottom + (active < n - 1 ? buttonSpace_ : 0);
  return r;
}

TRect TCustomGBGroupBar::GetPageRect() const {
  return PageRectFor(activeGroupIndex_);
}

void TCustomGBGroupBar::UpdatePageBounds() {
  TGBOutBarGroup* g = GetActiveGroup();
  if (!g) return;
  g->PlaceWindow(GetPageRect());
  g->raise();
  Invalidate();
}

void TCustomGBGroupBar::PlaceActivePage(bool invalidateGroup) {
  if (TGBOutBarGroup* g = GetActiveGroup()) {
    g->PlaceWindow(GetPageRect());
    g->raise();
    if (invalidateGroup) g->Invalidate();
  }
  Invalidate();
}

int TCustomGBGroupBar::HitTestCaption(int X, int Y) const {
  const int n = GroupCount();
  if (n == 1) return -1;
  const TRect inner = InnerRect();
  if (X < inner.Left || X > inner.Right) return -1;
  const TRect page = GetPageRect();
  const int a = activeGroupIndex_;
  if (inner.Top < Y && Y < page.Top) {
    int d = Y - inner.Top;
    for (int i = 0; i <= a; ++i) {
      d -= CaptionSpan(i);
      if (d <= 0) return i;
    }
  } else if (page.Bottom < Y && Y < inner.Bottom - 1) {
    int d = Y - page.Bottom;
    for (int i = a + 1; i < n; ++i) {
      d -= CaptionSpan(i);
      if (d <= 0) return i;
    }
  }
  return -1;
}

bool TCustomGBGroupBar::IsGroupEnabled(int index) const {
  if (index < 0 || (ComponentState() & csLoading) || index >= GroupCount()) return true;
  return groups_[static_cast<std::size_t>(index)]->Enabled();
}

// ---- painting

void TCustomGBGroupBar::Paint() {
  TValueScope painting(painting_, true);
  const TRect page = animating_ ? animBand_ : GetPageRect();
  // A page that is not shown leaves its place to the bar.
  if (TGBOutBarGroup* g = GetActiveGroup(); g && !g->Visible()) {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(page);
  }
  DrawFrame(page);
  for (int i = 0; i < GroupCount(); ++i) PaintCaption(i);
}

void TCustomGBGroupBar::DrawFrame(const TRect& R) {
  if (!painting_) {
    Invalidate();
    return;
  }
  TCanvas& c = Canvas();
  c.SetFont(Font());
  if (borderStyle_ == bsSingle) {
    TRect edge = ClientRect();
    c.DrawEdge(edge, BDR_SUNKENOUTER, BF_RECT | (Ctl3D() ? 0u : BF_MONO));
  }
  if (activeGroupIndex_ != -1 && Ctl3D() && borderStyle_ == bsSingle) {
    Line(c, clBlack, {{R.Left - 1, R.Bottom - 1}, {R.Left - 1, R.Top - 1}});
  }
  if (activeGroupIndex_ == -1) {
    c.Brush().SetColor(clBtnFace);
    c.FillRect(R);
  }
}

TRect TCustomGBGroupBar::CaptionArea(int index) const {
  const TRect r0 = GetCaptionRect(index);
  return {r0.Left - 1, r0.Top, r0.Right, r0.Bottom + buttonSpace_};
}

void TCustomGBGroupBar::DrawCaption(int index) {
  if (index < 0 || index >= GroupCount()) return;
  if (painting_) {
    PaintCaption(index);
  } else {
    RepaintRect(CaptionArea(index));
  }
}

void TCustomGBGroupBar::PaintCaption(int i) {
  if (i < 0 || i >= GroupCount()) return;
  TGBOutBarGroup* g = groups_[static_cast<std::size_t>(i)];
  TCanvas& c = Canvas();
  const bool pushed = pressed_ && i == pressedIndex_;
  TRect r0 = GetCaptionRect(i);
  c.Brush().SetColor(clBtnFace);
  {
    TRect edge = r0;
    c.DrawEdge(edge, pushed ? EDGE_ETCHED : BDR_RAISEDINNER, BF_RECT);
  }
  c.SetFont(g->Font());
  if (i == hotIndex_ && hotTrack_) c.Font().SetColor(hotColor_);
  const TColor textColor = c.Font().Color();
  TRect r = r0;
  InflateRect(r, -1, -1);
  const TRect text = r;
  const int L = r.Left, T = r.Top, Rt = r.Right, B = r.Bottom;
  TRect fill = r;
  auto raised = [&] {
    Line(c, kGrey, {{L - 2, B}, {L - 2, T - 1}});
    Line(c, clBlack, {{L - 1, B}, {Rt, B}, {Rt, T - 2}});
    Line(c, kGrey, {{L, B - 1}, {Rt - 1, B - 1}, {Rt - 1, T - 1}});
    fill.Right -= 1;
    fill.Bottom -= 1;
  };
  if (pushed) {
    Line(c, clBlack, {{L - 2, B}, {L - 2, T - 1}, {Rt + 1, T - 1}});
    Line(c, kGrey, {{L - 1, B - 1}, {L - 1, T}, {Rt, T}});
    fill.Top += 1;
  } else if (flatGroups_) {
    if (i == hotIndex_) {
      raised();
    } else if (i == activeGroupIndex_) {
      Line(c, clBlack, {{L - 2, B}, {Rt + 1, B}});
    }
  } else {
    raised();
  }
  c.Brush().SetColor(g->Color());
  c.FillRect(fill);
  c.SetBkColor(g->Color());
  c.SetTextColor(IsGroupEnabled(i) ? textColor : clGrayText);
  unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  switch (g->CaptionAlignment()) {
    case taLeftJustify:
      flags |= DT_LEFT;
      break;
    case taRightJustify:
      flags |= DT_RIGHT;
      break;
    default:
      flags |= DT_CENTER;
      break;
  }
  TRect t = text;
  if (pushed) OffsetRect(t, 1, 1);
  c.DrawText(g->Caption(), t, flags);
  // The gap under the caption; the last bottom caption's lies on the edge.
  const bool lastBelow = i == GroupCount() - 1 && i > activeGroupIndex_ && activeGroupIndex_ != -1;
  if (lastBelow) return;
  const TRect s{r0.Left - 1, r0.Bottom, r0.Right, r0.Bottom + buttonSpace_};
  if (i != activeGroupIndex_) {
    c.Brush().SetColor(buttonSpaceColor_);
    c.FillRect(s);
  } else if (borderStyle_ == bsSingle && Ctl3D()) {
    Line(c, clBlack, {{s.Left, s.Bottom - 1}, {s.Left, s.Bottom - buttonSpace_ - 1}});
  }
}

// ---- mouse

void TCustomGBGroupBar::UpdateHandCursor(int hit) {
  const bool hand = hit != -1;
  if (hand == handCursor_) return;
  handCursor_ = hand;
  if (hand) {
    setCursor(Qt::PointingHandCursor);
  } else {
    SetCursor(Cursor());
  }
}

void TCustomGBGroupBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbRight) HideCaptionEditor();
  QPointer<QWidget> alive(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!alive || Button != mbLeft) return;
  const int h = HitTestCaption(X, Y);
  if (h != -1 && IsGroupEnabled(h)) {
    pressedIndex_ = h;
    pressed_ = true;
    DrawCaption(h);
  } else {
    pressed_ = false;
  }
}

void TCustomGBGroupBar::MouseMove(TShiftState Shift, int X, int Y) {
  QPointer<QWidget> alive(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!alive) return;
  const int h = HitTestCaption(X, Y);
  UpdateHandCursor(h);
  if (h != -1 && !IsGroupEnabled(h)) return;
  if (MouseCapture()) {
    if ((pressed_ && h != pressedIndex_) || (!pressed_ && h == pressedIndex_ && pressedIndex_ != -1)) {
      pressed_ = !pressed_;
      hotIndex_ = h;
      DrawCaption(pressedIndex_);
    }
    return;
  }
  if (h == -1 || h == hotIndex_) return;
  if (ShowHint()) Application::CancelHint();
  const int old = hotIndex_;
  hotIndex_ = h;
  if (!hoverTimerRunning_) {
    SetTimer(kHoverTimer, 100);
    hoverTimerRunning_ = true;
  }
  DrawCaption(old);
  DrawCaption(h);
  SetHint(groups_[static_cast<std::size_t>(h)]->Hint());
}

void TCustomGBGroupBar::WindowTimer(int id) {
  if (id != kHoverTimer) {
    TCustomControl::WindowTimer(id);
    return;
  }
  const TPoint p = ScreenToClient(GetCursorPos());
  if (HitTestCaption(p.X, p.Y) != -1) return;
  KillTimer(id);
  hoverTimerRunning_ = false;
  const int old = hotIndex_;
  hotIndex_ = -1;
  DrawCaption(old);
}

void TCustomGBGroupBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  QPointer<QWidget> alive(this);
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!alive || Button != mbLeft) return;
  const int p = pressedIndex_;
  pressed_ = false;
  pressedIndex_ = -1;
  if (p != -1 && HitTestCaption(X, Y) == p) {
    hotIndex_ = -1;
    DrawCaption(p);
    SetActiveGroupIndex(p);
    if (alive) RefreshHotTracking();
  } else {
    DrawCaption(p);
  }
}

void TCustomGBGroupBar::RefreshHotTracking() {
  const TPoint p = ScreenToClient(GetCursorPos());
  MouseMove(0, p.X, p.Y);
}

void TCustomGBGroupBar::CancelMode() {
  QPointer<QWidget> alive(this);
  TCustomControl::CancelMode();
  if (!alive || pressedIndex_ == -1) return;
  const TPoint p = ScreenToClient(GetCursorPos());
  MouseUp(mbLeft, 0, p.X, p.Y);
}

void TCustomGBGroupBar::CaptureChanged(TControl* newHolder) {
  QPointer<QWidget> alive(this);
  TCustomControl::CaptureChanged(newHolder);
  if (!alive || pressedIndex_ == -1) return;
  // The release of a click lands here first (the capture goes before the
  // button-up is told): it completes the click at the pointer.
  const TPoint p = ScreenToClient(GetCursorPos());
  MouseUp(mbLeft, 0, p.X, p.Y);
}

// ---- dragging over the captions

void TCustomGBGroupBar::DragOver(TPersistent*, int X, int Y, TDragState, bool& Accept) {
  Accept = Y < ClientHeight() - 1 && X < ClientWidth() - 1;
  if (!Accept) return;
  const int h = HitTestCaption(X, Y);
  if (dragTimer_.Enabled()) {
    if (h == dragIndex_) return;
    dragTimer_.SetEnabled(false);
    dragIndex_ = h;
    if (h != -1) dragTimer_.SetEnabled(true);
  } else if (h != -1) {
    dragIndex_ = h;
    dragTimer_.SetEnabled(true);
  }
}

void TCustomGBGroupBar::DragSwitchTimer() {
  dragTimer_.SetEnabled(false);
  const TPoint p = ScreenToClient(GetCursorPos());
  const int index = dragIndex_;
  dragIndex_ = -1;
  if (index != -1 && HitTestCaption(p.X, p.Y) == index) SetActiveGroupIndex(index);
}

// ---- notifications

void TCustomGBGroupBar::GroupCaptionChanged(TGBOutBarGroup* Group) {
  if (OnGroupCaptionChanged) OnGroupCaptionChanged(this, Group);
}

bool TCustomGBGroupBar::GroupCaptionChanging(TGBOutBarGroup* Group, const std::string& NewCaption) {
  bool can = true;
  if (OnGroupCaptionChanging) OnGroupCaptionChanging(this, Group, NewCaption, can);
  return can;
}

void TCustomGBGroupBar::Change() {
  if (OnChange) OnChange(this);
}

bool TCustomGBGroupBar::Changing(TGBOutBarGroup* NewGroup) {
  bool allow = true;
  if (OnChanging) OnChanging(this, NewGroup, allow);
  return allow;
}

void TCustomGBGroupBar::Loaded() {
  TCustomControl::Loaded();
  if (activeGroupIndex_ == pendingIndex_) return;
  TValueScope loading(inLoaded_, true);
  SetActiveGroupIndex(pendingIndex_);
}

void TCustomGBGroupBar::Resized() {
  TCustomControl::Resized();
  UpdatePageBounds();
}

void TCustomGBGroupBar::FontChanged() {
  TCustomControl::FontChanged();
  UpdatePageBounds();
}

void TCustomGBGroupBar::Ctl3DChanged() {
  TCustomControl::Ctl3DChanged();
  PlaceActivePage(true);
}
