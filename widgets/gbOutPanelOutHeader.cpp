// The header strip: two header buttons over a solid or gradient background,
// and a hosted header panel that turns into a drop-down while hidden.

#include <QPointer>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/ValueScope.h"
#include "widgets/gbOutCommon.h"
#include "widgets/gbOutPanel.h"

TGBCustomOutHeader::TGBCustomOutHeader(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csClickEvents | csSetCaption | csOpaque);
  SetBounds(Left(), Top(), Screen::Width() / 4, 2 * borderSize_ + 30);
  SetColor(clBtnShadow);

  leftButton_ = new TGBHeaderButton(this);
  leftButton_->SetArrowAlignment(aaBottom);
  leftButton_->SetArrowFontSize(6);
  leftButton_->SetAlign(alLeft);
  leftButton_->SetColor(Color());
  leftButton_->SetInsetButton(true);
  leftButton_->SetImageAlignment(iaLeft);
  leftButton_->SetParent(this);
  leftButton_->SetFrameColor(0);
  leftButton_->OnButtonClick = [this](TPersistent* sender) { HeaderButtonClick(sender); };
  leftButton_->OnTrackMouse = [this](TPersistent* sender, bool& isClose) { HeaderTrackMouse(sender, isClose); };
  leftButton_->OnChanged = [this](TPersistent*) { LayoutButtons(); };

  rightButton_ = new TGBHeaderButton(this);
  rightButton_->SetAlign(alRight);
  rightButton_->SetColor(Color());
  rightButton_->SetInsetButton(true);
  rightButton_->SetImageAlignment(iaRight);
  rightButton_->SetParent(this);
  rightButton_->SetParentFont(false);
  rightButton_->OnChanged = [this](TPersistent*) { LayoutButtons(); };

  leftButton_->UpdateOpaquePaint();
  rightButton_->UpdateOpaquePaint();
  LayoutButtons();
}

TGBCustomOutHeader::~TGBCustomOutHeader() {
  Destroying();
  for (TGBHeaderButton* b : {leftButton_, rightButton_}) {
    b->OnButtonClick = nullptr;
    b->OnTrackMouse = nullptr;
    b->OnChanged = nullptr;
  }
  SetHostedPanel(nullptr);
}

// ---- settings

void TGBCustomOutHeader::SetHeaderBackgroundMode(TBackgroundModeGlobal value) {
  if (value == backgroundMode_) return;
  backgroundMode_ = value;
  leftButton_->UpdateOpaquePaint();
  rightButton_->UpdateOpaquePaint();
  Invalidate();
}

void TGBCustomOutHeader::SetBorderColor(TColor value) {
  if (value == borderColor_) return;
  borderColor_ = value;
  Invalidate();
}

void TGBCustomOutHeader::BorderChanged() {
  LayoutButtons();
  Realign();
  Invalidate();
}

void TGBCustomOutHeader::SetBorderSides(TBorderSides value) {
  if (value == borderSides_) return;
  borderSides_ = value;
  BorderChanged();
}

void TGBCustomOutHeader::SetBorderSize(int value) {
  if (value == borderSize_) return;
  borderSize_ = value;
  BorderChanged();
}

void TGBCustomOutHeader::SetHeaderGradientBegin(TColor value) {
  if (value == gradientBegin_) return;
  gradientBegin_ = value;
  Invalidate();
}

void TGBCustomOutHeader::SetHeaderGradientEnd(TColor value) {
  if (value == gradientEnd_) return;
  gradientEnd_ = value;
  Invalidate();
}

bool TGBCustomOutHeader::ButtonDown() const {
  return leftButton_->ButtonDown();
}

void TGBCustomOutHeader::SetButtonDown(bool value) {
  leftButton_->SetButtonDown(value);
}

bool TGBCustomOutHeader::ButtonInCaption() const {
  return leftButton_->ButtonInCaption();
}

void TGBCustomOutHeader::SetButtonInCaption(bool value) {
  leftButton_->SetButtonInCaption(value);
}

// ---- layout

TRect TGBCustomOutHeader::ApplyBorderSides(const TRect& R) const {
  TRect r = R;
  if (borderSides_ & sdLeft) r.Left += borderSize_;
  if (borderSides_ & sdTop) r.Top += borderSize_;
  if (borderSides_ & sdRight) r.Right -= borderSize_;
  if (borderSides_ & sdBottom) r.Bottom -= borderSize_;
  return r;
}

