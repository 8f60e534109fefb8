// The vertical icon list: hot item, presses and clicks, selection, keys,
// popup menus.

#include <QPointer>
#include <cstdlib>

#include "platform/gui/Forms.h"
#include "platform/gui/InputHub.h"
#include "widgets/gbOutBar.h"

namespace {

// Nested item selection that is no item press.
struct ClickLockScope {
  int& lock;
  explicit ClickLockScope(int& l) : lock(l) { ++lock; }
  ~ClickLockScope() { --lock; }
  ClickLockScope(const ClickLockScope&) = delete;
  ClickLockScope& operator=(const ClickLockScope&) = delete;
};

}  // namespace

// ---- hot item

void TGBVertListView::SetHotItem(TListItem* item) {
  if (item == hotItem_) return;
  InvalidateItem(hotItem_);
  hotItem_ = item;
  hotLeaveTimer_.SetEnabled(hotItem_ != nullptr);
  InvalidateItem(hotItem_);
}

void TGBVertListView::UpdateHotItem(int X, int Y) {
  const TPoint p{X, Y};
  TListItem* item = nullptr;
  const bool overButton = (downButton_ && downButton_->Visible() && PtInRect(downButton_->BoundsRect(), p)) ||
                          (upButton_ && upButton_->Visible() && PtInRect(upButton_->BoundsRect(), p));
  if (!overButton) item = GetItemAt(X, Y);
  if (item == hotItem_) return;
  InvalidateItem(hotItem_);
  SetHotItem(item);
  InvalidateItem(hotItem_);
}

void TGBVertListView::UpdateHotItemAtCursor() {
  const TPoint p = ScreenToClient(GetCursorPos());
  UpdateHotItem(p.X, p.Y);
}

void TGBVertListView::HotLeaveTick() {
  const TPoint p = ScreenToClient(GetCursorPos());
  if (!PtInRect(ClientRect(), p) && GetCapture() == nullptr) SetHotItem(nullptr);
}

void TGBVertListView::MouseLeave() {
  InvalidateItem(hotItem_);
  SetHotItem(nullptr);
  TCustomGBListViewEx::MouseLeave();
}

// ---- items acting as buttons

void TGBVertListView::SelectItem(TListItem* item) {
  if (!item || item == Selected()) return;
  item->SetSelected(true);
  if (Items().IndexOf(item) >= 0) item->SetFocused(true);
}

void TGBVertListView::ItemClick(TListItem* item) {
  if (!item) return;
  QPointer<QWidget> alive(this);
  auto gone = [&] { return !alive || Items().IndexOf(item) < 0; };
  if (!useDblClick_) ExecuteItem(item);
  if (gone()) return;
  if (auto* vert = dynamic_cast<TGBVertListItem*>(item); vert && vert->OnItemClick) {
    TNotifyEvent handler = vert->OnItemClick;
    handler(this);
    if (gone()) return;
  }
  if (OnButtonClick) {
    TGBButtonClickEvent handler = OnButtonClick;
    handler(this, item);
  }
}

bool TGBVertListView::ExecuteItem(TListItem* item) {
  bool processed = false;
  auto* vert = dynamic_cast<TGBVertListItem*>(item);
  if (!vert) return processed;
  if (OnExecuteItem) {
    TExecuteItemEvent handler = OnExecuteItem;
    QPointer<QWidget> alive(this);
    handler(this, vert, processed);
    if (!alive || Items().IndexOf(item) < 0) return processed;
  }
  // The shell's answer is not looked at: a failed open shows nothing.
  if (!processed && !vert->Command.empty() && shell_) shell_->Open(vert->Command, vert->Parameters);
  return processed;
}

TPopupMenu* TGBVertListView::GetItemPopupMenu(TListItem* item) {
  TPopupMenu* menu = PopupMenu();
  if (OnPopupMenu) OnPopupMenu(this, item, menu);
  return menu;
}

TPopupMenu* TGBVertListView::GetPopupMenu() {
  return GetItemPopupMenu(hotItem_);
}

void TGBVertListView::SelectionChanged() {}

void TGBVertListView::ItemSelectionChanged(TListItem* item, bool selected) {
  QPointer<QWidget> alive(this);
  if (!selected) {
    if (sunkSelected_) InvalidateItem(item, true);
    // What was selected before the item that gains the selection.
    previousSelection_ = item;
  } else {
    if (clickLock_ == 0) {
      if (item != previousSelection_) ItemClick(item);
      if (!alive) return;
      if (Items().IndexOf(item) >= 0) {
        if (sunkSelected_) InvalidateItem(item, true);
        InvalidateItem(hotItem_);
        item->MakeVisible(false);
      }
    }
    if (!alive) return;
    SelectionChanged();
  }
  if (alive && Items().IndexOf(item) >= 0) TCustomGBListViewEx::ItemSelectionChanged(item, selected);
}

