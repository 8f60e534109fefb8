#pragma once
// Drives a modal dialog from inside its own event loop: the test schedules
// the drive before the code under test opens the dialog.

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <utility>

// Runs `drive` on the application's modal dialog as soon as its loop runs.
// The drive is expected to close it; a dialog left open fails the test and
// is rejected, so the test never hangs.
inline void WhenModal(std::function<void(QDialog&)> drive) {
  QTimer::singleShot(0, [drive = std::move(drive)] {
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      ADD_FAILURE() << "no modal dialog";
      return;
    }
    drive(*dialog);
    if (dialog && dialog->isVisible()) {
      ADD_FAILURE() << "the dialog stayed open";
      dialog->reject();
    }
  });
}
