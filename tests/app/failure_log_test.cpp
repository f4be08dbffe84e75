#include "app/failure_log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "app/status_texts.h"
#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::Gbk;
using testing::ReadFile;
using testing::TempDir;

TEST(FailureLog, SavesWholeLinesInGbkWithCrLf) {
  TempDir dir;
  FailureLog log;
  MemoryControls controls;
  controls.SetStatus("busy");
  SaveFailureLog(log, dir.TextPath(), controls);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "log.txt"));
  EXPECT_EQ(controls.Status(), Text("busy"));

  AppendFailure(log, Gbk("not find dic \"金\""));
  AppendFailure(log, "b");
  AppendFailure(log, "c");
  SaveFailureLog(log, dir.TextPath(), controls);
  SaveFailureLog(log, dir.TextPath(), controls);
  EXPECT_EQ(ReadFile(dir.path() / "log.txt"), "not find dic \"\xBD\xF0\"\r\nb\r\nc\r\n");
  EXPECT_EQ(controls.Status(), kStatusSaved);

  log.Clear();
  SaveFailureLog(log, dir.TextPath(), controls);  // an old log stays
  EXPECT_EQ(ReadFile(dir.path() / "log.txt"), "not find dic \"\xBD\xF0\"\r\nb\r\nc\r\n");
}

TEST(FailureLog, AFailedSaveSaysSo) {
#ifdef _WIN32
  GTEST_SKIP() << "a folder's permissions forbid no writing here";
#endif
  TempDir dir;
  FailureLog log;
  MemoryControls controls;
  AppendFailure(log, "a");
  std::filesystem::permissions(
      dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  SaveFailureLog(log, dir.TextPath(), controls);
  EXPECT_EQ(controls.Status(), kStatusSaveFailed);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "log.txt"));
}

TEST(FailureLog, SavesDuringAppendsNeverCutALine) {
  TempDir dir;
  FailureLog log;
  MemoryControls controls;
  const Text line = "not find dic \"" + Text(std::string(200, 'x')) + "\"";
  std::atomic<bool> done = false;
  std::thread worker([&] {
    for (int i = 0; i < 3000; ++i) AppendFailure(log, line);
    done = true;
  });
  int saves = 0;
  while (!done || saves == 0) {
    SaveFailureLog(log, dir.TextPath(), controls);
    std::string saved = ReadFile(dir.path() / "log.txt");
    ASSERT_EQ(saved.size() % (line.size() + 2), 0u);
    ++saves;
  }
  worker.join();
  SaveFailureLog(log, dir.TextPath(), controls);
  EXPECT_EQ(ReadFile(dir.path() / "log.txt").size(), 3000u * (line.size() + 2));
}

}  // namespace
}  // namespace vestrel
