#pragma once
// The only crossings between the GDI-shaped types and Qt's, and between our
// UTF-8 strings and QString. QRect's right() and bottom() are inclusive:
// never use them on a converted rectangle.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <string>
#include <string_view>

#include "platform/gui/Types.h"

inline QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}
inline TRect FromQRect(const QRect& r) {
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}
inline QPoint ToQPoint(TPoint p) {
  return QPoint(p.X, p.Y);
}
inline TPoint FromQPoint(const QPoint& p) {
  return {p.x(), p.y()};
}
inline QSize ToQSize(TSize s) {
  return QSize(s.cx, s.cy);
}
inline TSize FromQSize(const QSize& s) {
  return {s.width(), s.height()};
}

inline QString ToQString(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string FromQString(const QString& s) {
  return s.toUtf8().toStdString();
}
