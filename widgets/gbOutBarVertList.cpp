// The vertical icon list: items, properties, layout, scrolling and painting.

#include <algorithm>

#include "widgets/gbOutBar.h"
#include "widgets/gbOutCommon.h"
#include "widgets/gbOutConst.h"

namespace {

// Caption layout of an icon item: centred, wrapped, cut with "...".
constexpr unsigned kIconTextFlags = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr unsigned kSmallIconTextFlags = DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr unsigned kLabelMeasureFlags = DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

}  // namespace

// ---- TGBVertListItem

TGBVertListItem::TGBVertListItem(TListItems* owner) : TListItem(owner) {}

TGBVertListItem::~TGBVertListItem() {
  TListItems* owner = Owner();
  if (!owner || owner->Destroying()) return;
  if (auto* view = dynamic_cast<TGBVertListView*>(owner->Owner())) view->ItemDestroyed(this);
}

void TGBVertListItem::SetSelectedImageIndex(int value) {
  if (value == selectedImageIndex_) return;
  selectedImageIndex_ = value;
  Update();
}

void TGBVertListItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Update();
}

// ---- construction

TGBVertListView::TGBVertListView(TComponent* AOwner) : TCustomGBListViewEx(AOwner) {
  hotLeaveTimer_.SetEnabled(false);
  hotLeaveTimer_.SetInterval(10);
  hotLeaveTimer_.OnTimer = [this](TPersistent*) { HotLeaveTick(); };
  autoScrollTimer_.SetEnabled(false);
  autoScrollTimer_.OnTimer = [this](TPersistent*) { AutoScrollTick(); };
  downButton_ = CreateScrollButton(gbsbs_ScrollDown);
  upButton_ = CreateScrollButton(gbsbs_ScrollUp);
  SetHideSelection(false);
  SetBounds(Left(), Top(), 100, 200);
}

TGBVertListView::~TGBVertListView() {
  Destroying();
  hotLeaveTimer_.SetEnabled(false);
  hotLeaveTimer_.OnTimer = nullptr;
  autoScrollTimer_.SetEnabled(false);
  autoScrollTimer_.OnTimer = nullptr;
  CancelItemDrag();
  delete downButton_;
  delete upButton_;
  downButton_ = upButton_ = nullptr;
  hotItem_ = pressedItem_ = previousSelection_ = nullptr;
}

TGBScrollButton* TGBVertListView::CreateScrollButton(TGBScrollButtonStyle style) {
  auto* button = new TGBScrollButton(nullptr);
  button->SetControlStyle(button->ControlStyle() | csNoDesignVisible);
  button->SetParent(this);
  button->Hide();
  button->SetButtonStyle(style);
  button->SetFrequency(200);
  if (style == gbsbs_ScrollDown) {
    button->OnSelect = [this](TPersistent*) { ScrollDownStep(); };
  } else {
    button->OnSelect = [this](TPersistent*) { ScrollUpStep(); };
  }
  return button;
}

// ---- properties

void TGBVertListView::RepaintStateItems() {
  InvalidateItem(hotItem_);
  if (sunkSelected_) InvalidateItem(Selected(), true);
}

void TGBVertListView::SetDragEnabled(bool value) {
  if (value == dragEnabled_) return;
  RepaintStateItems();
  dragEnabled_ = value;
  if (!value) CancelItemDrag();
  RepaintStateItems();
}

void TGBVertListView::SetDragPlaceColor(TColor value) {
  if (value == dragPlaceColor_) return;
  dragPlaceColor_ = value;
  if (dragging_) DrawDropMark(true);
}

void TGBVertListView::SetHighlightColor(TColor value) {
  if (value == highlightColor_) return;
  highlightColor_ = value;
  RepaintStateItems();
}

void TGBVertListView::SetHighlightFontColor(TColor value) {
  if (value == highlightFontColor_) return;
  highlightFontColor_ = value;
  RepaintStateItems();
}

