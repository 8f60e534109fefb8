// The vertical icon list: the item drag, the list as a drop target, the drop
// mark and the automatic scrolling near the edges.

#include <QPointer>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/InputHub.h"
#include "widgets/gbOutBar.h"

namespace {

// Raises a list's ClickLock for a scope.
struct ClickLockRaise {
  int& lock;
  explicit ClickLockRaise(int& l) : lock(l) { ++lock; }
  ~ClickLockRaise() { --lock; }
  ClickLockRaise(const ClickLockRaise&) = delete;
  ClickLockRaise& operator=(const ClickLockRaise&) = delete;
};

}  // namespace

// ---- starting, moving, ending

void TGBVertListView::BeginItemDrag(TShiftState Shift) {
  dragging_ = true;
  copying_ = (Shift & ssCtrl) != 0;
  SetDragCursor(copying_ ? crDragCopy : crDragMove);
  savedCursor_ = Screen::Cursor();
  DropPendingClick();
  InstallDragKeyboardHook(this);
  if (deactivation_ == 0) {
    deactivation_ = InputHub::Instance().SubscribeDeactivation([this] { CancelItemDrag(); });
  }
}

void TGBVertListView::ShowDragCursor() {
  Screen::SetCursor(dropAccepted_ ? DragCursor() : crNoDrop);
}

void TGBVertListView::DragItemTo(int X, int Y) {
  dropAccepted_ = AskDropTarget(dropTarget_.data(), X, Y);
  dropTarget_ = FindControlAt(ClientToScreen({X, Y}));
  if (dropTarget_) dropAccepted_ = AskDropTarget(dropTarget_.data(), X, Y);
  ShowDragCursor();
}

bool TGBVertListView::AskDropTarget(TControl* control, int X, int Y) {
  if (!control) return false;
  const TPoint p = control->ScreenToClient(ClientToScreen({X, Y}));
  bool accept = true;
  control->DragOver(this, p.X, p.Y, dsDragMove, accept);
  return accept;
}

void TGBVertListView::ReadDragCopyKey() {
  copying_ = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  SetDragCursor(copying_ ? crDragCopy : crDragMove);
  if (dropAccepted_) ShowDragCursor();
}

void TGBVertListView::StopDragServices() {
  // The filter serves one list only: another list's running drag keeps it.
  if (DragHookView == this) RemoveDragKeyboardHook();
  if (deactivation_ != 0) InputHub::Instance().Unsubscribe(deactivation_);
  deactivation_ = 0;
}

void TGBVertListView::EndItemDrag(int X, int Y) {
  StopDragServices();
  dragging_ = false;
  QPointer<QWidget> alive(this);
  QPointer<TControl> target = dropTarget_;
  // The cursor comes back and the drag's state goes, whatever happens on the
  // way.
  struct Restore {
    TGBVertListView& view;
    QPointer<QWidget>& alive;
    TCursor saved;
    ~Restore() {
      Screen::SetCursor(saved);
      if (!alive) return;
      view.pressedItem_ = nullptr;
      view.dropTarget_ = nullptr;
    }
  } restore{*this, alive, savedCursor_};
  if (!dragEnabled_) return;
  if (dropAccepted_ && target) {
    target->DragDrop(this, X, Y);
    if (!alive) return;
    DoEndDrag(target.data(), X, Y);
    if (auto* list = dynamic_cast<TGBVertListView*>(target.data())) list->dropIndex_ = -1;
  } else {
    DoEndDrag(nullptr, X, Y);
    if (auto* list = dynamic_cast<TGBVertListView*>(target.data())) {
      list->DrawDropMark(false);
      list->dropIndex_ = -1;
    }
  }
}

void TGBVertListView::CancelItemDrag() {
  StopDragServices();
  pressedItem_ = nullptr;
  mouseDown_ = false;
  if (!dragging_) return;
  dropAccepted_ = false;
  if (Going()) {
    // No events from a list that is going: the drag only ends.
    dragging_ = false;
    autoScrollTimer_.SetEnabled(false);
    if (auto* list = dynamic_cast<TGBVertListView*>(dropTarget_.data()); list && list != this) {
      list->DrawDropMark(false);
      list->dropIndex_ = -1;
    }
    dropTarget_ = nullptr;
    Screen::SetCursor(savedCursor_);
    return;
  }
  if (auto* list = dynamic_cast<TGBVertListView*>(dropTarget_.data())) list->cancelPress_ = true;
  // A release of our own ends the drag; the user's real release is ignored.
  QPointer<QWidget> alive(this);
  const TPoint p = ScreenToClient(GetCursorPos());
  WMButtonUp(mbLeft, 0, p.X, p.Y);
  if (alive) cancelPress_ = true;
}

