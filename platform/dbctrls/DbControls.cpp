#include "platform/dbctrls/DbControls.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <algorithm>
#include <exception>

#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/ValueScope.h"

namespace {

bool IsReturn(const QKeyEvent* e) {
  return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
         (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool IsEscape(const QKeyEvent* e) {
  return e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier;
}

// A key that may change an edit's text.
bool MayModify(const QKeyEvent* e) {
  if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo) ||
      e->matches(QKeySequence::Redo) || e->matches(QKeySequence::DeleteEndOfWord) ||
      e->matches(QKeySequence::DeleteStartOfWord) || e->matches(QKeySequence::DeleteEndOfLine))
    return true;
  if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) return true;
  const QString text = e->text();
  return !text.isEmpty() && text.at(0).isPrint();
}

// Qt's limit for a line edit without one.
constexpr int kNoMaxLength = 32767;

// Qt moves the focus on a mouse press before the press reaches the widget
// clicked; this drops that press, so the click that met a refused text does
// nothing more (no button click, no tree selection). Gone when the event
// loop runs again.
class PressSwallower : public QObject {
public:
  explicit PressSwallower(QObject* parent) : QObject(parent) {
    QMetaObject::invokeMethod(this, &QObject::deleteLater, Qt::QueuedConnection);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType()) return false;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
    QCoreApplication::instance()->removeEventFilter(this);
    event->accept();
    return true;
  }
};

void SwallowPressBeingDelivered() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app) app->installEventFilter(new PressSwallower(app));
}

// Reported once the focus is back and the press is over: a message box in
// the middle of Qt's focus change would leave the focus elsewhere.
void ReportLater(std::exception_ptr failure) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  QMetaObject::invokeMethod(
      app, [failure] { Guard([&] { std::rethrow_exception(failure); }); }, Qt::QueuedConnection);
}

}  // namespace

void SetFieldText(TField& field, const std::string& text, const std::string& label) {
  try {
    field.SetText(text);
  } catch (const EConvertError& e) {
    // The field names itself by its own label, last; the user knows it by this one.
    const std::string own = " campo " + field.DisplayName();
    const std::string& message = e.Message();
    if (label.empty() || message.size() < own.size() ||
        message.compare(message.size() - own.size(), own.size(), own) != 0)
      throw;
    throw EConvertError(message.substr(0, message.size() - own.size()) + " campo " + label);
  }
}

// ---- DbFieldControl ----

void DbFieldControl::SetDataField(const std::string& name) {
  link_.SetFieldName(name);
  if (!name.empty() && link_.Active() && !link_.Field()) throw EDatabaseError(FieldNotFoundMessage(name));
}

// ---- DbTextControl ----

DbTextControl::DbTextControl() {
  link_.OnActiveChange = [this] { UpdateAppearance(); };
  link_.OnDataChange = [this] { Reload(); };
  link_.OnEditingChange = [this] { UpdateAppearance(); };
  link_.OnUpdateData = [this] { Write(); };
}

void DbTextControl::CommitPendingEdit() {
  link_.UpdateRecord();
}

void DbTextControl::Write() {
  TField* field = link_.Field();
  if (!field) return;
  SetFieldText(*field, EditorText(), FieldLabel());
}

void DbTextControl::Reload() {
  std::string text;
  if (TField* field = link_.Field()) text = EditorHasFocus() ? field->Text() : field->DisplayText();
  {
    TValueScope loading(loading_, true);
    LoadEditorText(text);
  }
  UpdateAppearance();
}

void DbTextControl::UpdateAppearance() {
  ApplyReadOnly(!CanModify());
  TField* field = link_.Field();
  ApplyMaxLength(field && field->DataType() == TFieldType::String && field->Size() > 0 ? field->Size() : 0);
}

bool DbTextControl::BeforeTyping() {
  if (!CanModify()) return false;
  if (link_.Editing()) return true;
  return link_.Edit();
}

void DbTextControl::AfterUserChange() {
  if (loading_) return;
  if (!link_.Editing()) {
    // Entering edit state reloads the control; what the user put there stays.
    const std::string typed = EditorText();
    bool editing = false;
    try {
      editing = CanModify() && link_.Edit();
    } catch (...) {
      Reload();
      throw;
    }
    if (!editing) {
      Reload();
      return;
    }
    if (EditorText() != typed) {
      TValueScope loading(loading_, true);
      LoadEditorText(typed);
    }
  }
  link_.SetModified();
}

bool DbTextControl::ReturnPressed() {
  bool written = false;
  Guard([&] {
    CommitPendingEdit();
    written = true;
  });
  return written;
}

bool DbTextControl::EscapePressed() {
  if (!link_.Field()) return false;
  TDataSet* ds = link_.DataSet();
  if (ds && ds->Editing()) {
    ds->Cancel();
    Reload();
    return true;
  }
  if (link_.Modified()) {
    link_.Reset();
    return true;
  }
  return false;
}

