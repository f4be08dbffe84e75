// vestrel-cli: the job of the window, run from a command line.
#include <algorithm>
#include <atomic>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/rename_job.h"
#include "app/startup.h"
#include "platform/codepage.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/program.h"
#include "text/paths.h"

namespace vestrel {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailures = 1;
constexpr int kExitRefused = 2;
constexpr int kExitLogNotWritten = 3;
constexpr int kExitStopped = 130;

constexpr const char* kUsage = "usage: vestrel-cli [options] DICTIONARY [MATERIAL_FOLDER]\n";
constexpr const char* kHelp =
    R"(Translates the material names in a KeyShot material library, and the names of its
folders, with a dictionary: section [dic] of an INI file in GBK, key=value lines.

The job starts from the settings stored in DICTIONARY (section [configs]) and stores
the settings it ran with there. MATERIAL_FOLDER replaces the stored material folder.

Options:
  --materials, --no-materials    rename the material names in the .mtl files (or not)
  --folders, --no-folders        rename the folders below the material folder (or not)
  --bilingual-materials, --no-bilingual-materials
                                 write material names as "old - new" (or the new alone)
  --bilingual-folders, --no-bilingual-folders
                                 name folders "old - new" (or the new name alone)
  --from name, --from header     take each material's name from its file name or its header
  --reverse                      translate backwards, from value to key
  --dry-run                      change nothing; print each planned change on standard output
  --log FILE                     write the failure log to FILE (GBK, CR LF), empty when clean
  -q, --quiet                    no progress bar and no summary
  -h, --help                     show this help
  --version                      show the version

Exit status: 0 done without failure lines, 1 done with failure lines, 2 refused before
it started, 3 the log file could not be written, 130 stopped by Ctrl-C or SIGTERM.
)";

struct Options {
  std::vector<std::pair<Control, bool>> checks;  // in the order given
  bool reverse = false;
  bool dryRun = false;
  bool quiet = false;
  std::optional<std::string> logFile;
  std::string dictionary;
  std::optional<std::string> materialFolder;
};

struct Refusal {
  std::string message;
};

void PrintOut(std::string_view utf8) {
  WriteToConsole(ConsoleStream::kOutput, utf8);
}

void PrintError(std::string_view utf8) {
  WriteToConsole(ConsoleStream::kError, utf8);
}

std::string Utf8(const Text& gbk) {
  return GbkToUtf8(gbk).str();
}

// Parses the arguments; nothing when the program is to end at once with `exitCode`.
std::optional<Options> ParseArguments(const std::vector<std::string>& arguments, int& exitCode) {
  Options options;
  std::vector<std::string> positional;
  auto refuse = [&exitCode](const std::string& why) {
    PrintError("vestrel-cli: " + why + "\n" + kUsage);
    exitCode = kExitRefused;
    return std::nullopt;
  };
  const std::vector<std::pair<std::string_view, std::pair<Control, bool>>> switches = {
      {"--materials", {Control::选择框1, true}},
      {"--no-materials", {Control::选择框1, false}},
      {"--folders", {Control::选择框2, true}},
      {"--no-folders", {Control::选择框2, false}},
      {"--bilingual-materials", {Control::选择框_DoubleL1, true}},
      {"--no-bilingual-materials", {Control::选择框_DoubleL1, false}},
      {"--bilingual-folders", {Control::选择框_DoubleL2, true}},
      {"--no-bilingual-folders", {Control::选择框_DoubleL2, false}},
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
      positional.emplace_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      PrintOut(std::string(kUsage) + "\n" + kHelp);
      exitCode = kExitOk;
      return std::nullopt;
    } else if (argument == "--version") {
      PrintOut("vestrel-cli " VESTREL_VERSION "\n");
      exitCode = kExitOk;
      return std::nullopt;
    } else if (argument == "--reverse") {
      options.reverse = true;
    } else if (argument == "--dry-run") {
      options.dryRun = true;
    } else if (argument == "-q" || argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "--from" || argument.starts_with("--from=")) {
      std::string_view value;
      if (argument == "--from") {
        if (++i == arguments.size()) return refuse("--from needs 'name' or 'header'");
        value = arguments[i];
      } else {
        value = argument.substr(7);
      }
      if (value != "name" && value != "header") return refuse("--from takes 'name' or 'header'");
      options.checks.emplace_back(value == "name" ? Control::单选框1 : Control::单选框2, true);
    } else if (argument == "--log" || argument.starts_with("--log=")) {
      if (argument == "--log") {
        if (++i == arguments.size()) return refuse("--log needs a file");
        options.logFile = arguments[i];
      } else {
        options.logFile = std::string(argument.substr(6));
      }
    } else {
      auto found = std::find_if(switches.begin(), switches.end(),
                                [&](const auto& entry) { return entry.first == argument; });
      if (found == switches.end()) return refuse("unknown option " + std::string(argument));
      options.checks.push_back(found->second);
    }
  }
  if (positional.empty()) return refuse("a dictionary is needed");
  if (positional.size() > 2) return refuse("too many arguments");
  options.dictionary = positional[0];
  if (positional.size() == 2) options.materialFolder = positional[1];
  return options;
}

