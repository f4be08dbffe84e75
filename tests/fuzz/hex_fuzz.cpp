// Hexadecimal digits of any kind decode without fault, and real digits round-trip.
#include <cstdlib>

#include "materials/material_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vestrel;
  const Text digits(std::string_view(reinterpret_cast<const char*>(data), size));
  const ByteArray bytes = HexToBytes(digits);
  if (bytes.size() != static_cast<std::size_t>((digits.size() + 1) / 2)) std::abort();
  (void)ParseHex64(digits);
  const Text hex = BytesToHex(std::string_view(reinterpret_cast<const char*>(data), size));
  if (hex.size() != static_cast<Pos>(2 * size)) std::abort();
  if (HexToBytes(hex) != std::string_view(reinterpret_cast<const char*>(data), size)) std::abort();
  return 0;
}
