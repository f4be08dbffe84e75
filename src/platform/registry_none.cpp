#include "platform/registry.h"

namespace vestrel {
namespace {

class NoRegistry final : public Registry {
 public:
  [[nodiscard]] bool HasValue(const Text& /*keyPath*/, const Text& /*valueName*/) const override {
    return false;
  }
  [[nodiscard]] Text ReadText(const Text& /*keyPath*/, const Text& /*valueName*/) const override {
    return {};
  }
};

}  // namespace

std::unique_ptr<Registry> SystemRegistry() {
  return std::make_unique<NoRegistry>();
}

}  // namespace vestrel
