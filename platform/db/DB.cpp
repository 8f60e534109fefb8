#include "platform/db/DB.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"

// ---- Messages ----

std::string FieldReadOnlyMessage(const std::string& fieldName) {
  return "Field '" + fieldName + "' cannot be modified";
}

std::string FieldNotFoundMessage(const std::string& fieldName) {
  return "Field '" + fieldName + "' not found";
}

std::string InvalidFieldValueMessage(const std::string& text, const std::string& fieldLabel) {
  return "'" + text + "' não é um valor válido para o campo " + fieldLabel;
}

std::string UnstorableCharMessage(const std::string& character, const std::string& fieldLabel) {
  return "Não é possível gravar no arquivo o caractere '" + character + "' do campo " + fieldLabel;
}

namespace {

const char* TypeName(TFieldType type) {
  switch (type) {
    case TFieldType::String:
      return "String";
    case TFieldType::Integer:
      return "Integer";
    case TFieldType::Float:
      return "Float";
    default:
      return "Unknown";
  }
}

}  // namespace

// ---- TFieldDefs ----

const TFieldDef& TFieldDefs::Items(int index) const {
  if (index < 0 || index >= Count()) ThrowListIndexError(index);
  return defs_[static_cast<std::size_t>(index)];
}

const TFieldDef& TFieldDefs::Add(const std::string& name, TFieldType type, int size, bool readOnly) {
  if (name.empty()) throw EDatabaseError("Field name missing");
  if (IndexOf(name) >= 0) throw EDatabaseError("Duplicate name '" + name + "' in field definitions");
  TFieldDef def;
  def.Name = name;
  def.DataType = type;
  def.Size = size;
  def.ReadOnly = readOnly;
  def.FieldNo = Count() + 1;
  defs_.push_back(std::move(def));
  return defs_.back();
}

int TFieldDefs::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < defs_.size(); ++i)
    if (SameText(defs_[i].Name, name)) return static_cast<int>(i);
  return -1;
}

const TFieldDef* TFieldDefs::Find(const std::string& name) const {
  int i = IndexOf(name);
  return i < 0 ? nullptr : &defs_[static_cast<std::size_t>(i)];
}

// ---- TDataSet ----

const ClassInfo& TDataSet::StaticClass() {
  static const auto ci = ClassBuilder<TDataSet>("TDataSet", &TComponent::StaticClass()).Build();
  return *ci;
}

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet() {
  // Descendants close in their own destructors; here only the sources let go.
  quiet_ = true;
  state_ = TDataSetState::Inactive;
  auto sources = sources_;
  sources_.clear();
  for (TDataSource* s : sources) {
    s->dataSet_ = nullptr;
    try {
      s->NotifyState(true);
    } catch (...) {
    }
  }
}

void TDataSet::DoEvent(const TDataSetNotifyEvent& event) {
  if (event && !quiet_) event(*this);
}

void TDataSet::DataEvent(TDataEvent event, TField* field, int info) {
  if (event == TDataEvent::deFieldChange && field && field->OnChange && !quiet_) field->OnChange(*field);
  auto sources = sources_;
  for (TDataSource* s : sources)
    if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->DataEvent(event, field, info, quiet_);
}

void TDataSet::SetState(TDataSetState state) {
  if (state_ == state) return;
  state_ = state;
  DataEvent(TDataEvent::deUpdateState);
}

void TDataSet::SetFlagsAfterChange() {
  bof_ = eof_ = IsEmpty();
}

void TDataSet::Scroll(const std::function<void()>& move) {
  DoEvent(BeforeScroll);
  const int old = RecNo();
  move();
  DataEvent(TDataEvent::deDataSetScroll, nullptr, RecNo() - old);
  DoEvent(AfterScroll);
}

