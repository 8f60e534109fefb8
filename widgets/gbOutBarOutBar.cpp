// The out bar and the vertical lists of its groups.

#include <QPointer>

#include "widgets/gbOutBar.h"
#include "widgets/gbOutConst.h"

// ---- TGBOutBarVertListView

TGBOutBarVertListView::TGBOutBarVertListView(TComponent* AOwner) : TGBVertListView(AOwner) {
  for (bool& f : follows_) f = true;
  SetParentFont(true);
  SetBorderStyle(bsNone);
}

TGBOutBarVertListView::~TGBOutBarVertListView() {
  Destroying();
  if (ownLarge_) ownLarge_->RemoveFreeNotification(this);
  if (ownSmall_) ownSmall_->RemoveFreeNotification(this);
  ownLarge_ = ownSmall_ = nullptr;
}

TGBOutBar* TGBOutBarVertListView::GetOutBar() const {
  auto* group = dynamic_cast<TGBOutBarGroup*>(Parent());
  return group ? dynamic_cast<TGBOutBar*>(group->GroupBar()) : nullptr;
}

void TGBOutBarVertListView::SetFollows(TOutBarSetting setting, bool value) {
  if (value == follows_[setting]) return;
  follows_[setting] = value;
  if (value && GetOutBar()) TakeBarValue(setting);
}

void TGBOutBarVertListView::TakeBarValue(TOutBarSetting setting) {
  TGBOutBar* bar = GetOutBar();
  if (!bar) return;
  switch (setting) {
    case obsBackground:
      TGBVertListView::SetBackground(bar->Background());
      break;
    case obsBackgroundMode:
      TGBVertListView::SetBackgroundMode(bar->BackgroundMode());
      break;
    case obsDragEnabled:
      TGBVertListView::SetDragEnabled(bar->DragEnabled());
      break;
    case obsDragPlaceColor:
      TGBVertListView::SetDragPlaceColor(bar->DragPlaceColor());
      break;
    case obsGradientBeginColor:
      TGBVertListView::SetGradientBeginColor(bar->GradientBeginColor());
      break;
    case obsGradientEndColor:
      TGBVertListView::SetGradientEndColor(bar->GradientEndColor());
      break;
    case obsHighlightColor:
      TGBVertListView::SetHighlightColor(bar->HighlightColor());
      break;
    case obsHighlightFontColor:
      TGBVertListView::SetHighlightFontColor(bar->HighlightFontColor());
      break;
    case obsHighlightSelection:
      TGBVertListView::SetHighlightSelection(bar->HighlightSelection());
      break;
    case obsSelectionType:
      TGBVertListView::SetSelectionType(bar->SelectionType());
      break;
    case obsSunkSelected:
      TGBVertListView::SetSunkSelected(bar->SunkSelected());
      break;
    case obsUseDblClick:
      TGBVertListView::SetUseDblClick(bar->UseDblClick());
      break;
    case obsWrapLineCount:
      TGBVertListView::SetWrapLineCount(bar->WrapLineCount());
      break;
  }
}

void TGBOutBarVertListView::SetBackground(const TBitmap& value) {
  // Any picture object other than the list's own is a value of its own.
  if (&value != &Background()) follows_[obsBackground] = false;
  TGBVertListView::SetBackground(value);
}

void TGBOutBarVertListView::SetBackgroundMode(TBackgroundModeGlobal value) {
  if (value != BackgroundMode()) follows_[obsBackgroundMode] = false;
  TGBVertListView::SetBackgroundMode(value);
}

void TGBOutBarVertListView::SetGradientBeginColor(TColor value) {
  if (value != GradientBeginColor()) follows_[obsGradientBeginColor] = false;
  TGBVertListView::SetGradientBeginColor(value);
}

void TGBOutBarVertListView::SetGradientEndColor(TColor value) {
  if (value != GradientEndColor()) follows_[obsGradientEndColor] = false;
  TGBVertListView::SetGradientEndColor(value);
}

