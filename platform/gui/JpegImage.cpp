#include "platform/gui/JpegImage.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "platform/gui/QtTypes.h"

// jpeglib.h needs size_t and FILE first.
#include <jpeglib.h>

namespace {

// libjpeg ends the process on an error unless error_exit leaves another way.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  int warnings;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ++reinterpret_cast<ErrorManager*>(cinfo->err)->warnings;
}

void OutputMessage(j_common_ptr) {}

// Only libjpeg's C structures live in this frame, so the jump out of an
// error skips no destructor; the picture is the caller's.
bool Decode(const unsigned char* data, unsigned long size, QImage& image) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  std::memset(&cinfo, 0, sizeof cinfo);
  std::memset(&errors, 0, sizeof errors);
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.emit_message = EmitMessage;
  errors.base.output_message = OutputMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  const bool usable = jpeg_read_header(&cinfo, TRUE) == JPEG_HEADER_OK && cinfo.image_width > 0 &&
                      cinfo.image_height > 0 && cinfo.image_width <= TJPEGImage::kMaxSide &&
                      cinfo.image_height <= TJPEGImage::kMaxSide && cinfo.jpeg_color_space != JCS_CMYK &&
                      cinfo.jpeg_color_space != JCS_YCCK && errors.warnings == 0;
  if (!usable) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 3) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB888);
  if (image.isNull()) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return errors.warnings == 0;
}

}  // namespace

QImage DecodeJpeg(std::string_view bytes) {
  QImage image;
  if (bytes.empty() ||
      !Decode(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()), image))
    return QImage();
  return image;
}

bool TJPEGImage::LoadFromBytes(std::string_view bytes) {
  image_ = DecodeJpeg(bytes);
  return !image_.isNull();
}

bool TJPEGImage::LoadFromFile(const std::string& path) {
  QFile file(ToQString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    image_ = QImage();
    return false;
  }
  const QByteArray bytes = file.readAll();
  return LoadFromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
