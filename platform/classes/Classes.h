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

// A component is freed by its owner, after the components it owns.
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

protected:
  // Frees the owned components, the last one first. A class whose owned
  // components reach into its own members calls it from its destructor, so
  // they go while those members still exist; ~TComponent calls it again.
  void DestroyComponents();

private:
  void Insert(TComponent* child);
  void Remove(TComponent* child);

  TComponent* owner_ = nullptr;
  std::string name_;
  int tag_ = 0;
  std::vector<TComponent*> components_;
  bool destroying_ = false;
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
