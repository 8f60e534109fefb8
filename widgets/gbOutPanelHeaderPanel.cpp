// The panel with a title band: a header button and a hot button along the
// top, the aligned children below.

#include "platform/rtl/SysUtils.h"
#include "widgets/gbOutPanel.h"

TGBCustomHeaderPanel::TGBCustomHeaderPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  hotButton_ = new TGBHotButton(this);
  hotButton_->SetColor(Color());
  hotButton_->SetBounds(Width() - HotButtonWidth - 2, BorderWidth() + 3, HotButtonWidth, HotButtonHeight);
  hotButton_->SetParent(this);

  headerButton_ = new TGBHeaderButton(this);
  headerButton_->SetColor(Color());
  headerButton_->SetArrowAlignment(aaCenter);
  headerButton_->SetArrowFontSize(8);
  headerButton_->SetFrameColor(clBtnShadow);
  headerButton_->SetBounds(1, BorderWidth() + 1, hotButton_->Left() - 1, Height() - 2);
  headerButton_->SetParent(this);
  headerButton_->Font().OnChange = [this](TPersistent*) {
    headerButton_->FontAssigned();
    HeaderFontChanged();
  };

  SetHeight(100);
  // The header starts with the panel's font and follows it until it is set.
  headerButton_->InheritFont(Font());
  SetBevelOuter(bvLowered);
  UpdateHeaderHeight();
  Realign();
}

TGBCustomHeaderPanel::~TGBCustomHeaderPanel() {
  // A hosting strip lets go of the panel while the buttons still exist.
  Destroying();
  headerButton_->Font().OnChange = nullptr;
}

// ---- texts and forwarded properties

void TGBCustomHeaderPanel::SetText(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  headerButton_->SetText(value);
  Invalidate();
}

void TGBCustomHeaderPanel::SetPinCaption(const std::string& value) {
  if (value == pinCaption_) return;
  pinCaption_ = Trim(value);
  if (hotButton_->ButtonType() == btPin) headerButton_->SetText(pinCaption_);
}

void TGBCustomHeaderPanel::ShowHeaderText() {
  const bool pin = hotButton_->ButtonType() == btPin && !pinCaption_.empty();
  headerButton_->SetText(pin ? pinCaption_ : caption_);
}

TButtonType TGBCustomHeaderPanel::ButtonType() const {
  return hotButton_->ButtonType();
}

void TGBCustomHeaderPanel::SetButtonType(TButtonType value) {
  hotButton_->SetButtonType(value);
  ShowHeaderText();
}

void TGBCustomHeaderPanel::SetHeaderHeight(int value) {
  if (value == headerHeight_) return;
  headerHeight_ = value;
  UpdateHeaderHeight();
  Invalidate();
  Realign();
}

void TGBCustomHeaderPanel::SetHeaderVisible(bool value) {
  if (value == headerVisible_) return;
  headerVisible_ = value;
  Invalidate();
  Realign();
}

TFont& TGBCustomHeaderPanel::HeaderFont() {
  return headerButton_->Font();
}

void TGBCustomHeaderPanel::SetHeaderFont(const TFont& value) {
  headerButton_->Font().Assign(value);
}

bool TGBCustomHeaderPanel::ArrowButtonDown() const {
  return headerButton_->ArrowButtonDown();
}
void TGBCustomHeaderPanel::SetArrowButtonDown(bool value) {
  headerButton_->SetArrowButtonDown(value);
}
TBitmap& TGBCustomHeaderPanel::Bitmap() {
  return headerButton_->Bitmap();
}
void TGBCustomHeaderPanel::SetBitmap(const TBitmap& value) {
  headerButton_->SetBitmap(value);
}
bool TGBCustomHeaderPanel::ButtonDown() const {
  return headerButton_->ButtonDown();
}
void TGBCustomHeaderPanel::SetButtonDown(bool value) {
  headerButton_->SetButtonDown(value);
}
bool TGBCustomHeaderPanel::ButtonInCaption() const {
  return headerButton_->ButtonInCaption();
}
void TGBCustomHeaderPanel::SetButtonInCaption(bool value) {
  headerButton_->SetButtonInCaption(value);
}
TPopupMenu* TGBCustomHeaderPanel::DropDownMenu() const {
  return headerButton_->DropDownMenu();
}
void TGBCustomHeaderPanel::SetDropDownMenu(TPopupMenu* value) {
  headerButton_->SetDropDownMenu(value);
}
TImageAlignment TGBCustomHeaderPanel::ImageAlignment() const {
  return headerButton_->ImageAlignment();
}
void TGBCustomHeaderPanel::SetImageAlignment(TImageAlignment value) {
  headerButton_->SetImageAlignment(value);
}
int TGBCustomHeaderPanel::ImageIndex() const {
  return headerButton_->ImageIndex();
}
void TGBCustomHeaderPanel::SetImageIndex(int value) {
  headerButton_->SetImageIndex(value);
}
TImageList* TGBCustomHeaderPanel::ImageList() const {
  return headerButton_->ImageList();
}
void TGBCustomHeaderPanel::SetImageList(TImageList* value) {
  headerButton_->SetImageList(value);
}
bool TGBCustomHeaderPanel::SeparateArrow() const {
  return headerButton_->SeparateArrow();
}
void TGBCustomHeaderPanel::SetSeparateArrow(bool value) {
  headerButton_->SetSeparateArrow(value);
}
bool TGBCustomHeaderPanel::TrackMouse() const {
  return headerButton_->TrackMouse();
}
void TGBCustomHeaderPanel::SetTrackMouse(bool value) {
  headerButton_->SetTrackMouse(value);
}
TNotifyEvent& TGBCustomHeaderPanel::OnLeftButtonClick() {
  return headerButton_->OnButtonClick;
}
TBitmap& TGBCustomHeaderPanel::ButtonDownGlyph() {
  return hotButton_->ButtonDownGlyph();
}
void TGBCustomHeaderPanel::SetButtonDownGlyph(const TBitmap& value) {
  hotButton_->SetButtonDownGlyph(value);
}
TBitmap& TGBCustomHeaderPanel::ButtonUpGlyph() {
  return hotButton_->ButtonUpGlyph();
}
void TGBCustomHeaderPanel::SetButtonUpGlyph(const TBitmap& value) {
  hotButton_->SetButtonUpGlyph(value);
}
TNotifyEvent& TGBCustomHeaderPanel::OnRightButtonClick() {
  return hotButton_->OnButtonClick;
}

