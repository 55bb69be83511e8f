#pragma once

#include "language/TextId.h"

#include <array>

namespace zendrik {

const std::array<const char*, kTextCount>& germanTexts();

} // namespace zendrik
