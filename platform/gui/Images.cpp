#include "platform/gui/Images.h"

#include <QPainter>
#include <algorithm>

#include "platform/gui/Resources.h"

// ---- TBitmap

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::Changed() {
  TGraphicsObject::Changed();
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height() && !image_.isNull()) return;
  if (canvas_) canvas_->Release();
  if (width == 0 || height == 0) {
    image_ = QImage();
  } else {
    QImage next(width, height, QImage::Format_RGB32);
    next.fill(Qt::white);
    if (!image_.isNull()) {
      QPainter p(&next);
      p.drawImage(0, 0, image_);
    }
    image_ = next;
  }
  Changed();
}

void TBitmap::Assign(const TPersistent& source) {
  if (const auto* b = dynamic_cast<const TBitmap*>(&source)) {
    if (b == this) return;
    if (canvas_) canvas_->Release();
    image_ = b->Image();
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

TColor TBitmap::Pixel(int x, int y) const {
  const QImage& img = Image();
  if (!img.valid(x, y)) return clNone;
  return FromQColor(QColor(img.pixel(x, y)));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (canvas_) canvas_->Release();
  if (!image_.valid(x, y)) return;
  TColor c = ColorToRGB(color);
  image_.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    canvas_.reset(new TCanvas(&image_));
    canvas_->OnChange = [this](TPersistent*) { Changed(); };
  }
  return *canvas_;
}

bool TBitmap::LoadFromResourceName(const std::string& name) {
  SetImage(FindResourceBitmap(name));
  return !Empty();
}

const QImage& TBitmap::Image() const {
  if (canvas_) canvas_->Release();
  return image_;
}

void TBitmap::SetImage(const QImage& image) {
  if (canvas_) canvas_->Release();
  image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
  Changed();
}

// ---- TChangeLink

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(sender_);
}

// ---- TImageList

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::TImageList(int width, int height, TComponent* owner) : TComponent(owner) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

TImageList::~TImageList() {
  // Those told of its going may still unregister their links.
  Destroying();
  for (TChangeLink* link : links_) link->sender_ = nullptr;
}

void TImageList::SetWidth(int width) {
  SetSize(width, height_);
}
void TImageList::SetHeight(int height) {
  SetSize(width_, height);
}

void TImageList::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  images_.clear();
  Change();
}

int TImageList::AddStrip(const QImage& argb) {
  if (argb.isNull() || argb.width() < width_) return -1;
  int first = Count();
  for (int x = 0; x + width_ <= argb.width(); x += width_) {
    QImage piece(width_, height_, QImage::Format_ARGB32);
    piece.fill(Qt::transparent);
    QPainter p(&piece);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), argb, QRect(x, 0, width_, std::min(height_, argb.height())));
    p.end();
    images_.push_back(piece);
  }
  Change();
  return first;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  if (image.Empty()) return -1;
  QImage argb = image.Image().convertToFormat(QImage::Format_ARGB32);
  if (mask && !mask->Empty()) {
    const QImage& m = mask->Image();
    for (int y = 0; y < argb.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
      for (int x = 0; x < argb.width(); ++x) {
        if (m.valid(x, y) && (m.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) line[x] = 0;
      }
    }
  }
  return AddStrip(argb);
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  if (image.Empty()) return -1;
  QImage argb = image.Image().convertToFormat(QImage::Format_ARGB32);
  TColor key = ColorToRGB(maskColor);
  QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
  for (int y = 0; y < argb.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == keyRgb) line[x] = 0;
    }
  }
  return AddStrip(argb);
}

int TImageList::AddImage(const QImage& image) {
  return AddStrip(image.convertToFormat(QImage::Format_ARGB32));
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
  Change();
}

void TImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Change();
}

QImage TImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return QImage();
  return images_[static_cast<std::size_t>(index)];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const QImage& img = images_[static_cast<std::size_t>(index)];
  if (enabled) {
    canvas.DrawImage(x, y, img);
    return;
  }
  // The shape: opaque pixels that are not light.
  auto shape = [&](TColor color) {
    TColor c = ColorToRGB(color);
    QRgb ink = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    QImage out(img.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (int row = 0; row < img.height(); ++row) {
      const auto* src = reinterpret_cast<const QRgb*>(img.constScanLine(row));
      auto* dst = reinterpret_cast<QRgb*>(out.scanLine(row));
      for (int col = 0; col < img.width(); ++col) {
        QRgb px = src[col];
        if (qAlpha(px) >= 128 && qGray(px) < 192) dst[col] = ink;
      }
    }
    return out;
  };
  canvas.DrawImage(x + 1, y + 1, shape(clBtnHighlight));
  canvas.DrawImage(x, y, shape(clBtnShadow));
}

void TImageList::DrawClipped(TCanvas& canvas, const TRect& r, int index) const {
  if (index < 0 || index >= Count() || IsRectEmpty(r)) return;
  canvas.DrawImage(r.Left, r.Top, images_[static_cast<std::size_t>(index)],
                   TRect{0, 0, std::min(r.Width(), width_), std::min(r.Height(), height_)});
}

void TImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ == this) return;
  if (link->sender_) link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  links_.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  links_.erase(it);
  link->sender_ = nullptr;
}

void TImageList::Change() {
  // A link may unregister itself from its handler.
  std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links) {
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
  }
  if (OnChange) OnChange(this);
}