void TGBVertListView::SetHighlightSelection(bool value) {
  if (value == highlightSelection_) return;
  highlightSelection_ = value;
  if (sunkSelected_) InvalidateItem(Selected(), true);
  // The hot item changes its look too.
  InvalidateItem(hotItem_);
  UpdateHotItemAtCursor();
}

void TGBVertListView::SetItemSpace(int value) {
  if (value == itemSpace_) return;
  itemSpace_ = std::max(value, 5);
  halfItemSpace_ = itemSpace_ / 2;
  Relayout();
}

void TGBVertListView::SetSelectionType(TSelectionType value) {
  if (value == selectionType_) return;
  RepaintStateItems();
  selectionType_ = value;
  RepaintStateItems();
}

void TGBVertListView::SetSunkSelected(bool value) {
  if (value == sunkSelected_) return;
  sunkSelected_ = value;
  InvalidateItem(Selected(), true);
}

void TGBVertListView::SetUseDblClick(bool value) {
  useDblClick_ = value;
}

void TGBVertListView::SetWrapLineCount(int value) {
  if (value < 1) RaiseOutError(SInvalidPropertyValue);
  if (value == wrapLineCount_) return;
  wrapLineCount_ = value;
  Relayout();
}

void TGBVertListView::SetViewStyle(TViewStyle value) {
  if (value != vsIcon && value != vsSmallIcon) RaiseOutError(SInvalidViewStyle);
  if (value == ViewStyle()) return;
  scrollOrigin_ = {0, 0};
  TCustomGBListViewEx::SetViewStyle(value);
  Relayout();
}

// ---- geometry

void TGBVertListView::LabelRect(TListItem* item, TRect& R) {
  TCanvas& canvas = MeasureCanvas();
  const int h = canvas.GetTextMetrics().tmHeight;
  const int cw = ClientWidth();
  const TRect t0{10, R.Bottom, cw - 10, R.Bottom + wrapLineCount_ * h};
  TRect t = t0;
  canvas.DrawText(item->Caption(), t, kLabelMeasureFlags);
  t.Bottom = std::min(t.Bottom, t0.Bottom);
  CenterRectHorz(t, t0);
  R.Bottom = t.Bottom;
  R.Left = std::max(R.Left, 10);
  R.Right = std::min(R.Right, cw - 10);
  R.Left = std::min(R.Left, t.Left);
  R.Right = std::max(R.Right, t.Right);
}

TRect TGBVertListView::GetItemRect(TListItem* item, TDisplayCode code) {
  if (!item || ViewStyle() != vsIcon) return TCustomGBListViewEx::GetItemRect(item, code);
  switch (code) {
    case drBounds: {
      const TRect icon = TCustomGBListViewEx::GetItemRect(item, drIcon);
      TRect r = TCustomGBListViewEx::GetItemRect(item, drBounds);
      r.Bottom = icon.Bottom + 2;
      LabelRect(item, r);
      return r;
    }
    case drLabel: {
      TRect r = TCustomGBListViewEx::GetItemRect(item, drLabel);
      r.Bottom = r.Top;
      LabelRect(item, r);
      return r;
    }
    default:
      return TCustomGBListViewEx::GetItemRect(item, code);
  }
}

TRect TGBVertListView::ItemRect(TListItem* item) {
  const bool icons = ViewStyle() == vsIcon;
  TRect r;
  if (icons) {
    if (selectionType_ == stStandard) {
      r = GetItemRect(item, drIcon);
      // The image's square with a pixel to spare on every side.
      TImageList* images = LargeImages();
      const int iw = images ? images->Width() : 0;
      const int ih = images ? images->Height() : 0;
      const int a = (r.Width() - iw) / 2 - 1;
      const int b = (r.Height() - ih) / 2 - 1;
      r = {r.Left + a, r.Top + b, r.Right - a, r.Bottom - b};
    } else {
      r = GetItemRect(item, drBounds);
    }
  } else {
    r = GetItemRect(item, drIcon);
  }
  if (selectionType_ == stExpanded && dragEnabled_ && !icons) {
    r.Top -= 2;
    r.Bottom += 2;
  }
  if (selectionType_ == stStandard && !icons) {
    r.Left -= 2;
    r.Top -= 2;
    r.Right += 1;
    r.Bottom += 1;
  }
  if (selectionType_ == stExpanded) {
    if (!dragEnabled_) {
      r.Top -= halfItemSpace_;
      r.Bottom += 2 * itemMargin_ + halfItemSpace_ - 1;
    }
    r.Left = 0;
    r.Right = ClientWidth() - 1;
  }
  return r;
}

