#pragma once
// Helpers for the GUI tests: pixels, windows driven as a user, the recording
// exception handler and fakes of the injectable services.

#include <gtest/gtest.h>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

class QTreeWidgetItem;
class TControl;
class TPopupMenu;

// What the widget shows, rendered now, as RGB32.
QImage Snap(QWidget& widget);
// What the screen shows of the widget once the pending paints are done: its
// part of the window's backing store, as RGB32. Unlike Snap it shows a paint
// that was missed.
QImage OnScreen(QWidget& widget);
// Shows the window, writes what it shows (without a focus frame) to path as
// a picture, and hides it again; false when it could not.
bool WritePicture(QWidget& window, const std::string& path);
// The RGB value a colour paints (system colours through the fixed palette).
QColor Rgb(TColor color);
// The colour of one pixel.
QColor PixelAt(const QImage& image, int x, int y);
// Pixels of that colour inside r, and outside r.
int CountInside(const QImage& image, const TRect& r, QColor color);
int CountOutside(const QImage& image, const TRect& r, QColor color);
// The smallest rectangle holding every pixel of that colour (empty if none).
TRect BoundsOf(const QImage& image, QColor color);

// Shows the window and waits until it is active, so focus works.
void Show(QWidget& window);
// A named child of the widget; a failure when there is none.
template <class W>
W* Find(const QWidget& root, const char* name) {
  W* w = root.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << name;
  return w;
}
// The node of the window's tree ("TreeView") reached by these texts from a
// top-level node; a failure when there is none.
QTreeWidgetItem* TreeNode(const QWidget& window, std::initializer_list<const char*> path);
// A click on the item of exactly that caption in the window's toolbar list
// of that name; no such item, nothing.
void ClickToolbarItem(const QWidget& window, const char* listName, const std::string& caption);
// The frame in front of the window's frame stack ("Frames").
QWidget* FrameShown(const QWidget& window);
// Whether the window's items panel ("HeaderPanelTreeView") shows.
bool ItemsShown(const QWidget& window);
// The top-level window of that name, or nullptr.
template <class W>
W* TopLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name)) return dynamic_cast<W*>(w);
  return nullptr;
}
// The names (object name, else class name) of the visible edits, spin and
// combo boxes, item views and buttons in root whose screen rectangle meets
// the screen rectangle r.
std::vector<std::string> ControlsMeeting(const QWidget& root, const QRect& r);
// Types into an edit as a user: focus, select all, keys.
void Type(QWidget* edit, const std::string& text);
// Each character to whichever control has the focus then, as typing does.
void Keys(const std::string& text);

// The application exception handler of the GUI test programs (their main
// installs it): one message per exception that reached it. It is emptied
// before every test.
void InstallExceptionRecorder();
const std::vector<std::string>& RecordedExceptions();
void ResetRecordedExceptions();

// Fake injectable services for the life of the object; the services in use
// before come back afterwards.
class FakeGuiServices {
public:
  FakeGuiServices();
  ~FakeGuiServices();
  FakeGuiServices(const FakeGuiServices&) = delete;
  FakeGuiServices& operator=(const FakeGuiServices&) = delete;

  // What GetCursorPos and GetAsyncKeyState(VK_CONTROL) answer.
  TPoint cursorPos;
  bool ctrlDown = false;
  // What FindControlAt answers; empty: the real lookup.
  std::function<TControl*(TPoint)> controlAt;

  // The popup-menu runner records each menu and its screen position and
  // returns at once, after onPopup (which may click an item).
  struct Popup {
    TPopupMenu* menu;
    TPoint at;
  };
  std::vector<Popup> popups;
  std::function<void(TPopupMenu&)> onPopup;

private:
  TGuiServices saved_;
};
