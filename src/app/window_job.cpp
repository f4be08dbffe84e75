#include "app/window_job.h"

#include "app/rename_job.h"

namespace vestrel {

void WindowJob::Start(AppState& app, bool unholdableText, const Post& post,
                      std::function<void()> finished) {
  if (thread_ || !ReadyToStart(app.controls, unholdableText)) return;
  thread_ = std::make_unique<std::jthread>(
      [&app, post, finished = std::move(finished)](const std::stop_token& stop) {
        RenameJob(app, stop);
        post(finished);
      });
}

void WindowJob::Finish(Controls& controls) {
  if (thread_) {
    thread_->join();
    thread_.reset();
  }
  EnableJobControls(controls);
}

void WindowJob::RequestStop() {
  if (thread_) thread_->request_stop();
}

void WindowJob::StopAndWait() {
  if (!thread_) return;
  thread_->request_stop();
  thread_->join();
  thread_.reset();
}

}  // namespace vestrel
