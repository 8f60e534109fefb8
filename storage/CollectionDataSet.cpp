#include "storage/CollectionDataSet.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"

const ClassInfo& TCollectionDataSet::StaticClass() {
  static const auto ci = ClassBuilder<TCollectionDataSet>("TCollectionDataSet", &TDataSet::StaticClass()).Build();
  return *ci;
}

TCollectionDataSet::TCollectionDataSet(TComponent* owner) : TDataSet(owner) {}

TCollectionDataSet::~TCollectionDataSet() {
  CloseQuietly();
  if (collection_) collection_->RemoveObserver(this);
}

void TCollectionDataSet::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  Close();
  if (collection_) collection_->RemoveObserver(this);
  collection_ = collection;
  if (collection_) collection_->AddObserver(this);
}

int TCollectionDataSet::RecordCount() const {
  if (!opened_ || !collection_) return 0;
  int n = collection_->Count();
  if (State() == TDataSetState::Insert && InsertedItem()) --n;
  return n;
}

TCollectionItem* TCollectionDataSet::ItemAtCursor() const {
  if (!collection_ || cursor_ < 0 || cursor_ >= RecordCount()) return nullptr;
  return &collection_->GetItem(cursor_);
}

TCollectionItem* TCollectionDataSet::InsertedItem() const {
  return collection_ && insertedId_ >= 0 ? collection_->FindItemID(insertedId_) : nullptr;
}

TCollectionItem* TCollectionDataSet::CurrentItem() const {
  if (!opened_) return nullptr;
  return State() == TDataSetState::Insert ? InsertedItem() : ItemAtCursor();
}

void TCollectionDataSet::ForgetPending() {
  insertedId_ = -1;
  editedId_ = -1;
  saved_.clear();
}

// ---- Opening ----

void TCollectionDataSet::InternalOpen() {
  if (!collection_) throw EDatabaseError(kMsgCollectionNotFilled);
  cursor_ = -1;
  ForgetPending();
  InitFieldDefs();
  if (FieldCount() == 0) CreateFields();
  BindFields(true);
  opened_ = true;
}

void TCollectionDataSet::InternalClose() {
  opened_ = false;
  BindFields(false);
  DestroyDefaultFields();
  cursor_ = -1;
  ForgetPending();
}

void TCollectionDataSet::InternalInitFieldDefs() {
  if (!collection_) throw EInvalidPointer(kMsgCollectionNil);
  FieldDefs().Clear();
  props_.clear();
  std::vector<const PropertyInfo*> scalars;
  for (const PropertyInfo* p : collection_->ItemClass().Properties())
    if (!p->IsCollection()) scalars.push_back(p);
  std::stable_sort(scalars.begin(), scalars.end(),
                   [](const PropertyInfo* a, const PropertyInfo* b) { return CompareText(a->name, b->name) < 0; });
  for (const PropertyInfo* p : scalars) {
    TFieldType type = TFieldType::String;
    if (p->kind == PropKind::Integer) type = TFieldType::Integer;
    if (p->kind == PropKind::Double) type = TFieldType::Float;
    try {
      FieldDefs().Add(p->name, type, type == TFieldType::String ? 255 : 0, p->IsReadOnly());
      props_.push_back(p);
    } catch (const EDatabaseError&) {
      // A name that cannot be added gives no field.
    }
  }
}

// ---- Cursor ----

void TCollectionDataSet::ClampCursor() {
  const int n = RecordCount();
  if (cursor_ > n) cursor_ = n;
  if (cursor_ < -1) cursor_ = -1;
}

TGetResult TCollectionDataSet::GetRecord(TGetMode mode, bool doCheck) {
  ClampCursor();
  const int n = RecordCount();
  if (n == 0) return TGetResult::grEOF;
  switch (mode) {
    case TGetMode::gmNext:
      if (cursor_ >= n - 1) return TGetResult::grEOF;
      ++cursor_;
      return TGetResult::grOK;
    case TGetMode::gmPrior:
      if (cursor_ <= 0) return TGetResult::grBOF;
      --cursor_;
      return TGetResult::grOK;
    case TGetMode::gmCurrent:
      if (cursor_ >= 0 && cursor_ < n) return TGetResult::grOK;
      if (doCheck) throw EDatabaseError(kMsgNoRecords);
      return TGetResult::grError;
  }
  return TGetResult::grError;
}

int TCollectionDataSet::GetRecNo() const {
  const int limit = RecordCount() + (State() == TDataSetState::Insert ? 1 : 0);
  return std::min(cursor_ + 1, limit);
}

void TCollectionDataSet::InternalGotoBookmark(TBookmark bookmark) {
  if (bookmark <= 0 || bookmark > RecordCount()) throw EDatabaseError(kMsgBookmarkNotFound);
  cursor_ = bookmark - 1;
}

