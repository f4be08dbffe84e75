#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include "platform/windows_text.h"

namespace vestrel {

std::wstring WindowText(HWND widget) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(widget)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(widget, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Win32Controls::Attach(HWND window) {
  window_ = window;
  windowThread_ = ::GetCurrentThreadId();
}

void Win32Controls::Bind(Control control, HWND widget) {
  widgets_[static_cast<std::size_t>(control)] = widget;
  // A button's caption is the window's own until a job names it otherwise.
  if (control == Control::按钮_Start) {
    MemoryControls::SetText(control, windows::GbkFromWide(WindowText(widget)).value_or(Text()));
  }
  Show(control);
}

// Shows the model's state of one control. Window's thread.
void Win32Controls::Show(Control control) {
  HWND widget = Widget(control);
  if (widget == nullptr) return;
  showing_ = true;
  if (control == Control::进度条1) {
    ::SendMessageW(widget, PBM_SETPOS, static_cast<WPARAM>(Progress()), 0);
  } else {
    if (IsCheckable(control)) {
      ::SendMessageW(widget, BM_SETCHECK, IsChecked(control) ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (control != Control::图片框1) {
      const std::wstring shown = windows::WideFromGbk(GetText(control)).value_or(L"");
      if (WindowText(widget) != shown) ::SetWindowTextW(widget, shown.c_str());
    }
  }
  ::EnableWindow(widget, IsDisabled(control) ? FALSE : TRUE);
  showing_ = false;
}

void Win32Controls::Apply(std::function<void()> work) {
  if (::GetCurrentThreadId() == windowThread_) {
    Drain();  // what other threads queued comes first
    work();
    return;
  }
  {
    std::lock_guard lock(queueMutex_);
    queue_.push_back(std::move(work));
  }
  ::PostMessageW(window_, kApplyMessage, 0, 0);
}

void Win32Controls::Drain() {
  while (true) {
    std::function<void()> work;
    {
      std::lock_guard lock(queueMutex_);
      if (queue_.empty()) return;
      work = std::move(queue_.front());
      queue_.pop_front();
    }
    work();
  }
}

void Win32Controls::SetText(Control control, const Text& text) {
  MemoryControls::SetText(control, text);
  {
    std::lock_guard lock(unholdableMutex_);
    unholdable_[static_cast<std::size_t>(control)] = false;
  }
  Apply([this, control] { Show(control); });
}

void Win32Controls::SetChecked(Control control, bool checked) {
  MemoryControls::SetChecked(control, checked);
  Apply([this, control] {
    Show(control);
    // A radio button takes its partner along.
    if (control == Control::单选框1) Show(Control::单选框2);
    if (control == Control::单选框2) Show(Control::单选框1);
  });
}

void Win32Controls::SetDisabled(Control control, bool disabled) {
  MemoryControls::SetDisabled(control, disabled);
  Apply([this, control] { Show(control); });
}

void Win32Controls::SetProgress(int position) {
  MemoryControls::SetProgress(position);
  Apply([this] { Show(Control::进度条1); });
}

void Win32Controls::SetUnholdableText(Control control, const std::wstring& text) {
  // Quiet while the text goes in, then read back once, as an edit of the user's would be.
  showing_ = true;
  ::SetWindowTextW(Widget(control), text.c_str());
  showing_ = false;
  OnUserEdited(control);
}

bool Win32Controls::HoldsUnholdableText(Control control) const {
  std::lock_guard lock(unholdableMutex_);
  return unholdable_[static_cast<std::size_t>(control)];
}

void Win32Controls::OnUserEdited(Control control) {
  if (showing_) return;
  auto gbk = windows::GbkFromWide(WindowText(Widget(control)));
  {
    std::lock_guard lock(unholdableMutex_);
    unholdable_[static_cast<std::size_t>(control)] = !gbk;
  }
  MemoryControls::SetText(control, gbk.value_or(Text()));
}

void Win32Controls::OnUserClicked(Control control) {
  if (showing_) return;
  const bool checked = ::SendMessageW(Widget(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  MemoryControls::SetChecked(control, checked);
}

}  // namespace vestrel
