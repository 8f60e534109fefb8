#pragma once
// Data-aware edit, memo, label, radio group and drop-down list. Each control
// holds a field link (data source + field name) and shows the field of the
// current record. Without a source, a field or an open dataset a control
// shows nothing and takes no input.
//
// Texts go to and from the field through its own conversions: an edit shows
// the display text while it has no focus and the edit text while it has it;
// typing writes nothing until Return, leaving the control, a post or a
// command (CommitPendingEdits) writes the text through the field.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "platform/db/DB.h"

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// The question a grid or a navigator asks before deleting a record.
inline constexpr const char* kMsgConfirmDelete = "Excluir o registro?";

// Writes the text through the field; a text it refuses is reported
// under label (when there is one) instead of the field's own name.
void SetFieldText(TField& field, const std::string& text, const std::string& label);

// A control whose typed text may not yet be in its field.
class IDbPendingEdit {
public:
  // Writes the pending text through the field now; raises what the field
  // raises, each time it is asked.
  virtual void CommitPendingEdit() = 0;

protected:
  ~IDbPendingEdit() = default;
};

// What every data-aware control has: the source and the field by name.
class DbFieldControl {
public:
  DbFieldControl(const DbFieldControl&) = delete;
  DbFieldControl& operator=(const DbFieldControl&) = delete;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* source) { link_.SetDataSource(source); }
  const std::string& DataField() const { return link_.FieldName(); }
  // Rebinds at run time; "" unbinds (empty, read-only). A name the open
  // dataset lacks leaves the control unbound and raises EDatabaseError.
  void SetDataField(const std::string& name);
  // The bound field; nullptr while unbound or closed.
  TField* Field() const { return link_.Field(); }
  // The control's own read-only switch (the field's and the dataset's count too).
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool v) { link_.SetReadOnly(v); }
  // Takes input: bound to a field that can be modified, and not read-only.
  bool CanModify() const { return link_.CanModify(); }
  // What the user sees beside the control (a caption without "&" and ":");
  // a text the field refuses is reported under this name.
  const std::string& FieldLabel() const { return fieldLabel_; }
  void SetFieldLabel(const std::string& label) { fieldLabel_ = label; }

protected:
  DbFieldControl() = default;
  ~DbFieldControl() = default;

  TFieldDataLink link_;
  std::string fieldLabel_;
};

// Shared by the edit and the memo.
class DbTextControl : public DbFieldControl, public IDbPendingEdit {
public:
  void CommitPendingEdit() override;
  // The text differs from the field.
  bool Modified() const { return link_.Modified(); }

protected:
  DbTextControl();
  ~DbTextControl() = default;

  virtual std::string EditorText() const = 0;
  // Sets the text without counting it as typed.
  virtual void LoadEditorText(const std::string& text) = 0;
  virtual bool EditorHasFocus() const = 0;
  virtual void ApplyReadOnly(bool readOnly) = 0;
  virtual void ApplyMaxLength(int /*length*/) {}

  // Before a key that may change the text: enters edit state; false when the
  // key must not reach the control.
  bool BeforeTyping();
  // After the user changed the text by any means (typing, pasting, dropping).
  void AfterUserChange();
  // Return: writes the text; false when that failed.
  bool ReturnPressed();
  // Esc: cancels the record's changes; false when there was nothing to cancel.
  bool EscapePressed();
  void FocusEntered();
  // Leaving the control writes the text; true when the focus must come back.
  // A click that took the focus away from a text the field refused goes no
  // further than the message, which comes once the click is over.
  bool FocusLeft(Qt::FocusReason reason);
  // Reloads from the field.
  void Reload();
  bool Loading() const { return loading_; }

private:
  void Write();
  void UpdateAppearance();

  bool loading_ = false;
};

// A data-aware single-line edit.
class DbLineEdit : public QLineEdit, public DbTextControl {
public:
  explicit DbLineEdit(QWidget* parent = nullptr, TDataSource* source = nullptr, const std::string& field = {});

protected:
  std::string EditorText() const override;
  void LoadEditorText(const std::string& text) override;
  bool EditorHasFocus() const override { return hasFocus(); }
  void ApplyReadOnly(bool readOnly) override {
    if (readOnly != isReadOnly()) setReadOnly(readOnly);
  }
  void ApplyMaxLength(int length) override;

  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// A data-aware memo: the same, over several lines (Return is a line break).
class DbTextEdit : public QPlainTextEdit, public DbTextControl {
public:
  explicit DbTextEdit(QWidget* parent = nullptr, TDataSource* source = nullptr, const std::string& field = {});

protected:
  std::string EditorText() const override;
  void LoadEditorText(const std::string& text) override;
  bool EditorHasFocus() const override { return hasFocus(); }
  void ApplyReadOnly(bool readOnly) override {
    if (readOnly != isReadOnly()) setReadOnly(readOnly);
  }

  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// A data-aware label: the field's display text.
class DbLabel : public QLabel, public DbFieldControl {
public:
  explicit DbLabel(QWidget* parent = nullptr, TDataSource* source = nullptr, const std::string& field = {});

private:
  void Reload();
};

// A data-aware radio group: a button per item; the field holds the item's
// value (the item's caption when no values are given). A data change checks
// the button whose value equals the field, or none. A user click or
// SetItemIndex writes the value at once; only a user click emits clicked.
class DbRadioGroup : public QGroupBox, public DbFieldControl {
  Q_OBJECT
public:
  explicit DbRadioGroup(QWidget* parent = nullptr, TDataSource* source = nullptr, const std::string& field = {});

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& captions);
  // Stored values, by item; empty: the captions.
  const std::vector<std::string>& Values() const { return values_; }
  void SetValues(const std::vector<std::string>& values);
  void SetColumns(int columns);
  // The checked item, -1 for none.
  int ItemIndex() const;
  // Checks the item and writes its value; -1 unchecks and writes nothing.
  void SetItemIndex(int index);
  QRadioButton* Button(int index) const;

signals:
  // A user click on an item, after its value was written.
  void clicked(int index);

private:
  std::string ValueOf(int index) const;
  void Rebuild();
  void Reload();
  void Check(int index);
  void WriteItem(int index);
  void ButtonClicked(int index);

  std::vector<std::string> items_;
  std::vector<std::string> values_;
  int columns_ = 1;
  QButtonGroup* group_;
  QGridLayout* layout_;
};

// A data-aware drop-down list (not editable). Choosing an item writes its
// text at once. A stored text that is none of the items shows as an extra,
// disabled entry at the end.
class DbComboBox : public QComboBox, public DbFieldControl {
public:
  explicit DbComboBox(QWidget* parent = nullptr, TDataSource* source = nullptr, const std::string& field = {});

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  // The shown entry is the extra one.
  bool ShowsExtraEntry() const { return count() > static_cast<int>(items_.size()); }

private:
  void Reload();
  void Chosen(int index);

  std::vector<std::string> items_;
};
