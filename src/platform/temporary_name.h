// The names of our own temporary files: ".vestrel-PID-RANDOM.tmp", after the process that
// writes them, so that a later run can tell the files a killed run left behind from the files
// a live run is writing. No such name matches a material file's mask.
#pragma once

#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace vestrel {

std::string TemporaryFileName(long processId, std::mt19937& random);

}  // namespace vestrel
