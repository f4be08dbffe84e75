#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "support/child_process.h"

namespace vestrel::testing {
namespace {

void Redirect(const std::filesystem::path& path, std::FILE* stream) {
  if (!std::freopen(path.empty() ? "/dev/null" : path.c_str(), "w", stream)) _exit(99);
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::filesystem::path& folder, const std::filesystem::path& output,
                           const std::filesystem::path& error) {
  std::vector<std::string> strings{program.string()};
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& string : strings) argv.push_back(string.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(99);
    Redirect(output, stdout);
    Redirect(error, stderr);
    execv(argv[0], argv.data());
    _exit(98);
  }
  id_ = child;
}

ChildProcess::~ChildProcess() {
  Wait();
}

void ChildProcess::AskToStop() {
  ::kill(static_cast<pid_t>(id_), SIGTERM);
}

void ChildProcess::Kill() {
  ::kill(static_cast<pid_t>(id_), SIGKILL);
}

int ChildProcess::Wait() {
  if (waited_ || id_ <= 0) return status_;
  int status = 0;
  ::waitpid(static_cast<pid_t>(id_), &status, 0);
  waited_ = true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return status_;
}

long EndedProcessId() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

long CurrentProcessId() {
  return ::getpid();
}

}  // namespace vestrel::testing
