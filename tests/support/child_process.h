// Another program run by a test, with its output in files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vestrel::testing {

class ChildProcess {
 public:
  // Starts `program` with `arguments` in `folder`; its standard output and error go to the
  // files named (created or emptied), or nowhere when a path is empty.
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& folder, const std::filesystem::path& output = {},
               const std::filesystem::path& error = {});
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  [[nodiscard]] long Id() const { return id_; }
  // Asks the program to stop as a user would: SIGTERM, or Ctrl-Break on Windows.
  void AskToStop();
  // Ends the program at once, in the middle of whatever it does.
  void Kill();
  // Waits for the end; the exit status, or -1 when a signal ended the program.
  int Wait();

 private:
  long id_ = -1;
  void* handle_ = nullptr;  // the process handle on Windows
  bool waited_ = false;
  int status_ = -1;
};

// The id of a process that has ended: one no living program of ours uses.
long EndedProcessId();
long CurrentProcessId();

}  // namespace vestrel::testing
