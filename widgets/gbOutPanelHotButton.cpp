// The hot button: a close cross, a pin or two glyphs of the user's choice.

#include <QPointer>

#include "platform/gui/Forms.h"
#include "widgets/gbOutPanel.h"

TGBCustomHotButton::TGBCustomHotButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(Left(), Top(), 17, 17);
  SetColor(clBtnFace);
  upGlyph_.OnChange = [this](TPersistent*) { Invalidate(); };
  downGlyph_.OnChange = [this](TPersistent*) { Invalidate(); };
  closeGlyph_.LoadFromResourceName("CLOSEBUTTON");
  pinUpGlyph_.LoadFromResourceName("HOTBUTTONPINUP");
  pinDownGlyph_.LoadFromResourceName("HOTBUTTONPINDOWN");
}

TGBCustomHotButton::~TGBCustomHotButton() {
  Destroying();
  upGlyph_.OnChange = nullptr;
  downGlyph_.OnChange = nullptr;
}

void TGBCustomHotButton::SetButtonType(TButtonType value) {
  if (value == buttonType_) return;
  buttonType_ = value;
  Invalidate();
}

const TBitmap& TGBCustomHotButton::CurrentGlyph() const {
  const bool pushed = down_ && hot_;
  switch (buttonType_) {
    case btPin:
      return pushed ? pinDownGlyph_ : pinUpGlyph_;
    case btCustom:
      return pushed && !downGlyph_.Empty() ? downGlyph_ : upGlyph_;
    case btStandard:
      break;
  }
  return closeGlyph_;
}

void TGBCustomHotButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TGBCustomHotButton::ButtonClick() {
  QPointer<QWidget> alive(this);
  if (OnButtonClick) OnButtonClick(this);
  if (alive && OnHostClick) OnHostClick(this);
}

bool TGBCustomHotButton::CursorInside() const {
  return PtInRect(ClientRect(), ScreenToClient(GetCursorPos()));
}

void TGBCustomHotButton::UpdateHotState() {
  if (!Parent()) return;
  if (CursorInside()) {
    if (pressed_ && !down_) {
      down_ = true;
      Invalidate();
    }
    if (!hot_) {
      hot_ = true;
      Invalidate();
    }
  } else if (hot_ && !pressed_) {
    hot_ = false;
    Invalidate();
  }
}

void TGBCustomHotButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (hot_) {
    down_ = true;
    Invalidate();
  }
  pressed_ = true;
}

void TGBCustomHotButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  UpdateHotState();
  // Qt holds the leave event back while a button is held: moving out with
  // the button held counts as leaving.
  if (pressed_ && down_ && !CursorInside()) {
    down_ = false;
    Invalidate();
  }
}

void TGBCustomHotButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  QPointer<QWidget> alive(this);
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!alive || Button != mbLeft) return;
  pressed_ = false;
  UpdateHotState();
  if (hot_) {
    ButtonClick();
    if (!alive) return;
  }
  down_ = false;
  Invalidate();
}

void TGBCustomHotButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  if (!hot_) return;
  if (pressed_) {
    down_ = false;
  } else {
    hot_ = false;
  }
  Invalidate();
}

void TGBCustomHotButton::Paint() {
  TCanvas& c = Canvas();
  const TRect client = ClientRect();
  c.Brush().SetStyle(TBrushStyle::bsSolid);
  c.Brush().SetColor(Color());
  TRect g = AlignRectIn({RectWidth(HotButtonRect), RectHeight(HotButtonRect)}, client, haCenter, vaCenter);
  InflateRect(g, -1, -1);
  DrawImageIn(c, &CurrentGlyph(), Color(), true, 0, g);
  c.Brush().SetColor(Color());
  FillOutside(c, client, g);
  if (hot_) Draw3DFrame(c, client, clBtnShadow, down_);
}