void TDataSet::BrowseAfterChange() {
  modified_ = false;
  SetState(TDataSetState::Browse);
  InternalResync();
  SetFlagsAfterChange();
  DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::CheckActive() const {
  if (!Active()) throw EDatabaseError(kMsgDataSetClosed);
}

bool TDataSet::IsEmpty() const {
  if (!Active()) return true;
  return state_ != TDataSetState::Insert && RecordCount() == 0;
}

// ---- Opening and closing ----

void TDataSet::SetActive(bool active) {
  if (active)
    Open();
  else
    Close();
}

void TDataSet::Open() {
  if (Active()) return;
  DoEvent(BeforeOpen);
  try {
    InternalOpen();
    if (!IsCursorOpen()) throw EDatabaseError("Cannot open the dataset");
    InternalFirst();
    const TGetResult r = GetRecord(TGetMode::gmNext, false);
    bof_ = true;
    eof_ = r != TGetResult::grOK;
    modified_ = false;
  } catch (...) {
    try {
      InternalClose();
    } catch (...) {
    }
    throw;
  }
  SetState(TDataSetState::Browse);
  DoEvent(AfterOpen);
  DoEvent(AfterScroll);
}

void TDataSet::Close() {
  if (!Active()) return;
  DoEvent(BeforeClose);
  // A record being inserted is dropped; an edit keeps the values already written.
  if (state_ == TDataSetState::Insert) InternalDiscard();
  modified_ = false;
  SetState(TDataSetState::Inactive);
  InternalClose();
  bof_ = eof_ = true;
  DoEvent(AfterClose);
}

void TDataSet::CloseQuietly() {
  if (!Active()) return;
  const bool wasQuiet = quiet_;
  quiet_ = true;
  try {
    if (state_ == TDataSetState::Insert) InternalDiscard();
  } catch (...) {
  }
  modified_ = false;
  try {
    SetState(TDataSetState::Inactive);
  } catch (...) {
    state_ = TDataSetState::Inactive;
  }
  try {
    InternalClose();
  } catch (...) {
  }
  bof_ = eof_ = true;
  quiet_ = wasQuiet;
}

void TDataSet::AbandonEditing() {
  if (!Active()) return;
  modified_ = false;
  SetState(TDataSetState::Browse);
  Resync();
}

// ---- Navigation ----

int TDataSet::RecNo() const {
  return Active() ? GetRecNo() : 0;
}

void TDataSet::SetRecNo(int n) {
  CheckActive();
  if (n < 0 || n > RecordCount()) return;
  CheckBrowseMode();
  if (n > RecordCount()) return;
  Scroll([&] {
    InternalSetRecNo(n);
    bof_ = n == 0 || RecordCount() == 0;
    eof_ = RecordCount() == 0;
  });
}

void TDataSet::First() {
  CheckBrowseMode();
  Scroll([this] {
    InternalFirst();
    const TGetResult r = GetRecord(TGetMode::gmNext, false);
    bof_ = true;
    eof_ = r != TGetResult::grOK;
  });
}

void TDataSet::Last() {
  CheckBrowseMode();
  Scroll([this] {
    InternalLast();
    const TGetResult r = GetRecord(TGetMode::gmPrior, false);
    eof_ = true;
    bof_ = r != TGetResult::grOK;
  });
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  int moved = 0;
  Scroll([&] {
    if (distance > 0) {
      eof_ = false;
      while (moved < distance) {
        if (GetRecord(TGetMode::gmNext, false) != TGetResult::grOK) {
          eof_ = true;
          break;
        }
        ++moved;
        bof_ = false;
      }
    } else if (distance < 0) {
      bof_ = false;
      while (moved < -distance) {
        if (GetRecord(TGetMode::gmPrior, false) != TGetResult::grOK) {
          bof_ = true;
          break;
        }
        ++moved;
        eof_ = false;
      }
    }
    if (RecordCount() == 0) bof_ = eof_ = true;
  });
  return distance < 0 ? -moved : moved;
}

// ---- Bookmarks ----

TBookmark TDataSet::GetBookmark() const {
  if (!Active() || state_ == TDataSetState::Insert) return 0;
  const int n = RecNo();
  return n >= 1 && n <= RecordCount() ? n : 0;
}

bool TDataSet::BookmarkValid(TBookmark bookmark) const {
  return Active() && bookmark >= 1 && bookmark <= RecordCount();
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
  CheckActive();
  if (!BookmarkValid(bookmark)) throw EDatabaseError(kMsgBookmarkNotFound);
  CheckBrowseMode();
  Scroll([&] {
    InternalGotoBookmark(bookmark);
    SetFlagsAfterChange();
  });
}

// ---- Editing ----

void TDataSet::Edit() {
  CheckActive();
  if (Editing()) return;
  if (RecordCount() == 0) {
    Insert();
    return;
  }
  if (!CanModify()) throw EDatabaseError(kMsgDataSetReadOnly);
  CheckCurrentRecord();
  DoEvent(BeforeEdit);
  InternalEdit();
  modified_ = false;
  SetState(TDataSetState::Edit);
  DataEvent(TDataEvent::deRecordChange);
  DoEvent(AfterEdit);
}

void TDataSet::Insert() {
  BeginInsertAppend(false);
}

void TDataSet::Append() {
  BeginInsertAppend(true);
}

void TDataSet::BeginInsertAppend(bool append) {
  CheckBrowseMode();
  if (!CanModify()) throw EDatabaseError(kMsgDataSetReadOnly);
  DoEvent(BeforeInsert);
  DoEvent(BeforeScroll);
  try {
    if (append) InternalLast();
    InternalInitRecord();
  } catch (...) {
    InternalResync();
    throw;
  }
  SetState(TDataSetState::Insert);
  try {
    DoEvent(OnNewRecord);
  } catch (...) {
    InternalCancel();
    BrowseAfterChange();
    throw;
  }
  modified_ = false;
  bof_ = eof_ = false;
  DataEvent(TDataEvent::deDataSetChange);
  DoEvent(AfterInsert);
  DoEvent(AfterScroll);
}

void TDataSet::Post() {
  CheckActive();
  UpdateRecord();
  if (!Editing()) return;
  DoEvent(BeforePost);
  InternalPost();
  modified_ = false;
  SetState(TDataSetState::Browse);
  SetFlagsAfterChange();
  DataEvent(TDataEvent::deDataSetChange);
  DoEvent(AfterPost);
}

void TDataSet::Cancel() {
  if (!Editing()) return;
  DoEvent(BeforeCancel);
  InternalCancel();
  BrowseAfterChange();
  DoEvent(AfterCancel);
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == TDataSetState::Insert) {
    Cancel();
    return;
  }
  if (RecordCount() == 0) throw EDatabaseError(kMsgDataSetEmpty);
  if (!CanModify()) throw EDatabaseError(kMsgDataSetReadOnly);
  CheckCurrentRecord();
  DoEvent(BeforeDelete);
  DoEvent(BeforeScroll);
  InternalDelete();
  BrowseAfterChange();
  DoEvent(AfterDelete);
  DoEvent(AfterScroll);
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  DoEvent(BeforeRefresh);
  InternalRefresh();
  Resync();
  DoEvent(AfterRefresh);
}

