#pragma once

#include "language/MemoryChipText.h"

#include <QString>

namespace zendrik {

inline const QString kBrandFileName = QStringLiteral("zendrik.sys");

// The brand index 1..12 of a brand code in one of its three accepted forms
// (all capitals, first letter capital, all small); 0 for anything else.
int BrandIndexOfCode(const QString& code);

// Reads zendrik.sys: its first text item is the brand code. 0 when the file
// is missing or the code is unknown: the program then ends with
// "unknown manufacturer".
int ReadBrandFile(const QString& path);

} // namespace zendrik
