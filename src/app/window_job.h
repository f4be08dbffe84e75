// The job a window runs on its worker thread, one at a time, for either window.
#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "app/app_state.h"

namespace vestrel {

class WindowJob {
 public:
  // Hands work to the window's thread, after every change to the controls made before it.
  using Post = std::function<void(std::function<void()>)>;

  WindowJob() = default;
  WindowJob(const WindowJob&) = delete;
  WindowJob& operator=(const WindowJob&) = delete;
  ~WindowJob() { StopAndWait(); }

  // Start pressed: nothing while a job runs; else the checks of ReadyToStart, then the job on
  // a worker thread. When it has ended, `post` takes `finished` to the window's thread, which
  // must call Finish there first.
  void Start(AppState& app, bool unholdableText, const Post& post, std::function<void()> finished);
  // Joins the ended job and enables the controls again. Window's thread.
  void Finish(Controls& controls);
  // The job stops after the item at hand.
  void RequestStop();
  // A window that goes while its job runs stops the job and waits for it.
  void StopAndWait();
  [[nodiscard]] bool Running() const { return thread_ != nullptr; }

 private:
  std::unique_ptr<std::jthread> thread_;
};

}  // namespace vestrel
