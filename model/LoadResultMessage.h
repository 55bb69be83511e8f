#pragma once

#include "language/Prompt.h"

namespace zendrik {

// The message for a LoadResult code that is not LoadOk (an empty prompt for
// LoadOk): an invalid or missing file, or a file of another device family.
Prompt LoadResultMessage(int result, int brandIndex);

} // namespace zendrik
