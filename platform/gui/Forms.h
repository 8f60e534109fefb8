#pragma once
// Application services: the application object's calls, the screen (cursor
// table and the screen-wide cursor), system metrics, the injectable services
// (cursor position, Ctrl state, control at a screen point, popup-menu
// runner) and the number formats of a locale.

#include <QApplication>
#include <QCursor>
#include <QLocale>
#include <functional>

#include "platform/gui/Controls.h"
#include "platform/gui/Types.h"

class TPopupMenu;

namespace Application {
// Passes the exception being handled to the application's exception handler
// (SetApplicationExceptionHandler); an exception without a handler, or one
// the handler raises, is written to the log. Never throws; call inside a
// catch block.
void HandleException() noexcept;
// Runs the events waiting now.
void ProcessMessages();
// Hides a tooltip being shown.
void CancelHint();
// Ends the event loop.
void Terminate();
bool Terminated();
}  // namespace Application

namespace Screen {
int Width();
int Height();
// The cursor of an identifier: the built-in ones map to Qt's shapes, the
// others to what SetCursors stored (the arrow when none).
QCursor Cursors(TCursor id);
void SetCursors(TCursor id, const QCursor& cursor);
// The cursor shown over the whole application; crDefault lets each widget
// show its own. Set through Qt's override cursor.
TCursor Cursor();
void SetCursor(TCursor id);
}  // namespace Screen

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;

// A fixed table (scroll bars 17, borders 1, icons 32) and the primary
// screen's size; 0 for anything else.
int GetSystemMetrics(int index);

// The services tests replace. Each one left empty falls back to the
// production behaviour.
struct TGuiServices {
  // The pointer's position on the screen.
  std::function<TPoint()> CursorPos;
  // Whether a Ctrl key is held now.
  std::function<bool()> CtrlDown;
  // The nearest enabled control under a screen point, or nullptr.
  std::function<TControl*(TPoint screenPos)> ControlAt;
  // Shows the menu at a screen point and returns when it closes, after the
  // chosen item's Click.
  std::function<void(TPopupMenu& menu, TPoint screenPos)> RunPopupMenu;
};
TGuiServices& GuiServices();

// The production services.
TPoint DefaultCursorPos();
bool DefaultCtrlDown();
// Looks among the program's own visible top-level windows (the active one
// first), then walks up from the deepest widget under the point to the
// nearest enabled control.
TControl* DefaultControlAt(TPoint screenPos);
void DefaultRunPopupMenu(TPopupMenu& menu, TPoint screenPos);

// The cursor position and the control under a point: the services' where
// set, else the defaults above.
TPoint GetCursorPos();
// Bit 0x8000 set while the key is held: VK_CONTROL through the service,
// VK_SHIFT, VK_MENU and the mouse buttons from Qt.
short GetAsyncKeyState(int vk);
TControl* FindControlAt(TPoint screenPos);

// FormatSettings from a locale: decimal and thousands separators, currency
// string and decimals, and the currency format (symbol before or after, with
// or without a blank, read from toCurrencyString(1); a no-break space counts
// as the blank and is written as an ordinary blank). A negative amount gets a
// minus sign in front of that form. Only the programs' main calls it, with
// QLocale::system(); nothing in the layer touches FormatSettings by itself.
void LoadFormatSettingsFromLocale(const QLocale& locale);

// A QApplication whose notify passes an exception that escaped a handler
// outside the layer to Application::HandleException: the last resort, for
// the programs' main.
class TGuardedApplication : public QApplication {
public:
  TGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};
