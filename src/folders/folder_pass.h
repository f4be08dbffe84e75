// The pass that gives the folders below the material folder their translated names.
#pragma once

#include <stop_token>

#include "app/app_state.h"
#include "text/text.h"

namespace vestrel {

// Renames every folder below `materialFolder` (never the folder itself), each before its
// parent, through the dictionary at `dictionaryPath`. Returns the number of folders
// renamed (in a dry run, that would be). A stop request ends the pass between two folders.
int RenameFolders(AppState& app, const Text& materialFolder, const Text& dictionaryPath,
                  const std::stop_token& stop = {});

}  // namespace vestrel
