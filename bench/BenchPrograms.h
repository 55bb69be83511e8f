#pragma once

#include "model/ProgramModel.h"

namespace zendrik::bench {

inline constexpr int kRow731 = 4;
inline constexpr int kRow738 = 20;

// A full program of the device type: mixed weekly and dated switching times
// in random order, then priority times, as a grown installation has them.
ProgramModel fullProgram(int row, int switching, int priority);

// The same with what else a complete installation carries: a summer/winter
// table of 20 years and astro tables on the astro channels.
ProgramModel completeProgram(int row, int switching, int priority);

} // namespace zendrik::bench
