#pragma once

#include "model/ProgramModel.h"

namespace zendrik::test {

// A grown installation on a device-type row: `switching` switching times and
// `priority` priority times, sorted as the list leaves them. On the 16-channel
// bus device the entries address channels 1..busChannels.
ProgramModel RandomSimulationProgram(int row, int seed, int switching, int priority, int busChannels);

// Everything a program holds, on top of a grown installation of a size drawn
// from the seed: the summer/winter rule and table, device options and
// master-card coding, program number, write protection, the meter pulse, the
// bus entry format of a read-in annual switch, the astro location, offsets,
// limits and states, a description and channel names from empty to 255 characters.
ProgramModel RandomProgram(int row, int seed);

} // namespace zendrik::test
