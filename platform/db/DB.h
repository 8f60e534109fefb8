#pragma once
// Datasets, fields, field definitions, data sources and data links.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/services/ExceptionHandler.h"

class TDataSet;
class TDataSource;
class TDataLink;
class TField;

enum class TDataSetState { Inactive, Browse, Edit, Insert };
enum class TFieldType { Unknown, String, Integer, Float };
enum class TGetMode { gmNext, gmPrior, gmCurrent };
enum class TGetResult { grOK, grBOF, grEOF, grError };

// What a dataset tells its data sources.
enum class TDataEvent {
  deFieldChange,    // a field was written (field given)
  deRecordChange,   // the current record changed in place
  deDataSetChange,  // the whole view may have changed
  deDataSetScroll,  // the cursor moved (info = distance)
  deUpdateRecord,   // controls must write their pending text
  deUpdateState     // the state changed
};

// A field value: null, an integer, a float or a UTF-8 text.
using TFieldValue = std::variant<std::monostate, std::int32_t, double, std::string>;
// A bookmark is a record number from 1; 0 names no record.
using TBookmark = int;

using TDataSetNotifyEvent = std::function<void(TDataSet&)>;
using TFieldNotifyEvent = std::function<void(TField&)>;
using TDataSourceNotifyEvent = std::function<void(TDataSource&)>;
using TDataChangeEvent = std::function<void(TDataSource&, TField*)>;

// Messages of the dataset layer.
inline constexpr const char* kMsgNoRecords = "No Records";
inline constexpr const char* kMsgBookmarkNotFound = "Bookmark not found";
inline constexpr const char* kMsgDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* kMsgDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* kMsgDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* kMsgDataSetReadOnly = "Cannot modify a read-only dataset";
// "Field '<name>' cannot be modified" and the like are built by these helpers.
std::string FieldReadOnlyMessage(const std::string& fieldName);
std::string FieldNotFoundMessage(const std::string& fieldName);
// The two refusals of an editor's text end with " campo " and the label.
std::string InvalidFieldValueMessage(const std::string& text, const std::string& fieldLabel);
std::string UnstorableCharMessage(const std::string& character, const std::string& fieldLabel);

// ---- Field definitions ----

struct TFieldDef {
  std::string Name;
  TFieldType DataType = TFieldType::Unknown;
  int Size = 0;
  bool ReadOnly = false;
  int FieldNo = 0;  // from 1
};

class TFieldDefs {
public:
  int Count() const { return static_cast<int>(defs_.size()); }
  const TFieldDef& Items(int index) const;
  // Raises EDatabaseError on an empty or duplicate name (case ignored).
  const TFieldDef& Add(const std::string& name, TFieldType type, int size = 0, bool readOnly = false);
  const TFieldDef* Find(const std::string& name) const;
  int IndexOf(const std::string& name) const;
  void Clear() { defs_.clear(); }

private:
  std::vector<TFieldDef> defs_;
};

// A persistent field as a data module declares it.
struct TFieldDecl {
  std::string name{};
  TFieldType type = TFieldType::Unknown;
  int size = 0;  // strings; 0 keeps the default of 20
  std::string displayFormat{};
  std::string editFormat{};
  bool currency = false;
  int displayWidth = 0;
  std::string displayLabel{};
  bool readOnly = false;
};

// ---- Fields ----

class TField {
public:
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;
  virtual ~TField() = default;

