// INI files in GBK, read and written by the rules of the Windows profile functions, so that
// files written by other Windows tools and by us read the same way:
//
// - Lines end at CR, LF or CR LF; blank lines are ignored; a line whose first non-blank
//   character is ";" is a comment (there are no inline comments, and "#" is text).
// - "[name]" opens a section; its name runs to the first "]" and loses blanks around it.
//   Lines before the first section belong to none.
// - A key line splits at its first "="; key and value lose blanks (space, tab) around them.
// - Names given to a call lose ASCII spaces around them and match the file's names without
//   regard to the case of ASCII letters. Only the first section of a name is searched, and
//   in it the first line of a key wins.
// - A value enclosed in one pair of equal quotes (' or ") is read without them, and a value
//   longer than kIniValueLimit bytes reads as its first kIniValueLimit bytes.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "platform/file_watch.h"
#include "platform/files.h"
#include "text/text.h"

namespace vestrel {

inline constexpr Pos kIniValueLimit = 10239;

// The parsed content of one INI file: for each section its keys, first occurrences only.
class IniIndex {
 public:
  explicit IniIndex(std::string_view content);
  // Nothing when the section or the key is missing.
  [[nodiscard]] std::optional<Text> Find(const Text& section, const Text& key) const;

 private:
  std::unordered_map<std::string, std::unordered_map<std::string, Text>> sections_;
};

// The value of `key` in `section` of an INI content; nothing when there is none.
std::optional<Text> FindIniValue(std::string_view content, const Text& section, const Text& key);

// The content with `key` in `section` set to `value`, every other byte kept. Nothing when
// the value cannot be written as one line that reads back whole (it holds a line break), or
// when the names cannot stand in an INI file.
std::optional<ByteArray> SetIniValue(std::string_view content, const Text& section, const Text& key,
                                     const Text& value);

// Parsed INI files, each checked against its file on every use: a file that changed since
// it was read is read again. A file modified within two seconds before it was read may
// have changed again within the same clock tick, keeping its times; such a change is seen
// by a watch on the file, or, where the system cannot watch it, by comparing the bytes.
class IniCache {
 public:
  // Without `watchFiles`, unproven contents are always compared byte for byte.
  explicit IniCache(bool watchFiles = true) : watchFiles_(watchFiles) {}

  // The index of the file's current content; an empty one when the file cannot be read.
  std::shared_ptr<const IniIndex> Get(const Text& path);

  // Whatever a reader derives from one content, kept with it and dropped with it.
  class Derived {
   public:
    // The value stored under `name`, made by `make` the first time it is asked for.
    template <typename T, typename Make>
    std::shared_ptr<const T> Get(const std::string& name, Make&& make) {
      std::lock_guard lock(mutex_);
      auto& slot = values_[name];
      if (!slot) slot = std::shared_ptr<const T>(make());
      return std::static_pointer_cast<const T>(slot);
    }

   private:
    std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<const void>> values_;
  };

  // The current content of the file (null when it cannot be read), the index built from
  // it, and what readers derived from it.
  struct Snapshot {
    std::shared_ptr<const ByteArray> content;
    std::shared_ptr<const IniIndex> index;
    std::shared_ptr<Derived> derived;
  };
  Snapshot Load(const Text& path);

 private:
  struct Entry {
    FileStamp stamp;
    std::int64_t filledNs = 0;
    std::unique_ptr<FileWatch> watch;  // started before the content was read
    Snapshot snapshot;
  };
  bool watchFiles_;
  std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
};

Text ReadIniValue(const Text& path, const Text& section, const Text& key);
Text ReadIniValue(IniCache& cache, const Text& path, const Text& section, const Text& key);
// The content a write starts from: the file's bytes, empty when there is no file yet, and
// nothing when a file is there but cannot be read (writing then would lose it).
std::optional<ByteArray> IniContentToEdit(const Text& path);
// Sets one value, replacing the file in one rename. False when nothing was written.
bool WriteIniValue(const Text& path, const Text& section, const Text& key, const Text& value);

bool IsTrueText(const Text& text);
Text BoolText(bool checked);

}  // namespace vestrel