void TGBCustomOutHeader::LayoutButtons() {
  if (!leftButton_ || !rightButton_ || Going()) return;
  const TRect r = ApplyBorderSides({0, 0, Width(), Height()});
  const int w = r.Right - r.Left;
  const int a = std::min(leftButton_->GetContentWidth(), 100);
  int b = rightButton_->GetContentWidth();
  if (w - b < a) b = w - a;
  TValueScope lock(alignLock_, true);
  // Both inside the border band: the left edge is the band's inner edge.
  leftButton_->SetBounds(r.Left, r.Top, w - b + 1, r.Bottom - r.Top);
  rightButton_->SetBounds(r.Left + w - b, r.Top, b, r.Bottom - r.Top);
}

void TGBCustomOutHeader::AlignControls(TControl* AControl, TRect& Rect) {
  if (alignLock_) return;
  Rect = ApplyBorderSides(Rect);
  TCustomControl::AlignControls(AControl, Rect);
}

void TGBCustomOutHeader::Resized() {
  TCustomControl::Resized();
  LayoutButtons();
}

// ---- notifications

void TGBCustomOutHeader::Loaded() {
  TCustomControl::Loaded();
  if (pendingPanel_) {
    TGBCustomHeaderPanel* panel = pendingPanel_;
    pendingPanel_->RemoveFreeNotification(this);
    pendingPanel_ = nullptr;
    SetHostedPanel(panel);
  }
}

void TGBCustomOutHeader::Notification(TComponent* component, TComponentOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == pendingPanel_) pendingPanel_ = nullptr;
  if (component == hostedPanel_) SetHostedPanel(nullptr);
}

void TGBCustomOutHeader::TextChanged() {
  TCustomControl::TextChanged();
  leftButton_->SetText(Text());
  Invalidate();
}

void TGBCustomOutHeader::ColorChanged() {
  TCustomControl::ColorChanged();
  if (!leftButton_ || !rightButton_) return;
  leftButton_->SetColor(Color());
  rightButton_->SetColor(Color());
}

void TGBCustomOutHeader::ParentFontChanged() {
  // The left button takes the parent's font; the strip's own font and the
  // right button's stay.
  if (!ParentFont() || !Parent() || !leftButton_) return;
  leftButton_->InheritFont(Parent()->Font());
}

// ---- keys and mouse

void TGBCustomOutHeader::KeyDown(int& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE && leftButton_->ButtonDown() && hostedPanel_) leftButton_->SetButtonDown(false);
}

void TGBCustomOutHeader::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Visible()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

// ---- painting

void TGBCustomOutHeader::Paint() {
  PaintHeaderBackground();
  DrawBorderBand();
}

void TGBCustomOutHeader::PaintHeaderBackground() {
  TCanvas& c = Canvas();
  switch (backgroundMode_) {
    case bkmNone:
      c.Brush().SetStyle(TBrushStyle::bsSolid);
      c.Brush().SetColor(Color());
      c.FillRect(ClientRect());
      break;
    case bkmGradientHorz:
    case bkmGradientVert:
      DrawGradient(c, ClientWidth(), ClientHeight(), gradientBegin_, gradientEnd_, backgroundMode_ == bkmGradientVert);
      break;
    default:
      break;
  }
}

void TGBCustomOutHeader::DrawBorderBand() {
  TCanvas& c = Canvas();
  c.Brush().SetStyle(TBrushStyle::bsSolid);
  c.Brush().SetColor(borderColor_);
  const TRect client = ClientRect();
  FillOutside(c, client, ApplyBorderSides(client));
}

// ---- the hosted panel

void TGBCustomOutHeader::SetHostedPanel(TGBCustomHeaderPanel* value) {
  if (value == hostedPanel_) return;
  if (ComponentState() & csLoading) {
    if (pendingPanel_) pendingPanel_->RemoveFreeNotification(this);
    pendingPanel_ = value;
    if (pendingPanel_) pendingPanel_->FreeNotification(this);
    return;
  }
  if (hostedPanel_) ReleasePanel();
  hostedPanel_ = value;
  if (!value || Going()) {
    hostedPanel_ = nullptr;
    return;
  }
  value->FreeNotification(this);
  value->SetHostHeader(this);
  value->SetHostActive(true);
  value->HotButton()->OnHostClick = [this](TPersistent*) { PanelButtonClick(); };
  if (!value->Visible()) SetPanelPopup(true);
  leftButton_->SetButtonInCaption(!value->Visible());
  leftButton_->SetButtonDown(false);
}

void TGBCustomOutHeader::ReleasePanel() {
  TGBCustomHeaderPanel* panel = hostedPanel_;
  const bool going = (panel->ComponentState() & csDestroying) != 0;
  if (dropDown_) {
    // A drop-down goes back where it was before it is let go, so nothing of
    // its drop-down state outlives the hosting.
    if (!going) SetPanelPopup(false);
    dropDown_ = false;
    popupParent_ = nullptr;
    leftButton_->SetButtonInCaption(false);
    leftButton_->SetButtonDown(false);
  }
  panel->HotButton()->OnHostClick = nullptr;
  panel->SetHostHeader(nullptr);
  panel->SetHostActive(false);
  panel->RemoveFreeNotification(this);
  hostedPanel_ = nullptr;
}

