#include "platform/console.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace vestrel {
namespace {

// Asks this program to stop, as the user or the system would.
bool AskThisProgramToStop() {
#ifdef _WIN32
  // Console events travel through a console; a test program may have none of its own (and
  // Wine sends none at all).
  ::AllocConsole();
  return ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0) != 0;
#else
  return std::raise(SIGTERM) == 0;
#endif
}

TEST(Console, AStopRequestIsKeptForWaitInsteadOfEndingTheProgram) {
  StopRequests requests;
  EXPECT_FALSE(requests.Wait(std::chrono::milliseconds(10)));
  if (!AskThisProgramToStop()) GTEST_SKIP() << "this system sends no console event here";
  EXPECT_TRUE(requests.Wait(std::chrono::seconds(10)));
  EXPECT_FALSE(requests.Wait(std::chrono::milliseconds(10)));  // taken once
}

}  // namespace
}  // namespace vestrel
