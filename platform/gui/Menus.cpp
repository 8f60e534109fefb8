#include "platform/gui/Menus.h"

#include <QAction>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/Guard.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/Exceptions.h"

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  Clear();
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) ThrowListIndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
  Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this || item->Contains(this)) return;
  if (index < 0 || index > Count()) ThrowListIndexError(index);
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();  // each leaves the list
}

bool TMenuItem::Contains(const TMenuItem* item) const {
  if (item == this) return true;
  return std::any_of(items_.begin(), items_.end(), [item](const TMenuItem* i) { return i->Contains(item); });
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(std::make_unique<TMenuItem>()) {}

TPopupMenu::~TPopupMenu() {
  Destroying();
  *alive_ = false;
  items_.reset();
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
  if (value == popupComponent_) return;
  if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
  popupComponent_ = value;
  if (popupComponent_) popupComponent_->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TComponentOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  popupPoint_ = {X, Y};
  if (OnPopup) OnPopup(this);
  CancelCaptureMode();
  const auto& run = GuiServices().RunPopupMenu;
  if (run) {
    run(*this, popupPoint_);
  } else {
    DefaultRunPopupMenu(*this, popupPoint_);
  }
}

std::unique_ptr<QMenu> TPopupMenu::CreateQMenu() {
  auto menu = std::make_unique<QMenu>();
  AddActions(*menu, *items_);
  return menu;
}

void TPopupMenu::AddActions(QMenu& menu, TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      menu.addSeparator();
      continue;
    }
    if (item->Count() > 0) {
      QMenu* sub = menu.addMenu(ToQString(item->Caption()));
      sub->setEnabled(item->Enabled());
      AddActions(*sub, *item);
      continue;
    }
    QAction* action = menu.addAction(ToQString(item->Caption()));
    action->setEnabled(item->Enabled());
    action->setCheckable(item->Checked());
    action->setChecked(item->Checked());
    std::weak_ptr<bool> alive = alive_;
    QObject::connect(action, &QAction::triggered, [this, item, alive] {
      Guard([&] {
        auto lives = alive.lock();
        if (lives && *lives && items_->Contains(item)) item->Click();
      });
    });
  }
}
