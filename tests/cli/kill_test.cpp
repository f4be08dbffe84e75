// Killing vestrel-cli at any moment never costs a material or the dictionary.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include "platform/codepage.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::ReadFile;
using testing::Snapshot;
using testing::TempDir;
using testing::Tree;

// Starts vestrel-cli on the library in `root`.
std::unique_ptr<ChildProcess> Start(const fs::path& root) {
  return std::make_unique<ChildProcess>(
      VESTREL_CLI,
      std::vector<std::string>{"-q", "--from", "header", "--materials", "--folders",
                               "dictionary/dic.ini", "library"},
      root);
}

// Copies what `from` holds into the folder `to`, which exists.
void CopyInto(const fs::path& from, const fs::path& to) {
  for (const auto& entry : fs::directory_iterator(from))
    fs::copy(entry.path(), to / entry.path().filename(), fs::copy_options::recursive);
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
    CopyInto(pristine_.path(), done_.path());
    ASSERT_EQ(Start(done_.path())->Wait(), 0);
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
    CopyInto(pristine_.path(), run.path());
    const auto child = Start(run.path());
    // Every other kill falls into the last part of the run, where the folder pass works.
    const long earliest = kill % 2 == 0 ? 0 : most * 85 / 100;
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<long>(earliest, most)(random)));
    child->Kill();
    child->Wait();

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
    Start(run.path())->Wait();
    ASSERT_EQ(Snapshot(run.path()), finished_) << "kill " << kill;
  }
}

}  // namespace
}  // namespace vestrel
