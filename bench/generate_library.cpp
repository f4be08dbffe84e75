// Makes a deterministic synthetic material library and its dictionary from a seed.
//
//   vestrel-generate [--seed S] [--files N] [--folders F] [--entries D]
//                    [--names K] [--body-min BYTES] [--body-max BYTES] [--reverse] OUT
//
// OUT/library holds N material files in F folders (up to three levels deep), with CR LF
// lines, headers quoted or hexadecimal, bodies of parameter lines; OUT/dic.ini holds a
// [dic] of D entries in GBK: every material and folder name with a Chinese value, and
// unused entries up to D. With --names K the files share K names (file i takes name i mod
// K, in a folder of its own round), so that a small dictionary can serve many files. With
// --reverse the library is named by the Chinese values, for reverse runs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/codepage.h"

namespace {

namespace fs = std::filesystem;

struct Options {
  unsigned long long seed = 1;
  long files = 10'000;
  long folders = 400;
  long entries = 20'000;
  long names = 0;  // distinct material names; 0: one per file
  long bodyMin = 2'000;
  long bodyMax = 40'000;
  bool reverse = false;
  fs::path out;
};

const char* const kAdjectives[] = {"Brushed", "Polished", "Matte",  "Glossy", "Rough",
                                   "Satin",   "Frosted",  "Tinted", "Aged",   "Anodized",
                                   "Painted", "Woven",    "Coated", "Etched", "Hammered"};
const char* const kNouns[] = {"Steel",   "Gold",     "Copper", "Oak",     "Walnut", "Glass",
                              "Rubber",  "Leather",  "Marble", "Plastic", "Chrome", "Fabric",
                              "Ceramic", "Concrete", "Silver", "Bronze"};

class Generator {
 public:
  explicit Generator(const Options& options) : options_(options), random_(options.seed) {}

  void Run() {
    const long folderCount = std::max(1L, options_.folders);
    std::vector<std::string> folderPaths;                      // relative, UTF-8
    std::vector<std::pair<std::string, std::string>> entries;  // key, value (GBK)
    for (long i = 0; i < folderCount; ++i) {
      std::string key = "Category " + Word() + " " + std::to_string(i);
      std::string value = UniqueChinese();
      entries.emplace_back(key, value);
      std::string name = options_.reverse ? Utf8(value) : key;
      // A quarter at the top, the rest below an earlier folder, three levels at the most.
      std::string parent;
      if (i >= folderCount / 4 && !folderPaths.empty()) {
        const std::string& candidate = folderPaths[Pick(folderPaths.size())];
        if (std::count(candidate.begin(), candidate.end(), '/') < 2) parent = candidate + "/";
      }
      folderPaths.push_back(parent + name);
      fs::create_directories(options_.out / "library" / fs::u8path(folderPaths.back()));
    }
    const long names = options_.names > 0 ? options_.names : options_.files;
    std::vector<std::string> materialNames;
    for (long i = 0; i < std::min(names, options_.files); ++i) {
      std::string key = Word() + " " + Word() + " " + std::to_string(i);
      std::string value = UniqueChinese();
      entries.emplace_back(key, value);
      materialNames.push_back(options_.reverse ? Utf8(value) : key);
    }
    for (long i = 0; i < options_.files; ++i) {
      // Files that share a name never share a folder.
      const std::size_t folder = options_.names > 0
                                     ? static_cast<std::size_t>(i / names) % folderPaths.size()
                                     : Pick(folderPaths.size());
      fs::path path = options_.out / "library" / fs::u8path(folderPaths[folder]) /
                      fs::u8path(materialNames[static_cast<std::size_t>(i % names)] + ".mtl");
      WriteMaterial(path, materialNames[static_cast<std::size_t>(i % names)]);
    }
    for (long i = static_cast<long>(entries.size()); i < options_.entries; ++i) {
      entries.emplace_back("Unused " + std::to_string(i), UniqueChinese());
    }
    std::ofstream dictionary(options_.out / "dic.ini", std::ios::binary);
    dictionary << "[dic]\r\n";
    for (const auto& [key, value] : entries) dictionary << key << "=" << value << "\r\n";
  }

 private:
  std::size_t Pick(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
  }
  std::string Word() {
    return Pick(2) == 0 ? kAdjectives[Pick(std::size(kAdjectives))]
                        : kNouns[Pick(std::size(kNouns))];
  }
  // Two to four characters of the first level of GB2312, never the same text twice.
  std::string UniqueChinese() {
    while (true) {
      std::string value;
      const std::size_t length = 2 + Pick(3);
      for (std::size_t i = 0; i < length; ++i) {
        value += static_cast<char>(0xB0 + Pick(0xD7 - 0xB0));
        value += static_cast<char>(0xA1 + Pick(0xFE - 0xA1));
      }
      if (used_.insert(value).second) return value;
    }
  }
  static std::string Utf8(const std::string& gbk) {
    return vestrel::GbkToUtf8(vestrel::Text(gbk)).str();
  }

  void WriteMaterial(const fs::path& path, const std::string& nameUtf8) {
    std::string content;
    if (Pick(2) == 0) {
      content = "#define material \"" + nameUtf8 + "\" {\r\n";
    } else {
      static constexpr char kLower[] = "0123456789abcdef";
      static constexpr char kUpper[] = "0123456789ABCDEF";
      const char* digits = Pick(2) == 0 ? kLower : kUpper;
      content = "#define material xX";
      for (unsigned char byte : nameUtf8) {
        content += digits[byte >> 4];
        content += digits[byte & 0xF];
      }
      content += " {\r\n";
    }
    const auto body = static_cast<std::size_t>(
        std::uniform_int_distribution<long>(options_.bodyMin, options_.bodyMax)(random_));
    for (int parameter = 0; content.size() < body; ++parameter) {
      content += "  \"parameter_" + std::to_string(parameter) + "\" float " +
                 std::to_string(Pick(100000) / 1000.0) + "\r\n";
    }
    content += "}\r\n";
    std::ofstream(path, std::ios::binary) << content;
  }

  Options options_;
  std::mt19937_64 random_;
  std::set<std::string> used_;
};

long Number(const char* text) {
  return std::strtol(text, nullptr, 10);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : "0"; };
    if (argument == "--seed") {
      options.seed = std::strtoull(next(), nullptr, 10);
    } else if (argument == "--files") {
      options.files = Number(next());
    } else if (argument == "--folders") {
      options.folders = Number(next());
    } else if (argument == "--entries") {
      options.entries = Number(next());
    } else if (argument == "--names") {
      options.names = Number(next());
    } else if (argument == "--body-min") {
      options.bodyMin = Number(next());
    } else if (argument == "--body-max") {
      options.bodyMax = Number(next());
    } else if (argument == "--reverse") {
      options.reverse = true;
    } else if (!argument.starts_with("--") && options.out.empty()) {
      options.out = argument;
    } else {
      std::cerr << "usage: vestrel-generate [--seed S] [--files N] [--folders F] [--entries D]"
                   " [--names K] [--body-min B] [--body-max B] [--reverse] OUT\n";
      return 2;
    }
  }
  if (options.out.empty() || options.bodyMin > options.bodyMax) {
    std::cerr << "vestrel-generate: an output folder is needed (and --body-min <= --body-max)\n";
    return 2;
  }
  fs::remove_all(options.out);
  fs::create_directories(options.out / "library");
  Generator(options).Run();
  return 0;
}
