#pragma once
// A dataset over a collection: a record is an item, a field is a published
// property of the item class, and writing a field writes the property at once.

#include <utility>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/db/DB.h"

inline constexpr const char* kMsgCollectionNotFilled = "Collection is niet gevult !";
inline constexpr const char* kMsgCollectionNil = "Collection is nil";

class TCollectionDataSet : public TDataSet, private TCollectionObserver {
  TQ_DECLARE_CLASS(TCollectionDataSet)
public:
  explicit TCollectionDataSet(TComponent* owner = nullptr);
  ~TCollectionDataSet() override;

  // Not owned. Users close the dataset before and open it after; an open
  // dataset is closed first. When the collection is destroyed the dataset
  // closes and lets go of it.
  void SetCollection(TCollection* collection);
  TCollection* Collection() const { return collection_; }

  // Taken live: the collection's count, less the item being inserted.
  int RecordCount() const override;
  // The item the current record shows; nullptr when there is none.
  TCollectionItem* CurrentItem() const;

protected:
  void InternalOpen() override;
  void InternalClose() override;
  bool IsCursorOpen() const override { return collection_ != nullptr; }
  void InternalInitFieldDefs() override;
  void InternalFirst() override { cursor_ = -1; }
  void InternalLast() override { cursor_ = RecordCount(); }
  TGetResult GetRecord(TGetMode mode, bool doCheck) override;
  int GetRecNo() const override;
  void InternalSetRecNo(int n) override { cursor_ = n - 1; }
  void InternalGotoBookmark(TBookmark bookmark) override;
  void CheckCurrentRecord() const override;
  void InternalInitRecord() override;
  void InternalEdit() override;
  void InternalPost() override;
  void InternalCancel() override;
  void InternalDelete() override;
  void InternalResync() override;
  TFieldValue GetFieldData(const TField& field) const override;
  TFieldValue GetFieldDataAt(int record, const TField& field) const override;
  void SetFieldData(TField& field, const TFieldValue& value) override;

private:
  void CollectionCleared(TCollection& collection) override;
  void CollectionDestroyed(TCollection& collection) override;

  TCollectionItem* ItemAtCursor() const;
  TCollectionItem* InsertedItem() const;
  const PropertyInfo& PropertyOf(const TField& field) const;
  TFieldValue ReadProperty(const TCollectionItem& item, const TField& field) const;
  void ClampCursor();
  void ForgetPending();

  TCollection* collection_ = nullptr;
  bool opened_ = false;
  int cursor_ = -1;
  std::vector<const PropertyInfo*> props_;  // by field number - 1
  int insertedId_ = -1;
  int editedId_ = -1;
  std::vector<std::pair<const PropertyInfo*, PropValue>> saved_;  // values at Edit
};
