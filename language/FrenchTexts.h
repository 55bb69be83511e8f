#pragma once

#include "language/TextId.h"

#include <array>

namespace zendrik {

// The French table; one wording for every brand.
const std::array<const char*, kTextCount>& frenchTexts();

} // namespace zendrik
