#include <windows.h>

#include "platform/windows_text.h"
#include "support/child_process.h"

namespace vestrel::testing {
namespace {

// One argument as the C runtime's parser reads it back: quoted, with the backslashes before
// a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE OutputFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return ::CreateFileW(path.empty() ? L"NUL" : path.c_str(), GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::filesystem::path& folder, const std::filesystem::path& output,
                           const std::filesystem::path& error) {
  std::wstring commandLine = Quoted(program.wstring());
  for (const std::string& argument : arguments)
    commandLine += L" " + Quoted(windows::WideFromUtf8(argument));
  HANDLE out = OutputFile(output);
  HANDLE err = OutputFile(error);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  // A process group of its own, so that a Ctrl-Break reaches it alone.
  if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_NEW_PROCESS_GROUP, nullptr, folder.c_str(), &startup, &process)) {
    ::CloseHandle(process.hThread);
    handle_ = process.hProcess;
    id_ = static_cast<long>(process.dwProcessId);
  }
  ::CloseHandle(out);
  ::CloseHandle(err);
}

ChildProcess::~ChildProcess() {
  Wait();
  if (handle_ != nullptr) ::CloseHandle(handle_);
}

void ChildProcess::AskToStop() {
  // Console events reach only the processes of one console: borrow the child's for a moment.
  ::FreeConsole();
  if (::AttachConsole(static_cast<DWORD>(id_))) {
    ::SetConsoleCtrlHandler(nullptr, TRUE);  // this process ignores the event itself
    ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, static_cast<DWORD>(id_));
    ::FreeConsole();
  }
}

void ChildProcess::Kill() {
  ::TerminateProcess(handle_, 137);
}

int ChildProcess::Wait() {
  if (waited_ || handle_ == nullptr) return status_;
  ::WaitForSingleObject(handle_, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(handle_, &code);
  waited_ = true;
  status_ = static_cast<int>(code);
  return status_;
}

long EndedProcessId() {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  ChildProcess child(self, {"--gtest_list_tests", "--gtest_filter=-*"},
                     std::filesystem::current_path());
  child.Wait();
  return child.Id();
}

long CurrentProcessId() {
  return static_cast<long>(::GetCurrentProcessId());
}

}  // namespace vestrel::testing