// ---- losing the mouse

void TGBVertListView::CancelMode() {
  QPointer<QWidget> alive(this);
  TCustomGBListViewEx::CancelMode();
  if (!alive) return;
  CancelItemDrag();
  if (!alive) return;
  InvalidateItem(hotItem_);
  SetHotItem(nullptr);
}

void TGBVertListView::CaptureChanged(TControl* newHolder) {
  TCustomGBListViewEx::CaptureChanged(newHolder);
  if (newHolder && newHolder != this) CancelMode();
}

// ---- as a drop target

int TGBVertListView::DropIndexAt(int X, int Y) {
  if (!PtInRect(ClientRect(), {X, Y})) return -1;
  const int n = Items().Count();
  if (n == 0) return 0;
  for (int i = 0; i < n; ++i) {
    const TRect b = GetItemRect(Items()[i], drBounds);
    if (b.Top > Y) return i;
    if (b.Top <= Y && Y < b.Bottom) return -1;
  }
  return IsItemVisible(Items()[n - 1], false) ? n : -1;
}

void TGBVertListView::DragOver(TPersistent* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = true;
  if (OnDragOver) TCustomGBListViewEx::DragOver(Source, X, Y, State, Accept);
  if (!Accept) {
    DrawDropMark(false);
    return;
  }
  if (State == dsDragLeave) {
    DrawDropMark(false);
    Accept = dropIndex_ >= 0;
    dropIndex_ = -1;
    return;
  }
  auto* sourceList = dynamic_cast<TGBVertListView*>(Source);
  if (sourceList) {
    if (!dragging_) UpdateHotItem(X, Y);
    if (!dragEnabled_) {
      Accept = false;
      return;
    }
  } else {
    TCustomGBListViewEx::DragOver(Source, X, Y, State, Accept);
    if (!Accept) {
      DrawDropMark(false);
      return;
    }
  }
  const int ch = ClientHeight();
  if (!PtInRect(ClientRect(), {X, Y})) {
    Accept = false;
    autoScrollTimer_.SetEnabled(false);
  }
  auto* source = dynamic_cast<TControl*>(Source);
  if (Y >= 0 && Y <= 10 && MoreAbove()) {
    StartAutoScroll(source, X, false, Y);
  } else if (ch - 10 < Y && Y < ch && MoreBelow()) {
    StartAutoScroll(source, X, true, Y);
  } else if (10 < Y && Y < ch - 10) {
    autoScrollTimer_.SetEnabled(false);
  }
  const int d = DropIndexAt(X, Y);
  lastTargetIndex_ = d;
  Accept = d >= 0;
  if (d != dropIndex_) {
    DrawDropMark(false);
    dropIndex_ = d;
    if (d != -1) DrawDropMark(true);
  }
}

void TGBVertListView::DragDrop(TPersistent* Source, int X, int Y) {
  DrawDropMark(false);
  TCustomGBListViewEx::DragDrop(Source, X, Y);
  lastTargetIndex_ = -1;
}

// ---- as a drag source

void TGBVertListView::CopyItem(TListItem* source, TListItem* dest) {
  if (!source || !dest) return;
  dest->Assign(*source);
  auto* from = dynamic_cast<TGBVertListItem*>(source);
  auto* to = dynamic_cast<TGBVertListItem*>(dest);
  if (!from || !to) return;
  to->Command = from->Command;
  to->Parameters = from->Parameters;
  to->OnItemClick = from->OnItemClick;
  to->SetSelectedImageIndex(from->SelectedImageIndex());
  to->SetEnabled(from->Enabled());
}

