// Cutting one fuzz input into the arguments of a call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vestrel::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // A piece whose length the next byte gives (at most `most`), or what is left.
  std::string_view Piece(std::size_t most = 255) {
    if (rest_.empty()) return {};
    std::size_t length = static_cast<unsigned char>(rest_.front()) % (most + 1);
    rest_.remove_prefix(1);
    length = std::min(length, rest_.size());
    std::string_view piece = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return piece;
  }
  std::string_view Rest() const { return rest_; }
  bool Flag() {
    if (rest_.empty()) return false;
    bool flag = (rest_.front() & 1) != 0;
    rest_.remove_prefix(1);
    return flag;
  }

 private:
  std::string_view rest_;
};

}  // namespace vestrel::fuzz
