#include "platform/classes/Classes.h"

#include <algorithm>
#include <exception>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

// ---- TPersistent ----

const ClassInfo& TPersistent::StaticClass() {
  static const auto ci = ClassBuilder<TPersistent>("TPersistent", nullptr).Build();
  return *ci;
}

void TPersistent::Assign(const TPersistent& source) {
  if (&source == this) return;
  if (!source.Class().InheritsFrom(Class()) && !Class().InheritsFrom(source.Class()))
    throw EConvertError("Não é possível atribuir " + source.ClassName() + " a " + ClassName());
  for (const PropertyInfo* p : Class().Properties()) {
    const PropertyInfo* from = source.Class().Find(p->name);
    if (!from || from->kind != p->kind) continue;
    if (p->IsCollection()) {
      p->collection(*this).Assign(from->collection(const_cast<TPersistent&>(source)));
    } else if (p->writable) {
      p->set(*this, from->get(source));
    }
  }
}

// ---- TComponent ----

const ClassInfo& TComponent::StaticClass() {
  static const auto ci = ClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                             .String("Name", &TComponent::Name, &TComponent::SetName)
                             .NotStored()
                             .Integer("Tag", &TComponent::Tag, &TComponent::SetTag, 0)
                             .Build();
  return *ci;
}

namespace {

// The live loading scopes, innermost last; a finishing one is closed to new
// components but still hears of the ones that go.
std::vector<LoadingScope*>& LiveScopes() {
  static std::vector<LoadingScope*> scopes;
  return scopes;
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->Insert(this);
  LoadingScope::Enter(this);
}

TComponent::~TComponent() {
  Destroying();
  DestroyComponents();
}

void TComponent::Destroying() {
  if (state_ & csDestroying) return;
  state_ |= csDestroying;
  if (state_ & csLoading) {
    for (LoadingScope* scope : LiveScopes()) scope->Forget(this);
  }
  if (owner_) {
    owner_->Notification(this, opRemove);
    if (owner_) owner_->Remove(this);
  }
  std::vector<TComponent*> linked;
  linked.swap(freeNotifies_);
  for (TComponent* c : linked) {
    auto& back = c->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  for (TComponent* c : linked) c->Notification(this, opRemove);
}

void TComponent::DestroyComponents() {
  Destroying();
  for (;;) {
    auto it = std::find_if(components_.rbegin(), components_.rend(),
                           [](const TComponent* c) { return c->FreedByOwner(); });
    if (it == components_.rend()) break;
    TComponent* child = *it;
    delete child;  // leaves the list in its Destroying
    auto left = std::find(components_.begin(), components_.end(), child);
    if (left != components_.end()) components_.erase(left);
  }
  std::vector<TComponent*> rest;
  rest.swap(components_);
  for (TComponent* c : rest) c->owner_ = nullptr;
}

void TComponent::Loaded() {
  state_ &= ~csLoading;
}

void TComponent::Notification(TComponent* component, TComponentOperation operation) {
  // A receiver may free components of this list: walk a copy and skip the
  // ones gone meanwhile.
  std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned) {
    if (Owns(c)) c->Notification(component, operation);
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
  auto& back = component->freeNotifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) ThrowListIndexError(index);
  return components_[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->Name(), name)) return c;
  return nullptr;
}

void TComponent::Insert(TComponent* child) {
  components_.push_back(child);
  child->owner_ = this;
}

void TComponent::Remove(TComponent* child) {
  auto it = std::find(components_.begin(), components_.end(), child);
  if (it != components_.end()) components_.erase(it);
  child->owner_ = nullptr;
}

bool TComponent::Owns(const TComponent* child) const {
  return std::find(components_.begin(), components_.end(), child) != components_.end();
}

// ---- LoadingScope ----

LoadingScope::LoadingScope() : uncaught_(std::uncaught_exceptions()) {
  LiveScopes().push_back(this);
}

LoadingScope::LoadingScope(TComponent& root) : LoadingScope() {
  Add(&root);
}

LoadingScope::~LoadingScope() noexcept(false) {
  if (!open_) return;
  if (std::uncaught_exceptions() > uncaught_) {
    for (TComponent* c : components_)
      if (c) c->state_ &= ~csLoading;
    Leave();
    return;
  }
  Finish();
}

void LoadingScope::Enter(TComponent* component) {
  auto& scopes = LiveScopes();
  for (auto it = scopes.rbegin(); it != scopes.rend(); ++it) {
    if ((*it)->open_) {
      (*it)->Add(component);
      return;
    }
  }
}

