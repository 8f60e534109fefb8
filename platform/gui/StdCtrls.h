#pragma once
// The edit box: one line, or several lines wrapped at the box's width.
//
// The text is edited by a Qt editor that fills the control (inset by the
// frame width when there is one). Keys typed into it reach the control's
// KeyDown first: a key set to 0 goes no further. Its focus changes are the
// control's DoEnter and DoExit; every change of the text fires OnChange.

#include <QPointer>
#include <string>

#include "platform/gui/Controls.h"

class QLineEdit;
class QPlainTextEdit;
class QObject;

class TCustomEdit : public TControl {
public:
  explicit TCustomEdit(TComponent* AOwner = nullptr, bool multiLine = false);
  ~TCustomEdit() override;

  bool MultiLine() const { return multiLine_; }
  // Sets the editor's text; fires OnChange when it differs.
  void SetText(const std::string& value) override;
  // bsSingle: the platform's sunken frame; bsNone: none.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  // A one-pixel frame in clWindowFrame round the editor (drawn by the
  // control, so it also shows with BorderStyle bsNone).
  bool ThinBorder() const { return thinBorder_; }
  void SetThinBorder(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Characters a one-line box takes at most; 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);

  // Selection, in characters of the text.
  void SelectAll();
  int SelStart() const;
  int SelLength() const;
  void SetSelStart(int value);
  void SetSelLength(int value);

  // The lines the text takes now: its paragraphs wrapped at the editor's
  // width (1 for a one-line box and for an empty text).
  int LineCount() const;
  // The Qt editor (a QLineEdit, or a QPlainTextEdit when multi-line).
  QWidget* EditWidget() const;

  TNotifyEvent OnChange;

  void Paint() override;

protected:
  // The text changed (by the user or by code): fires OnChange.
  virtual void Change();
  void Resized() override;
  void FontChanged() override;
  void ColorChanged() override;
  void ParentColorChanged() override;
  void EnabledChanged() override;

private:
  class Filter;
  void EditorTextChanged();
  void PlaceEditor();
  void ApplyLook();
  std::string EditorText() const;

  bool multiLine_;
  QPointer<QLineEdit> line_;
  QPointer<QPlainTextEdit> plain_;
  Filter* filter_ = nullptr;
  TBorderStyle borderStyle_ = bsSingle;
  bool thinBorder_ = false;
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool syncing_ = false;
};
