#pragma once
// Reading any bytes into a fresh root of a file: a damaged image raises an
// exception of the run-time family and nothing else. An image that reads is
// written again; that image reads back into a fresh root, which writes the
// same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"

template <class Root>
int FuzzReadImage(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string image;
  try {
    Root root;
    ReadComponentImage(bytes, root);
    image = WriteComponentImage(root);
  } catch (const Exception&) {
    return 0;
  }
  Root again;
  ReadComponentImage(image, again);
  if (WriteComponentImage(again) != image) std::abort();
  return 0;
}
