#pragma once

#include "model/ProgramModel.h"

#include <cstdint>
#include <vector>

namespace zendrik {

// Day priorities beyond the priority programs P1..P9: a permanent priority
// time holds the channel ON or OFF the whole day.
inline constexpr int kTagPrioPermanentEin = 10;
inline constexpr int kTagPrioPermanentAus = 11;

// The priority in force on every day of a year for every channel of the
// program being edited: 0 = the base weekly program, 1..9 = the priority
// programs P1..P9, 10 = permanently ON, 11 = permanently OFF. It reads the
// priority times of one slot: the program, or the sample shown beside it.
//
// The priority times are applied in the order of the entry table, so on
// the days two of them share the later one decides. A range whose begin
// lies after its end runs over the year end: it covers the days from the
// begin to 31 December and from 1 January to the end. A priority time bound
// to a year covers its own days: from the begin in its year on, and, when
// its range runs over the year end, up to the end in the following year.
class TagPrio {
public:
    TagPrio(const ProgramModel& model, int simJahr, int slot = kProgramSlot);

    int SimJahr() const { return jahr_; }
    int Tage() const { return tage_; }
    int Kanaele() const { return kanaele_; }

    // Priority of a channel (0-based) on a day of the year (1 .. Tage());
    // 0 outside.
    int operator()(int channel, int dayOfYear) const;
    // The priority time that gave the day its priority: its row in the
    // entry table, -1 when none covers the day (base program).
    int Quelle(int channel, int dayOfYear) const;

private:
    void cover(int channelMask, int fromDay, int toDay, int value, int entry);

    int jahr_ = 0;
    int tage_ = 0;
    int kanaele_ = 0;
    std::vector<std::int8_t> prio_;    // channel-major, day of year 1..366 at index day - 1
    std::vector<std::int16_t> quelle_; // the same layout: the entry row behind the priority, -1 none
};

} // namespace zendrik
