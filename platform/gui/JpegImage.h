#pragma once
// JPEG pictures decoded with libjpeg: RGB pixels in a QImage. A damaged
// picture (corrupt, truncated: anything libjpeg warns about), a CMYK one and
// one whose header claims more than kMaxSide pixels a side (refused before
// anything is allocated) give no picture, and no message.

#include <QImage>
#include <string>
#include <string_view>

// The picture, or a null QImage.
QImage DecodeJpeg(std::string_view bytes);

class TJPEGImage {
public:
  static constexpr int kMaxSide = 10000;

  // False, and empty, when there is no picture.
  bool LoadFromBytes(std::string_view bytes);
  // A file or a Qt resource path (":/...").
  bool LoadFromFile(const std::string& path);

  bool Empty() const { return image_.isNull(); }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  const QImage& Image() const { return image_; }

private:
  QImage image_;
};
