#include "platform/gui/ComCtrls.h"

#include <algorithm>

#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

bool IsNavigationKey(int key) {
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    default:
      return false;
  }
}

// ---- TListItem

TListItem::TListItem(TListItems* owner) : owner_(owner) {}

TListItem::~TListItem() {
  if (attached_ && owner_) owner_->ItemDestroyed(this);
}

TCustomListView* TListItem::ListView() const {
  return owner_ ? owner_->Owner() : nullptr;
}

int TListItem::Index() const {
  return owner_ ? owner_->IndexOf(this) : -1;
}

namespace {

// The view an item in a living list talks to.
TCustomListView* LiveView(const TListItem& item, bool attached) {
  TListItems* owner = item.Owner();
  if (!attached || !owner || owner->Destroying()) return nullptr;
  TCustomListView* view = owner->Owner();
  if (!view || (view->ComponentState() & csDestroying)) return nullptr;
  return view;
}

}  // namespace

void TListItem::SetCaption(const std::string& value) {
  if (value == caption_) return;
  TCustomListView* view = LiveView(*this, attached_);
  if (view && !view->CanChange(this, ctText)) return;
  caption_ = value;
  if (view) view->Change(this, ctText);
}

void TListItem::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  TCustomListView* view = LiveView(*this, attached_);
  if (view && !view->CanChange(this, ctImage)) return;
  imageIndex_ = value;
  if (view) view->Change(this, ctImage);
}

void TListItem::SetSelected(bool value) {
  TCustomListView* view = LiveView(*this, attached_);
  if (!view) {
    selected_ = value;
    return;
  }
  if (value) {
    view->SetSelected(this);
  } else if (view->Selected() == this) {
    view->SetSelected(nullptr);
  }
}

bool TListItem::Focused() const {
  TCustomListView* view = LiveView(*this, attached_);
  return view && view->ItemFocused() == this;
}

void TListItem::SetFocused(bool value) {
  TCustomListView* view = LiveView(*this, attached_);
  if (!view) return;
  if (value) {
    view->SetItemFocused(this);
  } else if (view->ItemFocused() == this) {
    view->SetItemFocused(nullptr);
  }
}

void TListItem::SetPosition(TPoint value) {
  if (TCustomListView* view = LiveView(*this, attached_)) {
    view->SetItemPosition(this, value);
  } else {
    position_ = value;
  }
}

TRect TListItem::DisplayRect(TDisplayCode code) const {
  TCustomListView* view = LiveView(*this, attached_);
  return view ? view->GetItemRect(const_cast<TListItem*>(this), code) : TRect{};
}

void TListItem::MakeVisible(bool partial) {
  if (TCustomListView* view = LiveView(*this, attached_)) view->EnsureVisible(this, partial);
}

bool TListItem::EditCaption() {
  TCustomListView* view = LiveView(*this, attached_);
  return view && view->EditLabel(this);
}

void TListItem::CancelEdit() {
  TCustomListView* view = LiveView(*this, attached_);
  if (view && view->EditingItem() == this) view->CancelEdit();
}

void TListItem::Update() {
  if (TCustomListView* view = LiveView(*this, attached_)) view->InvalidateRect(DisplayRect(drBounds));
}

void TListItem::Delete() {
  if (attached_ && owner_) {
    int index = owner_->IndexOf(this);
    if (index >= 0) {
      owner_->Delete(index);
      return;
    }
  }
  delete this;
}

void TListItem::Assign(const TPersistent& source) {
  if (const auto* item = dynamic_cast<const TListItem*>(&source)) {
    if (item == this) return;
    SetCaption(item->caption_);
    data_ = item->data_;
    SetImageIndex(item->imageIndex_);
    return;
  }
  TPersistent::Assign(source);
}

// ---- TListItems

TListItems::TListItems(TCustomListView* owner) : owner_(owner) {}

TListItems::~TListItems() {
  destroying_ = true;
  std::vector<TListItem*> items;
  items.swap(items_);
  for (TListItem* item : items) {
    item->attached_ = false;
    delete item;
  }
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) ThrowListIndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