void TGBVertListView::ItemDestroyed(TListItem* item) {
  if (item == pressedItem_) pressedItem_ = nullptr;
}

// ---- keys

void TGBVertListView::KeyDown(int& Key, TShiftState Shift) {
  // The arrows and paging keys work only while editing or with a sunken
  // selection.
  if (IsNavigationKey(Key) && !IsEditing() && !sunkSelected_) {
    Key = 0;
    return;
  }
  TCustomGBListViewEx::KeyDown(Key, Shift);
}

// ---- mouse

void TGBVertListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Shift & ssDouble) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  QPointer<QWidget> alive(this);
  const bool editing = IsEditing();
  if (Button == mbLeft) {
    if (OnBeforeMouseDown) OnBeforeMouseDown(this, X, Y);
    if (!alive) return;
    if (editing) TCustomGBListViewEx::MouseDown(Button, Shift, X, Y);
    if (!alive) return;
    SetFocus();
    cancelPress_ = false;
    pressedItem_ = GetItemAt(X, Y);
    UpdateHotItemAtCursor();
    SetHotItem(pressedItem_);
    mouseDown_ = true;
    if (pressedItem_) {
      pressPoint_ = {X, Y};
      SetMouseCapture(true);
      InvalidateItem(pressedItem_);
    }
    if (!editing) TCustomControl::MouseDown(Button, Shift, X, Y);
  } else if (Button == mbRight) {
    if (editing) TCustomGBListViewEx::MouseDown(Button, Shift, X, Y);
    if (!alive) return;
    CancelItemDrag();
    mouseDown_ = false;
    UpdateHotItemAtCursor();
    if (!editing) TCustomControl::MouseDown(Button, Shift, X, Y);
  } else {
    TCustomGBListViewEx::MouseDown(Button, Shift, X, Y);
  }
}

void TGBVertListView::WMButtonDblClk(TMouseButton Button, TShiftState Shift, int X, int Y) {
  QPointer<QWidget> alive(this);
  if (Button == mbLeft && useDblClick_ && hotItem_) {
    ExecuteItem(hotItem_);
    if (alive) DblClick();
    return;
  }
  // A second press, then the double click.
  WMButtonDown(Button, Shift, X, Y);
  if (!alive) return;
  if (Button != mbMiddle) DblClick();
  if (!alive) return;
  MouseDown(Button, Shift | ssDouble, X, Y);
}

void TGBVertListView::MouseMove(TShiftState Shift, int X, int Y) {
  QPointer<QWidget> alive(this);
  if (mouseDown_ && !dragging_ && pressedItem_ &&
      (std::abs(X - pressPoint_.X) > 5 || std::abs(Y - pressPoint_.Y) > 5)) {
    BeginItemDrag(Shift);
  }
  if (dragging_ && dragEnabled_) {
    // A failed drag step ends the drag; nothing else hears of it.
    try {
      DragItemTo(X, Y);
    } catch (...) {
      if (alive) CancelItemDrag();
    }
  }
  if (!alive) return;
  TCustomGBListViewEx::MouseMove(Shift, X, Y);
  if (alive) UpdateHotItem(X, Y);
}

void TGBVertListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft) {
    TCustomGBListViewEx::MouseUp(Button, Shift, X, Y);
    return;
  }
  QPointer<QWidget> alive(this);
  mouseDown_ = false;
  SetMouseCapture(false);
  if (dragging_) {
    EndItemDrag(X, Y);
  } else if (cancelPress_) {
    // The press was cancelled: its release does nothing.
    return;
  } else if (pressedItem_) {
    {
      ClickLockScope lock(clickLock_);
      SelectItem(pressedItem_);
    }
    if (!alive) return;
    if (pressedItem_) ItemClick(pressedItem_);
    if (!alive) return;
    if (pressedItem_) {
      pressedItem_->MakeVisible(false);
      pressedItem_ = nullptr;
    }
  }
  if (!alive) return;
  InvalidateItem(hotItem_);
  if (!cancelPress_) TCustomGBListViewEx::MouseUp(Button, Shift, X, Y);
}