  TDataSet* DataSet() const { return dataSet_; }
  TFieldType DataType() const { return dataType_; }
  const std::string& FieldName() const { return fieldName_; }
  // The label when set, else the field name.
  const std::string& DisplayName() const;
  const std::string& DisplayLabel() const { return DisplayName(); }
  void SetDisplayLabel(const std::string& label) { displayLabel_ = label; }
  int DisplayWidth() const;
  void SetDisplayWidth(int width) { displayWidth_ = width; }
  int Size() const { return size_; }
  virtual void SetSize(int size);
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  // Set on the field, or given by a read-only property.
  bool ReadOnly() const { return readOnly_ || defReadOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  bool CanModify() const;
  // Position in the dataset's field list.
  int Index() const;
  // Position of the bound definition from 1; 0 while unbound.
  int FieldNo() const { return fieldNo_; }

  // The current record's value; null without a record.
  TFieldValue Value() const;
  bool IsNull() const { return std::holds_alternative<std::monostate>(Value()); }
  std::int32_t AsInteger() const;
  double AsFloat() const;
  std::string AsString() const;
  void SetValue(const TFieldValue& value);
  void SetAsInteger(std::int32_t v) { SetValue(TFieldValue(v)); }
  void SetAsFloat(double v) { SetValue(TFieldValue(v)); }
  void SetAsString(const std::string& v) { SetValue(TFieldValue(v)); }
  void Clear() { SetValue(TFieldValue()); }

  // Text shown in labels and grids.
  std::string DisplayText() const { return GetText(Value(), true); }
  // Text shown in an editor.
  std::string Text() const { return GetText(Value(), false); }
  // Converts an editor's text and writes it; EConvertError when it is no value.
  void SetText(const std::string& text);

  // How this field shows a value.
  virtual std::string GetText(const TFieldValue& value, bool display) const = 0;
  // A value as this field holds it (type, size).
  virtual TFieldValue Normalize(const TFieldValue& value) const;

  TFieldNotifyEvent OnChange;

protected:
  explicit TField(TFieldType type);
  // Turns a value of any kind into this field's own kind.
  virtual TFieldValue Convert(const TFieldValue& value) const = 0;
  // Turns a text into this field's own kind.
  virtual TFieldValue ParseText(const std::string& text) const = 0;
  [[noreturn]] void ThrowInvalidValue(const std::string& text) const;

private:
  friend class TDataSet;

  TDataSet* dataSet_ = nullptr;
  TFieldType dataType_;
  std::string fieldName_;
  std::string displayLabel_;
  int displayWidth_ = 0;
  int size_ = 0;
  bool visible_ = true;
  bool readOnly_ = false;
  bool defReadOnly_ = false;
  int fieldNo_ = 0;
};

// Integer and float fields: display and edit formats are FormatFloat masks.
class TNumericField : public TField {
public:
  const std::string& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const std::string& mask) { displayFormat_ = mask; }
  const std::string& EditFormat() const { return editFormat_; }
  void SetEditFormat(const std::string& mask) { editFormat_ = mask; }

protected:
  using TField::TField;
  TFieldValue ParseText(const std::string& text) const override;
  virtual TFieldValue ParseNumber(const std::string& trimmed, bool& ok) const = 0;

private:
  std::string displayFormat_;
  std::string editFormat_;
};

class TIntegerField : public TNumericField {
public:
  TIntegerField() : TNumericField(TFieldType::Integer) {}
  std::string GetText(const TFieldValue& value, bool display) const override;

protected:
  TFieldValue Convert(const TFieldValue& value) const override;
  TFieldValue ParseNumber(const std::string& trimmed, bool& ok) const override;
};

class TFloatField : public TNumericField {
public:
  TFloatField() : TNumericField(TFieldType::Float) {}
  // Shown with the currency symbol; edited with the currency decimals.
  bool Currency() const { return currency_; }
  void SetCurrency(bool v) { currency_ = v; }
  std::string GetText(const TFieldValue& value, bool display) const override;

protected:
  TFieldValue Convert(const TFieldValue& value) const override;
  TFieldValue ParseNumber(const std::string& trimmed, bool& ok) const override;

private:
  bool currency_ = false;
};

// Texts are cut at Size characters (code points) when read and written. An
// editor's text with a character the files cannot hold (they keep texts in
// cp1252) is refused.
class TStringField : public TField {
public:
  TStringField();
  std::string GetText(const TFieldValue& value, bool display) const override;
  TFieldValue Normalize(const TFieldValue& value) const override;

protected:
  TFieldValue Convert(const TFieldValue& value) const override;
  TFieldValue ParseText(const std::string& text) const override;
};

// ---- Dataset ----

class TDataSet : public TComponent {
  TQ_DECLARE_CLASS(TDataSet)
public:
  explicit TDataSet(TComponent* owner = nullptr);
  ~TDataSet() override;

