// The header button: caption, image, the caption button with its drop-down
// arrow and menu, mouse tracking, and the events passed on to the parent.

#include <QPointer>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "widgets/gbOutPanel.h"

TGBCustomHeaderButton::TGBCustomHeaderButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csSetCaption | csOpaque);
  SetBounds(Left(), Top(), 100, 30);
  SetColor(clBtnFace);
  Font().OnChange = [this](TPersistent*) {
    FontAssigned();
    Changed();
  };
  bitmap_.OnChange = [this](TPersistent*) { Changed(); };
  Relayout();
}

TGBCustomHeaderButton::~TGBCustomHeaderButton() {
  Destroying();
  SetImageList(nullptr);
  bitmap_.OnChange = nullptr;
  Font().OnChange = nullptr;
  Unregister();
}

void TGBCustomHeaderButton::Unregister() {
  // Only from a manager that exists: going or coming up never creates one.
  if (TMouseManager* manager = MouseManager()) manager->UnregisterButton(this);
}

void TGBCustomHeaderButton::FontAssigned() {
  if (!inheritingFont_) SetParentFont(false);
}

void TGBCustomHeaderButton::InheritFont(const TFont& font) {
  inheritingFont_ = true;
  Font().Assign(font);
  inheritingFont_ = false;
}

void TGBCustomHeaderButton::Changed() {
  Relayout();
  QPointer<QWidget> alive(this);
  if (OnChanged) OnChanged(this);
  if (alive) Invalidate();
}

// ---- properties

void TGBCustomHeaderButton::SetArrowAlignment(TArrowAlignment value) {
  if (value == arrowAlignment_) return;
  arrowAlignment_ = value;
  Relayout();
  Invalidate();
}

void TGBCustomHeaderButton::SetArrowFontSize(int value) {
  if (value == arrowFontSize_) return;
  arrowFontSize_ = value;
  arrowSize_ = {};
  Relayout();
  Invalidate();
}

void TGBCustomHeaderButton::SetImageAlignment(TImageAlignment value) {
  if (value == imageAlignment_) return;
  imageAlignment_ = value;
  Relayout();
  Invalidate();
}

void TGBCustomHeaderButton::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  Invalidate();
}

void TGBCustomHeaderButton::SetSeparateArrow(bool value) {
  if (value == separateArrow_) return;
  separateArrow_ = value;
  Relayout();
  Invalidate();
}

void TGBCustomHeaderButton::SetFrameColor(TColor value) {
  if (value == frameColor_) return;
  frameColor_ = value;
  Invalidate();
}

void TGBCustomHeaderButton::SetInsetButton(bool value) {
  if (value == insetButton_) return;
  insetButton_ = value;
  Relayout();
  Invalidate();
}

void TGBCustomHeaderButton::SetImageList(TImageList* value) {
  if (value == imageList_) return;
  // The link unregisters itself unless the list is going (it lets its links
  // go first).
  imageLink_.reset();
  if (imageList_) imageList_->RemoveFreeNotification(this);
  imageList_ = value;
  if (imageList_) {
    imageLink_ = std::make_unique<TChangeLink>();
    imageLink_->OnChange = [this](TPersistent*) { Changed(); };
    imageList_->RegisterChanges(imageLink_.get());
    imageList_->FreeNotification(this);
  }
  if (Going()) return;
  Relayout();
  Invalidate();
}

void TGBCustomHeaderButton::SetDropDownMenu(TPopupMenu* value) {
  if (value == dropDownMenu_) return;
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = value;
  if (dropDownMenu_) dropDownMenu_->FreeNotification(this);
}

void TGBCustomHeaderButton::SetButtonInCaption(bool value) {
  if (value == buttonInCaption_) return;
  buttonInCaption_ = value;
  arrowButtonDown_ = false;
  Relayout();
  Invalidate();
}

void TGBCustomHeaderButton::SetButtonDown(bool value) {
  if (value == buttonDown_) return;
  buttonDown_ = value;
  Invalidate();
  if (buttonInCaption_) {
    if (value && trackMouse_) GetMouseManager().RegisterButton(this);
    QPointer<QWidget> alive(this);
    DoButtonClick();
    if (!alive) return;
  }
  if (!buttonDown_ && trackMouse_) Unregister();
}

