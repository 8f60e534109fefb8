#pragma once
// Where the error window first opens over a program's main window had the
// screen the given available geometry: the main window is moved where
// FinishLayout centres it on such a screen, the error window's frame is its
// size with the main window's decoration.

#include <QRect>

#include "forms/ErrorsForm.h"
#include "forms/MainWindow.h"

inline QRect FirstErrorPlace(TMainWindow& window, const QRect& screen) {
  window.move(screen.center() - QPoint(window.width() / 2, window.height() / 2));
  const QSize frame = QSize(TFormErrors::kWidth, TFormErrors::kHeight) + window.frameGeometry().size() - window.size();
  return {TFormErrors::FirstPlace(frame, screen, window.frameGeometry(), TFormErrors::FrameArea(&window)), frame};
}
