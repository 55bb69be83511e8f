#pragma once

#include "language/MemoryChipText.h"
#include "language/TextId.h"

#include <array>
#include <span>

namespace zendrik {

// The German table in the product wording. Its leading and trailing blanks
// are the joining role of each entry (a text that is followed or preceded by
// a file name, a number or another text) for every language.
const std::array<const char*, kTextCount>& germanTexts();
// The entries that brand index 5 words with "Speicherchip".
std::span<const MemoryChipText> germanMemoryChipTexts();

} // namespace zendrik
