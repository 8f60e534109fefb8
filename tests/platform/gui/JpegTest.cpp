// JPEG pictures made here by libjpeg's compressor, decoded back; damaged and
// hostile ones give no picture and the process goes on.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/JpegImage.h"
#include "tests/support/TempDir.h"

#include <jpeglib.h>

namespace {

// A picture of w x h pixels with `components` samples each in `space`.
std::string Compress(int w, int h, int components, J_COLOR_SPACE space,
                     const std::function<void(int x, int y, unsigned char* px)>& fill) {
  jpeg_compress_struct c;
  jpeg_error_mgr errors;
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = components;
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(w * components));
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < w; ++x)
      fill(x, static_cast<int>(c.next_scanline), &row[static_cast<std::size_t>(x * components)]);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return out;
}

// Four quadrants: red, green, blue, white.
void Quadrants(int x, int y, unsigned char* px, int w, int h) {
  const bool right = x >= w / 2, bottom = y >= h / 2;
  const unsigned char colours[4][3] = {{220, 30, 30}, {30, 200, 40}, {20, 40, 210}, {250, 250, 250}};
  const unsigned char* c = colours[(bottom ? 2 : 0) + (right ? 1 : 0)];
  px[0] = c[0];
  px[1] = c[1];
  px[2] = c[2];
}

std::string ColourPicture() {
  return Compress(161, 105, 3, JCS_RGB, [](int x, int y, unsigned char* px) { Quadrants(x, y, px, 161, 105); });
}

void ExpectNear(QColor got, int r, int g, int b) {
  EXPECT_NEAR(got.red(), r, 12);
  EXPECT_NEAR(got.green(), g, 12);
  EXPECT_NEAR(got.blue(), b, 12);
}

}  // namespace

TEST(Jpeg, AColourPictureDecodesToItsSizeAndColours) {
  TJPEGImage picture;
  ASSERT_TRUE(picture.LoadFromBytes(ColourPicture()));
  EXPECT_EQ(picture.Width(), 161);
  EXPECT_EQ(picture.Height(), 105);
  const QImage& image = picture.Image();
  ExpectNear(image.pixelColor(40, 26), 220, 30, 30);
  ExpectNear(image.pixelColor(120, 26), 30, 200, 40);
  ExpectNear(image.pixelColor(40, 80), 20, 40, 210);
  ExpectNear(image.pixelColor(120, 80), 250, 250, 250);

  TempDir dir;
  WriteFileBytes(dir / "foto.jpg", ColourPicture());
  TJPEGImage fromFile;
  EXPECT_TRUE(fromFile.LoadFromFile(dir / "foto.jpg"));
  EXPECT_EQ(fromFile.Width(), 161);
  EXPECT_FALSE(fromFile.LoadFromFile(dir / "falta.jpg"));
  EXPECT_TRUE(fromFile.Empty());
}

TEST(Jpeg, GreyScaleComesOutAsRgb) {
  const std::string grey = Compress(40, 30, 1, JCS_GRAYSCALE,
                                    [](int x, int, unsigned char* px) { *px = static_cast<unsigned char>(x * 6); });
  const QImage image = DecodeJpeg(grey);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.format(), QImage::Format_RGB888);
  for (int x : {2, 20, 37}) {
    const QColor c = image.pixelColor(x, 15);
    EXPECT_EQ(c.red(), c.green());
    EXPECT_EQ(c.green(), c.blue());
    EXPECT_NEAR(c.red(), x * 6, 8);
  }
}

TEST(Jpeg, DamagedAndHostilePicturesGiveNone) {
  const std::string good = ColourPicture();
  // Cut short: libjpeg would fill the rest with grey after a warning.
  EXPECT_TRUE(DecodeJpeg(good.substr(0, good.size() / 2)).isNull());
  EXPECT_TRUE(DecodeJpeg(good.substr(0, 40)).isNull());
  EXPECT_TRUE(DecodeJpeg("").isNull());
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  EXPECT_TRUE(DecodeJpeg(garbage).isNull());
  EXPECT_TRUE(DecodeJpeg("\xFF\xD8" + garbage).isNull());
  std::string corrupt = good;
  for (std::size_t i = corrupt.size() / 3; i < corrupt.size() / 3 + 64; ++i) corrupt[i] = '\xFF';
  EXPECT_TRUE(DecodeJpeg(corrupt).isNull());

  const std::string cmyk = Compress(32, 32, 4, JCS_CMYK, [](int x, int, unsigned char* px) {
    px[0] = static_cast<unsigned char>(x * 8);
    px[1] = px[2] = px[3] = 40;
  });
  EXPECT_TRUE(DecodeJpeg(cmyk).isNull());

  // A header that claims 60,000 pixels a side is refused before anything is
  // allocated for it.
  std::string huge = Compress(16, 16, 3, JCS_RGB, [](int, int, unsigned char* px) { px[0] = px[1] = px[2] = 128; });
  const std::size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  for (std::size_t at : {sof + 5, sof + 7}) {  // height, then width
    huge[at] = static_cast<char>(60000 >> 8);
    huge[at + 1] = static_cast<char>(60000 & 0xFF);
  }
  TJPEGImage picture;
  EXPECT_FALSE(picture.LoadFromBytes(huge));
  EXPECT_TRUE(picture.Empty());
  // The process lives and decodes on.
  EXPECT_FALSE(DecodeJpeg(good).isNull());
}
