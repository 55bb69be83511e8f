#pragma once

#include "model/ProgramModel.h"

namespace zendrik::test {

// A grown installation on a device-type row: `switching` switching times and
// `priority` priority times, sorted as the list leaves them. On the 16-channel
// bus device the entries address channels 1..busChannels.
ProgramModel RandomSimulationProgram(int row, int seed, int switching, int priority, int busChannels);

// On top of a grown installation of a size drawn from the seed, everything a
// program holds: summer time, device options, program number, meter pulse,
// the bus format of a read-in annual switch, astro settings and tables, texts.
ProgramModel RandomProgram(int row, int seed);

} // namespace zendrik::test
