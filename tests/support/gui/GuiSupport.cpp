#include "tests/support/gui/GuiSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <algorithm>
#include <exception>

#include "platform/gui/Menus.h"
#include "platform/services/ExceptionHandler.h"
#include "widgets/gbOutBar.h"

QImage Snap(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage OnScreen(QWidget& widget) {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
  QWidget* window = widget.window();
  const QRect area(widget.mapTo(window, QPoint(0, 0)), widget.size());
  const QImage all = window->screen()->grabWindow(window->winId()).toImage();
  return all.copy(area).convertToFormat(QImage::Format_RGB32);
}

bool WritePicture(QWidget& window, const std::string& path) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return false;
  if (QWidget* focus = window.focusWidget()) focus->clearFocus();
  const bool written = Snap(window).save(QString::fromStdString(path));
  window.hide();
  return written;
}

QColor Rgb(TColor color) {
  return ToQColor(color);
}

QColor PixelAt(const QImage& image, int x, int y) {
  return QColor(image.pixel(x, y)).toRgb();
}

int CountInside(const QImage& image, const TRect& r, QColor color) {
  int n = 0;
  QRgb want = color.rgb();
  for (int y = std::max(0, r.Top); y < std::min(image.height(), r.Bottom); ++y) {
    for (int x = std::max(0, r.Left); x < std::min(image.width(), r.Right); ++x) {
      if (image.pixel(x, y) == want) ++n;
    }
  }
  return n;
}

int CountOutside(const QImage& image, const TRect& r, QColor color) {
  return CountInside(image, {0, 0, image.width(), image.height()}, color) - CountInside(image, r, color);
}

TRect BoundsOf(const QImage& image, QColor color) {
  QRgb want = color.rgb();
  TRect b{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != want) continue;
      b.Left = std::min(b.Left, x);
      b.Top = std::min(b.Top, y);
      b.Right = std::max(b.Right, x + 1);
      b.Bottom = std::max(b.Bottom, y + 1);
    }
  }
  return IsRectEmpty(b) ? TRect{} : b;
}

// ---- the recording exception handler

namespace {

std::vector<std::string>& Recorded() {
  static std::vector<std::string> recorded;
  return recorded;
}

}  // namespace

void InstallExceptionRecorder() {
  SetApplicationExceptionHandler([] {
    try {
      throw;
    } catch (const std::exception& e) {
      Recorded().push_back(e.what());
    } catch (...) {
      Recorded().push_back("(exceção desconhecida)");
    }
  });
}

const std::vector<std::string>& RecordedExceptions() {
  return Recorded();
}

void ResetRecordedExceptions() {
  Recorded().clear();
}

// ---- windows driven as a user

void Show(QWidget& window) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

QTreeWidgetItem* TreeNode(const QWidget& window, std::initializer_list<const char*> path) {
  auto* tree = window.findChild<QTreeWidget*>("TreeView");
  QTreeWidgetItem* node = nullptr;
  for (const char* text : path) {
    const int count = node ? node->childCount() : (tree ? tree->topLevelItemCount() : 0);
    QTreeWidgetItem* next = nullptr;
    for (int i = 0; i < count && !next; ++i) {
      QTreeWidgetItem* child = node ? node->child(i) : tree->topLevelItem(i);
      if (child->text(0) == QString::fromUtf8(text)) next = child;
    }
    EXPECT_NE(next, nullptr) << text;
    if (!next) return nullptr;
    node = next;
  }
  return node;
}

void ClickToolbarItem(const QWidget& window, const char* listName, const std::string& caption) {
  auto* list = dynamic_cast<TGBVertListView*>(window.findChild<QWidget*>(listName));
  ASSERT_NE(list, nullptr) << listName;
  TListItems& items = list->Items();
  for (int i = 0; i < items.Count(); ++i) {
    if (items[i]->Caption() != caption) continue;
    if (list->OnButtonClick) list->OnButtonClick(list, items[i]);
    return;
  }
}

QWidget* FrameShown(const QWidget& window) {
  auto* stack = window.findChild<QStackedWidget*>("Frames");
  EXPECT_NE(stack, nullptr);
  return stack ? stack->currentWidget() : nullptr;
}

bool ItemsShown(const QWidget& window) {
  auto* panel = dynamic_cast<TControl*>(window.findChild<QWidget*>("HeaderPanelTreeView"));
  EXPECT_NE(panel, nullptr);
  return panel && panel->Visible();
}

std::vector<std::string> ControlsMeeting(const QWidget& root, const QRect& r) {
  std::vector<std::string> met;
  for (QWidget* w : root.findChildren<QWidget*>()) {
    const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                         qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                         qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                         qobject_cast<QAbstractButton*>(w);
    if (!control || !w->isVisible() || !QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).intersects(r)) continue;
    met.push_back((w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName()).toStdString());
  }
  return met;
}

namespace {

// QTest has keys for ASCII only; any other character comes as a key that
// carries its text (a surrogate pair in one), as a keyboard layout or an
// input method sends it.
void KeyClicks(QWidget* widget, const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString c = text.mid(i, n);
    if (c.at(0).unicode() < 0x80)
      QTest::keyClicks(widget, c);
    else
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, c, Qt::NoModifier);
    i += n;
  }
}

}  // namespace

void Type(QWidget* edit, const std::string& text) {
  edit->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(edit->hasFocus());
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  KeyClicks(edit, QString::fromStdString(text));
}

void Keys(const std::string& text) {
  for (const QChar c : QString::fromStdString(text)) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClicks(focus, QString(c));
  }
}

// ---- fake services

FakeGuiServices::FakeGuiServices() : saved_(GuiServices()) {
  TGuiServices& s = GuiServices();
  s.CursorPos = [this] { return cursorPos; };
  s.CtrlDown = [this] { return ctrlDown; };
  s.ControlAt = [this](TPoint p) { return controlAt ? controlAt(p) : DefaultControlAt(p); };
  s.RunPopupMenu = [this](TPopupMenu& menu, TPoint at) {
    popups.push_back({&menu, at});
    if (onPopup) onPopup(menu);
  };
}

FakeGuiServices::~FakeGuiServices() {
  GuiServices() = saved_;
}