int TGBVertListView::SlotHeight(TListItem* item) {
  return GetItemRect(item, drBounds).Height() + 2 * itemMargin_ + itemSpace_;
}

void TGBVertListView::Relayout() {
  const int cw = ClientWidth();
  if (cw == 0) return;
  int y = halfItemSpace_;
  for (TListItem* item : Items()) {
    const TRect b = GetItemRect(item, drBounds);
    const TRect icon = GetItemRect(item, drIcon);
    const TPoint p = item->Position();
    int x;
    if (ViewStyle() == vsIcon) {
      x = (cw - icon.Width()) / 2 - (icon.Left - b.Left) + (p.X - b.Left);
    } else {
      x = p.X - b.Left + 7;
    }
    itemMargin_ = p.Y - b.Top;
    SetItemPosition(item, {x - scrollOrigin_.X, y - scrollOrigin_.Y + itemMargin_});
    y += b.Height() + 2 * itemMargin_ + itemSpace_;
  }
  UpdateScrollButtons();
  Invalidate();
}

bool TGBVertListView::IsItemVisible(TListItem* item, bool partial) {
  const TRect b = GetItemRect(item, drBounds);
  const int h = b.Height() + 2 * itemMargin_;
  const int ch = ClientHeight();
  if (b.Top == halfItemSpace_ && ch <= itemSpace_ + h) return true;
  if (b.Top < halfItemSpace_ || b.Bottom > ch) return false;
  if (partial && b.Bottom < ch) return true;
  return ch > b.Bottom + halfItemSpace_;
}

bool TGBVertListView::MoreAbove() {
  return Items().Count() > 0 && !IsItemVisible(Items()[0], false);
}

bool TGBVertListView::MoreBelow() {
  return Items().Count() > 0 && !IsItemVisible(Items()[Items().Count() - 1], false);
}

TListItem* TGBVertListView::FirstVisibleItem() {
  for (TListItem* item : Items()) {
    if (GetItemRect(item, drBounds).Top > 0) return item;
  }
  return nullptr;
}

void TGBVertListView::ScrollDownStep() {
  // Nothing to measure without an item below the top edge.
  TListItem* first = FirstVisibleItem();
  if (!first) return;
  ScrollBy(0, SlotHeight(first));
}

void TGBVertListView::ScrollUpStep() {
  // Nothing to measure without an item before the first visible one.
  TListItem* first = FirstVisibleItem();
  if (!first || first->Index() <= 0) return;
  TListItem* before = Items()[first->Index() - 1];
  ScrollBy(0, -std::min(SlotHeight(before), scrollOrigin_.Y));
}

void TGBVertListView::ScrollToItem(TListItem* item) {
  if (!item) return;
  const TRect b = GetItemRect(item, drBounds);
  if (item->Position().Y < halfItemSpace_) {
    ScrollBy(0, b.Top - halfItemSpace_);
  } else {
    const int d = halfItemSpace_ + b.Bottom - ClientHeight();
    const int s = SlotHeight(item);
    ScrollBy(0, ((s + d - 1) / s) * s);
  }
}

