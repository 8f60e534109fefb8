// The auto-repeat scroll button.

#include "platform/gui/Forms.h"
#include "platform/gui/InputHub.h"
#include "widgets/gbOutBar.h"

namespace {

struct FaceKind {
  unsigned type;
  unsigned state;
};

FaceKind FaceOf(TGBScrollButtonStyle style) {
  switch (style) {
    case gbsbs_ScrollDown:
      return {DFC_SCROLL, DFCS_SCROLLDOWN};
    case gbsbs_ScrollLeft:
      return {DFC_SCROLL, DFCS_SCROLLLEFT};
    case gbsbs_ScrollRight:
      return {DFC_SCROLL, DFCS_SCROLLRIGHT};
    case gbsbs_ScrollUp:
      return {DFC_SCROLL, DFCS_SCROLLUP};
    case gbsbs_CaptionClose:
      return {DFC_CAPTION, DFCS_CAPTIONCLOSE};
    case gbsbs_CaptionHelp:
      return {DFC_CAPTION, DFCS_CAPTIONHELP};
    case gbsbs_CaptionMAX:
      return {DFC_CAPTION, DFCS_CAPTIONMAX};
    case gbsbs_CaptionMIN:
      return {DFC_CAPTION, DFCS_CAPTIONMIN};
    case gbsbs_CaptionRestore:
      return {DFC_CAPTION, DFCS_CAPTIONRESTORE};
  }
  return {DFC_SCROLL, DFCS_SCROLLDOWN};
}

}  // namespace

TCustomGBScrollButton::TCustomGBScrollButton(TComponent* AOwner) : TCustomControl(AOwner) {
  repeatTimer_.SetEnabled(false);
  repeatTimer_.OnTimer = [this](TPersistent*) { RepeatTick(); };
  SetAutoSize(true);
}

TCustomGBScrollButton::~TCustomGBScrollButton() {
  Destroying();
  repeatTimer_.SetEnabled(false);
  repeatTimer_.OnTimer = nullptr;
}

void TCustomGBScrollButton::SetAutoSize(bool value) {
  autoSize_ = value;
  if (value) {
    const int side = GetSystemMetrics(SM_CXVSCROLL);
    SetBounds(Left(), Top(), side, side);
  }
  Invalidate();
}

void TCustomGBScrollButton::SetButtonStyle(TGBScrollButtonStyle value) {
  if (value == buttonStyle_) return;
  buttonStyle_ = value;
  Invalidate();
}

void TCustomGBScrollButton::SetFrequency(int value) {
  if (value != frequency_ && value > 0) frequency_ = value;
}

void TCustomGBScrollButton::DoSelect() {
  if (pressed_ && OnSelect) OnSelect(this);
}

void TCustomGBScrollButton::DrawButtonFace(bool pushed) {
  FaceKind face = FaceOf(buttonStyle_);
  unsigned state = face.state;
  if (pushed) state |= DFCS_PUSHED;
  if (!Enabled()) state |= DFCS_INACTIVE;
  Canvas().DrawFrameControl(ClientRect(), face.type, state);
}

void TCustomGBScrollButton::Paint() {
  DrawButtonFace(face_);
}

void TCustomGBScrollButton::ShowFace(bool pushed) {
  face_ = pushed;
  Repaint();
}

void TCustomGBScrollButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  ShowFace(true);
  pressed_ = true;
  SetMouseCapture(true);
  repeatTimer_.SetInterval(frequency_);
  repeatTimer_.SetEnabled(true);
  DoSelect();
}

void TCustomGBScrollButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!MouseCapture()) return;
  const bool inside = PtInRect(ClientRect(), {X, Y});
  if (inside == pressed_) return;
  pressed_ = inside;
  ShowFace(inside);
}

void TCustomGBScrollButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  repeatTimer_.SetEnabled(false);
  pressed_ = false;
  ShowFace(false);
  SetMouseCapture(false);
}

void TCustomGBScrollButton::VisibleChanged() {
  TCustomControl::VisibleChanged();
  repeatTimer_.SetEnabled(false);
  pressed_ = false;
  face_ = false;
  SetMouseCapture(false);
}

void TCustomGBScrollButton::RepeatTick() {
  const TPoint p = ScreenToClient(GetCursorPos());
  if (PtInRect(ClientRect(), p) && OnSelect) OnSelect(this);
}
