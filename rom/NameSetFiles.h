#pragma once
// A name set's folder on disk: reading a user's name files over the compiled-in lists, and
// writing a set out as name files (the format is described in names/NameSet.h).
#include <string>
#include <vector>

#include "names/NameSet.h"

namespace dravik::rom {

struct NameSetResult {
    bool ok = false;
    names::NameSet set = names::NameSet::BuiltIn(); // the loaded set; the compiled-in set when refused
    std::vector<std::string> errors;                // "file:line: reason", lines counted from 1
};

// Reads a folder of name files over the compiled-in lists.
NameSetResult LoadNameSet(const std::string& folder);

// Writes every list of `set` into `folder` (created if missing) as name files. Returns an
// empty string or the reason it failed.
std::string ExportNameSet(const names::NameSet& set, const std::string& folder);

} // namespace dravik::rom