int TListItems::IndexOf(const TListItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TListItem* TListItems::Add() {
  return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > Count()) ThrowListIndexError(index);
  TListItem* item = owner_->CreateListItem();
  item->owner_ = this;
  item->attached_ = true;
  items_.insert(items_.begin() + index, item);
  owner_->InsertItem(item);
  return item;
}

void TListItems::Delete(int index) {
  TListItem* item = Item(index);
  // The view hears of it while the item is whole.
  ItemDestroyed(item);
  delete item;
}

void TListItems::Clear() {
  BeginUpdate();
  try {
    while (Count() > 0) Delete(Count() - 1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TListItems::BeginUpdate() {
  if (updateCount_++ == 0) owner_->SetRedraw(false);
}

void TListItems::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) owner_->SetRedraw(true);
}

void TListItems::ItemDestroyed(TListItem* item) {
  if (IndexOf(item) < 0) return;
  if (!destroying_ && !(owner_->ComponentState() & csDestroying)) {
    // Runs from a destructor too: nothing may escape.
    Guard([&] { owner_->DeleteItem(item); });
  }
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it != items_.end()) items_.erase(it);
  item->attached_ = false;
}

// ---- TCustomListView

TCustomListView::TCustomListView(TComponent* AOwner)
    : TCustomControl(AOwner), items_(std::make_unique<TListItems>(this)) {
  SetControlStyle(ControlStyle() & ~csCaptureMouse);
  setFocusPolicy(Qt::StrongFocus);
  SetParentColor(false);
  largeLink_.OnChange = [this](TPersistent*) { ImagesChanged(true); };
  smallLink_.OnChange = [this](TPersistent*) { ImagesChanged(false); };
  SetBounds(Left(), Top(), 250, 150);
}

TCustomListView::~TCustomListView() {
  Destroying();
  editing_ = nullptr;
  delete editor_.data();
  items_.reset();
}

void TCustomListView::SetViewStyle(TViewStyle value) {
  if (value == viewStyle_) return;
  CancelEdit();
  viewStyle_ = value;
  Invalidate();
}

void TCustomListView::SetHideSelection(bool value) {
  if (value == hideSelection_) return;
  hideSelection_ = value;
  Invalidate();
}

void TCustomListView::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  Invalidate();
}

void TCustomListView::SetSelected(TListItem* item) {
  if (item && item->ListView() != this) return;
  TListItem* old = selected_;
  if (old == item) return;
  if (old && !CanChange(old, ctState)) return;
  if (item && !CanChange(item, ctState)) return;
  if (old) {
    old->selected_ = false;
    selected_ = nullptr;
    InvalidateRect(GetItemRect(old, drBounds));
    ItemSelectionChanged(old, false);
  }
  // A handler may have freed the item or chosen another one meanwhile.
  if (item && items_->IndexOf(item) >= 0 && selected_ == nullptr) {
    item->selected_ = true;
    selected_ = item;
    InvalidateRect(GetItemRect(item, drBounds));
    ItemSelectionChanged(item, true);
  }
}

