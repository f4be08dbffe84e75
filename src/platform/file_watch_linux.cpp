#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/file_watch.h"
#include "platform/files.h"

namespace vestrel {
namespace {

// The kernel queues an event while the write that causes it is still in the system call,
// so a write that returned before Changed() is read from the queue there.
class InotifyWatch final : public FileWatch {
 public:
  explicit InotifyWatch(int fd) : fd_(fd) {}
  ~InotifyWatch() override { ::close(fd_); }

  bool Changed() override {
    if (changed_) return true;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    while (true) {
      ssize_t got = ::read(fd_, buffer.data(), buffer.size());
      if (got > 0) {
        changed_ = true;  // any event at all: a change, an overflow, the watch gone
        continue;
      }
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 && errno != EAGAIN) changed_ = true;
      return changed_;
    }
  }

 private:
  int fd_;
  bool changed_ = false;
};

}  // namespace

std::unique_ptr<FileWatch> WatchFile(const Text& path) {
  auto native = NativePath(path);
  if (!native) return nullptr;
  int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return nullptr;
  // The file a link names is watched, as it is the file that is read.
  constexpr uint32_t kEvents =
      IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVE_SELF | IN_DELETE_SELF;
  if (::inotify_add_watch(fd, native->c_str(), kEvents) < 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<InotifyWatch>(fd);
}

}  // namespace vestrel