void TDataSet::Resync() {
  CheckActive();
  InternalResync();
  if (IsEmpty()) bof_ = eof_ = true;
  DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  if (!Editing()) return;
  UpdateRecord();
  if (modified_)
    Post();
  else
    Cancel();
}

void TDataSet::UpdateRecord() {
  CheckActive();
  DataEvent(TDataEvent::deUpdateRecord);
}

// ---- Fields ----

void TDataSet::InitFieldDefs() {
  InternalInitFieldDefs();
}

TField& TDataSet::Fields(int index) const {
  if (index < 0 || index >= FieldCount()) ThrowListIndexError(index);
  return *fields_[static_cast<std::size_t>(index)];
}

TField* TDataSet::FindField(const std::string& name) const {
  for (const auto& f : fields_)
    if (SameText(f->FieldName(), name)) return f.get();
  return nullptr;
}

TField& TDataSet::FieldByName(const std::string& name) const {
  TField* f = FindField(name);
  if (!f) throw EDatabaseError(FieldNotFoundMessage(name));
  return *f;
}

TField& TDataSet::AdoptField(std::unique_ptr<TField> field, const std::string& name) {
  if (Active()) throw EDatabaseError(kMsgDataSetOpen);
  if (name.empty()) throw EDatabaseError("Field name missing");
  if (FindField(name)) throw EDatabaseError("Duplicate field name '" + name + "'");
  if (defaultFields_) DestroyDefaultFields();
  field->dataSet_ = this;
  field->fieldName_ = name;
  fields_.push_back(std::move(field));
  return *fields_.back();
}

TIntegerField& TDataSet::AddIntegerField(const std::string& name) {
  return static_cast<TIntegerField&>(AdoptField(std::make_unique<TIntegerField>(), name));
}

TFloatField& TDataSet::AddFloatField(const std::string& name) {
  return static_cast<TFloatField&>(AdoptField(std::make_unique<TFloatField>(), name));
}

