#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <condition_variable>
#include <mutex>

#include "platform/console.h"
#include "platform/windows_text.h"

namespace vestrel {
namespace {

HANDLE Handle(ConsoleStream stream) {
  return ::GetStdHandle(stream == ConsoleStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

// The console control handler runs on a thread of the system's and takes no context, so the
// requests meet the waiting thread here.
struct Requests {
  std::mutex mutex;
  std::condition_variable changed;
  bool requested = false;
};

Requests& TheRequests() {
  static Requests requests;
  return requests;
}

BOOL WINAPI OnConsoleControl(DWORD event) {
  Requests& requests = TheRequests();
  {
    std::lock_guard lock(requests.mutex);
    requests.requested = true;
    requests.changed.notify_all();
  }
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // Windows ends the process as soon as this returns. Holding on for the few seconds it
    // allows lets the job stop between two files and the program end on its own.
    ::Sleep(4500);
  }
  return TRUE;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(windows::Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void WriteToConsole(ConsoleStream stream, std::string_view utf8) {
  const HANDLE handle = Handle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (IsConsoleWindow(stream)) {
    const std::wstring wide = windows::WideFromUtf8(utf8);
    std::wstring_view rest = wide;
    while (
        !rest.empty() &&
        ::WriteConsoleW(handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr) &&
        written > 0) {
      rest.remove_prefix(written);
    }
    return;
  }
  while (!utf8.empty() &&
         ::WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) &&
         written > 0) {
    utf8.remove_prefix(written);
  }
}

bool IsConsoleWindow(ConsoleStream stream) {
  DWORD mode = 0;
  return ::GetConsoleMode(Handle(stream), &mode) != 0;
}

int ConsoleColumns(ConsoleStream stream) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!::GetConsoleScreenBufferInfo(Handle(stream), &info)) return 80;
  const int columns = info.srWindow.Right - info.srWindow.Left + 1;
  return columns > 0 ? columns : 80;
}

// The handler stays after the object ends: a second Ctrl-C must not end the program while it
// writes its log.
StopRequests::StopRequests() {
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool StopRequests::Wait(std::chrono::milliseconds timeout) {
  Requests& requests = TheRequests();
  std::unique_lock lock(requests.mutex);
  requests.changed.wait_for(lock, timeout, [&] { return requests.requested; });
  const bool requested = requests.requested;
  requests.requested = false;
  return requested;
}

}  // namespace vestrel
