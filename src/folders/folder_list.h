// Listing the folders below a folder and ordering them so that each comes before its parent.
#pragma once

#include "materials/discovery.h"
#include "text/text.h"

namespace vestrel {

// Appends the full path of every folder below `folder`: its direct subfolders in listing
// order, then the tree below each of them in turn. Folders whose names begin with "." are
// neither listed nor entered. Returns the number of paths appended.
Pos ListSubfolders(const Text& folder, TextArray& result, const PathCallback& unsupported = {});

// True when the folder holds at least one subfolder, whatever its name.
bool HasSubfolder(const Text& folder);

// Sorts by insertion, finding each place by bisection, in ascending CompareForSort order
// (every text before the longer texts that begin with it); descending reverses the result.
void SortTextArray(TextArray& list, bool descending);

void ReverseTextArray(TextArray& list);

}  // namespace vestrel
