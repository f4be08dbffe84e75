#include <windows.h>

#include <array>
#include <random>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/read_all.h"
#include "platform/temporary_name.h"
#include "platform/windows_text.h"

namespace vestrel {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  [[nodiscard]] bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  [[nodiscard]] HANDLE get() const { return handle_; }
  bool Close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, content.data(), chunk, &written, nullptr)) return false;
    content.remove_prefix(written);
  }
  return true;
}

std::int64_t Nanoseconds(const LARGE_INTEGER& time) {
  return time.QuadPart * 100;
}

}  // namespace

std::optional<std::string> NativePath(const Text& path) {
  return GbkToUtf8Exact(path);
}

std::optional<ByteArray> ReadWholeFile(const Text& path) {
  auto wide = windows::WidePath(path);
  if (!wide) return std::nullopt;
  Handle file(::CreateFileW(wide->c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return std::nullopt;
  return ReadAll(static_cast<std::size_t>(size.QuadPart), [&file](char* buffer, std::size_t room) {
    DWORD got = 0;
    const DWORD most = static_cast<DWORD>(std::min<std::size_t>(room, std::size_t{1} << 30));
    return ::ReadFile(file.get(), buffer, most, &got, nullptr) ? static_cast<long long>(got) : -1LL;
  });
}

bool ReplaceWholeFile(const Text& path, std::string_view content) {
  auto target = windows::WidePath(path);
  if (!target) return false;
  const DWORD attributes = ::GetFileAttributesW(target->c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
    return false;
  if (exists) {
    // The user must be allowed to write the file itself, not only its folder.
    Handle probe(::CreateFileW(target->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid()) return false;
  }

  std::wstring temporary;
  HANDLE raw = INVALID_HANDLE_VALUE;
  {
    thread_local std::mt19937 random{std::random_device{}()};
    const std::wstring folder = target->substr(0, target->find_last_of(L"\\/") + 1);
    for (int attempt = 0; attempt < 100 && raw == INVALID_HANDLE_VALUE; ++attempt) {
      const std::string name =
          TemporaryFileName(static_cast<long>(::GetCurrentProcessId()), random);
      temporary = folder + std::wstring(name.begin(), name.end());
      raw = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
      if (raw == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
    }
  }
  Handle file(raw);
  if (!file.valid()) return false;
  const bool written = WriteAll(file.get(), content) && file.Close();
  // The old file's attributes (hidden, system, archive...) go to the new content. The rename
  // that replaces it is one step for the file system, so that a crash or a kill leaves either
  // the old file or the new one; ReplaceFileW works in several steps on some systems and
  // could leave neither.
  if (written && exists) ::SetFileAttributesW(temporary.c_str(), attributes);
  const bool placed =
      written && ::MoveFileExW(temporary.c_str(), target->c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!placed) ::DeleteFileW(temporary.c_str());
  return placed;
}

bool IsLeftBehindTemporaryFile(std::string_view name) {
  auto owner = TemporaryFileOwner(name);
  if (!owner || *owner <= 0) return false;
  HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(*owner));
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  ::CloseHandle(process);
  return !running;
}

std::optional<FileStamp> StampOf(const Text& path) {
  auto wide = windows::WidePath(path);
  if (!wide) return std::nullopt;
  Handle file(::CreateFileW(wide->c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  FILE_BASIC_INFO basic{};
  if (!file.valid() || !::GetFileInformationByHandle(file.get(), &information) ||
      !::GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic)) {
    return std::nullopt;
  }
  return FileStamp{
      information.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow,
      (static_cast<std::int64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow,
      Nanoseconds(basic.LastWriteTime), Nanoseconds(basic.ChangeTime)};
}

std::int64_t NowNs() {
  FILETIME now{};
  ::GetSystemTimePreciseAsFileTime(&now);
  LARGE_INTEGER value{};
  value.LowPart = now.dwLowDateTime;
  value.HighPart = static_cast<LONG>(now.dwHighDateTime);
  return Nanoseconds(value);
}

}  // namespace vestrel