void DbTextControl::FocusEntered() {
  if (!link_.Modified()) Reload();
}

bool DbTextControl::FocusLeft(Qt::FocusReason reason) {
  // Another window or a popup taking the focus is not leaving the control.
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
  bool written = false;
  if (reason == Qt::MouseFocusReason) {
    try {
      CommitPendingEdit();
      written = true;
    } catch (...) {
      SwallowPressBeingDelivered();
      ReportLater(std::current_exception());
    }
  } else {
    Guard([&] {
      CommitPendingEdit();
      written = true;
    });
  }
  if (!written) return true;
  if (!link_.Modified()) Reload();
  return false;
}

// ---- DbLineEdit ----

DbLineEdit::DbLineEdit(QWidget* parent, TDataSource* source, const std::string& field) : QLineEdit(parent) {
  connect(this, &QLineEdit::textEdited, this, [this](const QString&) { Guard([&] { AfterUserChange(); }); });
  SetDataSource(source);
  link_.SetFieldName(field);
  Reload();
}

std::string DbLineEdit::EditorText() const {
  return FromQString(text());
}

void DbLineEdit::LoadEditorText(const std::string& value) {
  const QString q = ToQString(value);
  if (q == text()) return;
  const int pos = cursorPosition();
  setText(q);
  if (hasFocus()) setCursorPosition(std::min(pos, static_cast<int>(q.size())));
}

void DbLineEdit::ApplyMaxLength(int length) {
  // Setting the limit drops the selection, so only a change sets it.
  const int limit = length > 0 ? std::min(length, kNoMaxLength) : kNoMaxLength;
  if (limit != maxLength()) setMaxLength(limit);
}

void DbLineEdit::keyPressEvent(QKeyEvent* event) {
  Guard([&] {
    if (IsReturn(event)) {
      // Written: the key goes on (a frame's default button); failed: it stops here.
      if (ReturnPressed())
        QLineEdit::keyPressEvent(event);
      else
        event->accept();
      return;
    }
    if (IsEscape(event)) {
      if (EscapePressed())
        event->accept();
      else
        QLineEdit::keyPressEvent(event);
      return;
    }
    if (MayModify(event) && !BeforeTyping()) {
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
  });
}

void DbLineEdit::focusInEvent(QFocusEvent* event) {
  Guard([&] { FocusEntered(); });
  QLineEdit::focusInEvent(event);
}

void DbLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  bool back = false;
  Guard([&] { back = FocusLeft(event->reason()); });
  if (back) setFocus(Qt::OtherFocusReason);
}

// ---- DbTextEdit ----

DbTextEdit::DbTextEdit(QWidget* parent, TDataSource* source, const std::string& field) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, [this] { Guard([&] { AfterUserChange(); }); });
  SetDataSource(source);
  link_.SetFieldName(field);
  Reload();
}

std::string DbTextEdit::EditorText() const {
  return FromQString(toPlainText());
}

void DbTextEdit::LoadEditorText(const std::string& value) {
  const QString q = ToQString(value);
  if (q == toPlainText()) return;
  const int pos = textCursor().position();
  setPlainText(q);
  if (hasFocus()) {
    QTextCursor c = textCursor();
    c.setPosition(std::min(pos, static_cast<int>(q.size())));
    setTextCursor(c);
  }
}

void DbTextEdit::keyPressEvent(QKeyEvent* event) {
  Guard([&] {
    if (IsEscape(event)) {
      if (EscapePressed())
        event->accept();
      else
        QPlainTextEdit::keyPressEvent(event);
      return;
    }
    if ((MayModify(event) || IsReturn(event)) && !BeforeTyping()) {
      event->accept();
      return;
    }
    QPlainTextEdit::keyPressEvent(event);
  });
}

void DbTextEdit::focusInEvent(QFocusEvent* event) {
  Guard([&] { FocusEntered(); });
  QPlainTextEdit::focusInEvent(event);
}

void DbTextEdit::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  bool back = false;
  Guard([&] { back = FocusLeft(event->reason()); });
  if (back) setFocus(Qt::OtherFocusReason);
}

// ---- DbLabel ----

DbLabel::DbLabel(QWidget* parent, TDataSource* source, const std::string& field) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  link_.OnActiveChange = [this] { Reload(); };
  link_.OnDataChange = [this] { Reload(); };
  SetDataSource(source);
  link_.SetFieldName(field);
  Reload();
}

void DbLabel::Reload() {
  TField* field = link_.Field();
  setText(field ? ToQString(field->DisplayText()) : QString());
}

// ---- DbRadioGroup ----