void TGBVertListView::UpdateScrollButtons() {
  if (!downButton_ || !upButton_) return;
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  const bool room = ch >= downButton_->Height() + upButton_->Height() + 10;
  if (MoreBelow() && room) {
    downButton_->SetBounds(cw - downButton_->Width() - 5, ch - downButton_->Height() - 5, downButton_->Width(),
                           downButton_->Height());
    downButton_->Show();
  } else {
    downButton_->Hide();
  }
  if (MoreAbove() && room) {
    upButton_->SetBounds(cw - upButton_->Width() - 5, 5, upButton_->Width(), upButton_->Height());
    upButton_->Show();
  } else {
    upButton_->Hide();
  }
}

// ---- what the list control does

int TGBVertListView::HitTest(int X, int Y) {
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  if (X >= cw || Y < 0 || Y >= ch) return -1;
  if (selectionType_ == stExpanded && X < 0) return -1;
  for (int i = 0; i < Items().Count(); ++i) {
    TListItem* item = Items()[i];
    const TRect icon = GetItemRect(item, drIcon);
    const TRect label = GetItemRect(item, drLabel);
    if (selectionType_ == stExpanded) {
      int top = icon.Top;
      int bottom = label.Bottom;
      if (!dragEnabled_) {
        top -= halfItemSpace_;
        bottom += halfItemSpace_ + 2 * itemMargin_;
      }
      if (top <= Y && Y < bottom) return i;
    } else {
      if (PtInRect(icon, {X, Y}) || PtInRect(label, {X, Y})) return i;
      if (label.Left <= X && X < label.Right && icon.Bottom <= Y && Y < label.Top) return i;
    }
  }
  return -1;
}

bool TGBVertListView::ScrollBy(int dx, int dy) {
  DoBeforeScroll();
  CancelEdit();
  for (TListItem* item : Items()) {
    const TPoint p = item->Position();
    SetItemPosition(item, {p.X - dx, p.Y - dy});
  }
  scrollOrigin_.X += dx;
  scrollOrigin_.Y += dy;
  UpdateHotItemAtCursor();
  UpdateScrollButtons();
  Invalidate();
  DoAfterScroll();
  return true;
}

TPoint TGBVertListView::GetOrigin() {
  return scrollOrigin_;
}

void TGBVertListView::EnsureVisible(TListItem* item, bool partial) {
  if (!item || ClientHeight() == 0) return;
  if (redrawLock_ > 0) Relayout();
  if (!IsItemVisible(item, partial)) ScrollToItem(item);
}

void TGBVertListView::Arrange() {
  Relayout();
}

void TGBVertListView::InsertItem(TListItem* item) {
  TCustomGBListViewEx::InsertItem(item);
  if (clickLock_ == 0 && redrawLock_ == 0) Relayout();
}

void TGBVertListView::DeleteItem(TListItem* item) {
  if (Going()) return;
  if (item == hotItem_) {
    InvalidateItem(hotItem_);
    hotItem_ = nullptr;
    hotLeaveTimer_.SetEnabled(false);
  }
  if (item == pressedItem_) pressedItem_ = nullptr;
  // No comparison may meet the freed item later.
  if (item == previousSelection_) previousSelection_ = nullptr;
  TCustomGBListViewEx::DeleteItem(item);
  Relayout();
  if (Items().Count() > 0) {
    TListItem* last = Items()[Items().Count() - 1];
    if (last->Position().Y < halfItemSpace_) last->MakeVisible(false);
  }
}

void TGBVertListView::SetImageList(TImageList* list, bool large) {
  TCustomGBListViewEx::SetImageList(list, large);
  Relayout();
}

void TGBVertListView::SetRedraw(bool on) {
  TCustomGBListViewEx::SetRedraw(on);
  redrawLock_ += on ? -1 : 1;
  if (redrawLock_ == 0) Relayout();
}

void TGBVertListView::Change(TListItem* item, TItemChange change) {
  TCustomGBListViewEx::Change(item, change);
  Relayout();
}

TListItem* TGBVertListView::CreateListItem() {
  return new TGBVertListItem(&Items());
}

void TGBVertListView::Loaded() {
  TCustomGBListViewEx::Loaded();
  Relayout();
}

void TGBVertListView::Resized() {
  TCustomGBListViewEx::Resized();
  Relayout();
}

