// The window's controls as the rest of the system sees them: read and written by name,
// from the GUI thread and from a job's worker thread alike.
#pragma once

#include <array>
#include <mutex>

#include "text/text.h"

namespace vestrel {

// Every control of the main window, by its object name.
enum class Control {
  图片框1,
  标签1,
  编辑框_ksmp,
  标签2,
  选择框_Invert,
  编辑框_Dic,
  选择框2,
  选择框_DoubleL2,
  选择框1,
  选择框_DoubleL1,
  单选框1,
  单选框2,
  caption_msg,
  进度条1,
  按钮_Start,
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::按钮_Start) + 1;

// The check boxes and the two radio buttons: the controls that are ticked.
constexpr bool IsCheckable(Control control) {
  switch (control) {
    case Control::选择框_Invert:
    case Control::选择框1:
    case Control::选择框2:
    case Control::选择框_DoubleL1:
    case Control::选择框_DoubleL2:
    case Control::单选框1:
    case Control::单选框2:
      return true;
    default:
      return false;
  }
}

// The controls that a job disables while it runs, in the order it disables and enables them.
inline constexpr std::array<Control, 10> kJobControls = {
    Control::选择框1,         Control::选择框2,       Control::选择框_DoubleL1,
    Control::选择框_DoubleL2, Control::选择框_Invert, Control::编辑框_ksmp,
    Control::编辑框_Dic,      Control::按钮_Start,    Control::单选框1,
    Control::单选框2,
};

// Access to the controls. Every implementation is safe to call from two threads at once.
class Controls {
 public:
  Controls() = default;
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;
  virtual ~Controls() = default;

  [[nodiscard]] virtual Text GetText(Control control) const = 0;
  virtual void SetText(Control control, const Text& text) = 0;
  [[nodiscard]] virtual bool IsChecked(Control control) const = 0;
  // Checking one of the two radio buttons unchecks the other.
  virtual void SetChecked(Control control, bool checked) = 0;
  [[nodiscard]] virtual bool IsDisabled(Control control) const = 0;
  virtual void SetDisabled(Control control, bool disabled) = 0;
  [[nodiscard]] virtual int Progress() const = 0;
  // The position of the progress bar, held within 0 to 100.
  virtual void SetProgress(int position) = 0;

  // The status line.
  void SetStatus(const Text& text) { SetText(Control::caption_msg, text); }
  [[nodiscard]] Text Status() const { return GetText(Control::caption_msg); }
};

// The controls held in memory, in the states the window starts with. It serves the tests
// and the command line, and it is the state model behind the window.
class MemoryControls : public Controls {
 public:
  MemoryControls();

  [[nodiscard]] Text GetText(Control control) const override;
  void SetText(Control control, const Text& text) override;
  [[nodiscard]] bool IsChecked(Control control) const override;
  void SetChecked(Control control, bool checked) override;
  [[nodiscard]] bool IsDisabled(Control control) const override;
  void SetDisabled(Control control, bool disabled) override;
  [[nodiscard]] int Progress() const override;
  void SetProgress(int position) override;

 private:
  struct State {
    Text text;
    bool checked = false;
    bool disabled = false;
  };
  static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }

  mutable std::mutex mutex_;
  std::array<State, kControlCount> states_{};
  int progress_ = 0;
};

}  // namespace vestrel
