// The physical limit of the passes on this machine.
//
//   vestrel-floor FOLDER            reads every material file whole and writes it back whole,
//                                   through a temporary file and a rename, as the tool does
//   vestrel-floor --folders FOLDER  renames every folder below FOLDER, deepest first, as the
//                                   folder pass does, without looking anything up
#include <cstring>
#include <iostream>

#include "folders/folder_list.h"
#include "materials/discovery.h"
#include "platform/codepage.h"
#include "platform/directory.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  using namespace vestrel;
  const bool folders = argc == 3 && std::strcmp(argv[1], "--folders") == 0;
  if (argc != 2 && !folders) {
    std::cerr << "usage: vestrel-floor [--folders] FOLDER\n";
    return 2;
  }
  const Text root = Utf8ToGbk(argv[argc - 1]);
  long count = 0;
  if (folders) {
    TextArray list;
    ListSubfolders(root, list);
    SortTextArray(list, true);
    for (const Text& path : list) count += MoveEntry(path, path + "~") ? 1 : 0;
  } else {
    TextArray files;
    FindMaterialFiles(
        root, [&files](const Text& path) { files.push_back(path); }, "*.mtl");
    for (const Text& path : files) {
      auto content = ReadWholeFile(path);
      if (content && ReplaceWholeFile(path, *content)) ++count;
    }
  }
  std::cout << count << "\n";
  return 0;
}
