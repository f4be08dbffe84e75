#include "ui/jpeg_pixels.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>
// After them.
#include <jpeglib.h>

#include <csetjmp>

namespace vestrel {
namespace {

// libjpeg reports fatal errors through a callback that must not return: it jumps back.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnFatalError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);  // NOLINT: base comes first
  std::longjmp(manager->jump, 1);
}

// Only trivially destructible objects live in this frame, so the jump back from an error
// skips no destructor; the pixels belong to the caller.
bool DecodeInto(std::string_view bytes, JpegPixels& pixels) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnFatalError;
  if (setjmp(errors.jump) != 0) {  // NOLINT(cert-err52-cpp): libjpeg's error protocol
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  pixels.width = static_cast<int>(info.output_width);
  pixels.height = static_cast<int>(info.output_height);
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
  pixels.rgb.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.rgb.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

std::optional<JpegPixels> DecodeJpegPixels(std::string_view bytes) {
  JpegPixels pixels;
  if (!DecodeInto(bytes, pixels) || pixels.width == 0) return std::nullopt;
  return pixels;
}

}  // namespace vestrel
