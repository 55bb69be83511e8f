#pragma once

#include <QString>

namespace zendrik {

class ProgramModel;

// The checksum that proves which program a device holds: CRC-32 (as zlib
// computes it) over what a transfer carries of slot `slot` (the switching
// program, the summer/winter table and the astro settings as they stand in
// the device image), leaving out the clock bytes of the header, which change
// with every transfer. Eight upper-case hex digits. The site file keeps it
// for the last write; a later read gives the same checksum while the device
// still holds that program; the hand-over record prints it.
QString ImageChecksum(const ProgramModel& model, int slot = 0);

} // namespace zendrik