  // Opening and state.
  bool Active() const { return state_ != TDataSetState::Inactive; }
  void SetActive(bool active);
  void Open();
  void Close();
  TDataSetState State() const { return state_; }
  // In edit or insert state.
  bool Editing() const { return state_ == TDataSetState::Edit || state_ == TDataSetState::Insert; }
  bool Modified() const { return modified_; }
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  bool IsEmpty() const;
  // Records of the open cursor (already while Open positions it); 0 closed.
  virtual int RecordCount() const = 0;
  // The current record's number from 1; 0 before the first record.
  int RecNo() const;
  // 0 <= n <= RecordCount moves there (0: before the first record); other
  // values do nothing.
  void SetRecNo(int n);
  virtual bool CanModify() const { return true; }
  void CheckActive() const;

  // Navigation.
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  int MoveBy(int distance);

  // Bookmarks are record numbers.
  TBookmark GetBookmark() const;
  void GotoBookmark(TBookmark bookmark);
  bool BookmarkValid(TBookmark bookmark) const;

  // Editing.
  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  void Refresh();
  // Re-reads the current record and tells the controls, without posting.
  void Resync();
  // Posts a modified edit or insert, cancels an unmodified one.
  void CheckBrowseMode();
  // Has every control write its pending text through its field.
  void UpdateRecord();

  // Fields. Persistent fields are declared while closed and bound by name at
  // Open; without them, default fields are made from the definitions.
  TFieldDefs& FieldDefs() { return fieldDefs_; }
  const TFieldDefs& FieldDefs() const { return fieldDefs_; }
  void InitFieldDefs();
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField& Fields(int index) const;
  TField* FindField(const std::string& name) const;
  // Raises EDatabaseError when there is no such field.
  TField& FieldByName(const std::string& name) const;
  TField& AddField(const TFieldDecl& decl);
  void AddFields(std::initializer_list<TFieldDecl> fields);
  TIntegerField& AddIntegerField(const std::string& name);
  TFloatField& AddFloatField(const std::string& name);
  TStringField& AddStringField(const std::string& name, int size = 20);
  void ClearFields();
  bool DefaultFields() const { return defaultFields_; }

  // A record's field without moving the cursor (grids); record from 0.
  TFieldValue FieldValueAt(int record, const TField& field) const;
  std::string FieldTextAt(int record, const TField& field) const;

  // Call inside a catch block.
  void HandleException() { InternalHandleException(); }

  TDataSetNotifyEvent BeforeOpen, AfterOpen;
  TDataSetNotifyEvent BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert;
  TDataSetNotifyEvent BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost;
  TDataSetNotifyEvent BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete;
  TDataSetNotifyEvent BeforeScroll, AfterScroll;
  TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
  TDataSetNotifyEvent OnNewRecord;

protected:
  // What a concrete dataset provides.
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual bool IsCursorOpen() const = 0;
  virtual void InternalInitFieldDefs() = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  // Moves the cursor for gmNext and gmPrior; gmCurrent with check raises
  // when there is no current record.
  virtual TGetResult GetRecord(TGetMode mode, bool doCheck) = 0;
  virtual int GetRecNo() const = 0;
  virtual void InternalSetRecNo(int n) = 0;
  virtual void InternalGotoBookmark(TBookmark bookmark) = 0;
  // Raises when there is no current record to edit or delete.
  virtual void CheckCurrentRecord() const = 0;
  // Start of an insert or append: a new record at the cursor.
  virtual void InternalInitRecord() = 0;
  virtual void InternalEdit() {}
  virtual void InternalPost() = 0;
  virtual void InternalCancel() = 0;
  virtual void InternalDelete() = 0;
  // A pending insert dropped by Close.
  virtual void InternalDiscard() { InternalCancel(); }
  virtual void InternalRefresh() {}
  // Brings the cursor back in range.
  virtual void InternalResync() {}
  virtual void InternalHandleException() { ApplicationHandleException(); }
  virtual TFieldValue GetFieldData(const TField& field) const = 0;
  virtual TFieldValue GetFieldDataAt(int record, const TField& field) const = 0;
  virtual void SetFieldData(TField& field, const TFieldValue& value) = 0;

  // Helpers for Open and Close.
  void CreateFields();
  void BindFields(bool binding);
  void DestroyDefaultFields();
  // Closes without the dataset's own events (a vanished store, destruction).
  void CloseQuietly();
  // Back to browse state when the store dropped the pending record itself.
  void AbandonEditing();
  void DataEvent(TDataEvent event, TField* field = nullptr, int info = 0);

private:
  friend class TField;
  friend class TDataSource;

