// Facts about the running program.
#pragma once

#include "text/text.h"

namespace vestrel {

// The folder that holds the program file, without a trailing separator; empty when it
// cannot be told or GBK cannot hold it.
Text ProgramFolder();

}  // namespace vestrel
