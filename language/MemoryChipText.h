#pragma once

#include "language/TextId.h"

namespace zendrik {

// The brand index that sells the switches as memory-chip programming.
inline constexpr int kMemoryChipBrand = 5;

// One text of the memory-chip wording. The brand that sells the switches as
// plain memory-chip programming (brand index 5) names the chip in the
// transfer menus and messages, where the other brands name the product.
struct MemoryChipText {
    TextId id;
    const char* text;
};

} // namespace zendrik
