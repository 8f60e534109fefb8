#include "platform/gui/ExtCtrls.h"

#include <QObject>
#include <QTimerEvent>
#include <algorithm>

#include "platform/gui/Guard.h"

// ---- TTimer

// Receives the Qt timer's events and runs the tick inside the guard.
class TTimer::Driver : public QObject {
public:
  explicit Driver(TTimer& timer) : timer_(timer) {}

protected:
  void timerEvent(QTimerEvent* e) override {
    if (e->timerId() != timer_.timerId_) {
      QObject::timerEvent(e);
      return;
    }
    Guard([this] { timer_.Tick(); });
  }

private:
  TTimer& timer_;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), driver_(std::make_unique<Driver>(*this)) {
  Update();
}

TTimer::~TTimer() {
  Destroying();
  if (timerId_) driver_->killTimer(timerId_);
  timerId_ = 0;
}

QObject* TTimer::Handle() const {
  return driver_.get();
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Update();
}

void TTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::Update() {
  if (timerId_) driver_->killTimer(timerId_);
  timerId_ = 0;
  if (enabled_ && interval_ > 0) timerId_ = driver_->startTimer(interval_);
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

// ---- Frame3D

void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width) {
  TColor saved = canvas.Pen().Color();
  canvas.Pen().SetWidth(1);
  --r.Bottom;
  --r.Right;
  for (; width > 0; --width) {
    canvas.Pen().SetColor(topColor);
    canvas.Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
    canvas.Pen().SetColor(bottomColor);
    canvas.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
    InflateRect(r, -1, -1);
  }
  ++r.Bottom;
  ++r.Right;
  canvas.Pen().SetColor(saved);
}

// ---- TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
  value = std::max(value, 1);
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  FrameChanged();
}

void TCustomPanel::SetBorderWidth(int value) {
  value = std::max(value, 0);
  if (value == borderWidth_) return;
  borderWidth_ = value;
  FrameChanged();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TControl::AdjustClientRect(Rect);
  InflateRect(Rect, -borderWidth_, -borderWidth_);
  int bevels = 0;
  if (bevelOuter_ != bvNone) bevels += bevelWidth_;
  if (bevelInner_ != bvNone) bevels += bevelWidth_;
  InflateRect(Rect, -bevels, -bevels);
}

namespace {

void BevelColors(TPanelBevel bevel, TColor face, TColor& top, TColor& bottom) {
  switch (bevel) {
    case bvLowered:
      top = clBtnShadow;
      bottom = clBtnHighlight;
      break;
    case bvRaised:
      top = clBtnHighlight;
      bottom = clBtnShadow;
      break;
    default:
      top = bottom = face;
      break;
  }
}

}  // namespace

void TCustomPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = ClientRect();
  TColor top, bottom;
  if (bevelOuter_ != bvNone) {
    BevelColors(bevelOuter_, Color(), top, bottom);
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  Frame3D(c, r, Color(), Color(), borderWidth_);
  if (bevelInner_ != bvNone) {
    BevelColors(bevelInner_, Color(), top, bottom);
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  c.Brush().SetStyle(TBrushStyle::bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(r);
  if (Text().empty()) return;
  c.SetFont(Font());
  c.SetBkMode(TRANSPARENT);
  int h = c.TextHeight("W");
  r.Top = (r.Bottom + r.Top - h) / 2;
  r.Bottom = r.Top + h;
  unsigned align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
  c.DrawText(Text(), r, DT_EXPANDTABS | DT_VCENTER | align);
}