DbRadioGroup::DbRadioGroup(QWidget* parent, TDataSource* source, const std::string& field)
    : QGroupBox(parent), group_(new QButtonGroup(this)), layout_(new QGridLayout(this)) {
  layout_->setContentsMargins(8, 4, 8, 4);
  layout_->setSpacing(2);
  connect(group_, &QButtonGroup::idClicked, this, [this](int id) { ButtonClicked(id); });
  link_.OnActiveChange = [this] { Reload(); };
  link_.OnDataChange = [this] { Reload(); };
  SetDataSource(source);
  link_.SetFieldName(field);
  Reload();
}

void DbRadioGroup::SetItems(const std::vector<std::string>& captions) {
  items_ = captions;
  Rebuild();
}

void DbRadioGroup::SetValues(const std::vector<std::string>& values) {
  values_ = values;
  Reload();
}

void DbRadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  Rebuild();
}

QRadioButton* DbRadioGroup::Button(int index) const {
  return qobject_cast<QRadioButton*>(group_->button(index));
}

std::string DbRadioGroup::ValueOf(int index) const {
  const auto i = static_cast<std::size_t>(index);
  if (i < values_.size()) return values_[i];
  return i < items_.size() ? items_[i] : std::string();
}

void DbRadioGroup::Rebuild() {
  for (QAbstractButton* b : group_->buttons()) {
    group_->removeButton(b);
    delete b;
  }
  const int count = static_cast<int>(items_.size());
  const int perColumn = (count + columns_ - 1) / columns_;
  for (int i = 0; i < count; ++i) {
    auto* b = new QRadioButton(ToQString(items_[static_cast<std::size_t>(i)]), this);
    group_->addButton(b, i);
    layout_->addWidget(b, perColumn > 0 ? i % perColumn : 0, perColumn > 0 ? i / perColumn : 0);
  }
  Reload();
}

int DbRadioGroup::ItemIndex() const {
  return group_->checkedId();
}

void DbRadioGroup::Check(int index) {
  const QSignalBlocker blockGroup(group_);
  if (QAbstractButton* b = group_->button(index)) {
    const QSignalBlocker blockButton(b);
    b->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; none is checked this way.
  group_->setExclusive(false);
  for (QAbstractButton* b : group_->buttons()) {
    const QSignalBlocker blockButton(b);
    b->setChecked(false);
  }
  group_->setExclusive(true);
}

void DbRadioGroup::Reload() {
  int index = -1;
  if (TField* field = link_.Field()) {
    const std::string value = field->Text();
    for (int i = 0; i < static_cast<int>(items_.size()); ++i)
      if (ValueOf(i) == value) {
        index = i;
        break;
      }
  }
  Check(index);
}

void DbRadioGroup::WriteItem(int index) {
  TField* field = link_.Field();
  if (!field || !CanModify()) throw EAbort();
  const std::string value = ValueOf(index);
  if (field->Text() == value) return;
  if (!link_.Edit()) throw EAbort();
  field->SetText(value);
}

void DbRadioGroup::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    Check(-1);
    return;
  }
  Check(index);
  if (!link_.Field()) return;
  try {
    WriteItem(index);
  } catch (...) {
    Reload();
    throw;
  }
}

void DbRadioGroup::ButtonClicked(int index) {
  bool written = false;
  Guard([&] {
    try {
      WriteItem(index);
    } catch (...) {
      Reload();
      throw;
    }
    written = true;
  });
  if (written) Guard([&] { emit clicked(index); });
}

// ---- DbComboBox ----

DbComboBox::DbComboBox(QWidget* parent, TDataSource* source, const std::string& field) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this](int index) { Chosen(index); });
  link_.OnActiveChange = [this] { Reload(); };
  link_.OnDataChange = [this] { Reload(); };
  SetDataSource(source);
  link_.SetFieldName(field);
  Reload();
}

void DbComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  const QSignalBlocker block(this);
  clear();
  for (const std::string& item : items_) addItem(ToQString(item));
  Reload();
}

void DbComboBox::Reload() {
  const QSignalBlocker block(this);
  while (count() > static_cast<int>(items_.size())) removeItem(count() - 1);
  TField* field = link_.Field();
  const std::string value = field ? field->Text() : std::string();
  if (value.empty()) {
    setCurrentIndex(-1);
    return;
  }
  int index = findText(ToQString(value), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) {
    addItem(ToQString(value));
    index = count() - 1;
    if (auto* m = qobject_cast<QStandardItemModel*>(model()))
      if (QStandardItem* item = m->item(index)) item->setEnabled(false);
  }
  setCurrentIndex(index);
}

void DbComboBox::Chosen(int index) {
  Guard([&] {
    try {
      TField* field = link_.Field();
      if (index < 0 || index >= static_cast<int>(items_.size()) || !field || !CanModify()) throw EAbort();
      const std::string value = items_[static_cast<std::size_t>(index)];
      if (field->Text() == value) return;
      if (!link_.Edit()) throw EAbort();
      field->SetText(value);
    } catch (...) {
      Reload();
      throw;
    }
  });
}