void TCustomListView::SetItemFocused(TListItem* item) {
  if (item && item->ListView() != this) return;
  if (item == focused_) return;
  TListItem* old = focused_;
  focused_ = item;
  if (old) Change(old, ctState);
  if (item && items_->IndexOf(item) >= 0) Change(item, ctState);
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
  int index = HitTest(X, Y);
  return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

void TCustomListView::FinishLabelEdit(bool accept) {
  if (!editing_) return;
  TListItem* item = editing_;
  QPointer<TCustomEdit> editor = editor_;
  std::string text = editor ? editor->Text() : std::string();
  editing_ = nullptr;
  editor_ = nullptr;
  if (editor) {
    editor->OnKeyDown = nullptr;
    editor->OnExit = nullptr;
    editor->OnChange = nullptr;
    editor->Hide();
    editor->deleteLater();
  }
  EndLabelEdit(item, accept, text);
}

// ---- geometry

TCanvas& TCustomListView::MeasureCanvas() {
  if (!measureFontValid_) {
    measure_.SetFont(Font());
    measureFontValid_ = true;
  }
  return measure_;
}

TSize TCustomListView::ImageSize() const {
  TImageList* images = ViewImages();
  return images ? TSize{images->Width(), images->Height()} : TSize{};
}

TRect TCustomListView::GetItemRect(TListItem* item, TDisplayCode code) {
  if (!item) return {};
  const TSize image = ImageSize();
  const TPoint p{item->position_.X - origin_.X, item->position_.Y - origin_.Y};
  const int line = MeasureCanvas().GetTextMetrics().tmHeight;
  TRect icon, label;
  if (viewStyle_ == vsIcon) {
    icon = {p.X, p.Y, p.X + image.cx + 4, p.Y + image.cy + 4};
    label = {icon.Left, icon.Bottom, icon.Right, icon.Bottom + line};
  } else {
    icon = {p.X, p.Y, p.X + image.cx, p.Y + std::max(image.cy, line)};
    label = {icon.Right, icon.Top, icon.Right + MeasureCanvas().TextWidth(item->caption_) + 4, icon.Bottom};
  }
  switch (code) {
    case drIcon:
      return icon;
    case drLabel:
      return label;
    default:
      return {std::min(icon.Left, label.Left), icon.Top, std::max(icon.Right, label.Right),
              std::max(icon.Bottom, label.Bottom)};
  }
}

int TCustomListView::HitTest(int X, int Y) {
  for (int i = 0; i < items_->Count(); ++i) {
    if (PtInRect(GetItemRect(items_->Item(i), drBounds), {X, Y})) return i;
  }
  return -1;
}

bool TCustomListView::ScrollBy(int dx, int dy) {
  origin_.X += dx;
  origin_.Y += dy;
  Invalidate();
  return true;
}

TPoint TCustomListView::GetOrigin() {
  return origin_;
}

void TCustomListView::EnsureVisible(TListItem* item, bool partial) {
  if (!item) return;
  const TRect b = GetItemRect(item, drBounds);
  const TRect c = ClientRect();
  TRect both;
  if (partial && IntersectRect(both, b, c)) return;
  auto delta = [](int lo, int hi, int clo, int chi) {
    if (lo < clo) return lo - clo;
    if (hi > chi) return std::min(hi - chi, lo - clo);
    return 0;
  };
  int dx = delta(b.Left, b.Right, c.Left, c.Right);
  int dy = delta(b.Top, b.Bottom, c.Top, c.Bottom);
  if (dx != 0 || dy != 0) ScrollBy(dx, dy);
}

TPoint TCustomListView::NextFreePosition(int index) {
  if (index <= 0) return {2, 2};
  TRect before = GetItemRect(items_->Item(index - 1), drBounds);
  return {2, before.Bottom + origin_.Y + 2};
}

void TCustomListView::Arrange() {
  for (int i = 0; i < items_->Count(); ++i) SetItemPosition(items_->Item(i), NextFreePosition(i));
}

void TCustomListView::InsertItem(TListItem* item) {
  item->position_ = NextFreePosition(items_->IndexOf(item));
  InvalidateRect(GetItemRect(item, drBounds));
  if (OnInsert) OnInsert(this, item);
}

void TCustomListView::DeleteItem(TListItem* item) {
  if (OnDeletion) OnDeletion(this, item);
  if (editing_ == item) CancelEdit();
  if (selected_ == item) selected_ = nullptr;
  if (focused_ == item) focused_ = nullptr;
  item->selected_ = false;
  auto& list = items_->items_;
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
  item->attached_ = false;
  Invalidate();
}

void TCustomListView::SetItemPosition(TListItem* item, TPoint position) {
  if (!item || item->position_ == position) return;
  InvalidateRect(GetItemRect(item, drBounds));
  item->position_ = position;
  InvalidateRect(GetItemRect(item, drBounds));
}

void TCustomListView::SetImageList(TImageList* list, bool large) {
  TImageList*& slot = large ? largeImages_ : smallImages_;
  TChangeLink& link = large ? largeLink_ : smallLink_;
  if (slot != list) {
    if (slot) {
      slot->UnRegisterChanges(&link);
      slot->RemoveFreeNotification(this);
    }
    slot = list;
    if (list) {
      list->RegisterChanges(&link);
      list->FreeNotification(this);
    }
  }
  Invalidate();
}

void TCustomListView::ImagesChanged(bool large) {
  SetImageList(large ? largeImages_ : smallImages_, large);
}

void TCustomListView::SetRedraw(bool on) {
  setUpdatesEnabled(on);
  if (on) Invalidate();
}

void TCustomListView::ItemSelectionChanged(TListItem* item, bool selected) {
  Change(item, ctState);
  if (OnSelectItem) OnSelectItem(this, item, selected);
}

void TCustomListView::Change(TListItem* item, TItemChange change) {
  Invalidate();
  if (OnChange) OnChange(this, item, change);
}

bool TCustomListView::CanChange(TListItem* item, TItemChange change) {
  bool allow = true;
  if (OnChanging) OnChanging(this, item, change, allow);
  return allow;
}

TListItem* TCustomListView::CreateListItem() {
  return new TListItem(items_.get());
}

// ---- painting

void TCustomListView::Paint() {
  const TRect client = ClientRect();
  PaintBackground(client);
  const std::vector<TListItem*> items = items_->items_;
  for (TListItem* item : items) ItemPrePaint(item);
  PostPaint();
  AfterPaint();
  if (borderStyle_ == bsSingle) {
    TRect edge = client;
    Canvas().DrawEdge(edge, EDGE_SUNKEN, BF_RECT);
  }
}

void TCustomListView::PaintBackground(const TRect& rect) {
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(rect);
}

void TCustomListView::ItemPrePaint(TListItem* item) {
  DrawDefaultItem(item);
}

void TCustomListView::PostPaint() {}

void TCustomListView::AfterPaint() {}

void TCustomListView::DrawDefaultItem(TListItem* item) {
  TCanvas& canvas = Canvas();
  const TRect icon = GetItemRect(item, drIcon);
  TRect label = GetItemRect(item, drLabel);
  if (TImageList* images = ViewImages(); images && item->ImageIndex() >= 0) {
    images->Draw(canvas, (icon.Left + icon.Right - images->Width()) / 2,
                 (icon.Top + icon.Bottom - images->Height()) / 2, item->ImageIndex(), Enabled());
  }
  canvas.SetFont(Font());
  if (item->Selected() && (!hideSelection_ || Focused())) {
    canvas.Brush().SetColor(clHighlight);
    canvas.FillRect(label);
    canvas.SetTextColor(clHighlightText);
  } else {
    canvas.SetTextColor(Font().Color());
  }
  canvas.SetBkMode(TRANSPARENT);
  unsigned flags = DT_NOPREFIX | DT_END_ELLIPSIS | DT_SINGLELINE;
  flags |= viewStyle_ == vsIcon ? DT_CENTER : DT_VCENTER;
  InflateRect(label, -2, 0);
  canvas.DrawText(item->Caption(), label, flags);
}

// ---- caption editing

bool TCustomListView::EditLabel(TListItem* item) {
  if (!item || readOnly_ || item->ListView() != this || items_->IndexOf(item) < 0) return false;
  CancelEdit();
  if (!BeginLabelEdit(item)) return false;
  auto* editor = new TCustomEdit(nullptr, viewStyle_ == vsIcon);
  editor->Hide();
  editor->SetParent(this);
  editor->SetFont(Font());
  // The list's face, in the platform editor's colours.
  editor->Font().SetColor(clWindowText);
  editor->SetColor(clWindow);
  editor->SetText(item->Caption());
  editor->OnKeyDown = [this](TPersistent*, int& key, TShiftState shift) {
    if (key == VK_ESCAPE) {
      key = 0;
      FinishLabelEdit(false);
    } else if (key == VK_RETURN && !(shift & ssShift)) {
      key = 0;
      FinishLabelEdit(true);
    }
  };
  editor->OnExit = [this](TPersistent*) { FinishLabelEdit(true); };
  editing_ = item;
  editor_ = editor;
  PlaceLabelEditor(*editor, item);
  editor->Show();
  editor->SelectAll();
  if (editing_ == item && editor_ == editor) LabelEditorSelected(*editor, item);
  if (editing_ != item || editor_ != editor) return true;
  editor->OnChange = [this, editor](TPersistent*) {
    if (editor_ == editor && editing_) PlaceLabelEditor(*editor, editing_);
  };
  editor->SetFocus();
  return true;
}

bool TCustomListView::BeginLabelEdit(TListItem* item) {
  bool allow = true;
  if (OnEditing) OnEditing(this, item, allow);
  return allow;
}

void TCustomListView::EndLabelEdit(TListItem* item, bool accept, const std::string& text) {
  if (!accept || !item || items_->IndexOf(item) < 0) return;
  std::string s = text;
  if (OnEdited) OnEdited(this, item, s);
  if (items_->IndexOf(item) >= 0) item->SetCaption(s);
}

void TCustomListView::PlaceLabelEditor(TCustomEdit& editor, TListItem* item) {
  const TRect label = GetItemRect(item, drLabel);
  const int line = MeasureCanvas().GetTextMetrics().tmHeight;
  editor.PlaceWindow(Bounds(label.Left, label.Top, std::max(label.Width(), 20), std::max(label.Height(), line + 4)));
}

void TCustomListView::LabelEditorSelected(TCustomEdit& editor, TListItem* item) {
  PlaceLabelEditor(editor, item);
}

// ---- input

bool TCustomListView::DefaultKeyDown(int key) {
  if (!IsNavigationKey(key)) return false;
  const int n = items_->Count();
  if (n == 0) return true;
  TListItem* current = focused_ ? focused_ : selected_;
  const int i = current ? items_->IndexOf(current) : -1;
  const int from = std::max(i, 0);
  const int page = std::max(1, FullyVisibleCount());
  int target = 0;
  switch (key) {
    case VK_UP:
    case VK_LEFT:
      target = i < 0 ? 0 : std::max(0, i - 1);
      break;
    case VK_DOWN:
    case VK_RIGHT:
      target = i < 0 ? 0 : std::min(n - 1, i + 1);
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = n - 1;
      break;
    case VK_PRIOR:
      target = std::max(0, from - page);
      break;
    default:  // VK_NEXT
      target = std::min(n - 1, from + page);
      break;
  }
  TListItem* item = items_->Item(target);
  SetSelected(item);
  if (items_->IndexOf(item) < 0) return true;
  SetItemFocused(item);
  if (items_->IndexOf(item) >= 0) EnsureVisible(item, false);
  return true;
}

int TCustomListView::FullyVisibleCount() {
  const TRect client = ClientRect();
  int n = 0;
  for (TListItem* item : *items_) {
    const TRect b = GetItemRect(item, drBounds);
    if (b.Left >= client.Left && b.Top >= client.Top && b.Right <= client.Right && b.Bottom <= client.Bottom) ++n;
  }
  return n;
}

void TCustomListView::KeyDown(int& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key != 0 && DefaultKeyDown(Key)) Key = 0;
}

void TCustomListView::DefaultMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
  SetFocus();
  if (Button == mbMiddle) return;
  if (TListItem* item = GetItemAt(X, Y)) {
    SetSelected(item);
    if (items_->IndexOf(item) >= 0) SetItemFocused(item);
  } else if (Button == mbLeft) {
    SetSelected(nullptr);
  }
}

void TCustomListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!(Shift & ssDouble)) DefaultMouseDown(Button, Shift, X, Y);
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

// ---- notifications

void TCustomListView::Notification(TComponent* component, TComponentOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  // The image list is going: its members are gone already, so it is only
  // forgotten.
  if (component == largeImages_) {
    largeImages_ = nullptr;
    SetImageList(nullptr, true);
  }
  if (component == smallImages_) {
    smallImages_ = nullptr;
    SetImageList(nullptr, false);
  }
}

void TCustomListView::FontChanged() {
  measureFontValid_ = false;
  TCustomControl::FontChanged();
}
