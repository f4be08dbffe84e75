// Decoding a JPEG picture with libjpeg-turbo.
#pragma once

#include <QImage>
#include <string_view>

namespace vestrel {

// The picture, or a null image when the bytes are no JPEG that can be decoded.
QImage DecodeJpeg(std::string_view bytes);

}  // namespace vestrel
