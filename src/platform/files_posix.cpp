#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/read_all.h"
#include "platform/temporary_name.h"

namespace vestrel {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileDescriptor& operator=(FileDescriptor&&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  [[nodiscard]] int get() const { return fd_; }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a path finally names: a link to a dictionary stays a link, its target changes.
std::string ResolveLinks(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::array<char, PATH_MAX> resolved{};
  if (::realpath(path.c_str(), resolved.data()) == nullptr) return path;
  return resolved.data();
}

// Creates a temporary file of our own naming in the folder of `target`; its path goes to
// `temporary`.
FileDescriptor CreateTemporaryBeside(const std::string& target, std::string& temporary) {
  thread_local std::mt19937 random{std::random_device{}()};
  std::string folder = target.substr(0, target.find_last_of('/') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder + TemporaryFileName(static_cast<long>(::getpid()), random);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return FileDescriptor(fd);
  }
  return FileDescriptor(-1);
}

}  // namespace

std::optional<std::string> NativePath(const Text& path) {
  return GbkToUtf8Exact(path);
}

std::optional<ByteArray> ReadWholeFile(const Text& path) {
  auto native = NativePath(path);
  if (!native) return std::nullopt;
  FileDescriptor file(::open(native->c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
  return ReadAll(static_cast<std::size_t>(info.st_size), [&file](char* buffer, std::size_t room) {
    while (true) {
      const ssize_t got = ::read(file.get(), buffer, room);
      if (got >= 0 || errno != EINTR) return static_cast<long long>(got);
    }
  });
}

bool ReplaceWholeFile(const Text& path, std::string_view content) {
  auto native = NativePath(path);
  if (!native) return false;
  std::string target = ResolveLinks(*native);

  struct stat info {};
  bool exists = ::stat(target.c_str(), &info) == 0;
  if (exists && (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;

  std::string temporary;
  FileDescriptor file = CreateTemporaryBeside(target, temporary);
  if (file.get() < 0) return false;
  // A new file gets the umask's permissions from open(); an existing one keeps its own, and
  // its owner where we may give it (run as root, the user's files stay the user's).
  if (exists && (info.st_uid != ::geteuid() || info.st_gid != ::getegid())) {
    (void)::fchown(file.get(), info.st_uid, info.st_gid);
  }
  bool written = WriteAll(file.get(), content) &&
                 (!exists || ::fchmod(file.get(), info.st_mode & 07777) == 0) && file.Close();
  if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool IsLeftBehindTemporaryFile(std::string_view name) {
  auto owner = TemporaryFileOwner(name);
  // The process that made it is gone: no write is under way, the file is ours to remove.
  return owner && *owner > 0 && ::kill(static_cast<pid_t>(*owner), 0) != 0 && errno == ESRCH;
}

}  // namespace vestrel

namespace vestrel {

std::optional<FileStamp> StampOf(const Text& path) {
  auto native = NativePath(path);
  struct stat info {};
  if (!native || ::stat(native->c_str(), &info) != 0) return std::nullopt;
  auto ns = [](const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
  };
  return FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                   static_cast<std::int64_t>(info.st_size), ns(info.st_mtim), ns(info.st_ctim)};
}

std::int64_t NowNs() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace vestrel