void TGBCustomOutHeader::SetPanelVisible(bool visible) {
  TGBCustomHeaderPanel* panel = hostedPanel_;
  const bool active = panel->HostActive();
  panel->SetHostActive(false);
  struct Restore {
    QPointer<QWidget> panel;
    TGBCustomHeaderPanel* p;
    bool active;
    ~Restore() {
      if (panel) p->SetHostActive(active);
    }
  } restore{panel, panel, active};
  panel->SetVisible(visible);
}

void TGBCustomOutHeader::SetPanelPopup(bool popup) {
  TGBCustomHeaderPanel* panel = hostedPanel_;
  if (!panel || popup == dropDown_) return;
  if (popup) {
    savedAlign_ = panel->Align();
    savedBounds_ = panel->BoundsRect();
    popupParent_ = panel->parentWidget();
    savedBevelOuter_ = panel->BevelOuter();
    savedBevelInner_ = panel->BevelInner();
    savedBorderWidth_ = panel->BorderWidth();
    savedButtonType_ = panel->ButtonType();
    dropDown_ = true;
    panel->SetVisible(false);
    panel->SetAlign(alNone);
    panel->SetBorderWidth(3);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetWidth(panel->Width() + 2 * panel->BorderWidth() + 2);
    panel->SetButtonType(btPin);
    // The form holding the strip; a strip without one leaves the panel where
    // it is.
    QWidget* form = window();
    if (form != this) panel->SetParent(form);
    return;
  }
  panel->SetWidth(panel->Width() - 2 * panel->BorderWidth() - 2);
  panel->SetBorderWidth(savedBorderWidth_);
  panel->SetBevelOuter(savedBevelOuter_);
  panel->SetBevelInner(savedBevelInner_);
  QWidget* parent = popupParent_;
  dropDown_ = false;
  popupParent_ = nullptr;
  if (parent) panel->SetParent(parent);
  panel->SetAlign(savedAlign_);
  panel->SetBoundsRect(savedBounds_);
  panel->SetButtonType(savedButtonType_);
  if (parent && parent->isVisible()) panel->SetFocus();
}

void TGBCustomOutHeader::TogglePanelPopup() {
  if (!hostedPanel_) return;
  SetPanelPopup(!hostedPanel_->Visible());
  leftButton_->SetButtonInCaption(!hostedPanel_->Visible());
}

void TGBCustomOutHeader::PanelButtonClick() {
  if (!hostedPanel_) return;
  if (leftButton_->ButtonInCaption()) {
    SetPanelPopup(false);
    leftButton_->SetButtonInCaption(false);
    leftButton_->SetButtonDown(false);
  } else {
    hostedPanel_->SetVisible(false);
  }
}

void TGBCustomOutHeader::HeaderButtonClick(TPersistent* Sender) {
  QPointer<QWidget> alive(this);
  UpdatePopupVisibility();
  if (alive && OnHeaderButtonClick) OnHeaderButtonClick(Sender);
}

void TGBCustomOutHeader::UpdatePopupVisibility() {
  TGBCustomHeaderPanel* panel = hostedPanel_;
  if (!panel) return;
  if (leftButton_->ButtonDown()) {
    int bottom = Top() + Height();
    if (borderSides_ & sdBottom) bottom -= borderSize_;
    TPoint p{Left() - panel->BorderWidth() - 1, bottom};
    // From the strip's parent's client coordinates to the panel parent's.
    if (QWidget* from = parentWidget()) p = FromQPoint(from->mapToGlobal(ToQPoint(p)));
    if (QWidget* to = panel->parentWidget()) p = FromQPoint(to->mapFromGlobal(ToQPoint(p)));
    if (OnGetPopupPosition) OnGetPopupPosition(this, p);
    panel->SetBounds(p.X, p.Y, panel->Width(), panel->Height());
    SetPanelVisible(true);
    panel->BringToFront();
  } else if (dropDown_) {
    SetPanelVisible(false);
  }
}

void TGBCustomOutHeader::HeaderTrackMouse(TPersistent* Sender, bool& IsClose) {
  if (hostedPanel_) {
    const TPoint p = hostedPanel_->ScreenToClient(GetCursorPos());
    IsClose = !PtInRect(hostedPanel_->ClientRect(), p);
  }
  if (OnHeaderTrackMouse) OnHeaderTrackMouse(Sender, IsClose);
}
