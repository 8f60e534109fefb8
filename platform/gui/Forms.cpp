#include "platform/gui/Forms.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolTip>
#include <QWindow>
#include <map>
#include <string>

#include "platform/gui/Guard.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/Menus.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/services/ExceptionHandler.h"

// ---- the guard and the application

void HandleGuardedException() noexcept {
  Application::HandleException();
}

namespace Application {

namespace {
bool terminated = false;
}

void HandleException() noexcept {
  try {
    try {
      throw;
    } catch (const EAbort&) {
      return;
    } catch (...) {
      ApplicationHandleException();
    }
  } catch (const std::exception& e) {
    qWarning("Exceção não tratada: %s", e.what());
  } catch (...) {
    qWarning("Exceção não tratada.");
  }
}

void ProcessMessages() {
  QCoreApplication::processEvents();
}

void CancelHint() {
  QToolTip::hideText();
}

void Terminate() {
  terminated = true;
  QCoreApplication::quit();
}

bool Terminated() {
  return terminated;
}

}  // namespace Application

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
  bool result = false;
  Guard([&] { result = QApplication::notify(receiver, event); });
  return result;
}

// ---- screen

namespace Screen {

namespace {

std::map<TCursor, QCursor>& CursorTable() {
  static std::map<TCursor, QCursor> table;
  return table;
}

TCursor shown = crDefault;

Qt::CursorShape BuiltInShape(TCursor id, bool& known) {
  known = true;
  switch (id) {
    case crDefault:
    case crArrow:
      return Qt::ArrowCursor;
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crDrag:
      return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      known = false;
      return Qt::ArrowCursor;
  }
}

QRect PrimaryGeometry() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry() : QRect();
}

}  // namespace

int Width() {
  return PrimaryGeometry().width();
}

int Height() {
  return PrimaryGeometry().height();
}

QCursor Cursors(TCursor id) {
  auto it = CursorTable().find(id);
  if (it != CursorTable().end()) return it->second;
  bool known = false;
  return QCursor(BuiltInShape(id, known));
}

void SetCursors(TCursor id, const QCursor& cursor) {
  CursorTable()[id] = cursor;
  if (id == shown && shown != crDefault) QGuiApplication::changeOverrideCursor(cursor);
}

TCursor Cursor() {
  return shown;
}

void SetCursor(TCursor id) {
  if (id == shown) return;
  if (id == crDefault) {
    QGuiApplication::restoreOverrideCursor();
  } else if (shown == crDefault) {
    QGuiApplication::setOverrideCursor(Cursors(id));
  } else {
    QGuiApplication::changeOverrideCursor(Cursors(id));
  }
  shown = id;
}

}  // namespace Screen

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return Screen::Width();
    case SM_CYSCREEN:
      return Screen::Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
      return 17;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXICON:
    case SM_CYICON:
      return 32;
    default:
      return 0;
  }
}

// ---- services

TGuiServices& GuiServices() {
  static TGuiServices services;
  return services;
}

TPoint DefaultCursorPos() {
  return FromQPoint(QCursor::pos());
}

bool DefaultCtrlDown() {
  return (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
}

TControl* DefaultControlAt(TPoint screenPos) {
  QPoint p = ToQPoint(screenPos);
  auto covers = [&](QWidget* w) {
    return w && w->isVisible() && w->windowType() != Qt::Desktop && w->geometry().contains(p);
  };
  QWidget* top = nullptr;
  if (covers(QApplication::activeWindow())) {
    top = QApplication::activeWindow();
  } else {
    QWindow* under = QGuiApplication::topLevelAt(p);
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!covers(w)) continue;
      if (!top || (under && w->windowHandle() == under)) top = w;
    }
  }
  if (!top) return nullptr;
  QWidget* w = top->childAt(top->mapFromGlobal(p));
  if (!w) w = top;
  for (; w; w = w->parentWidget()) {
    auto* c = dynamic_cast<TControl*>(w);
    if (c && c->isEnabled()) return c;
    if (w->isWindow()) break;
  }
  return nullptr;
}