  void SetState(TDataSetState state);
  void DoEvent(const TDataSetNotifyEvent& event);
  void BeginInsertAppend(bool append);
  void SetFlagsAfterChange();
  // Runs a move between BeforeScroll and AfterScroll and tells the sources how
  // far the cursor went.
  void Scroll(const std::function<void()>& move);
  // Back to browse state after the store changed: resynced, flags set, sources told.
  void BrowseAfterChange();
  TFieldValue ReadField(const TField& field) const;
  void WriteField(TField& field, const TFieldValue& value);
  TField& AdoptField(std::unique_ptr<TField> field, const std::string& name);
  void AttachSource(TDataSource* source);
  void DetachSource(TDataSource* source);

  TDataSetState state_ = TDataSetState::Inactive;
  bool modified_ = false;
  bool eof_ = true;
  bool bof_ = true;
  bool defaultFields_ = false;
  bool quiet_ = false;
  TFieldDefs fieldDefs_;
  std::vector<std::unique_ptr<TField>> fields_;
  std::vector<TDataSource*> sources_;
};

// ---- Data source and links ----

class TDataSource : public TComponent {
  TQ_DECLARE_CLASS(TDataSource)
public:
  explicit TDataSource(TComponent* owner = nullptr);
  ~TDataSource() override;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* dataSet);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Controls may put the dataset into edit state.
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool v) { autoEdit_ = v; }
  // The dataset's state; Inactive without one or while disabled.
  TDataSetState State() const;
  // Edit state for a control, when AutoEdit allows it.
  void Edit();

  TDataSourceNotifyEvent OnStateChange;
  TDataChangeEvent OnDataChange;
  TDataSourceNotifyEvent OnUpdateData;

private:
  friend class TDataSet;
  friend class TDataLink;

  void DataEvent(TDataEvent event, TField* field, int info, bool quiet);
  void NotifyState(bool quiet);
  void AttachLink(TDataLink* link);
  void DetachLink(TDataLink* link);

  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  bool autoEdit_ = true;
  TDataSetState state_ = TDataSetState::Inactive;
  std::vector<TDataLink*> links_;
};

// What a data-aware control needs from its data source.
class TDataLink {
public:
  TDataLink() = default;
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;
  virtual ~TDataLink();

  TDataSource* DataSource() const { return source_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  bool Active() const { return active_; }
  bool Editing() const { return editing_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  // Puts the dataset into edit state when allowed; true when editing.
  bool Edit();
  // Writes the control's pending text now.
  void UpdateRecord();

protected:
  virtual void ActiveChanged() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int /*distance*/) { DataSetChanged(); }
  // A field was written (field) or the whole record changed (nullptr).
  virtual void RecordChanged(TField* /*field*/) {}
  virtual void EditingChanged() {}
  virtual void UpdateData() {}

private:
  friend class TDataSource;
  void UpdateState();
  void Dispatch(TDataEvent event, TField* field, int info);

  TDataSource* source_ = nullptr;
  bool active_ = false;
  bool editing_ = false;
  bool readOnly_ = false;
  bool updating_ = false;
};

// A link to one field, by name, as an edit box or a label holds it.
class TFieldDataLink : public TDataLink {
public:
  const std::string& FieldName() const { return fieldName_; }
  // "" unbinds.
  void SetFieldName(const std::string& name);
  TField* Field() const { return field_; }
  bool Modified() const { return modified_; }
  // The control's text differs from the field.
  void SetModified() { modified_ = true; }
  // Reloads the control.
  void Reset() { RecordChanged(nullptr); }
  bool CanModify() const;

  std::function<void()> OnActiveChange;
  std::function<void()> OnDataChange;
  std::function<void()> OnEditingChange;
  std::function<void()> OnUpdateData;

protected:
  void ActiveChanged() override;
  void RecordChanged(TField* field) override;
  void EditingChanged() override;
  void UpdateData() override;

private:
  void UpdateField();

  std::string fieldName_;
  TField* field_ = nullptr;
  bool modified_ = false;
};
