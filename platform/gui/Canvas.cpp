#include "platform/gui/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "platform/gui/Images.h"
#include "platform/gui/QtTypes.h"

namespace {

QPolygon ToQPolygon(const std::vector<TPoint>& points) {
  QPolygon poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (TPoint p : points) poly << ToQPoint(p);
  return poly;
}

Qt::PenStyle ToQtPenStyle(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash:
      return Qt::DashLine;
    case TPenStyle::psDot:
      return Qt::DotLine;
    case TPenStyle::psDashDot:
      return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
      return Qt::DashDotDotLine;
    case TPenStyle::psClear:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

}  // namespace

TCanvas::TCanvas() {
  brush_.OnChange = [this](TPersistent*) { BrushChanged(); };
  font_.OnChange = [this](TPersistent*) { FontChanged(); };
  pen_.OnChange = [](TPersistent*) {};
  textColor_ = font_.Color();
}

TCanvas::TCanvas(QPainter* painter) : TCanvas() {
  Bind(painter);
}

TCanvas::TCanvas(QImage* image) : TCanvas() {
  image_ = image;
}

TCanvas::~TCanvas() {
  Unbind();
  Release();
}

void TCanvas::Bind(QPainter* painter) {
  Unbind();
  Release();
  painter_ = painter;
  if (!painter_) return;
  baseTransform_ = painter_->worldTransform();
  baseHasClip_ = painter_->hasClipping();
  baseClip_ = baseHasClip_ ? painter_->clipRegion() : QRegion();
  dirty_ = true;
}

void TCanvas::Unbind() {
  if (!painter_ || own_) return;
  painter_->setWorldTransform(baseTransform_);
  if (baseHasClip_) {
    painter_->setClipRegion(baseClip_);
  } else {
    painter_->setClipping(false);
  }
  painter_ = nullptr;
  dirty_ = true;
}

bool TCanvas::HandleAllocated() const {
  return painter_ != nullptr || (image_ != nullptr && !image_->isNull());
}

void TCanvas::Release() {
  if (!own_) return;
  own_->end();
  own_.reset();
  painter_ = nullptr;
  dirty_ = true;
}

QPainter* TCanvas::Begin() {
  if (!painter_) {
    if (!image_ || image_->isNull()) return nullptr;
    own_ = std::make_unique<QPainter>(image_);
    painter_ = own_.get();
    baseTransform_ = QTransform();
    baseHasClip_ = false;
    baseClip_ = QRegion();
    dirty_ = true;
  }
  if (dirty_) {
    QPainter& p = *painter_;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setWorldTransform(baseTransform_);
    if (clip_) {
      if (baseHasClip_) {
        p.setClipRegion(baseClip_);
        p.setClipRect(ToQRect(*clip_), Qt::IntersectClip);
      } else {
        p.setClipRect(ToQRect(*clip_));
      }
    } else if (baseHasClip_) {
      p.setClipRegion(baseClip_);
    } else {
      p.setClipping(false);
    }
    p.translate(origin_.X, origin_.Y);
    dirty_ = false;
  }
  return painter_;
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::FontChanged() {
  qfontValid_ = false;
  textColor_ = font_.Color();
}

void TCanvas::BrushChanged() {
  bkColor_ = brush_.Color();
  bkMode_ = brush_.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE;
}

TSize TCanvas::DeviceSize() const {
  if (painter_ && painter_->device()) return {painter_->device()->width(), painter_->device()->height()};
  if (image_) return {image_->width(), image_->height()};
  return {};
}

void TCanvas::FillDevice(QPainter& p, const TRect& r, TColor color) {
  if (IsRectEmpty(r)) return;
  p.fillRect(ToQRect(r), ToQColor(color));
}

void TCanvas::HLine(QPainter& p, int x1, int x2, int y, TColor color) {
  FillDevice(p, {std::min(x1, x2), y, std::max(x1, x2), y + 1}, color);
}

void TCanvas::VLine(QPainter& p, int x, int y1, int y2, TColor color) {
  FillDevice(p, {x, std::min(y1, y2), x + 1, std::max(y1, y2)}, color);
}

// ---- lines and shapes

void TCanvas::MoveTo(int x, int y) {
  penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  TPoint a = penPos_;
  penPos_ = {x, y};
  QPainter* p = Begin();
  if (!p || pen_.Style() == TPenStyle::psClear || (a.X == x && a.Y == y)) return;
  if (pen_.Width() <= 1 && pen_.Style() != TPenStyle::psDash && pen_.Style() != TPenStyle::psDot &&
      pen_.Style() != TPenStyle::psDashDot && pen_.Style() != TPenStyle::psDashDotDot) {
    if (a.Y == y) {
      // Pixels from a.X towards x, x itself excluded.
      if (x > a.X) {
        HLine(*p, a.X, x, y, pen_.Color());
      } else {
        HLine(*p, x + 1, a.X + 1, y, pen_.Color());
      }
    } else if (a.X == x) {
      if (y > a.Y) {
        VLine(*p, x, a.Y, y, pen_.Color());
      } else {
        VLine(*p, x, y + 1, a.Y + 1, pen_.Color());
      }
    } else {
      // Bresenham, stopping before the end point.
      QPolygon points;
      int dx = std::abs(x - a.X), sx = a.X < x ? 1 : -1;
      int dy = -std::abs(y - a.Y), sy = a.Y < y ? 1 : -1;
      int err = dx + dy;
      int cx = a.X, cy = a.Y;
      while (cx != x || cy != y) {
        points << QPoint(cx, cy);
        int e2 = 2 * err;
        if (e2 >= dy) {
          err += dy;
          cx += sx;
        }
        if (e2 <= dx) {
          err += dx;
          cy += sy;
        }
      }
      p->setPen(QPen(ToQColor(pen_.Color()), 1));
      p->drawPoints(points);
    }
  } else {
    // Wide or styled pens: Qt draws both ends; step back one pixel on the
    // major axis for the thin styled ones.
    int ex = x, ey = y;
    if (pen_.Width() <= 1) {
      if (std::abs(x - a.X) >= std::abs(y - a.Y)) {
        ex -= x > a.X ? 1 : -1;
      } else {
        ey -= y > a.Y ? 1 : -1;
      }
    }
    QPen qp(ToQColor(pen_.Color()), pen_.Width(), ToQtPenStyle(pen_.Style()),
            pen_.Width() > 1 ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
    p->setPen(qp);
    p->drawLine(a.X, a.Y, ex, ey);
  }
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  TPoint saved = penPos_;
  MoveTo(points[0].X, points[0].Y);
  for (std::size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
  penPos_ = saved;
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  QPainter* p = Begin();
  if (!p || points.size() < 2) return;
  if (brush_.Style() != TBrushStyle::bsClear) {
    p->setPen(Qt::NoPen);
    p->setBrush(ToQColor(brush_.Color()));
    p->drawPolygon(ToQPolygon(points));
    p->setBrush(Qt::NoBrush);
  }
  if (pen_.Style() != TPenStyle::psClear) {
    // The outline as closed lines: every edge leaves its end pixel, which is
    // the next edge's first, so each vertex is painted once.
    std::vector<TPoint> closed = points;
    closed.push_back(points.front());
    if (pen_.Width() <= 1) {
      Polyline(closed);
    } else {
      p = Begin();
      p->setPen(QPen(ToQColor(pen_.Color()), pen_.Width(), ToQtPenStyle(pen_.Style())));
      p->drawPolygon(ToQPolygon(points));
    }
  }
  Changed();
}

void TCanvas::Rectangle(const TRect& r) {
  QPainter* p = Begin();
  if (!p || IsRectEmpty(r)) return;
  if (brush_.Style() != TBrushStyle::bsClear) FillDevice(*p, r, brush_.Color());
  if (pen_.Style() != TPenStyle::psClear) {
    int w = std::min({pen_.Width(), r.Width(), r.Height()});
    TColor c = pen_.Color();
    FillDevice(*p, {r.Left, r.Top, r.Right, r.Top + w}, c);
    FillDevice(*p, {r.Left, r.Bottom - w, r.Right, r.Bottom}, c);
    FillDevice(*p, {r.Left, r.Top, r.Left + w, r.Bottom}, c);
    FillDevice(*p, {r.Right - w, r.Top, r.Right, r.Bottom}, c);
  }
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  QPainter* p = Begin();
  if (!p || IsRectEmpty(r) || brush_.Style() == TBrushStyle::bsClear) return;
  FillDevice(*p, r, brush_.Color());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  QPainter* p = Begin();
  if (!p || IsRectEmpty(r) || brush_.Style() == TBrushStyle::bsClear) return;
  TColor c = brush_.Color();
  FillDevice(*p, {r.Left, r.Top, r.Right, r.Top + 1}, c);
  FillDevice(*p, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
  FillDevice(*p, {r.Left, r.Top, r.Left + 1, r.Bottom}, c);
  FillDevice(*p, {r.Right - 1, r.Top, r.Right, r.Bottom}, c);
  Changed();
}

TColor TCanvas::Pixel(int x, int y) const {
  if (!image_) return clNone;
  int dx = x + origin_.X, dy = y + origin_.Y;
  if (!image_->valid(dx, dy)) return clNone;
  return FromQColor(QColor(image_->pixel(dx, dy)));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  QPainter* p = Begin();
  if (!p) return;
  FillDevice(*p, {x, y, x + 1, y + 1}, color);
  Changed();
}

// ---- images

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  QImage img = bitmap.Image();
  QPainter* p = Begin();
  if (!p) return;
  p->drawImage(QPoint(x, y), img);
  Changed();
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  if (bitmap.Empty() || IsRectEmpty(r)) return;
  QImage img = bitmap.Image();
  QPainter* p = Begin();
  if (!p) return;
  p->drawImage(ToQRect(r), img);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& src) {
  if (IsRectEmpty(dest) || IsRectEmpty(src) || !source.image_ || source.image_->isNull()) return;
  TRect s = src;
  OffsetRect(s, source.origin_.X, source.origin_.Y);
  QImage img = source.image_->copy(ToQRect(s));
  QPainter* p = Begin();
  if (!p) return;
  p->drawImage(ToQRect(dest), img);
  Changed();
}

void TCanvas::DrawTransparent(int x, int y, int w, int h, const TBitmap& bitmap, int sx, int sy, TColor transparent) {
  if (w <= 0 || h <= 0 || bitmap.Empty()) return;
  QImage img = bitmap.Image().copy(sx, sy, w, h).convertToFormat(QImage::Format_ARGB32);
  TColor key = ColorToRGB(transparent);
  QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
  for (int row = 0; row < img.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(row));
    for (int col = 0; col < img.width(); ++col) {
      if ((line[col] & 0xFFFFFF) == keyRgb) line[col] = 0;
    }
  }
  QPainter* p = Begin();
  if (!p) return;
  p->drawImage(QPoint(x, y), img);
  Changed();
}

void TCanvas::DrawImage(int x, int y, const QImage& image, const std::optional<TRect>& src) {
  if (image.isNull()) return;
  QPainter* p = Begin();
  if (!p) return;
  if (src) {
    if (IsRectEmpty(*src)) return;
    p->drawImage(QPoint(x, y), image, ToQRect(*src));
  } else {
    p->drawImage(QPoint(x, y), image);
  }
  Changed();
}

// ---- device-context state

int TCanvas::SetBkMode(int mode) {
  int old = bkMode_;
  bkMode_ = mode == TRANSPARENT ? TRANSPARENT : OPAQUE;
  return old;
}

TColor TCanvas::SetBkColor(TColor color) {
  TColor old = bkColor_;
  bkColor_ = color;
  return old;
}

TColor TCanvas::SetTextColor(TColor color) {
  TColor old = textColor_;
  textColor_ = color;
  return old;
}

TRect TCanvas::ClipRect() const {
  TRect device;
  if (clip_) {
    device = *clip_;
  } else if (baseHasClip_) {
    device = FromQRect(baseClip_.boundingRect());
  } else {
    TSize s = DeviceSize();
    device = {0, 0, s.cx, s.cy};
  }
  OffsetRect(device, -origin_.X, -origin_.Y);
  return device;
}

void TCanvas::SetClipRect(const TRect& r) {
  TRect d = r;
  OffsetRect(d, origin_.X, origin_.Y);
  if (IsRectEmpty(d)) d = {};
  clip_ = d;
  dirty_ = true;
}

void TCanvas::ResetClip() {
  clip_.reset();
  dirty_ = true;
}

void TCanvas::SetOrigin(int x, int y) {
  origin_ = {x, y};
  dirty_ = true;
}
