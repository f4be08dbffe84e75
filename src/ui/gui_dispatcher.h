// Runs work handed over from other threads on the GUI thread.
#pragma once

#include <QObject>
#include <functional>
#include <mutex>
#include <vector>

namespace vestrel {

// Work is queued under a standard mutex, and the GUI thread is only told by name to drain
// the queue: no data crosses threads inside Qt's event, so every hand-over is ordered by a
// lock that ThreadSanitizer sees, and the queue keeps the order in which work was posted.
class GuiDispatcher final : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  // Queues `work` for the GUI thread. Any thread.
  void Post(std::function<void()> work);
  // Runs everything queued so far, in order. GUI thread.
  Q_INVOKABLE void Drain();

 private:
  std::mutex mutex_;
  std::vector<std::function<void()>> pending_;
};

}  // namespace vestrel
