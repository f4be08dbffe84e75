// The pass that gives every material file of a job its translated name.
#pragma once

#include <stop_token>

#include "app/app_state.h"
#include "text/text.h"

namespace vestrel {

// Renames the material in every file of `materialList`, in order, through the dictionary at
// `dictionaryPath`, as the controls ask: name from the file name or the header, forwards
// or reverse, alone or bilingual. Returns the number of files written (in a dry run, the
// number that would be). A stop request ends the pass between two files.
int RenameMaterials(AppState& app, const TextArray& materialList, const Text& dictionaryPath,
                    const std::stop_token& stop = {});

}  // namespace vestrel