void TGBCustomHeaderButton::SetArrowButtonDown(bool value) {
  if (value == arrowButtonDown_) return;
  arrowButtonDown_ = value;
  if (buttonInCaption_) {
    if (value) {
      if (trackMouse_) GetMouseManager().RegisterButton(this);
      buttonDown_ = true;
    } else {
      buttonDown_ = false;
    }
    QPointer<QWidget> alive(this);
    DoButtonClick();
    if (!alive) return;
  }
  if (!arrowButtonDown_ && trackMouse_) Unregister();
  Invalidate();
}

void TGBCustomHeaderButton::SetTrackMouse(bool value) {
  if (value == trackMouse_) return;
  trackMouse_ = value;
  if (value && buttonDown_) GetMouseManager().RegisterButton(this);
}

TSize TGBCustomHeaderButton::GetImageSize() const {
  if (imageList_) return {imageList_->Width(), imageList_->Height()};
  if (!bitmap_.Empty()) return {bitmap_.Width(), bitmap_.Height()};
  return {};
}

int TGBCustomHeaderButton::GetContentWidth() {
  if (arrowSize_.cx == 0) arrowSize_ = GetArrowGlyphSize(measure_, arrowFontSize_);
  int w = 4;
  if (imageAlignment_ == iaRight || !buttonInCaption_) w += 4;
  const int image = GetImageSize().cx;
  w += image;
  if (image != 0) w += 4;
  measure_.SetFont(Font());
  w += measure_.TextWidth(Caption()) + measure_.GetTextMetrics().tmOverhang;
  if (buttonInCaption_) w += arrowSize_.cx + 8;
  return w;
}

bool TGBCustomHeaderButton::PaintsOpaque() const {
  const auto* strip = dynamic_cast<const TGBCustomOutHeader*>(Owner());
  if (!strip) return true;
  const TBackgroundModeGlobal mode = strip->HeaderBackgroundMode();
  return mode != bkmGradientHorz && mode != bkmGradientVert;
}

void TGBCustomHeaderButton::UpdateOpaquePaint() {
  setAttribute(Qt::WA_OpaquePaintEvent, PaintsOpaque());
  Invalidate();
}

// ---- component life

void TGBCustomHeaderButton::Loaded() {
  TGraphicControl::Loaded();
  if (buttonDown_ && buttonInCaption_) DoButtonClick();
}

void TGBCustomHeaderButton::Notification(TComponent* component, TComponentOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == imageList_) SetImageList(nullptr);
  if (component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TGBCustomHeaderButton::TextChanged() {
  TGraphicControl::TextChanged();
  Changed();
}

void TGBCustomHeaderButton::Resized() {
  TGraphicControl::Resized();
  Relayout();
}

void TGBCustomHeaderButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  RecheckHover();
}

// ---- clicks and the menu

void TGBCustomHeaderButton::Click() {
  QPointer<QWidget> alive(this);
  TGraphicControl::Click();
  if (!alive) return;
  if (TControl* parent = Parent()) parent->Click();
}

void TGBCustomHeaderButton::DblClick() {
  QPointer<QWidget> alive(this);
  TGraphicControl::DblClick();
  if (!alive) return;
  if (TControl* parent = Parent()) parent->DblClick();
}

void TGBCustomHeaderButton::DoButtonClick() {
  if (dropDownMenu_ && (buttonDown_ || (arrowButtonDown_ && separateArrow_))) {
    // The caption part of a split button: pressed without the menu.
    if (buttonDown_ && !arrowButtonDown_ && separateArrow_) return;
    const TPoint at = ClientToScreen({0, Height()});
    // A menu command may free the button or its panel, in the menu loop or
    // in the events run after it: then nothing more is done.
    QPointer<QWidget> alive(this);
    QPointer<QWidget> parent(parentWidget());
    const bool hadParent = parent != nullptr;
    auto gone = [&] { return !alive || Going() || (hadParent && !parent); };
    struct MenuState {
      QPointer<QWidget>& alive;
      bool& inMenu;
      ~MenuState() {
        if (alive) inMenu = false;
      }
    } menuState{alive, inMenu_};
    inMenu_ = true;
    dropDownMenu_->Popup(at.X, at.Y);
    if (gone()) return;
    inMenu_ = false;
    Application::ProcessMessages();
    if (gone()) return;
    buttonDown_ = false;
    Invalidate();
    SetArrowButtonDown(false);
    if (gone()) return;
  }
  if (OnButtonClick) OnButtonClick(this);
}

