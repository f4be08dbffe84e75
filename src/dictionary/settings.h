// The tool's settings, kept in section [configs] of the dictionary itself.
#pragma once

#include "app/controls.h"
#include "text/text.h"

namespace vestrel {

// Sets the controls from the [configs] of the file; missing or empty values give the states
// the window starts with.
void LoadSettings(const Text& dictionaryPath, Controls& controls);

// Stores the controls' settings in the dictionary named by 编辑框_Dic, replacing the file
// once with all six keys set, or not at all. False when nothing was written.
bool SaveSettings(Controls& controls);

}  // namespace vestrel