void TGBOutBarVertListView::SetDragEnabled(bool value) {
  if (value != DragEnabled()) follows_[obsDragEnabled] = false;
  TGBVertListView::SetDragEnabled(value);
}

void TGBOutBarVertListView::SetDragPlaceColor(TColor value) {
  if (value != DragPlaceColor()) follows_[obsDragPlaceColor] = false;
  TGBVertListView::SetDragPlaceColor(value);
}

void TGBOutBarVertListView::SetSelectionType(TSelectionType value) {
  if (value != SelectionType()) follows_[obsSelectionType] = false;
  TGBVertListView::SetSelectionType(value);
}

void TGBOutBarVertListView::SetSunkSelected(bool value) {
  if (value != SunkSelected()) follows_[obsSunkSelected] = false;
  TGBVertListView::SetSunkSelected(value);
}

void TGBOutBarVertListView::SetHighlightColor(TColor value) {
  if (value != HighlightColor()) follows_[obsHighlightColor] = false;
  TGBVertListView::SetHighlightColor(value);
}

void TGBOutBarVertListView::SetHighlightFontColor(TColor value) {
  if (value != HighlightFontColor()) follows_[obsHighlightFontColor] = false;
  TGBVertListView::SetHighlightFontColor(value);
}

void TGBOutBarVertListView::SetHighlightSelection(bool value) {
  if (value != HighlightSelection()) follows_[obsHighlightSelection] = false;
  TGBVertListView::SetHighlightSelection(value);
}

void TGBOutBarVertListView::SetUseDblClick(bool value) {
  if (value != UseDblClick()) follows_[obsUseDblClick] = false;
  TGBVertListView::SetUseDblClick(value);
}

void TGBOutBarVertListView::SetWrapLineCount(int value) {
  if (value != WrapLineCount()) follows_[obsWrapLineCount] = false;
  TGBVertListView::SetWrapLineCount(value);
}

// ---- images

void TGBOutBarVertListView::SetLargeImages(TImageList* value) {
  if (value == ownLarge_) return;
  if (ownLarge_) ownLarge_->RemoveFreeNotification(this);
  ownLarge_ = value;
  if (ownLarge_) ownLarge_->FreeNotification(this);
  UpdateImages();
}

void TGBOutBarVertListView::SetSmallImages(TImageList* value) {
  if (value == ownSmall_) return;
  if (ownSmall_) ownSmall_->RemoveFreeNotification(this);
  ownSmall_ = value;
  if (ownSmall_) ownSmall_->FreeNotification(this);
  UpdateImages();
}

void TGBOutBarVertListView::UpdateImages() {
  TGBOutBar* bar = nullptr;
  if (auto* group = dynamic_cast<TGBOutBarGroup*>(Parent())) bar = dynamic_cast<TGBOutBar*>(group->Parent());
  if (ownLarge_) {
    TCustomListView::SetLargeImages(ownLarge_);
  } else if (bar) {
    TCustomListView::SetLargeImages(bar->LargeImages());
  }
  if (ownSmall_) {
    TCustomListView::SetSmallImages(ownSmall_);
  } else if (bar) {
    TCustomListView::SetSmallImages(bar->SmallImages());
  }
}

void TGBOutBarVertListView::Notification(TComponent* component, TComponentOperation operation) {
  TGBVertListView::Notification(component, operation);
  if (operation != opRemove || (component != ownLarge_ && component != ownSmall_)) return;
  // Both go before the list looks again: the image list is half gone.
  if (component == ownLarge_) ownLarge_ = nullptr;
  if (component == ownSmall_) ownSmall_ = nullptr;
  UpdateImages();
}

// ---- item events

void TGBOutBarVertListView::ItemClick(TListItem* item) {
  QPointer<QWidget> alive(this);
  TGBVertListView::ItemClick(item);
  if (!alive || !item || Items().IndexOf(item) < 0) return;
  TGBOutBar* bar = GetOutBar();
  if (bar && bar->OnButtonClick) {
    TGBButtonClickEvent handler = bar->OnButtonClick;
    handler(this, item);
  }
}

