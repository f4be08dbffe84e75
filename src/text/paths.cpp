#include "text/paths.h"

namespace vestrel {

Text WithTrailingSeparator(const Text& path) {
  if (!path.empty() && path.view().back() == kPathSeparator) return path;
  return path + kPathSeparatorText;
}

Text LastPathComponent(const Text& path) {
  std::string_view bytes = path.view();
  Pos componentStart = 0;
  for (Pos i = 0; i < path.size(); i += CharLengthAt(bytes, i)) {
    bool separator = bytes[i] == kPathSeparator;
    if (separator && i + 1 < path.size() && bytes[i + 1] != kPathSeparator) componentStart = i + 1;
  }
  return Text(bytes.substr(static_cast<std::size_t>(componentStart)));
}

Text FileExtension(const Text& path) {
  std::string_view bytes = path.view();
  Pos dot = -1;
  for (Pos i = 0; i < path.size(); i += CharLengthAt(bytes, i)) {
    if (bytes[i] == kPathSeparator || bytes[i] == ' ') {
      dot = -1;
    } else if (bytes[i] == '.') {
      dot = i;
    }
  }
  return dot == -1 ? Text() : Text(bytes.substr(static_cast<std::size_t>(dot)));
}

Text BaseNameWithoutExtension(const Text& path) {
  Text name = LastPathComponent(path);
  // A test of the single last byte, as the shell makes it.
  if (!name.empty() && name.view().back() == kPathSeparator) return {};
  return TextLeft(name, name.size() - FileExtension(name).size());
}

Text ParentPrefix(const Text& path) {
  Pos last = FindTextReverse(path, kPathSeparatorText);
  return last == -1 ? Text() : TextLeft(path, last);
}

}  // namespace vestrel
