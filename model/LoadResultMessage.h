#pragma once

#include "language/Prompt.h"

namespace zendrik {

// Where the message is shown: a file of another device family is opened by
// choosing its type, with Datei → Neu or with --type.
enum class LoadHintFor { Desktop,
                         CommandLine };

// The message for a LoadResult code that is not LoadOk (an empty prompt for
// LoadOk): an invalid or missing file, or a file of another device family.
// A file that is there but cannot be read names `path` and the reason.
Prompt LoadResultMessage(int result, int brandIndex, const QString& path = QString(),
                         LoadHintFor where = LoadHintFor::Desktop);

} // namespace zendrik
