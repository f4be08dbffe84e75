// Start-up of the tool and what a path dropped on one of the two boxes does. None of it
// needs a window: the window program and the command line share it.
#pragma once

#include "app/app_state.h"
#include "platform/registry.h"

namespace vestrel {

// When the window has been created: remembers dic.ini beside the program and loads its
// settings when it exists, looks for the renderer's material folder when the material box
// is still exactly empty, and sets the bilingual separator.
void OnMainWindowCreated(AppState& app, const Text& programFolder, const Registry& registry);

// Puts the material folder of the newest renderer version (9 down to 1) whose folder
// exists into the material box, with "等待..." in the status line while it looks.
void DetectMaterialFolder(Controls& controls, const Registry& registry);

// A path dropped on the material box goes into it unexamined.
void OnMaterialFolderDropped(Controls& controls, const Text& path);

// A path dropped on the dictionary box goes into it, and its settings are loaded, when
// something exists there; otherwise nothing happens.
void OnDictionaryDropped(Controls& controls, const Text& path);

}  // namespace vestrel
