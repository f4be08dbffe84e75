// Lets an edit box of the native window accept files dropped from Explorer: each dropped
// path, whole and in Explorer's order, goes to a callback.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <functional>
#include <string>

namespace vestrel {

class Win32DropTarget {
 public:
  using Callback = std::function<void(const std::wstring& path)>;

  Win32DropTarget() = default;
  Win32DropTarget(const Win32DropTarget&) = delete;
  Win32DropTarget& operator=(const Win32DropTarget&) = delete;
  ~Win32DropTarget() { Unregister(); }

  // Arms the target on `box`. Registering a target that is registered changes nothing.
  void Register(HWND box, Callback callback);
  // Gives the box back its own handling of messages; call before the box or this goes.
  void Unregister();
  [[nodiscard]] bool IsRegistered() const { return box_ != nullptr; }

 private:
  static LRESULT CALLBACK OnMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  void OnDrop(HDROP drop) const;

  HWND box_ = nullptr;
  Callback callback_;
};

}  // namespace vestrel
