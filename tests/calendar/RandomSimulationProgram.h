#pragma once

#include "model/ProgramModel.h"

namespace zendrik::test {

// A grown installation on a device-type row: `switching` switching times
// and `priority` priority times, sorted as the list leaves them. On the
// 16-channel bus device the entries address channels 1..busChannels.
ProgramModel RandomSimulationProgram(int row, int seed, int switching, int priority, int busChannels);

} // namespace zendrik::test