void TGBVertListView::DoEndDrag(TPersistent* Target, int X, int Y) {
  QPointer<QWidget> alive(this);
  TCustomGBListViewEx::DoEndDrag(Target, X, Y);
  if (!alive) return;
  autoScrollTimer_.SetEnabled(false);
  auto* target = dynamic_cast<TGBVertListView*>(Target);
  if (!target) return;
  QPointer<QWidget> targetAlive(target);
  const bool copying = copying_;
  TListItem* added = nullptr;
  target->Items().BeginUpdate();
  auto finish = [&] {
    if (targetAlive) {
      target->Items().EndUpdate();
      target->Relayout();
      if (added && target->Items().IndexOf(added) >= 0) added->MakeVisible(false);
    }
    if (alive && !copying) Relayout();
  };
  try {
    // Nothing to insert without the pressed item.
    if (pressedItem_) {
      ClickLockRaise lock(target->clickLock_);
      added = target->Items().Insert(target->dropIndex_);
      CopyItem(pressedItem_, added);
      if (!copying) {
        SetHotItem(nullptr);
        TListItem* moved = pressedItem_;
        pressedItem_ = nullptr;
        moved->Delete();
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

// ---- the drop mark

TRect TGBVertListView::DropMarkRect() {
  if (dropIndex_ < 0) return {};
  const int n = Items().Count();
  int c = 0;
  for (int i = 0; i < dropIndex_ && i < n; ++i) c += SlotHeight(Items()[i]);
  c -= scrollOrigin_.Y;
  if (dropIndex_ != 0 && c > 0) c -= itemMargin_;
  c = std::min(c, ClientHeight() - 2);
  const int k = (ViewStyle() == vsSmallIcon && selectionType_ == stExpanded) ? 1 : 4;
  return {2, c - k, ClientWidth() - 2, c + k};
}

void TGBVertListView::DrawDropMark(bool) {
  if (dropIndex_ == -1) return;
  // Drawn by AfterPaint while DropIndex is set; the strip is painted again
  // either way, with the frames of the items beside it.
  TRect r = DropMarkRect();
  r = {0, r.Top - 1, ClientWidth(), r.Bottom + 2};
  InvalidateRect(r);
}

void TGBVertListView::AfterPaint() {
  TCustomGBListViewEx::AfterPaint();
  if (dropIndex_ == -1) return;
  const TRect r = DropMarkRect();
  const int c = (r.Top + r.Bottom) / 2;
  const bool atTop = dropIndex_ == 0;
  const bool atEnd = Items().Count() > 0 && dropIndex_ == Items().Count();
  const int top = atTop ? c : r.Top;
  const int bottom = atEnd ? c : r.Bottom;
  const int left = 2;
  const int right = ClientWidth() - 2;
  TCanvas& canvas = Canvas();
  canvas.Pen().SetColor(dragPlaceColor_);
  canvas.Brush().SetColor(dragPlaceColor_);
  canvas.Polygon({{left, top}, {left, bottom}, {left + 8, c}});
  canvas.Polygon({{right, top}, {right, bottom}, {right - 8, c}});
  canvas.MoveTo(left, c);
  canvas.LineTo(right, c);
}

// ---- automatic scrolling

void TGBVertListView::StartAutoScroll(TControl* source, int X, bool down, int Y) {
  if (autoScrollTimer_.Enabled() && autoScrollDown_ == down) return;
  autoScrollSource_ = source;
  autoScrollPoint_ = {X, Y};
  autoScrollDown_ = down;
  TGBScrollButton* button = down ? downButton_ : upButton_;
  autoScrollTimer_.SetInterval(button ? button->Frequency() : 200);
  autoScrollTimer_.SetEnabled(true);
}

void TGBVertListView::AutoScrollTick() {
  QPointer<QWidget> alive(this);
  if (autoScrollDown_) {
    ScrollDownStep();
    if (!alive) return;
    autoScrollTimer_.SetEnabled(MoreBelow());
  } else {
    ScrollUpStep();
    if (!alive) return;
    autoScrollTimer_.SetEnabled(MoreAbove());
  }
  Repaint();
  // The source works out the drag position, target and mark again.
  if (TControl* source = autoScrollSource_.data()) {
    const TPoint p = source->ScreenToClient(ClientToScreen(autoScrollPoint_));
    source->WMMouseMove(0, p.X, p.Y);
  }
}
