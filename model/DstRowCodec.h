#pragma once

#include "model/ProgramSlot.h"

namespace zendrik {

// One changeover between summer and winter time.
struct DstChangeover {
    int day = 0;   // 1..31
    int month = 0; // 1..12
    int hour = 0;  // 0..23, the hour of day the clock is changed at
    int shift = 1; // size of the change in hours, 1..3

    bool operator==(const DstChangeover&) const = default;
};

struct DstEntry {
    DstChangeover forward;
    DstChangeover back;

    bool operator==(const DstEntry&) const = default;
};

// A used row of the summer/winter table packs both changeovers into four
// bytes, each changeover in 16 bits, most significant first:
//   month (4 bits) | day (5 bits) | hour (5 bits) | shift (2 bits)
// forward changeover in bytes 0..1, back changeover in bytes 2..3. The month
// in the top nibble keeps byte 0 at or below 0xCF, below the 240 from which
// the device takes a row as unused; an unused row is 255 255 255 255.
DstRow EncodeDstRow(const DstEntry& entry);
DstEntry DecodeDstRow(const DstRow& row);
bool IsUsedDstRow(const DstRow& row);

// The table's year byte (image byte 19) as the device receives it. The
// device gets no SoWiInfo flag: it reads the byte as a reopened program
// file does, with the flag clear, so that its table applies from the year
// after the byte's. A table that applies from the year shown (flag set) is
// therefore sent one year earlier, and the device, the reopened file and
// the simulation count the table's years alike.
int StoredSoWiJahr(const ProgramSlot& slot);

} // namespace zendrik
