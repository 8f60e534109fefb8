#pragma once
// Bitmaps over QImage and image lists with change links.

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/gui/Canvas.h"
#include "platform/gui/Graphics.h"

// An opaque RGB picture with a canvas to draw on it. New area after a resize
// is white.
class TBitmap : public TGraphicsObject {
public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  void SetSize(int width, int height);
  bool Empty() const { return image_.isNull() || image_.width() == 0 || image_.height() == 0; }

  void Assign(const TPersistent& source) override;
  // clNone outside the picture.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  TCanvas& Canvas();

  // The compiled-in picture of that name; an unknown name leaves the bitmap
  // empty and gives false.
  bool LoadFromResourceName(const std::string& name);

  // The picture; ends any drawing in progress on the canvas first.
  const QImage& Image() const;
  void SetImage(const QImage& image);

private:
  void Changed() override;
  mutable QImage image_;
  std::unique_ptr<TCanvas> canvas_;
};

class TImageList;

// Tells its owner when the images of the list it is registered with change.
class TChangeLink {
public:
  TChangeLink() = default;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  virtual ~TChangeLink();

  // The list it is registered with (nullptr when none or when it went).
  TImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;
  virtual void Change();

private:
  friend class TImageList;
  TImageList* sender_ = nullptr;
};

// Images of one size, drawn with their transparent parts left out.
class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner = nullptr);
  TImageList(int width, int height, TComponent* owner = nullptr);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size clears the list.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds the image (several, when it is a multiple of Width wide); white mask
  // pixels are transparent, no mask means opaque. Returns the index of the
  // first image added, -1 when none was.
  int Add(const TBitmap& image, const TBitmap* mask = nullptr);
  // Adds with the pixels of maskColor transparent.
  int AddMasked(const TBitmap& image, TColor maskColor);
  // Adds a picture with its own alpha channel.
  int AddImage(const QImage& image);
  void Delete(int index);
  void Clear();
  // The image with alpha; null for a bad index.
  QImage Image(int index) const;

  // Draws image index at (x, y); a disabled image is drawn greyed (embossed in
  // the highlight and shadow colours). A bad index draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  // Draws the part of image index that fits in r, from its top left.
  void DrawClipped(TCanvas& canvas, const TRect& r, int index) const;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  TNotifyEvent OnChange;

protected:
  virtual void Change();

private:
  int AddStrip(const QImage& argb);
  int width_ = 16;
  int height_ = 16;
  std::vector<QImage> images_;
  std::vector<TChangeLink*> links_;
};
