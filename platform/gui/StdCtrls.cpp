#include "platform/gui/StdCtrls.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

// Hands the editor's keys and focus changes to the control.
class TCustomEdit::Filter : public QObject {
public:
  explicit Filter(TCustomEdit& edit) : edit_(edit) {}

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (edit_.ComponentState() & csDestroying) return false;
    switch (e->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        int key = VirtualKeyFromQt(k->key());
        if (key == 0) return false;
        const TShiftState shift = ShiftStateFromQt(k->modifiers(), Qt::NoButton);
        QPointer<QObject> alive(watched);
        if (e->type() == QEvent::KeyPress) {
          Guard([&] { edit_.KeyDown(key, shift); });
        } else {
          Guard([&] { edit_.KeyUp(key, shift); });
        }
        return key == 0 || !alive;
      }
      case QEvent::FocusIn:
        Guard([&] { edit_.DoEnter(); });
        return false;
      case QEvent::FocusOut:
        Guard([&] { edit_.DoExit(); });
        return false;
      default:
        return false;
    }
  }

private:
  TCustomEdit& edit_;
};

TCustomEdit::TCustomEdit(TComponent* AOwner, bool multiLine) : TControl(AOwner), multiLine_(multiLine) {
  SetControlStyle(ControlStyle() & ~csSetCaption);
  SetParentColor(false);
  filter_ = new Filter(*this);
  QWidget* editor = nullptr;
  if (multiLine_) {
    plain_ = new QPlainTextEdit(this);
    plain_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    plain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    plain_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    plain_->setTabChangesFocus(true);
    QObject::connect(plain_, &QPlainTextEdit::textChanged, plain_, [this] { EditorTextChanged(); });
    editor = plain_;
  } else {
    line_ = new QLineEdit(this);
    QObject::connect(line_, &QLineEdit::textChanged, line_, [this] { EditorTextChanged(); });
    editor = line_;
  }
  editor->installEventFilter(filter_);
  setFocusProxy(editor);
  setFocusPolicy(Qt::StrongFocus);
  SetColor(clWindow);
  SetBounds(Left(), Top(), 121, 21);
  ApplyLook();
  PlaceEditor();
}

TCustomEdit::~TCustomEdit() {
  Destroying();
  if (QWidget* editor = EditWidget()) editor->removeEventFilter(filter_);
  delete filter_;
  filter_ = nullptr;
}

QWidget* TCustomEdit::EditWidget() const {
  if (multiLine_) return plain_.data();
  return line_.data();
}

std::string TCustomEdit::EditorText() const {
  if (plain_) return FromQString(plain_->toPlainText());
  if (line_) return FromQString(line_->text());
  return {};
}

void TCustomEdit::EditorTextChanged() {
  if (syncing_ || (ComponentState() & csDestroying)) return;
  Guard([this] {
    const std::string text = EditorText();
    if (text == Text()) return;
    TControl::SetText(text);
    Change();
  });
}

void TCustomEdit::SetText(const std::string& value) {
  if (value == EditorText() && value == Text()) return;
  {
    syncing_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{syncing_};
    if (plain_) plain_->setPlainText(ToQString(value));
    if (line_) line_->setText(ToQString(value));
  }
  const std::string taken = EditorText();
  if (taken == Text()) return;
  TControl::SetText(taken);
  Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  ApplyLook();
}

void TCustomEdit::SetThinBorder(bool value) {
  if (value == thinBorder_) return;
  thinBorder_ = value;
  PlaceEditor();
  Invalidate();
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (plain_) plain_->setReadOnly(value);
  if (line_) line_->setReadOnly(value);
}

void TCustomEdit::SetMaxLength(int value) {
  maxLength_ = std::max(value, 0);
  if (line_) line_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

void TCustomEdit::SelectAll() {
  if (plain_) plain_->selectAll();
  if (line_) line_->selectAll();
}

int TCustomEdit::SelStart() const {
  if (plain_) return plain_->textCursor().selectionStart();
  if (line_) return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
  return 0;
}

int TCustomEdit::SelLength() const {
  if (plain_) {
    const QTextCursor c = plain_->textCursor();
    return c.selectionEnd() - c.selectionStart();
  }
  if (line_) return line_->hasSelectedText() ? line_->selectionLength() : 0;
  return 0;
}

void TCustomEdit::SetSelStart(int value) {
  if (plain_) {
    QTextCursor c = plain_->textCursor();
    c.setPosition(std::clamp(value, 0, static_cast<int>(plain_->toPlainText().size())));
    plain_->setTextCursor(c);
  }
  if (line_) line_->setCursorPosition(value);
}

void TCustomEdit::SetSelLength(int value) {
  const int start = SelStart();
  if (plain_) {
    QTextCursor c = plain_->textCursor();
    c.setPosition(start);
    c.setPosition(std::clamp(start + value, 0, static_cast<int>(plain_->toPlainText().size())),
                  QTextCursor::KeepAnchor);
    plain_->setTextCursor(c);
  }
  if (line_) line_->setSelection(start, value);
}

int TCustomEdit::LineCount() const {
  if (!plain_) return 1;
  const QString text = plain_->toPlainText();
  const qreal margin = plain_->document()->documentMargin();
  // The editor's own width: its viewport follows only once it is laid out.
  const qreal width = std::max<qreal>(1, plain_->width() - 2 * plain_->frameWidth() - 2 * margin);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  int lines = 0;
  for (const QString& paragraph : text.split(QChar('\n'))) {
    QTextLayout layout(paragraph, plain_->font());
    layout.setTextOption(option);
    layout.beginLayout();
    int n = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      ++n;
    }
    layout.endLayout();
    lines += std::max(n, 1);
  }
  return std::max(lines, 1);
}

void TCustomEdit::Paint() {
  if (!thinBorder_) return;
  Canvas().Brush().SetColor(clWindowFrame);
  Canvas().FrameRect(ClientRect());
}

void TCustomEdit::PlaceEditor() {
  QWidget* editor = EditWidget();
  if (!editor) return;
  TRect r = ClientRect();
  if (thinBorder_) InflateRect(r, -1, -1);
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  editor->setGeometry(ToQRect(r));
}

void TCustomEdit::ApplyLook() {
  QWidget* editor = EditWidget();
  if (!editor) return;
  if (plain_) plain_->setFrameShape(borderStyle_ == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
  if (line_) line_->setFrame(borderStyle_ == bsSingle);
  editor->setFont(Font().ToQFont());
  QPalette palette = editor->palette();
  palette.setColor(QPalette::Base, ToQColor(Color()));
  palette.setColor(QPalette::Text, ToQColor(Font().Color()));
  editor->setPalette(palette);
  editor->setEnabled(Enabled());
}

void TCustomEdit::Resized() {
  PlaceEditor();
  TControl::Resized();
}

void TCustomEdit::FontChanged() {
  TControl::FontChanged();
  ApplyLook();
}

void TCustomEdit::ColorChanged() {
  TControl::ColorChanged();
  ApplyLook();
}

void TCustomEdit::ParentColorChanged() {
  TControl::ParentColorChanged();
  ApplyLook();
}

void TCustomEdit::EnabledChanged() {
  TControl::EnabledChanged();
  ApplyLook();
}
