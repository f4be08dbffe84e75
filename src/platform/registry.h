// Read access to text values under HKEY_LOCAL_MACHINE. Where there is no registry (every
// system but Windows) nothing is ever found.
#pragma once

#include <memory>

#include "text/text.h"

namespace vestrel {

class Registry {
 public:
  Registry() = default;
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;
  virtual ~Registry() = default;

  // True when the key opens for reading and holds the value, whatever its type.
  [[nodiscard]] virtual bool HasValue(const Text& keyPath, const Text& valueName) const = 0;
  // A string value as stored (up to its first NUL); an expandable string with its
  // environment variables expanded; any other type, or a failed read, the empty text.
  [[nodiscard]] virtual Text ReadText(const Text& keyPath, const Text& valueName) const = 0;
};

// The system's own registry.
std::unique_ptr<Registry> SystemRegistry();

}  // namespace vestrel