void TGBVertListView::FontChanged() {
  TCustomGBListViewEx::FontChanged();
  if (!(ComponentState() & csLoading)) Relayout();
}

// ---- painting

void TGBVertListView::InvalidateItem(TListItem* item, bool force) {
  if (!item) return;
  if (item == Selected() && sunkSelected_ && !force) return;
  TRect r = ItemRect(item);
  // The frame's right and bottom lines lie on the rectangle's edges.
  ++r.Right;
  ++r.Bottom;
  InvalidateRect(r);
}

void TGBVertListView::ItemPrePaint(TListItem* item) {
  if (!(item == hotItem_ && highlightSelection_)) DrawItem(item);
}

void TGBVertListView::PostPaint() {
  DrawItemState(hotItem_, mouseDown_ && !dragging_);
  if (sunkSelected_) DrawItemState(Selected(), true);
  TCustomGBListViewEx::PostPaint();
}

void TGBVertListView::DrawItem(TListItem* item) {
  TCanvas& canvas = Canvas();
  const bool icons = ViewStyle() == vsIcon;
  auto* vert = dynamic_cast<TGBVertListItem*>(item);
  int index = item->ImageIndex();
  if (vert && item == hotItem_ && vert->HotImageIndex >= 0) {
    index = vert->HotImageIndex;
  } else if (vert && item->Selected() && vert->SelectedImageIndex() >= 0) {
    index = vert->SelectedImageIndex();
  }
  const bool enabled = !vert || vert->Enabled();
  const TRect icon = GetItemRect(item, drIcon);
  TImageList* images = icons ? LargeImages() : SmallImages();
  if (index != -1 && images) {
    images->Draw(canvas, (icon.Left + icon.Right - images->Width()) / 2,
                 (icon.Top + icon.Bottom - images->Height()) / 2, index, enabled);
  }
  TRect text = GetItemRect(item, drLabel);
  if (icons) {
    text.Left = std::max(text.Left, 10);
  } else {
    text.Left += 3;
    text.Right += 3;
  }
  text.Right = std::min(text.Right, ClientWidth() - 10);
  canvas.SetFont(Font());
  if ((item == hotItem_ || (item->Selected() && sunkSelected_)) && selectionType_ == stExpanded &&
      highlightSelection_) {
    canvas.Font().SetColor(highlightFontColor_);
  }
  if (!enabled) canvas.Font().SetColor(clGrayText);
  canvas.SetTextColor(ColorToRGB(canvas.Font().Color()));
  canvas.SetBkMode(TRANSPARENT);
  canvas.DrawText(item->Caption(), text, icons ? kIconTextFlags : kSmallIconTextFlags);
}

void TGBVertListView::DrawItemFrame(TListItem* item, TColor color1, TColor color2) {
  TCanvas& canvas = Canvas();
  const TRect r = ItemRect(item);
  canvas.Pen().SetColor(color1);
  canvas.MoveTo(r.Left, r.Bottom);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right, r.Top);
  canvas.Pen().SetColor(color2);
  canvas.LineTo(r.Right, r.Bottom);
  canvas.LineTo(r.Left - 1, r.Bottom);
  if (highlightSelection_) {
    canvas.Brush().SetColor(highlightColor_);
    canvas.FillRect({r.Left + 1, r.Top + 1, r.Right, r.Bottom});
    DrawItem(item);
  }
}

void TGBVertListView::DrawItemState(TListItem* item, bool sunken) {
  if (!item) return;
  const TColor light = highlightSelection_ ? clWhite : clSilver;
  if (sunken || (item == Selected() && sunkSelected_)) {
    DrawItemFrame(item, clBlack, light);
  } else {
    DrawItemFrame(item, light, clBlack);
  }
}

void TGBVertListView::DoAfterScroll() {
  if (OnAfterScroll) OnAfterScroll(this);
}

void TGBVertListView::DoBeforeScroll() {
  if (OnBeforeScroll) OnBeforeScroll(this);
}