TStringField& TDataSet::AddStringField(const std::string& name, int size) {
  auto& f = static_cast<TStringField&>(AdoptField(std::make_unique<TStringField>(), name));
  f.SetSize(size);
  return f;
}

TField& TDataSet::AddField(const TFieldDecl& decl) {
  TField* field = nullptr;
  switch (decl.type) {
    case TFieldType::Integer: {
      TIntegerField& f = AddIntegerField(decl.name);
      f.SetDisplayFormat(decl.displayFormat);
      f.SetEditFormat(decl.editFormat);
      field = &f;
      break;
    }
    case TFieldType::Float: {
      TFloatField& f = AddFloatField(decl.name);
      f.SetDisplayFormat(decl.displayFormat);
      f.SetEditFormat(decl.editFormat);
      f.SetCurrency(decl.currency);
      field = &f;
      break;
    }
    case TFieldType::String:
      field = &AddStringField(decl.name, decl.size > 0 ? decl.size : 20);
      break;
    default:
      throw EDatabaseError("Field '" + decl.name + "' has no type");
  }
  field->SetDisplayWidth(decl.displayWidth);
  field->SetDisplayLabel(decl.displayLabel);
  field->SetReadOnly(decl.readOnly);
  return *field;
}

void TDataSet::AddFields(std::initializer_list<TFieldDecl> fields) {
  for (const TFieldDecl& f : fields) AddField(f);
}

void TDataSet::ClearFields() {
  if (Active()) throw EDatabaseError(kMsgDataSetOpen);
  fields_.clear();
  defaultFields_ = false;
}

void TDataSet::CreateFields() {
  for (int i = 0; i < fieldDefs_.Count(); ++i) {
    const TFieldDef& def = fieldDefs_.Items(i);
    std::unique_ptr<TField> f;
    switch (def.DataType) {
      case TFieldType::Integer:
        f = std::make_unique<TIntegerField>();
        break;
      case TFieldType::Float:
        f = std::make_unique<TFloatField>();
        break;
      case TFieldType::String:
        f = std::make_unique<TStringField>();
        break;
      default:
        continue;
    }
    if (def.DataType == TFieldType::String) f->SetSize(def.Size);
    f->dataSet_ = this;
    f->fieldName_ = def.Name;
    fields_.push_back(std::move(f));
  }
  defaultFields_ = true;
}

void TDataSet::BindFields(bool binding) {
  for (const auto& f : fields_) {
    if (!binding) {
      f->fieldNo_ = 0;
      f->defReadOnly_ = false;
      continue;
    }
    const TFieldDef* def = fieldDefs_.Find(f->FieldName());
    if (!def) throw EDatabaseError(FieldNotFoundMessage(f->FieldName()));
    if (def->DataType != f->DataType())
      throw EDatabaseError("Type mismatch for field '" + f->FieldName() + "', expecting: " + TypeName(f->DataType()) +
                           " actual: " + TypeName(def->DataType));
    f->fieldNo_ = def->FieldNo;
    f->defReadOnly_ = def->ReadOnly;
  }
}

void TDataSet::DestroyDefaultFields() {
  if (!defaultFields_) return;
  fields_.clear();
  defaultFields_ = false;
}

TFieldValue TDataSet::ReadField(const TField& field) const {
  if (!Active()) return {};
  return field.Normalize(GetFieldData(field));
}

void TDataSet::WriteField(TField& field, const TFieldValue& value) {
  CheckActive();
  if (field.ReadOnly()) throw EDatabaseError(FieldReadOnlyMessage(field.DisplayName()));
  if (!CanModify()) throw EDatabaseError(kMsgDataSetReadOnly);
  SetFieldData(field, value);
  if (Editing()) modified_ = true;
  DataEvent(TDataEvent::deFieldChange, &field);
}

TFieldValue TDataSet::FieldValueAt(int record, const TField& field) const {
  if (field.DataSet() != this) throw EDatabaseError(FieldNotFoundMessage(field.FieldName()));
  if (!Active() || record < 0 || record >= RecordCount()) throw EDatabaseError(kMsgNoRecords);
  return field.Normalize(GetFieldDataAt(record, field));
}

std::string TDataSet::FieldTextAt(int record, const TField& field) const {
  return field.GetText(FieldValueAt(record, field), true);
}

void TDataSet::AttachSource(TDataSource* source) {
  if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) sources_.push_back(source);
}

void TDataSet::DetachSource(TDataSource* source) {
  sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}
