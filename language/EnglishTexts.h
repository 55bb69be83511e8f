#pragma once

#include "language/MemoryChipText.h"
#include "language/TextId.h"

#include <array>
#include <span>

namespace zendrik {

// The English table in the product wording.
const std::array<const char*, kTextCount>& englishTexts();
// The entries that brand index 5 words with "memory chip".
std::span<const MemoryChipText> englishMemoryChipTexts();

} // namespace zendrik
