#include "app/controls.h"

#include <algorithm>

namespace vestrel {

MemoryControls::MemoryControls() {
  states_[Index(Control::选择框1)].checked = true;
  states_[Index(Control::选择框2)].checked = true;
  states_[Index(Control::单选框1)].checked = true;
}

Text MemoryControls::GetText(Control control) const {
  std::lock_guard lock(mutex_);
  return states_[Index(control)].text;
}

void MemoryControls::SetText(Control control, const Text& text) {
  std::lock_guard lock(mutex_);
  states_[Index(control)].text = text;
}

bool MemoryControls::IsChecked(Control control) const {
  std::lock_guard lock(mutex_);
  return states_[Index(control)].checked;
}

void MemoryControls::SetChecked(Control control, bool checked) {
  std::lock_guard lock(mutex_);
  states_[Index(control)].checked = checked;
  if (checked && control == Control::单选框1) states_[Index(Control::单选框2)].checked = false;
  if (checked && control == Control::单选框2) states_[Index(Control::单选框1)].checked = false;
}

bool MemoryControls::IsDisabled(Control control) const {
  std::lock_guard lock(mutex_);
  return states_[Index(control)].disabled;
}

void MemoryControls::SetDisabled(Control control, bool disabled) {
  std::lock_guard lock(mutex_);
  states_[Index(control)].disabled = disabled;
}

int MemoryControls::Progress() const {
  std::lock_guard lock(mutex_);
  return progress_;
}

void MemoryControls::SetProgress(int position) {
  std::lock_guard lock(mutex_);
  progress_ = std::clamp(position, 0, 100);
}

}  // namespace vestrel
