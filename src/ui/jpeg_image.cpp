#include "ui/jpeg_image.h"

#include <algorithm>

#include "ui/jpeg_pixels.h"

namespace vestrel {

QImage DecodeJpeg(std::string_view bytes) {
  auto pixels = DecodeJpegPixels(bytes);
  if (!pixels) return {};
  QImage image(pixels->width, pixels->height, QImage::Format_RGB888);
  const auto stride = static_cast<std::size_t>(pixels->width) * 3;
  for (int y = 0; y < pixels->height; ++y) {
    std::copy_n(pixels->rgb.data() + stride * static_cast<std::size_t>(y), stride,
                image.scanLine(y));
  }
  return image;
}

}  // namespace vestrel