void DefaultRunPopupMenu(TPopupMenu& menu, TPoint screenPos) {
  std::unique_ptr<QMenu> qmenu = menu.CreateQMenu();
  qmenu->exec(ToQPoint(screenPos));
}

TPoint GetCursorPos() {
  const auto& f = GuiServices().CursorPos;
  return f ? f() : DefaultCursorPos();
}

short GetAsyncKeyState(int vk) {
  constexpr short kDown = static_cast<short>(0x8000);
  switch (vk) {
    case VK_CONTROL: {
      const auto& f = GuiServices().CtrlDown;
      return (f ? f() : DefaultCtrlDown()) ? kDown : 0;
    }
    case VK_SHIFT:
      return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) ? kDown : 0;
    case VK_MENU:
      return (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) ? kDown : 0;
    case VK_LBUTTON:
      return (QGuiApplication::mouseButtons() & Qt::LeftButton) ? kDown : 0;
    case VK_RBUTTON:
      return (QGuiApplication::mouseButtons() & Qt::RightButton) ? kDown : 0;
    case VK_MBUTTON:
      return (QGuiApplication::mouseButtons() & Qt::MiddleButton) ? kDown : 0;
    default:
      return 0;
  }
}

TControl* FindControlAt(TPoint screenPos) {
  const auto& f = GuiServices().ControlAt;
  return f ? f(screenPos) : DefaultControlAt(screenPos);
}

// ---- number formats of a locale

namespace {

// One ASCII character for a separator; the blanks Qt uses for grouping
// become an ordinary blank.
char AsciiSeparator(const QString& s, char fallback) {
  if (s.size() != 1) return fallback;
  QChar c = s.at(0);
  if (c.unicode() < 0x80) return static_cast<char>(c.unicode());
  if (c.unicode() == 0x2019) return '\'';
  if (c.isSpace() || c.unicode() == 0x00A0 || c.unicode() == 0x202F) return ' ';
  return fallback;
}

// The shape of the currency text of one unit, with the symbol as "$" and the
// amount as "1" ("R$ 1,00" -> "$ 1"); blanks of any kind are one blank.
QString CurrencyShape(const QLocale& locale) {
  QString text = locale.toCurrencyString(1.0);
  for (QChar blank : {QChar(0x00A0), QChar(0x202F), QChar(0x2009)}) text.replace(blank, ' ');
  const QString symbol = locale.currencySymbol();
  if (!symbol.isEmpty()) text.replace(symbol, QChar(1));
  QString shape;
  bool inAmount = false;
  for (QChar c : text) {
    bool amount = c.isDigit() || (inAmount && QString(c) == locale.decimalPoint());
    if (amount) {
      if (!inAmount) shape += '1';
      inAmount = true;
      continue;
    }
    inAmount = false;
    shape += c == QChar(1) ? QChar('$') : c;
  }
  return shape.trimmed();
}

}  // namespace

void LoadFormatSettingsFromLocale(const QLocale& locale) {
  TFormatSettings& fs = FormatSettings();
  fs.DecimalSeparator = AsciiSeparator(locale.decimalPoint(), '.');
  fs.ThousandSeparator = AsciiSeparator(locale.groupSeparator(), ',');
  fs.CurrencyString = FromQString(locale.currencySymbol());

  QString one = locale.toCurrencyString(1.0);
  int point = one.lastIndexOf(locale.decimalPoint());
  int digits = 0;
  for (int i = point + 1; point >= 0 && i < one.size() && one.at(i).isDigit(); ++i) ++digits;
  fs.CurrencyDecimals = digits;

  // A negative amount puts a minus sign in front of the positive form:
  // "-R$ 1,00", "-$1.00", "-1,00 €".
  static constexpr const char* kPositive[] = {"$1", "1$", "$ 1", "1 $"};
  static constexpr int kNegative[] = {1, 5, 9, 8};
  const QString shape = CurrencyShape(locale);
  for (int i = 0; i < 4; ++i) {
    if (shape == QLatin1String(kPositive[i])) {
      fs.CurrencyFormat = i;
      fs.NegCurrFormat = kNegative[i];
    }
  }
}