bool TGBOutBarVertListView::ExecuteItem(TListItem* item) {
  bool processed = false;
  TGBOutBar* bar = GetOutBar();
  if (bar && bar->OnExecuteItem) {
    auto* vert = dynamic_cast<TGBVertListItem*>(item);
    if (vert) {
      QPointer<QWidget> alive(this);
      TExecuteItemEvent handler = bar->OnExecuteItem;
      handler(this, vert, processed);
      if (!alive || Items().IndexOf(item) < 0) return processed;
    }
  }
  if (!processed) processed = TGBVertListView::ExecuteItem(item);
  return processed;
}

TPopupMenu* TGBOutBarVertListView::GetItemPopupMenu(TListItem* item) {
  TGBOutBar* bar = GetOutBar();
  if (!bar || !bar->OnPopupMenu) return TGBVertListView::GetItemPopupMenu(item);
  TPopupMenu* menu = PopupMenu();
  bar->OnPopupMenu(this, item, menu);
  return menu;
}

void TGBOutBarVertListView::SelectionChanged() {
  TGBVertListView::SelectionChanged();
  if (TGBOutBar* bar = GetOutBar()) bar->EnforceOneSelected(dynamic_cast<TGBOutBarGroup*>(Parent()));
}

void TGBOutBarVertListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbRight && !(Shift & ssDouble)) {
    if (TGBOutBar* bar = GetOutBar()) bar->HideCaptionEditor();
  }
  TGBVertListView::MouseDown(Button, Shift, X, Y);
}

// ---- TGBOutBar

TGBOutBar::TGBOutBar(TComponent* AOwner) : TGBGroupBar(AOwner) {
  SetButtonSpaceColor(clGray);
  background_.OnChange = [this](TPersistent*) { BackgroundChanged(); };
}

TGBOutBar::~TGBOutBar() {
  Destroying();
  // The groups and their lists go while the bar is whole.
  FreeGroups();
  background_.OnChange = nullptr;
  if (largeImages_) largeImages_->RemoveFreeNotification(this);
  if (smallImages_) smallImages_->RemoveFreeNotification(this);
}

void TGBOutBar::PushSetting(TOutBarSetting setting) {
  for (int i = 0; i < GroupCount(); ++i) {
    auto* list = dynamic_cast<TGBOutBarVertListView*>(FindVertList(Groups(i)));
    if (list && list->Follows(setting)) list->TakeBarValue(setting);
  }
}

void TGBOutBar::SetBackground(const TBitmap& value) {
  if (&value == &background_) return;
  // Its OnChange takes it to the lists.
  background_.Assign(value);
}

void TGBOutBar::BackgroundChanged() {
  PushSetting(obsBackground);
}

void TGBOutBar::SetBackgroundMode(TBackgroundModeGlobal value) {
  if (value == backgroundMode_) return;
  backgroundMode_ = value;
  PushSetting(obsBackgroundMode);
}

void TGBOutBar::SetDragEnabled(bool value) {
  if (value == dragEnabled_) return;
  dragEnabled_ = value;
  PushSetting(obsDragEnabled);
}

void TGBOutBar::SetDragPlaceColor(TColor value) {
  if (value == dragPlaceColor_) return;
  dragPlaceColor_ = value;
  PushSetting(obsDragPlaceColor);
}

void TGBOutBar::SetGradientBeginColor(TColor value) {
  if (value == gradientBeginColor_) return;
  gradientBeginColor_ = value;
  PushSetting(obsGradientBeginColor);
}

void TGBOutBar::SetGradientEndColor(TColor value) {
  if (value == gradientEndColor_) return;
  gradientEndColor_ = value;
  PushSetting(obsGradientEndColor);
}

void TGBOutBar::SetHighlightColor(TColor value) {
  if (value == highlightColor_) return;
  highlightColor_ = value;
  PushSetting(obsHighlightColor);
}

