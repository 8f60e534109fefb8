#pragma once
// The splash window: the program's logo and line over a panel, "&OK" (the
// default and the cancel button), no frame, above the other windows. Its
// timer starts when it is shown; at the first tick, or on "&OK", it stops the
// timer and closes, and the close frees the window.

#include <QDialog>
#include <QPointer>

#include "forms/ProgramContent.h"

class QLabel;
class QPushButton;
class TTimer;

class TFormSplash : public QDialog {
public:
  static constexpr int kClientWidth = 411;
  static constexpr int kClientHeight = 327;
  static constexpr int kLogoWidth = 409;
  static constexpr int kLogoHeight = 89;
  static constexpr int kInterval = 5000;

  // The window frees itself on close: create it with new.
  explicit TFormSplash(const TSplashContent& content, int interval = kInterval, QWidget* parent = nullptr);
  ~TFormSplash() override;

  // Creates the splash centred on the screen and shows it without waiting.
  // It frees itself on close, and the handle becomes null; the caller may
  // keep it to free the splash at the end when it is still open.
  static QPointer<TFormSplash> ShowSplash(const TSplashContent& content, int interval = kInterval);

  TTimer& Timer() { return *timer_; }
  QPushButton* ButtonOK() const { return buttonOK_; }
  QLabel* Logo() const { return logo_; }

  void FormShow();
  void TimerTimer();
  void btnOKClick();

protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  TTimer* timer_;
  QLabel* logo_ = nullptr;
  QPushButton* buttonOK_ = nullptr;
};
