#pragma once
// A name set's folder on disk: reading a user's name files over the compiled-in lists, and
// writing a set out as name files (the format is described in names/NameSet.h).
#include <optional>
#include <string>
#include <vector>

#include "names/NameSet.h"
#include "rom/Error.h"

namespace dravik::rom {

// Reads a folder of name files over the compiled-in lists into `set`. Returns every refusal (a
// line of a file, lines counted from 1, or a file or the folder as a whole); when there is one,
// `set` is left as it was.
std::vector<Error> LoadNameSet(const std::string& folder, names::NameSet& set);

// Writes every list of `set` into `folder` (created if missing) as name files.
std::optional<Error> ExportNameSet(const names::NameSet& set, const std::string& folder);

} // namespace dravik::rom
