// A group of a group bar, and the caption editor.

#include <QPointer>
#include <algorithm>
#include <string>

#include "platform/gui/Forms.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutConst.h"

TGBVertListView* FindVertList(TControl* control) {
  return FindChildOfClass<TGBVertListView>(control);
}

// ---- TGBOutBarGroup

TGBOutBarGroup::TGBOutBarGroup(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csNoDesignVisible);
  Hide();
}

TGBOutBarGroup::~TGBOutBarGroup() {
  Destroying();
  if (TCustomGBGroupBar* bar = groupBar_) {
    groupBar_ = nullptr;
    bar->HideCaptionEditor();
    // The bar hears of it while the group is whole.
    try {
      bar->RemoveGroup(this);
    } catch (...) {
      Application::HandleException();
    }
  }
}

void TGBOutBarGroup::SetText(const std::string& value) {
  if (value == Text()) return;
  if (!CaptionChanging(value)) return;
  TCustomControl::SetText(value);
  CaptionChanged();
  if (groupBar_) groupBar_->Invalidate();
}

void TGBOutBarGroup::SetCaptionAlignment(TAlignment value) {
  if (value == captionAlignment_) return;
  captionAlignment_ = value;
  if (groupBar_) groupBar_->Invalidate();
}

void TGBOutBarGroup::SetCaptionAutoSize(bool value) {
  if (value == captionAutoSize_) return;
  captionAutoSize_ = value;
  UpdateBarLayout();
}

void TGBOutBarGroup::SetCaptionHeight(int value) {
  if (value == captionHeight_) return;
  captionHeight_ = value;
  if (!captionAutoSize_) UpdateBarLayout();
}

int TGBOutBarGroup::GroupIndex() const {
  if (!groupBar_) return -1;
  const auto& list = groupBar_->groups_;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == this) return static_cast<int>(i);
  }
  return -1;
}

void TGBOutBarGroup::SetGroupIndex(int value) {
  TCustomGBGroupBar* bar = groupBar_;
  if (!bar) return;
  const int c = GroupIndex();
  if (value == c) return;
  if (value < 0) RaiseOutError(SInvalidPropertyValue);
  const int v = std::min(value, bar->GroupCount() - 1);
  if (v == c) return;
  const int a = bar->activeGroupIndex_;
  auto& list = bar->groups_;
  list.erase(list.begin() + c);
  list.insert(list.begin() + v, this);
  if (c == a) {
    bar->SetActiveGroupIndex(v);
  } else if (c < a && a <= v) {
    bar->SetActiveGroupIndex(a - 1);
  } else if (v <= a && a < c) {
    bar->SetActiveGroupIndex(a + 1);
  }
  bar->Invalidate();
}

void TGBOutBarGroup::SetGroupBar(TCustomGBGroupBar* Bar) {
  if (Bar == groupBar_) return;
  if (TCustomGBGroupBar* old = groupBar_) {
    old->RemoveGroup(this);
    groupBar_ = nullptr;
  }
  SetParent(Bar);
  groupBar_ = Bar;
  if (!Bar) return;
  Bar->AppendGroup(this);
  if (!(Bar->ComponentState() & csLoading)) Bar->ActivateGroup(this);
  Bar->UpdatePageBounds();
}

void TGBOutBarGroup::CaptionChanged() {
  if (groupBar_) groupBar_->GroupCaptionChanged(this);
}

bool TGBOutBarGroup::CaptionChanging(const std::string& NewCaption) {
  return groupBar_ ? groupBar_->GroupCaptionChanging(this, NewCaption) : true;
}

void TGBOutBarGroup::UpdateBarLayout() {
  if (groupBar_ && groupBar_->ActiveGroupIndex() != -1) groupBar_->UpdatePageBounds();
}

void TGBOutBarGroup::SetDefaultCaption() {
  std::string caption = SNewGroup;
  for (int n = 1; groupBar_ && groupBar_->FindGroupByCaption(caption); ++n) {
    caption = std::string(SNewGroup) + std::to_string(n);
  }
  SetCaption(caption);
}

void TGBOutBarGroup::Paint() {
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(ClientRect());
}

void TGBOutBarGroup::SetBounds(int, int, int, int) {}

void TGBOutBarGroup::Notification(TComponent* component, TComponentOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove || !component || component != FindVertList(this)) return;
  // Freeing the group here would free the list's parent inside the list's
  // destructor: later, and not at all while the group or its bar goes.
  if (ComponentState() & csDestroying) return;
  if (groupBar_ && (groupBar_->ComponentState() & csDestroying)) return;
  deleteLater();
}

void TGBOutBarGroup::ColorChanged() {
  TCustomControl::ColorChanged();
  if (groupBar_) groupBar_->Invalidate();
}

void TGBOutBarGroup::EnabledChanged() {
  TCustomControl::EnabledChanged();
  if (groupBar_) groupBar_->DrawCaption(GroupIndex());
}

void TGBOutBarGroup::FontChanged() {
  TCustomControl::FontChanged();
  UpdateBarLayout();
}

void TGBOutBarGroup::ShowingChanged() {
  TCustomControl::ShowingChanged();
  if (Showing() && Visible() && groupBar_) groupBar_->ActivateGroup(this);
}

void TGBOutBarGroup::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbRight && groupBar_) groupBar_->HideCaptionEditor();
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

// ---- TGBOutBarGroupEdit

TGBOutBarGroupEdit::TGBOutBarGroupEdit(TCustomGBGroupBar* bar) : TCustomEdit(bar), bar_(bar) {
  Hide();
  SetParent(bar);
  SetBorderStyle(bsNone);
  SetThinBorder(true);
  SetControlStyle(ControlStyle() | csNoDesignVisible);
}

void TGBOutBarGroupEdit::Commit() {
  if (!bar_ || groupIndex_ < 0 || groupIndex_ >= bar_->GroupCount()) return;
  bar_->Groups(groupIndex_)->SetCaption(Text());
}

void TGBOutBarGroupEdit::KeyDown(int& Key, TShiftState Shift) {
  if (Visible() && (Key == VK_RETURN || Key == VK_ESCAPE)) {
    const bool take = Key == VK_RETURN;
    Key = 0;
    QPointer<QWidget> alive(this);
    if (take) Commit();
    if (!alive) return;
    finished_ = true;
    Hide();
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TGBOutBarGroupEdit::DoExit() {
  TCustomEdit::DoExit();
  if (!finished_) {
    QPointer<QWidget> alive(this);
    Commit();
    if (!alive) return;
  }
  Hide();
}