// ---- the band

void TGBCustomHeaderPanel::UpdateHeaderHeight() {
  if (headerHeight_ != 0) {
    effectiveHeaderHeight_ = headerHeight_;
  } else {
    panelCanvas_.SetFont(headerButton_->Font());
    effectiveHeaderHeight_ = panelCanvas_.GetTextMetrics().tmHeight + 3;
  }
  if (hotButton_->Height() > effectiveHeaderHeight_ - 5) effectiveHeaderHeight_ = hotButton_->Height() + 5;
}

void TGBCustomHeaderPanel::HeaderFontChanged() {
  UpdateHeaderHeight();
  headerButton_->Relayout();
  headerButton_->Invalidate();
  Invalidate();
  Realign();
}

TRect TGBCustomHeaderPanel::HeaderRect() const {
  TRect r{0, 0, Width(), effectiveHeaderHeight_};
  if (BorderWidth() != 0) {
    if (BevelOuter() == bvNone) {
      r.Left += 1;
    } else {
      r.Left += 2;
      r.Right -= 1;
      r.Top += 1;
      r.Bottom += 1;
    }
  }
  r.Bottom = std::min(r.Bottom, ClientHeight());
  return r;
}

void TGBCustomHeaderPanel::PlaceButtons() {
  if (!hotButton_ || !headerButton_) return;
  const TRect h = HeaderRect();
  const int bw = BorderWidth();
  const int hotLeft = h.Right - hotButton_->Width() - 1 - bw;
  const int hotTop = (h.Top + h.Bottom - hotButton_->Height()) / 2 + bw + 1;
  hotButton_->SetBounds(hotLeft, hotTop, hotButton_->Width(), hotButton_->Height());
  const int headerLeft = bw == 0 ? h.Left + 1 : h.Left + bw;
  headerButton_->SetBounds(headerLeft, h.Top + bw + 2, hotLeft - bw - 4, h.Bottom - h.Top - 3);
}

void TGBCustomHeaderPanel::AlignControls(TControl* AControl, TRect& Rect) {
  // The buttons follow size, font, border, bevel and band changes here, all
  // of which realign.
  PlaceButtons();
  if (headerVisible_) {
    const TRect h = HeaderRect();
    Rect.Top += h.Bottom - h.Top;
    const bool inner = BevelInner() != bvNone;
    const bool outer = BevelOuter() != bvNone;
    if (!inner && outer) {
      if (BorderWidth() == 0) Rect.Top -= 1;
    } else if (inner && !outer) {
      Rect.Top -= 1;
    } else if (inner && outer) {
      Rect.Top -= BorderWidth() == 0 ? 2 : 1;
    }
  }
  TCustomPanel::AlignControls(AControl, Rect);
}

void TGBCustomHeaderPanel::ColorChanged() {
  TCustomPanel::ColorChanged();
  if (!hotButton_ || !headerButton_) return;
  hotButton_->SetColor(Color());
  headerButton_->SetColor(Color());
}

void TGBCustomHeaderPanel::VisibleChanged() {
  if (hostHeader_ && hostActive_) hostHeader_->TogglePanelPopup();
  TCustomPanel::VisibleChanged();
}

// ---- painting

void TGBCustomHeaderPanel::Paint() {
  TCustomPanel::Paint();
  TCanvas& c = Canvas();
  const TRect h = HeaderRect();
  const int bw = BorderWidth();
  c.Brush().SetStyle(TBrushStyle::bsSolid);
  c.Brush().SetColor(Color());
  const int hotLeft = hotButton_->Left(), hotTop = hotButton_->Top();
  c.FillRect({hotLeft, bw + 2, h.Right - bw - 1, hotTop});
  c.FillRect({hotLeft, hotTop + hotButton_->Height(), h.Right - bw - 1, h.Bottom + bw - 1});
  if (headerVisible_) DrawHeaderFrame();
}

void TGBCustomHeaderPanel::DrawHeaderFrame() {
  TRect r = HeaderRect();
  const int bw = BorderWidth();
  if (bw != 0) {
    r.Left += bw - 1;
    r.Top += bw;
    r.Right -= bw;
    r.Bottom += bw;
  }
  TRect etched = r;
  Canvas().DrawEdge(etched, EDGE_ETCHED, BF_LEFT | BF_TOP);
  TRect raised = r;
  Canvas().DrawEdge(raised, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
}