// ---- the mouse

bool TGBCustomHeaderButton::PtInArrow(int X, int Y) const {
  return separateArrow_ && PtInRect(arrowRect_, {X, Y});
}

void TGBCustomHeaderButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  QPointer<QWidget> alive(this);
  TRect caption = buttonRect_;
  if (separateArrow_) SubtractRect(caption, buttonRect_, arrowRect_);
  if (buttonInCaption_ && Button == mbLeft && PtInRect(caption, {X, Y})) {
    SetArrowButtonDown(false);
    if (!alive) return;
    SetButtonDown(inMenu_ ? false : !buttonDown_);
    if (!alive) return;
  }
  if (buttonInCaption_ && Button == mbLeft && PtInArrow(X, Y)) {
    SetArrowButtonDown(!arrowButtonDown_);
    if (!alive) return;
  }
  if (TControl* parent = Parent()) {
    parent->MouseDown(Button, Shift, X + Left(), Y + Top());
    if (!alive) return;
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TGBCustomHeaderButton::MouseMove(TShiftState Shift, int X, int Y) {
  const bool over = buttonInCaption_ &&
                    (PtInRect(buttonRect_, {X, Y}) || (separateArrow_ && PtInRect(arrowRect_, {X, Y})));
  if (over) {
    if (!buttonDown_ && !hot_) {
      hot_ = true;
      Invalidate();
    }
  } else if (hot_) {
    hot_ = false;
    Invalidate();
  }
  QPointer<QWidget> alive(this);
  if (TControl* parent = Parent()) {
    parent->MouseMove(Shift, X + Left(), Y + Top());
    if (!alive) return;
  }
  TGraphicControl::MouseMove(Shift, X, Y);
}

void TGBCustomHeaderButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  QPointer<QWidget> alive(this);
  if (TControl* parent = Parent()) {
    parent->MouseUp(Button, Shift, X + Left(), Y + Top());
    if (!alive) return;
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TGBCustomHeaderButton::MouseLeave() {
  if (!buttonDown_) Invalidate();
  if (hot_) {
    hot_ = false;
    Invalidate();
  }
  TGraphicControl::MouseLeave();
}

void TGBCustomHeaderButton::RecheckHover() {
  if (!Parent() || Going()) return;
  const TPoint p = ScreenToClient(GetCursorPos());
  MouseMove(0, p.X, p.Y);
}

// ---- the mouse manager's messages

bool TGBCustomHeaderButton::Release() {
  QPointer<QWidget> alive(this);
  SetButtonDown(false);
  if (!alive) return false;
  SetArrowButtonDown(false);
  if (!alive) return false;
  QWidget* form = window();
  if (form && form->isVisible()) form->repaint();
  return true;
}

int TGBCustomHeaderButton::TrackMouseDown() {
  if (!buttonDown_ && !arrowButtonDown_) return 0;
  const TPoint p = ScreenToClient(GetCursorPos());
  bool close = !(buttonDown_ && PtInRect(buttonRect_, p));
  // A press on the pressed caption button is left to MouseDown.
  if (!close) return 0;
  QPointer<QWidget> alive(this);
  if (OnTrackMouse) {
    bool isClose = true;
    OnTrackMouse(this, isClose);
    if (!alive) return 1;
    close = isClose;
  }
  if (inMenu_) close = false;
  if (close && !Release()) return 1;
  RecheckHover();
  return 1;
}

void TGBCustomHeaderButton::TrackDeactivate() {
  if (!buttonDown_ && !arrowButtonDown_) return;
  if (!inMenu_ && !Release()) return;
  RecheckHover();
}

// ---- layout and painting

void TGBCustomHeaderButton::Relayout() {
  if (Going()) return;
  if (arrowSize_.cx == 0) arrowSize_ = GetArrowGlyphSize(measure_, arrowFontSize_);
  // The measuring canvas draws nothing: this only places the parts.
  DrawButton(measure_);
}

void TGBCustomHeaderButton::Paint() {
  if (arrowSize_.cx == 0) arrowSize_ = GetArrowGlyphSize(Canvas(), arrowFontSize_);
  DrawButton(Canvas());
}

void TGBCustomHeaderButton::DrawButton(TCanvas& canvas) {
  const bool opaque = PaintsOpaque();
  TRect r = ClientRect();
  if (!buttonInCaption_) {
    buttonRect_ = {};
    arrowRect_ = {};
  }
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  CutStrip(canvas, r, 4, opaque, false);
  if (imageAlignment_ == iaRight || !buttonInCaption_) CutStrip(canvas, r, 4, opaque, true);
  DrawImagePart(canvas, r, opaque);
  DrawCaptionPart(canvas, r, opaque);
  DrawButtonFrame(canvas);
}

void TGBCustomHeaderButton::DrawImagePart(TCanvas& canvas, TRect& R, bool opaque) {
  const TSize size = GetImageSize();
  TRect b = R;
  if (insetButton_) {
    ++b.Top;
    --b.Bottom;
    ClampBottom(b);
  }
  const TRect image = AlignRectIn(size, b, imageAlignment_ == iaRight ? haRight : haLeft, vaCenter);
  if (IsRectEmpty(image)) return;
  const TPersistent* source = imageList_ ? static_cast<const TPersistent*>(imageList_) : &bitmap_;
  DrawImageIn(canvas, source, Color(), opaque, imageIndex_, image);
  canvas.Brush().SetColor(Color());
  if (opaque) FillOutside(canvas, {image.Left, R.Top, image.Right, R.Bottom}, image);
  if (imageAlignment_ == iaRight) {
    R.Right = image.Left;
    ClampRight(R);
  } else {
    R.Left = image.Right;
    ClampLeft(R);
  }
  CutStrip(canvas, R, 4, opaque, imageAlignment_ == iaRight);
}

void TGBCustomHeaderButton::DrawCaptionPart(TCanvas& canvas, TRect& R, bool opaque) {
  const unsigned transparent = opaque ? 0 : DT_TRANSPARENTTEXT;
  canvas.SetFont(Font());
  TRect t = MeasureCaption(canvas, R, Caption());
  if (separateArrow_) t.Right += 4;
  if (buttonInCaption_) {
    const int arrowWidth = arrowSize_.cx + 4 + (separateArrow_ ? 2 : 0);
    t.Right += arrowSize_.cx + 4 + (separateArrow_ ? 2 : 0);
    t.Right = std::min(t.Right, R.Right);
    buttonRect_ = t;
    buttonRect_.Left = ClientRect().Left + 1;
    if (insetButton_) {
      ++buttonRect_.Top;
      --buttonRect_.Bottom;
    }
    arrowRect_ = {buttonRect_.Right - arrowWidth, buttonRect_.Top, buttonRect_.Right, buttonRect_.Bottom};
    canvas.Brush().SetColor(Color());
    CutStrip(canvas, R, R.Right - t.Right, opaque, true);
    canvas.Font().Assign(GetArrowFont());
    canvas.Font().SetSize(arrowFontSize_);
    canvas.Font().SetColor(Font().Color());
    const unsigned align = arrowAlignment_ == aaBottom ? DT_BOTTOM : DT_VCENTER;
    DrawArrowGlyph(canvas, R, arrowRect_, DT_CENTER | DT_SINGLELINE | align | transparent);
    R.Right = arrowRect_.Left;
    canvas.SetFont(Font());
  }
  canvas.Brush().SetColor(Color());
  DrawTextInRect(canvas, Caption(), DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | transparent, R);
}

void TGBCustomHeaderButton::DrawButtonFrame(TCanvas& canvas) {
  if (!buttonInCaption_ || !(buttonDown_ || hot_)) return;
  if (!separateArrow_) {
    Draw3DFrame(canvas, buttonRect_, frameColor_, buttonDown_);
    return;
  }
  const TSplitFrameState state = arrowButtonDown_ ? sfArrowDown : buttonDown_ ? sfButtonDown : sfUp;
  DrawSplitFrame(canvas, buttonRect_, frameColor_, state);
}
