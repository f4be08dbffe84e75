#include "ui/gui_dispatcher.h"

namespace vestrel {

void GuiDispatcher::Post(std::function<void()> work) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    first = pending_.empty();
    pending_.push_back(std::move(work));
  }
  // One call drains everything queued before it runs.
  if (first) QMetaObject::invokeMethod(this, "Drain", Qt::QueuedConnection);
}

void GuiDispatcher::Drain() {
  std::vector<std::function<void()>> work;
  {
    std::lock_guard lock(mutex_);
    work.swap(pending_);
  }
  for (auto& item : work) item();
}

}  // namespace vestrel