void LoadingScope::Add(TComponent* component) {
  if (component->state_ & csLoading) return;  // an outer scope has it
  component->state_ |= csLoading;
  components_.push_back(component);
}

void LoadingScope::Forget(TComponent* component) {
  for (TComponent*& c : components_)
    if (c == component) c = nullptr;
}

void LoadingScope::Leave() {
  open_ = false;
  components_.clear();
  auto& scopes = LiveScopes();
  scopes.erase(std::remove(scopes.begin(), scopes.end(), this), scopes.end());
}

void LoadingScope::Finish() {
  if (!open_) return;
  open_ = false;
  std::exception_ptr first;
  // Loaded may free components of the list (they are then skipped) but adds
  // none: the scope is closed.
  for (std::size_t i = 0; i < components_.size(); ++i) {
    TComponent* c = components_[i];
    if (!c) continue;
    try {
      c->Loaded();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
    if (components_[i]) c->state_ &= ~csLoading;
  }
  Leave();
  if (first) std::rethrow_exception(first);
}

// ---- TCollectionItem ----

const ClassInfo& TCollectionItem::StaticClass() {
  static const auto ci = ClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClass()).Build();
  return *ci;
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].get() == this) return static_cast<int>(i);
  return -1;
}

void TCollectionItem::SetIndex(int index) {
  int current = Index();
  if (current < 0 || index == current) return;
  collection_->Move(current, index);
}

// ---- TCollection ----

const ClassInfo& TCollection::StaticClass() {
  static const auto ci = ClassBuilder<TCollection>("TCollection", &TPersistent::StaticClass()).Build();
  return *ci;
}

TCollection::TCollection(const ClassInfo& itemClass, TPersistent* owner) : itemClass_(&itemClass), owner_(owner) {}

TCollection::~TCollection() {
  auto observers = observers_;
  for (TCollectionObserver* o : observers) o->CollectionDestroyed(*this);
  items_.clear();
}

std::unique_ptr<TCollectionItem> TCollection::CreateItem() const {
  std::unique_ptr<TPersistent> obj = itemClass_->Create();
  auto* item = dynamic_cast<TCollectionItem*>(obj.get());
  if (!item) throw EConvertError("A classe " + itemClass_->Name() + " não é um item de coleção");
  obj.release();
  return std::unique_ptr<TCollectionItem>(item);
}

void TCollection::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) ThrowListIndexError(index);
}

TCollectionItem& TCollection::Add() {
  return AddItem(CreateItem());
}

TCollectionItem& TCollection::Insert(int index) {
  CheckIndex(index, Count() + 1);
  TCollectionItem& item = AddItem(CreateItem());
  Move(Count() - 1, index);
  return item;
}

TCollectionItem& TCollection::AddItem(std::unique_ptr<TCollectionItem> item) {
  item->collection_ = this;
  item->id_ = nextId_++;
  items_.push_back(std::move(item));
  return *items_.back();
}

void TCollection::Delete(int index) {
  CheckIndex(index, Count());
  std::unique_ptr<TCollectionItem> doomed = std::move(items_[static_cast<std::size_t>(index)]);
  items_.erase(items_.begin() + index);
  doomed.reset();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  std::vector<std::unique_ptr<TCollectionItem>> doomed;
  doomed.swap(items_);
  doomed.clear();
  auto observers = observers_;
  for (TCollectionObserver* o : observers) o->CollectionCleared(*this);
}

TCollectionItem& TCollection::GetItem(int index) {
  CheckIndex(index, Count());
  return *items_[static_cast<std::size_t>(index)];
}

const TCollectionItem& TCollection::GetItem(int index) const {
  return const_cast<TCollection*>(this)->GetItem(index);
}

TCollectionItem* TCollection::FindItemID(int id) {
  for (const auto& item : items_)
    if (item->id_ == id) return item.get();
  return nullptr;
}

const TCollectionItem* TCollection::FindItemID(int id) const {
  return const_cast<TCollection*>(this)->FindItemID(id);
}

void TCollection::Move(int from, int to) {
  CheckIndex(from, Count());
  if (to < 0) to = 0;
  if (to >= Count()) to = Count() - 1;
  if (from == to) return;
  auto item = std::move(items_[static_cast<std::size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(item));
}

void TCollection::Assign(const TPersistent& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TCollection*>(&source);
  if (!other) throw EConvertError("Não é possível atribuir " + source.ClassName() + " a " + ClassName());
  Clear();
  for (const auto& item : other->items_) {
    TCollectionItem& copy = Add();
    copy.Assign(*item);
  }
}

void TCollection::AddObserver(TCollectionObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void TCollection::RemoveObserver(TCollectionObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}