void TGBOutBar::SetHighlightFontColor(TColor value) {
  if (value == highlightFontColor_) return;
  highlightFontColor_ = value;
  PushSetting(obsHighlightFontColor);
}

void TGBOutBar::SetHighlightSelection(bool value) {
  if (value == highlightSelection_) return;
  highlightSelection_ = value;
  PushSetting(obsHighlightSelection);
}

void TGBOutBar::SetSelectionType(TSelectionType value) {
  if (value == selectionType_) return;
  selectionType_ = value;
  PushSetting(obsSelectionType);
}

void TGBOutBar::SetSunkSelected(bool value) {
  if (value == sunkSelected_) return;
  sunkSelected_ = value;
  PushSetting(obsSunkSelected);
}

void TGBOutBar::SetUseDblClick(bool value) {
  if (value == useDblClick_) return;
  useDblClick_ = value;
  PushSetting(obsUseDblClick);
}

void TGBOutBar::SetWrapLineCount(int value) {
  // Checked before anything is stored or handed on.
  if (value < 1) RaiseOutError(SInvalidPropertyValue);
  if (value == wrapLineCount_) return;
  wrapLineCount_ = value;
  PushSetting(obsWrapLineCount);
}

void TGBOutBar::SetLargeImages(TImageList* value) {
  if (value == largeImages_) return;
  if (largeImages_) largeImages_->RemoveFreeNotification(this);
  largeImages_ = value;
  if (largeImages_) largeImages_->FreeNotification(this);
  ImagesChanged();
}

void TGBOutBar::SetSmallImages(TImageList* value) {
  if (value == smallImages_) return;
  if (smallImages_) smallImages_->RemoveFreeNotification(this);
  smallImages_ = value;
  if (smallImages_) smallImages_->FreeNotification(this);
  ImagesChanged();
}

void TGBOutBar::ImagesChanged() {
  for (int i = 0; i < GroupCount(); ++i) {
    TGBOutBarGroup* group = Groups(i);
    for (int j = 0; j < group->ControlCount(); ++j) {
      if (auto* list = dynamic_cast<TGBOutBarVertListView*>(group->Controls(j))) list->UpdateImages();
    }
  }
}

void TGBOutBar::SetOneSelected(bool value) {
  oneSelected_ = value;
  if (value) EnforceOneSelected(GetActiveGroup());
}

void TGBOutBar::EnforceOneSelected(TGBOutBarGroup* G) {
  if (!oneSelected_) return;
  const int g = G ? G->GroupIndex() : GroupCount() - 1;
  for (int i = 0; i < GroupCount(); ++i) {
    if (i == g) continue;
    if (TGBVertListView* list = FindVertList(Groups(i))) list->SetSelected(nullptr);
  }
}

TGBOutBarGroup* TGBOutBar::AddGroup() {
  TGBOutBarGroup* group = TGBGroupBar::AddGroup();
  TGBOutBarVertListView* list = CreateGroupListView();
  list->SetParent(group);
  for (int s = 0; s < kOutBarSettingCount; ++s) {
    const auto setting = static_cast<TOutBarSetting>(s);
    list->SetFollows(setting, true);
    list->TakeBarValue(setting);
  }
  list->SetAlign(alClient);
  list->SetColor(clAppWorkSpace);
  list->Font().SetColor(clWhite);
  list->UpdateImages();
  return group;
}

TGBOutBarVertListView* TGBOutBar::CreateGroupListView() {
  return new TGBOutBarVertListView(Owner());
}

void TGBOutBar::Notification(TComponent* component, TComponentOperation operation) {
  TGBGroupBar::Notification(component, operation);
  if (operation != opRemove || (component != largeImages_ && component != smallImages_)) return;
  // Both go before the lists look again: the image list is half gone.
  if (component == largeImages_) largeImages_ = nullptr;
  if (component == smallImages_) smallImages_ = nullptr;
  ImagesChanged();
}
