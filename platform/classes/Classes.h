#pragma once
// Persistent objects, components with owners, and collections of items.

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/TypInfo.h"

class TPersistent {
public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
  virtual ~TPersistent() = default;

  static const ClassInfo& StaticClass();
  virtual const ClassInfo& Class() const { return StaticClass(); }
  const std::string& ClassName() const { return Class().Name(); }

  // Copies every writable published property of a source of the same class
  // (or a descendant); collections are copied item by item.
  virtual void Assign(const TPersistent& source);
};

// ComponentState flags.
enum TComponentStateFlag : unsigned {
  csLoading = 1,     // created inside a LoadingScope whose end has not come yet
  csDestroying = 2,  // Destroying() has run: the component is going
};
using TComponentState = unsigned;

enum TComponentOperation { opInsert, opRemove };

// A component is freed by its owner, after the components it owns.
//
// When a component goes, Notification(it, opRemove) reaches its owner (which
// passes it on to the components it owns) and every component linked to it
// by FreeNotification. That happens in Destroying(), which the most-derived
// destructor of a class whose receivers look at the concrete class calls
// first, so a receiver may still dynamic_cast the component it is told
// about. ~TComponent runs Destroying() itself when no derived destructor did.
//
// Members an owner does not free (FreedByOwner() false: widgets that Qt's
// parent tree deletes) stay in its list for notifications and look-ups only.
class TComponent : public TPersistent {
  TQ_DECLARE_CLASS(TComponent)
public:
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(std::string_view name) const;

  TComponentState ComponentState() const { return state_; }

  // Links the two components: whichever goes first tells the other with
  // Notification(itself, opRemove).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

protected:
  // Runs once, at the end of the LoadingScope the component was created in;
  // clears csLoading. Overrides call it first.
  virtual void Loaded();
  // The component went (opRemove). The default passes it on to the owned
  // components.
  virtual void Notification(TComponent* component, TComponentOperation operation);
  // Whether the owner frees this component when it goes itself.
  virtual bool FreedByOwner() const { return true; }

  // Sets csDestroying and sends the notifications of this component's going;
  // the component leaves its owner's list. Runs once; later calls do nothing.
  void Destroying();
  // Destroying(), then frees the owned components the owner frees, the last
  // one first, and lets go of the others. A class whose owned components
  // reach into its own members calls it from its destructor, so they go
  // while those members still exist; ~TComponent calls it again.
  void DestroyComponents();

private:
  friend class LoadingScope;
  void Insert(TComponent* child);
  void Remove(TComponent* child);
  bool Owns(const TComponent* child) const;

  TComponent* owner_ = nullptr;
  std::string name_;
  int tag_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_ = 0;
};

// Builds windows in code the way a form reader would: components created
// while a scope lives carry csLoading, and when it ends each one's Loaded runs
// once, in creation order (the root first when one is given). Scopes nest; a
// component belongs to the innermost one. When the scope ends through an
// exception the components only lose csLoading.
class LoadingScope {
public:
  LoadingScope();
  explicit LoadingScope(TComponent& root);
  ~LoadingScope() noexcept(false);
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

  // Ends the scope now: Loaded on each component. When one raises, the others
  // still run and the first exception is thrown again at the end.
  void Finish();

private:
  friend class TComponent;
  // Registers a new component with the innermost open scope, if any.
  static void Enter(TComponent* component);
  void Add(TComponent* component);
  void Forget(TComponent* component);
  void Leave();

  std::vector<TComponent*> components_;
  int uncaught_;
  bool open_ = true;
};

class TCollection;

class TCollectionItem : public TPersistent {
  TQ_DECLARE_CLASS(TCollectionItem)
public:
  TCollectionItem() = default;

  // Unique within the owning collection; given by its counter when added.
  int Id() const { return id_; }
  // Position in the collection, -1 without one.
  int Index() const;
  // Moves the item within its collection.
  void SetIndex(int index);
  TCollection* Collection() const { return collection_; }

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

// Told when a collection goes away or is emptied, so that views over it do
// not dangle.
class TCollectionObserver {
public:
  virtual ~TCollectionObserver() = default;
  virtual void CollectionCleared(TCollection& collection) = 0;
  virtual void CollectionDestroyed(TCollection& collection) = 0;
};

// Owns its items; the item class (its description) is the factory.
class TCollection : public TPersistent {
  TQ_DECLARE_CLASS(TCollection)
public:
  explicit TCollection(const ClassInfo& itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;

  const ClassInfo& ItemClass() const { return *itemClass_; }
  TPersistent* Owner() const { return owner_; }

  int Count() const { return static_cast<int>(items_.size()); }
  // A new item of the item class at the end.
  TCollectionItem& Add();
  // A new item of the item class at the given position (0..Count).
  TCollectionItem& Insert(int index);
  // Takes an item made elsewhere; it gets the next Id.
  TCollectionItem& AddItem(std::unique_ptr<TCollectionItem> item);
  void Delete(int index);
  void Clear();
  // Raises EListError when the index is out of range.
  TCollectionItem& GetItem(int index);
  const TCollectionItem& GetItem(int index) const;
  TCollectionItem* FindItemID(int id);
  const TCollectionItem* FindItemID(int id) const;
  void Move(int from, int to);

  // Ids restart from 0: used when a file refills the collection.
  void RestartIds() { nextId_ = 0; }
  int NextId() const { return nextId_; }

  // Clears and copies the source's items.
  void Assign(const TPersistent& source) override;

  void AddObserver(TCollectionObserver* observer);
  void RemoveObserver(TCollectionObserver* observer);

private:
  std::unique_ptr<TCollectionItem> CreateItem() const;
  void CheckIndex(int index, int limit) const;

  const ClassInfo* itemClass_;
  TPersistent* owner_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int nextId_ = 0;
  std::vector<TCollectionObserver*> observers_;

  friend class TCollectionItem;
};

// A collection whose items are all of class T.
template <class T>
class TTypedCollection : public TCollection {
public:
  explicit TTypedCollection(TPersistent* owner = nullptr) : TCollection(T::StaticClass(), owner) {}

  T& Add() { return static_cast<T&>(TCollection::Add()); }
  T& Insert(int index) { return static_cast<T&>(TCollection::Insert(index)); }
  T& GetItem(int index) { return static_cast<T&>(TCollection::GetItem(index)); }
  const T& GetItem(int index) const { return static_cast<const T&>(TCollection::GetItem(index)); }
  T& operator[](int index) { return GetItem(index); }
  const T& operator[](int index) const { return GetItem(index); }
  T* FindItemID(int id) { return static_cast<T*>(TCollection::FindItemID(id)); }
  const T* FindItemID(int id) const { return static_cast<const T*>(TCollection::FindItemID(id)); }

  // Walks the items by position; a const collection hands out const items.
  template <class Coll, class Item>
  class Iterator {
  public:
    Iterator(Coll* c, int i) : c_(c), i_(i) {}
    Item& operator*() const { return c_->GetItem(i_); }
    Item* operator->() const { return &c_->GetItem(i_); }
    Iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator==(const Iterator& o) const { return i_ == o.i_; }
    bool operator!=(const Iterator& o) const { return i_ != o.i_; }

  private:
    Coll* c_;
    int i_;
  };
  using iterator = Iterator<TTypedCollection, T>;
  using const_iterator = Iterator<const TTypedCollection, const T>;

  iterator begin() { return iterator(this, 0); }
  iterator end() { return iterator(this, Count()); }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, Count()); }
};
