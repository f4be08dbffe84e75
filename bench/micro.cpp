// Micro-benchmarks of the hot paths: lookups at several dictionary sizes, the material
// header, and the folder sort.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/failure_log.h"
#include "dictionary/ini_file.h"
#include "dictionary/lookup.h"
#include "folders/folder_list.h"
#include "materials/material_header.h"

namespace {

namespace fs = std::filesystem;
using namespace vestrel;

// A dictionary of `entries` lines "Key N=Value N", old enough that its cache is proven.
class Dictionary {
 public:
  explicit Dictionary(long entries) {
    std::string pattern = (fs::temp_directory_path() / "vestrel-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    std::ofstream out(folder_ / "dic.ini", std::ios::binary);
    out << "[dic]\r\n";
    for (long i = 0; i < entries; ++i) out << "Key " << i << "=Value " << i << "\r\n";
    out.close();
    utimbuf old{1'000'000'000, 1'000'000'000};
    ::utime((folder_ / "dic.ini").c_str(), &old);
    path_ = Text((folder_ / "dic.ini").string());
  }
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;
  ~Dictionary() { fs::remove_all(folder_); }
  [[nodiscard]] const Text& path() const { return path_; }

 private:
  fs::path folder_;
  Text path_;
};

void BM_ForwardLookup(benchmark::State& state) {
  Dictionary dictionary(state.range(0));
  IniCache cache;
  long i = 0;
  for (auto _ : state) {
    Text key("Key " + std::to_string(i++ % state.range(0)));
    benchmark::DoNotOptimize(ForwardLookup(cache, dictionary.path(), key));
  }
}
BENCHMARK(BM_ForwardLookup)->Arg(1'000)->Arg(20'000)->Arg(100'000);

void BM_ReverseLookup(benchmark::State& state) {
  Dictionary dictionary(state.range(0));
  IniCache cache;
  FailureLog log;
  long i = 0;
  for (auto _ : state) {
    Text value("Value " + std::to_string(i++ % state.range(0)));
    benchmark::DoNotOptimize(ReverseLookup(cache, dictionary.path(), "dic", value, log));
  }
}
BENCHMARK(BM_ReverseLookup)->Arg(1'000)->Arg(20'000)->Arg(100'000);

std::string Material(long bodyBytes) {
  return "#define material \"Brushed Steel 12\" {\r\n" +
         std::string(static_cast<std::size_t>(bodyBytes), 'p') + "\r\n}\r\n";
}

void BM_ReadMaterialName(benchmark::State& state) {
  const fs::path file =
      fs::temp_directory_path() / ("vestrel-bench-" + std::to_string(::getpid()) + ".mtl");
  std::ofstream(file, std::ios::binary) << Material(state.range(0));
  const Text path(file.string());
  for (auto _ : state) benchmark::DoNotOptimize(ReadMaterialName(path));
  fs::remove(file);
}
BENCHMARK(BM_ReadMaterialName)->Arg(2'000)->Arg(40'000);

void BM_MaterialNameOf(benchmark::State& state) {
  const std::string content = Material(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(MaterialNameOf(content));
}
BENCHMARK(BM_MaterialNameOf)->Arg(2'000)->Arg(40'000);

void BM_ReplaceMaterialName(benchmark::State& state) {
  const std::string content = Material(state.range(0));
  const Text name("\xBD\xF0\xCA\xF4 - Brushed Steel 12");
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceMaterialName(content, name));
}
BENCHMARK(BM_ReplaceMaterialName)->Arg(2'000)->Arg(40'000);

void BM_SortTextArray(benchmark::State& state) {
  TextArray folders;
  for (long i = 0; i < state.range(0); ++i) {
    folders.emplace_back("/library/Category " + std::to_string((i * 7919) % 1009) + "/Sub " +
                         std::to_string(i));
  }
  for (auto _ : state) {
    TextArray list = folders;
    SortTextArray(list, true);
    benchmark::DoNotOptimize(list);
  }
}
BENCHMARK(BM_SortTextArray)->Arg(400)->Arg(5'000)->Arg(20'000);

}  // namespace

BENCHMARK_MAIN();
