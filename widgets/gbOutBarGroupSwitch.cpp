// The group bar's page switch and its slide.
//
// The slide runs synchronously inside the ActiveGroupIndex setter. Before the
// new index is stored, the band B of the bar that moves (the old page and the
// captions that change sides) is rendered into a picture. An overlay child
// covering B shows the band as it was; the new page is shown under it and
// rendered beside the band. The overlay then shows each frame: what copying
// strips of that picture onto the screen would leave there. Every frame is
// painted at once and stays at least FramePause ms.

#include <QElapsedTimer>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <algorithm>

#include "platform/gui/QtTypes.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutConst.h"

// Shows rows [0, cut) of the picture, then its rows from source on.
class TCustomGBGroupBar::SlideOverlay : public QWidget {
public:
  SlideOverlay(QWidget* parent, const QImage& picture, int source, int height)
      : QWidget(parent), picture_(picture), source_(source), height_(height) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(false);
  }

  void SetCut(int cut) { cut_ = std::clamp(cut, 0, height_); }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int w = picture_.width();
    if (cut_ > 0) p.drawImage(QRect(0, 0, w, cut_), picture_, QRect(0, 0, w, cut_));
    const int rest = height_ - cut_;
    if (rest > 0) p.drawImage(QRect(0, cut_, w, rest), picture_, QRect(0, source_, w, rest));
  }

private:
  const QImage& picture_;
  int source_;
  int height_;
  int cut_ = 0;
};

void TCustomGBGroupBar::SetActiveGroupIndex(int value) {
  int a = activeGroupIndex_;
  if (value == a || value < 0) return;
  if (ComponentState() & csLoading) {
    pendingIndex_ = value;
    return;
  }
  if (value >= GroupCount()) RaiseOutErrorFmt(SInvalidActiveGroupIndex, {0, GroupCount() - 1});
  if (!IsGroupEnabled(value)) return;
  if (!inLoaded_) {
    QPointer<QWidget> alive(this);
    if (!Changing(Groups(value))) return;
    // The handler may have changed the bar meanwhile.
    if (!alive || value >= GroupCount() || value == activeGroupIndex_) return;
    a = activeGroupIndex_;
  }
  TGBOutBarGroup* Old = GetActiveGroup();
  TGBOutBarGroup* New = Groups(value);
  const TRect O = GetPageRect();
  const bool down = value > a;
  const bool slide = frequency_ >= 2 && Old && Showing();
  // The band that moves, and how it looks now.
  QImage before;
  TRect B;
  if (slide) {
    const TRect N = PageRectFor(value);
    B = down ? TRect{O.Left, O.Top, O.Right, N.Bottom} : TRect{N.Left, N.Top, N.Right, O.Bottom};
    before = QImage(std::max(B.Width(), 1), std::max(B.Height(), 1), QImage::Format_RGB32);
    before.fill(Qt::black);
    QPainter p(&before);
    render(&p, QPoint(0, 0), QRegion(ToQRect(B)), QWidget::DrawChildren);
  }
  activeGroupIndex_ = value;
  const TRect N = GetPageRect();
  try {
    if (slide) {
      Slide(New, O, N, B, down, before);
    } else {
      New->PlaceWindow(N);
      New->Show();
      New->raise();
      if (Showing()) {
        Repaint();
      } else {
        Invalidate();
      }
    }
  } catch (...) {
    FinishSwitch(Old, New, N);
    throw;
  }
  FinishSwitch(Old, New, N);
}

void TCustomGBGroupBar::Slide(TGBOutBarGroup* New, const TRect& O, const TRect& N, const TRect& B, bool down,
                              const QImage& before) {
  const int H = N.Height();
  const int BW = B.Width();
  const int BH = B.Height();
  if (BW <= 0 || BH <= 0 || H < 0) return;
  QImage picture(BW, BH + H, QImage::Format_RGB32);
  picture.fill(Qt::black);
  {
    QPainter p(&picture);
    p.drawImage(0, down ? 0 : H, before);
  }
  New->PlaceWindow(N);
  struct Frames {
    TCustomGBGroupBar& bar;
    QWidget* overlay = nullptr;
    ~Frames() {
      delete overlay;
      bar.animating_ = false;
    }
  } frames{*this};
  animBand_ = B;
  animating_ = true;
  auto* overlay = new SlideOverlay(this, picture, H, BH);
  frames.overlay = overlay;
  overlay->setGeometry(ToQRect(B));
  // The first frame shows the band as it was, so nothing jumps.
  overlay->SetCut(down ? O.Bottom - B.Top : 0);
  overlay->show();
  overlay->raise();
  New->Show();
  New->raise();
  overlay->raise();
  // The page paints only once it shows. Rendered while hidden, it would keep
  // the region of its opaque children that Qt works out then (none, as they
  // are hidden too), and its next paint on screen would cover them.
  {
    QPainter p(&picture);
    New->render(&p, QPoint(0, down ? BH : 0), QRegion(), QWidget::DrawChildren);
  }
  QPointer<QWidget> alive(this);
  QElapsedTimer clock;
  clock.start();
  for (int k = 0; k < frequency_; ++k) {
    const int d = static_cast<int>(k * (static_cast<double>(H) / frequency_));
    overlay->SetCut(down ? O.Bottom - B.Top - d : d);
    overlay->repaint();
    if (OnAnimationFrame) OnAnimationFrame(d);
    if (!alive) return;
    if (framePause_ > 0) {
      const qint64 due = static_cast<qint64>(k + 1) * framePause_;
      const qint64 left = due - clock.elapsed();
      if (left > 0) QThread::msleep(static_cast<unsigned long>(left));
    }
  }
}

void TCustomGBGroupBar::FinishSwitch(TGBOutBarGroup* Old, TGBOutBarGroup* New, const TRect& N) {
  QPointer<QWidget> alive(this);
  QPointer<QWidget> oldAlive(Old);
  QPointer<QWidget> newAlive(New);
  if (Old && oldAlive && Old != New) {
    Old->PlaceWindow(Bounds(N.Left, N.Top, N.Width(), 0));
    Old->Hide();
  }
  if (newAlive) {
    New->PlaceWindow(N);
    // Also when the switch failed before the page showed.
    if (!New->Visible()) New->Show();
    New->raise();
  }
  if (!alive) return;
  if (Showing()) {
    Repaint();
  } else {
    Invalidate();
  }
  Change();
}
