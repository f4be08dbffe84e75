// Decoding a JPEG picture with libjpeg-turbo, for either window.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vestrel {

struct JpegPixels {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // rows from the top, three bytes a pixel
};

// Nothing when the bytes are no JPEG that can be decoded.
std::optional<JpegPixels> DecodeJpegPixels(std::string_view bytes);

}  // namespace vestrel
