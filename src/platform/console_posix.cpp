#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/console.h"

namespace vestrel {
namespace {

int Descriptor(ConsoleStream stream) {
  return stream == ConsoleStream::kOutput ? STDOUT_FILENO : STDERR_FILENO;
}

sigset_t StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void WriteToConsole(ConsoleStream stream, std::string_view utf8) {
  const int descriptor = Descriptor(stream);
  while (!utf8.empty()) {
    const ssize_t written = ::write(descriptor, utf8.data(), utf8.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // a closed pipe or a full disk: nobody left to tell
    utf8.remove_prefix(static_cast<std::size_t>(written));
  }
}

bool IsConsoleWindow(ConsoleStream stream) {
  return ::isatty(Descriptor(stream)) == 1;
}

int ConsoleColumns(ConsoleStream stream) {
  winsize size{};
  if (::ioctl(Descriptor(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

// The signals stay blocked in every thread and are taken with sigtimedwait, so a stop is
// asked for outside any signal handler. They stay blocked after the object ends too: a
// second Ctrl-C must not kill the program while it writes its log.
StopRequests::StopRequests() {
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

bool StopRequests::Wait(std::chrono::milliseconds timeout) {
  const sigset_t signals = StopSignals();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
  const timespec wait{static_cast<time_t>(seconds.count()),
                      static_cast<long>((timeout - seconds).count() * 1'000'000)};
  const int signal = sigtimedwait(&signals, nullptr, &wait);
  return signal == SIGINT || signal == SIGTERM;
}

}  // namespace vestrel
