// The command line's side of the system: its arguments, its console, and the user's request
// to stop a running job.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel {

enum class ConsoleStream { kOutput, kError };

// The program's arguments after its own name, as UTF-8. Windows hands them over in UTF-16
// and ignores `argv`, whose ANSI code page cannot hold every name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Writes UTF-8 text: as characters to a console window, as UTF-8 bytes to a file or a pipe.
void WriteToConsole(ConsoleStream stream, std::string_view utf8);
bool IsConsoleWindow(ConsoleStream stream);
// The width of the console window in columns; 80 when it cannot be told.
int ConsoleColumns(ConsoleStream stream);

// While one lives, Ctrl-C and the system's requests to end the program (SIGTERM; Ctrl-Break
// or a closed console window on Windows) no longer end it: they are kept for Wait. Make it
// before starting any thread, so that every thread inherits the POSIX signal mask.
class StopRequests {
 public:
  StopRequests();
  ~StopRequests() = default;
  StopRequests(const StopRequests&) = delete;
  StopRequests& operator=(const StopRequests&) = delete;

  // Waits up to `timeout`; true when a request came in since the last call.
  bool Wait(std::chrono::milliseconds timeout);
};

}  // namespace vestrel
