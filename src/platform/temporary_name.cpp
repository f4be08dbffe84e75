#include "platform/temporary_name.h"

#include "platform/files.h"

namespace vestrel {
namespace {

constexpr std::string_view kTemporaryPrefix = ".vestrel-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryRandomLength = 8;

}  // namespace

std::string TemporaryFileName(long processId, std::mt19937& random) {
  static constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string name(kTemporaryPrefix);
  name += std::to_string(processId);
  name += '-';
  for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) name += kAlphabet[pick(random)];
  name += kTemporarySuffix;
  return name;
}

std::optional<long> TemporaryFileOwner(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return std::nullopt;
  name.remove_prefix(kTemporaryPrefix.size());
  name.remove_suffix(kTemporarySuffix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 10 ||
      name.size() - dash - 1 != kTemporaryRandomLength) {
    return std::nullopt;
  }
  long pid = 0;
  for (char digit : name.substr(0, dash)) {
    if (digit < '0' || digit > '9') return std::nullopt;
    pid = pid * 10 + (digit - '0');
  }
  return pid;
}

}  // namespace vestrel