void TCollectionDataSet::InternalResync() {
  if (State() == TDataSetState::Insert) return;
  const int n = RecordCount();
  if (cursor_ >= n) cursor_ = n - 1;
  if (cursor_ < -1) cursor_ = -1;
}

void TCollectionDataSet::CheckCurrentRecord() const {
  if (!CurrentItem()) throw EDatabaseError(kMsgNoRecords);
}

// ---- Editing ----

void TCollectionDataSet::InternalInitRecord() {
  // The new item joins the end of the collection at once; Post moves it.
  insertedId_ = collection_->Add().Id();
}

void TCollectionDataSet::InternalEdit() {
  TCollectionItem* item = ItemAtCursor();
  if (!item) throw EDatabaseError(kMsgNoRecords);
  editedId_ = item->Id();
  saved_.clear();
  for (const PropertyInfo* p : item->Class().Properties())
    if (!p->IsCollection() && p->writable) saved_.emplace_back(p, p->get(*item));
}

void TCollectionDataSet::InternalPost() {
  if (State() == TDataSetState::Insert) {
    TCollectionItem* item = InsertedItem();
    if (!item) throw EDatabaseError(kMsgNoRecords);
    if (cursor_ != -1) item->SetIndex(cursor_);
    cursor_ = item->Index();
  }
  ForgetPending();
}

void TCollectionDataSet::InternalCancel() {
  if (State() == TDataSetState::Insert) {
    if (TCollectionItem* item = InsertedItem()) collection_->Delete(item->Index());
  } else if (State() == TDataSetState::Edit && collection_) {
    // The values the item had when the edit began come back.
    if (TCollectionItem* item = collection_->FindItemID(editedId_))
      for (const auto& [prop, value] : saved_)
        if (prop->get(*item) != value) prop->set(*item, value);
  }
  ForgetPending();
}

void TCollectionDataSet::InternalDelete() {
  TCollectionItem* item = ItemAtCursor();
  if (!item) throw EDatabaseError(kMsgNoRecords);
  ForgetPending();
  collection_->Delete(cursor_);
  if (cursor_ >= collection_->Count()) --cursor_;
}

// ---- Field data ----

const PropertyInfo& TCollectionDataSet::PropertyOf(const TField& field) const {
  const int n = field.FieldNo();
  if (n < 1 || n > static_cast<int>(props_.size())) throw EDatabaseError(FieldNotFoundMessage(field.FieldName()));
  return *props_[static_cast<std::size_t>(n - 1)];
}

TFieldValue TCollectionDataSet::ReadProperty(const TCollectionItem& item, const TField& field) const {
  const PropValue v = PropertyOf(field).get(item);
  if (auto i = std::get_if<std::int32_t>(&v)) return TFieldValue(*i);
  if (auto d = std::get_if<double>(&v)) return TFieldValue(*d);
  const std::string& s = std::get<std::string>(v);
  if (s.empty()) return {};
  return TFieldValue(s);
}

TFieldValue TCollectionDataSet::GetFieldData(const TField& field) const {
  const TCollectionItem* item = CurrentItem();
  if (!item) return {};
  return ReadProperty(*item, field);
}

TFieldValue TCollectionDataSet::GetFieldDataAt(int record, const TField& field) const {
  if (!collection_ || record < 0 || record >= RecordCount()) throw EDatabaseError(kMsgNoRecords);
  return ReadProperty(collection_->GetItem(record), field);
}

void TCollectionDataSet::SetFieldData(TField& field, const TFieldValue& value) {
  TCollectionItem* item = CurrentItem();
  if (!item) throw EDatabaseError(kMsgNoRecords);
  const PropertyInfo& prop = PropertyOf(field);
  if (!prop.writable || !prop.set) throw EDatabaseError(FieldReadOnlyMessage(field.FieldName()));
  PropValue v;
  switch (prop.kind) {
    case PropKind::Integer:
      if (auto i = std::get_if<std::int32_t>(&value))
        v = *i;
      else if (auto d = std::get_if<double>(&value))
        v = static_cast<std::int32_t>(Round(*d));
      else
        v = std::int32_t{0};
      break;
    case PropKind::Double:
      if (auto i = std::get_if<std::int32_t>(&value))
        v = static_cast<double>(*i);
      else if (auto d = std::get_if<double>(&value))
        v = *d;
      else
        v = 0.0;
      break;
    default:
      if (auto s = std::get_if<std::string>(&value))
        v = *s;
      else
        v = std::string();
      break;
  }
  prop.set(*item, v);
}

// ---- The collection going away ----

void TCollectionDataSet::CollectionCleared(TCollection& collection) {
  if (&collection != collection_ || !Active()) return;
  // The pending record went with the items.
  ForgetPending();
  cursor_ = -1;
  try {
    AbandonEditing();
  } catch (...) {
  }
}

void TCollectionDataSet::CollectionDestroyed(TCollection& collection) {
  if (&collection != collection_) return;
  collection_->RemoveObserver(this);
  collection_ = nullptr;
  CloseQuietly();
}
