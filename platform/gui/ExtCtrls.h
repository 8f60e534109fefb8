#pragma once
// Timers and panels.

#include <memory>

#include "platform/classes/Classes.h"
#include "platform/gui/Canvas.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

class QObject;

// Fires OnTimer every Interval milliseconds while Enabled (and Interval > 0).
// The tick runs inside the guard. Tests call Tick instead of waiting.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner = nullptr);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Interval() const { return interval_; }
  // Restarts a running timer with the new interval.
  void SetInterval(int ms);
  // The Qt timer is running.
  bool Running() const { return timerId_ != 0; }

  // One tick, as the running timer gives it.
  void Tick() { Timer(); }
  TNotifyEvent OnTimer;

  // The object whose timer event drives the ticks, and the Qt timer's id (0
  // while stopped).
  QObject* Handle() const;
  int TimerId() const { return timerId_; }

protected:
  // Fires OnTimer.
  virtual void Timer();

private:
  class Driver;
  void Update();

  bool enabled_ = true;
  int interval_ = 1000;
  int timerId_ = 0;
  std::unique_ptr<Driver> driver_;
};

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// Frames r with width rings: top and left lines in topColor, bottom and right
// lines in bottomColor (whose corners are the top right and bottom left
// pixels). r is left as the area inside.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

// A panel: outer bevel, a border of BorderWidth in the panel's colour, inner
// bevel, then the face with the caption centred. Aligned children share the
// client rectangle inset by BorderWidth, then BevelWidth for each bevel.
class TCustomPanel : public TControl {
public:
  explicit TCustomPanel(TComponent* AOwner = nullptr);

  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value);
  int BevelWidth() const { return bevelWidth_; }
  // At least 1.
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  // At least 0.
  void SetBorderWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;

private:
  void FrameChanged();

  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlignment alignment_ = taCenter;
};

using TPanel = TCustomPanel;
