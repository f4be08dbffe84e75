// Killing vestrel-cli at any moment never costs a material or the dictionary.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::Snapshot;
using testing::TempDir;
using testing::Tree;

// Starts vestrel-cli on the library in `root`; the caller waits for it.
pid_t Start(const fs::path& root) {
  pid_t child = fork();
  if (child == 0) {
    if (chdir(root.c_str()) != 0 || !freopen("/dev/null", "w", stdout) ||
        !freopen("/dev/null", "w", stderr)) {
      _exit(99);
    }
    execl(VESTREL_CLI, VESTREL_CLI, "-q", "--from", "header", "--materials", "--folders",
          "dictionary/dic.ini", "library", static_cast<char*>(nullptr));
    _exit(98);
  }
  return child;
}

int Finish(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

class KillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string dictionary = "[dic]\r\n";
    for (int folder = 0; folder < 40; ++folder) {
      const std::string name = "Category " + std::to_string(folder);
      dictionary += name + "=" + Utf8ToGbk("类别").str() + std::to_string(folder) + "\r\n";
      folders_.push_back(
          folder < 10 ? name : folders_[static_cast<std::size_t>(folder % 10)] + "/" + name);
    }
    for (int file = 0; file < 2000; ++file) {
      const std::string name = "Material " + std::to_string(file);
      dictionary += name + "=" + Utf8ToGbk("材质").str() + std::to_string(file) + "\r\n";
      const std::string body(4000 + (file * 37) % 4000, 'p');
      pristine_.Write(
          "library/" + folders_[static_cast<std::size_t>(file % 40)] + "/" + name + ".mtl",
          "#define material \"" + name + "\" {\r\n" + body + "\r\n}\r\n");
    }
    pristine_.Write("dictionary/dic.ini", dictionary);
    original_ = Snapshot(pristine_.path());

    // What an uninterrupted run makes of it, and how long it takes.
    const auto start = std::chrono::steady_clock::now();
    fs::copy(pristine_.path(), done_.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ASSERT_EQ(Finish(Start(done_.path())), 0);
    duration_ = std::chrono::steady_clock::now() - start;
    finished_ = Snapshot(done_.path());
    for (const auto& [path, content] : original_) {
      if (path.ends_with(".mtl")) oldContent_[fs::path(path).filename().string()] = content;
    }
    for (const auto& [path, content] : finished_) {
      if (path.ends_with(".mtl")) newContent_[fs::path(path).filename().string()] = content;
    }
  }

  std::vector<std::string> folders_;
  TempDir pristine_;
  TempDir done_;
  Tree original_;
  Tree finished_;
  std::map<std::string, std::string> oldContent_;
  std::map<std::string, std::string> newContent_;
  std::chrono::steady_clock::duration duration_{};
};

TEST_F(KillTest, EveryFileIsWholeAfterAKillAndASecondRunFinishes) {
  std::mt19937 random(4242);
  const auto most = std::chrono::duration_cast<std::chrono::microseconds>(duration_).count();
  for (int kill = 0; kill < 22; ++kill) {
    TempDir run;
    fs::copy(pristine_.path(), run.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const pid_t child = Start(run.path());
    // Every other kill falls into the last part of the run, where the folder pass works.
    const long earliest = kill % 2 == 0 ? 0 : most * 85 / 100;
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<long>(earliest, most)(random)));
    ::kill(child, SIGKILL);
    Finish(child);

    const Tree killed = Snapshot(run.path());
    std::size_t materials = 0;
    for (const auto& [path, content] : killed) {
      const std::string name = fs::path(path).filename().string();
      if (path.ends_with(".mtl")) {
        ++materials;
        ASSERT_TRUE(content == oldContent_[name] || content == newContent_[name])
            << "kill " << kill << ": " << path;
      } else if (content != "/" && path != "dictionary/dic.ini") {
        ASSERT_TRUE(name.starts_with(".vestrel-") && name.ends_with(".tmp")) << path;
      }
    }
    ASSERT_EQ(materials, oldContent_.size()) << "kill " << kill;
    const std::string dictionary = killed.at("dictionary/dic.ini");
    ASSERT_TRUE(dictionary == original_.at("dictionary/dic.ini") ||
                dictionary == finished_.at("dictionary/dic.ini"));

    // Again, to the end: the temporary files go, and the tree is that of an uninterrupted run.
    Finish(Start(run.path()));
    ASSERT_EQ(Snapshot(run.path()), finished_) << "kill " << kill;
  }
}

}  // namespace
}  // namespace vestrel