// The GBK text of a path given on the command line; a refusal when GBK cannot hold it.
std::optional<Text> PathArgument(const std::string& utf8, const char* what, int& exitCode) {
  auto gbk = Utf8ToGbkExact(utf8);
  if (!gbk) {
    PrintError(std::string("vestrel-cli: the ") + what + " path \"" + utf8 +
               "\" holds characters that GBK cannot hold; the tool cannot name it\n");
    exitCode = kExitRefused;
  }
  return gbk;
}

std::string ProblemText(StartProblem problem, const Controls& controls) {
  const std::string folder = Utf8(controls.GetText(Control::编辑框_ksmp));
  const std::string dictionary = Utf8(controls.GetText(Control::编辑框_Dic));
  switch (problem) {
    case StartProblem::kMaterialFolderEmpty:
      return "the material folder \"" + folder + "\" is empty";
    case StartProblem::kMaterialFolderNotAFolder:
      return "the material folder \"" + folder + "\" does not exist or is not a folder";
    case StartProblem::kDictionaryMissing:
      return "the dictionary \"" + dictionary + "\" does not exist";
    case StartProblem::kDictionaryNotIni:
      return "the dictionary \"" + dictionary + "\" does not end in \".ini\" (letter case counts)";
  }
  return "unknown problem";
}

