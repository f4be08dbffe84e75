// Translating a name through section [dic] of a dictionary: forwards (key to value) and
// backwards (value to key).
#pragma once

#include "app/failure_log.h"
#include "dictionary/ini_file.h"
#include "text/text.h"

namespace vestrel {

// The value stored under `key`, as the INI reading gives it; empty when there is none.
Text ForwardLookup(IniCache& cache, const Text& dictionaryPath, const Text& key);

// The key of the one line of `section` whose text after an "=" is exactly `value`, as the
// file has it. Empty when no line has it, and also when several lines have it, which adds
// the line 'error:multiple results "value"' to the log. What it finds is defined by the
// pattern "^(.*?)=" + EscapeForPattern(value) + "$" run over the section's text; an index
// of the dictionary's current content answers the same without running it.
Text ReverseLookup(IniCache& cache, const Text& dictionaryPath, const Text& section,
                   const Text& value, FailureLog& log);

// The same lookup by running the pattern over the file read afresh: the definition that
// ReverseLookup is held to.
Text ReverseLookupByPattern(const Text& dictionaryPath, const Text& section, const Text& value,
                            FailureLog& log);

// The file's text up to its first NUL or Ctrl-Z character; empty when it cannot be opened.
Text ReadWholeText(const Text& path);

// The value with a backslash before every character that means something in a pattern.
Text EscapeForPattern(const Text& value);

}  // namespace vestrel
