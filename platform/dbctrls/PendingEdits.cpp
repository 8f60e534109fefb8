#include "platform/dbctrls/PendingEdits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include "platform/dbctrls/DbControls.h"
#include "platform/gui/Guard.h"

bool CommitPendingEdits(QWidget* window) {
  QWidget* focus = QApplication::focusWidget();
  if (window && focus != window && !window->isAncestorOf(focus)) focus = window->focusWidget();
  for (QWidget* w = focus; w; w = w->parentWidget()) {
    if (auto* pending = dynamic_cast<IDbPendingEdit*>(w)) {
      pending->CommitPendingEdit();
      return true;
    }
    if (w == window) break;
  }
  return false;
}

namespace {

class DefaultButtonFilter : public QObject {
public:
  DefaultButtonFilter(QWidget* frame, QAbstractButton* button) : QObject(frame), frame_(frame), button_(button) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != frame_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
      return false;
    Guard([&] {
      // A focused push button takes Return itself, as in a dialog.
      QAbstractButton* target = button_;
      if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget()))
        if (frame_->isAncestorOf(focused)) target = focused;
      CommitPendingEdits(frame_->window());
      if (target && target->isEnabled() && target->isVisible()) target->click();
    });
    return true;
  }

private:
  QPointer<QWidget> frame_;
  QPointer<QAbstractButton> button_;
};

}  // namespace

QObject* InstallDefaultButton(QWidget* frame, QAbstractButton* button) {
  auto* filter = new DefaultButtonFilter(frame, button);
  frame->installEventFilter(filter);
  if (auto* push = qobject_cast<QPushButton*>(button)) push->setDefault(true);
  return filter;
}
