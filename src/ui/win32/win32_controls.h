// The native window's controls behind the Controls interface, safe from the job's thread.
//
// As in the Qt window, the state lives in the model MemoryControls keeps under its lock:
// every read comes from there and never waits for the window's thread. Every write updates
// the model at once and reaches the control on the window's thread, in the order made:
// queued, with a message posted to the window for each.
#pragma once

#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "app/controls.h"

namespace vestrel {

// Posted to the window: run what the worker queued.
inline constexpr UINT kApplyMessage = WM_APP + 1;

class Win32Controls final : public MemoryControls {
 public:
  // The window whose thread shows the writes. Call on that thread, before any Bind.
  void Attach(HWND window);
  // Ties a control to its child window and shows the model's state there.
  void Bind(Control control, HWND widget);
  [[nodiscard]] HWND Widget(Control control) const {
    return widgets_[static_cast<std::size_t>(control)];
  }

  void SetText(Control control, const Text& text) override;
  void SetChecked(Control control, bool checked) override;
  void SetDisabled(Control control, bool disabled) override;
  void SetProgress(int position) override;

  // A text GBK cannot hold, shown in an edit box as it is; the box counts as unusable until
  // it changes. Window's thread.
  void SetUnholdableText(Control control, const std::wstring& text);
  [[nodiscard]] bool HoldsUnholdableText(Control control) const;

  // The user changed an edit box or clicked a box: the model follows. Window's thread.
  void OnUserEdited(Control control);
  void OnUserClicked(Control control);

  // Runs `work` on the window's thread after every change made before it.
  void Apply(std::function<void()> work);
  // Runs what other threads queued. Window's thread, on kApplyMessage.
  void Drain();

 private:
  void Show(Control control);

  HWND window_ = nullptr;
  DWORD windowThread_ = 0;
  std::array<HWND, kControlCount> widgets_{};
  bool showing_ = false;  // a change made by Show, not by the user
  std::mutex queueMutex_;
  std::deque<std::function<void()>> queue_;
  mutable std::mutex unholdableMutex_;
  std::array<bool, kControlCount> unholdable_{};
};

// The text a child window shows.
std::wstring WindowText(HWND widget);

}  // namespace vestrel