// A field of the dry-run plan: tab, line feed and backslash escaped.
std::string PlanField(const Text& gbk) {
  std::string escaped;
  for (char c : Utf8(gbk)) {
    if (c == '\t') {
      escaped += "\\t";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\\') {
      escaped += "\\\\";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

class PlanPrinter : public JobObserver {
 public:
  void MaterialRenamed(const Text& path, const Text& oldName, const Text& newName) override {
    PrintOut("material\t" + PlanField(path) + "\t" + PlanField(oldName) + "\t" +
             PlanField(newName) + "\n");
  }
  void FolderRenamed(const Text& oldPath, const Text& newPath) override {
    PrintOut("folder\t" + PlanField(oldPath) + "\t" + PlanField(newPath) + "\n");
  }
};

// The progress bar: the position of 进度条1 and the status line, redrawn in place.
void DrawProgress(const Controls& controls) {
  const int position = controls.Progress();
  constexpr int kBarWidth = 24;
  const int filled = position * kBarWidth / 100;
  std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " +
                     (position < 10    ? "  "
                      : position < 100 ? " "
                                       : "") +
                     std::to_string(position) + "% ";
  // Cut the item's name to the console, counting UTF-8 lead bytes as columns (a Chinese
  // character takes two), and blank out the rest of an earlier, longer line.
  std::string item = Utf8(controls.Status());
  const int room = ConsoleColumns(ConsoleStream::kError) - static_cast<int>(line.size()) - 1;
  int used = 0;
  std::size_t cut = 0;
  while (cut < item.size()) {
    auto byte = static_cast<unsigned char>(item[cut]);
    std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    int columns = length >= 3 ? 2 : 1;
    if (used + columns > room) break;
    used += columns;
    cut += length;
  }
  line += item.substr(0, cut);
  line += std::string(static_cast<std::size_t>(std::max(room - used, 0)), ' ');
  PrintError(line);
}

void ClearProgress() {
  PrintError("\r" +
             std::string(static_cast<std::size_t>(ConsoleColumns(ConsoleStream::kError) - 1), ' ') +
             "\r");
}

std::string Summary(const JobSummary& summary, const Options& options, std::size_t failureLines) {
  if (!summary.ran) {
    return "vestrel-cli: nothing to do: neither material names nor folder names are to be "
           "renamed\n";
  }
  const char* verb = options.dryRun ? "would be " : "";
  std::string text =
      "vestrel-cli: " + std::to_string(summary.materialsWritten) + " material files " + verb +
      "written, " + std::to_string(summary.foldersRenamed) + " folders " + verb + "renamed, " +
      std::to_string(failureLines) + (failureLines == 1 ? " failure line" : " failure lines");
  if (summary.stopped) text += "; stopped before the end";
  return text + "\n";
}

// Runs the job on a worker thread while this thread waits for a request to stop and draws
// the progress.
JobSummary RunJob(AppState& app, bool drawProgress, bool& stopped) {
  StopRequests requests;
  std::stop_source stop;
  std::atomic<bool> done = false;
  JobSummary summary;
  std::thread worker([&] {
    summary = RenameJob(app, stop.get_token());
    done = true;
  });
  while (!done) {
    if (requests.Wait(std::chrono::milliseconds(100))) {
      stopped = true;
      stop.request_stop();
    }
    if (drawProgress && !done) DrawProgress(app.controls);
  }
  worker.join();
  if (drawProgress) ClearProgress();
  return summary;
}

int Run(const std::vector<std::string>& arguments) {
  int exitCode = kExitOk;
  auto options = ParseArguments(arguments, exitCode);
  if (!options) return exitCode;
  auto dictionary = PathArgument(options->dictionary, "dictionary", exitCode);
  if (!dictionary) return exitCode;
  std::optional<Text> materialFolder;
  if (options->materialFolder) {
    materialFolder = PathArgument(*options->materialFolder, "material folder", exitCode);
    if (!materialFolder) return exitCode;
  }
  std::optional<Text> logFile;
  if (options->logFile) {
    logFile = PathArgument(*options->logFile, "log", exitCode);
    if (!logFile) return exitCode;
  }

  MemoryControls controls;
  AppState app(controls);
  app.startupDictionaryPath = WithTrailingSeparator(ProgramFolder()) + "dic.ini";
  // As if the dictionary had been dropped on the dictionary box, then the options ticked.
  OnDictionaryDropped(controls, *dictionary);
  for (const auto& [control, checked] : options->checks) controls.SetChecked(control, checked);
  if (options->reverse) controls.SetChecked(Control::选择框_Invert, true);
  if (materialFolder) controls.SetText(Control::编辑框_ksmp, *materialFolder);

  std::vector<StartProblem> problems = StartProblems(controls);
  if (!problems.empty()) {
    // A dictionary that does not exist never reached the box, so the box's extension says
    // nothing about the name the user gave.
    if (controls.GetText(Control::编辑框_Dic).empty())
      std::erase(problems, StartProblem::kDictionaryNotIni);
    controls.SetText(Control::编辑框_Dic, *dictionary);
    for (StartProblem problem : problems) {
      PrintError("vestrel-cli: " + ProblemText(problem, controls) + "\n");
    }
    return kExitRefused;
  }

  PlanPrinter plan;
  app.dryRun = options->dryRun;
  if (options->dryRun) app.observer = &plan;
  bool stopped = false;
  const bool drawProgress = !options->quiet && IsConsoleWindow(ConsoleStream::kError);
  JobSummary summary = RunJob(app, drawProgress, stopped);

  const Text log = app.failureLog.Lines();
  const TextArray lines = SplitText(log, "\r\n");
  if (!options->quiet) PrintError(Summary(summary, *options, lines.size()));
  for (const Text& line : lines) PrintError(Utf8(line) + "\n");

  bool logWritten = !logFile || ReplaceWholeFile(*logFile, log.view());
  if (!logWritten) {
    PrintError("vestrel-cli: the log file \"" + *options->logFile + "\" could not be written\n");
  }
  if (stopped) return kExitStopped;
  if (!logWritten) return kExitLogNotWritten;
  return lines.empty() ? kExitOk : kExitFailures;
}

}  // namespace
}  // namespace vestrel

int main(int argc, char** argv) {
  return vestrel::Run(vestrel::CommandLineArguments(argc, argv));
}
