#pragma once

#include <array>
#include <cstdint>

namespace zendrik {

// Every element of the device image is one byte of the time switch's memory.
using Byte = std::uint8_t;

// GetBits(lo, hi, value): the bit field lo..hi of a byte value, low bit first.
constexpr int GetBits(int lo, int hi, int value)
{
    return (value >> lo) & ((1 << (hi - lo + 1)) - 1);
}

// The device stores every byte from offset 8 on with its two nibbles exchanged.
constexpr int NibbleSwap(int b)
{
    return ((b & 0x0F) << 4) | ((b >> 4) & 0x0F);
}

// One BCD byte (two decimal digits) as a number 0..99; 255 when a nibble is no digit.
constexpr int BcdToByte(int b)
{
    const int hi = (b >> 4) & 0x0F;
    const int lo = b & 0x0F;
    return (hi <= 9 && lo <= 9) ? hi * 10 + lo : 255;
}

// A program entry: the six bytes b0..b5 exactly as the time switch keeps them
// (before the nibble swap of the memory image).
struct Entry {
    std::array<Byte, 6> b{};

    bool operator==(const Entry&) const = default;
};

// Entry kinds. The bus format (EibFormat = 1) keeps the same b0 ranges but
// packs channel, priority and state differently.
enum EntryKindCode : int {
    KindWeekly = 0,
    KindDated = 1,
    KindPriority = 2,
    KindWeeklyBus = 3,
    KindDatedBus = 4,
    KindPriorityBus = 5,
    KindOther = 6,
};

// Priority-time kinds (how the date range of a priority time is meant).
enum PriorityTimeKindCode : int {
    PrioEveryYear = 0,
    PrioOnceNoYear = 1,
    PrioEasterRelative = 2,
    PrioOnceInYear = 3,
};

inline constexpr int kPermanentPriority = 10;
// A movable (Easter-relative) priority time is marked by exactly this b0.
inline constexpr int kEasterMarker = 0x60;
// The Easter offset n of a movable priority time is stored as n + 82.
inline constexpr int kEasterOffsetBias = 82;
// Year codes of priority times count from 1936.
inline constexpr int kYearCodeBase = 1936;

int EntryKind(const Entry& e, bool eibFormat);
int EntryTime(const Entry& e);
int EntryMonth(const Entry& e);
int EntryDay(const Entry& e);
int EntryPriority(const Entry& e, bool eibFormat);
int EntryChannels(const Entry& e, bool eibFormat);
int EntryOnce(const Entry& e, bool eibFormat);
int EntryPulse(const Entry& e);
int EntryState(const Entry& e, bool eibFormat);

// Region tests used by the loader and the sort: switching times are b0
// 0x00..0x59 (dated) and 0x80..0xD9 (weekly), priority times 0x60..0x7F.
bool IsSwitchingTimeByte(int b0);
bool IsPriorityTimeByte(int b0);
inline bool IsWeeklyEntry(const Entry& e) { return (e.b[0] & 0x80) != 0; }

// Priority-time fields (conventional format).
int PriorityTimeKind(const Entry& e);
int PriorityYearCode(const Entry& e);
int PriorityFromDay(const Entry& e);
int PriorityFromMonth(const Entry& e);
int PriorityToDay(const Entry& e);
int PriorityToMonth(const Entry& e);
int PriorityEasterOffset(const Entry& e);

} // namespace zendrik
