#pragma once

#include "language/Prompt.h"

namespace zendrik {

// The message for a LoadResult code that is not LoadOk (an empty prompt for
// LoadOk): an invalid or missing file, or a file of another device family.
// A file that is there but cannot be read names `path` and the reason.
Prompt LoadResultMessage(int result, int brandIndex, const QString& path = QString());

} // namespace zendrik
