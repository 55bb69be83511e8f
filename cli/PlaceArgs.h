#pragma once

#include "calendar/PlaceList.h"

#include <QString>

#include <optional>

namespace zendrik::cli {

struct CliContext;

// The place file of the language in use, in the working directory.
QString PlaceFilePath(const CliContext& ctx);
// Reads it; prints on stderr what was left out. Empty on a file that cannot
// be used (its message printed); a missing file is an empty list.
std::optional<PlaceList> ReadPlaces(CliContext& ctx);

} // namespace zendrik::cli
