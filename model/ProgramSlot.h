#pragma once

#include "model/Entry.h"

#include <QString>

#include <array>
#include <cstdint>

namespace zendrik {

inline constexpr int kEntryRows = 509; // rows of the entry table per slot
inline constexpr int kDstRows = 20;    // rows of the summer/winter table
inline constexpr int kChannelNames = 17;
inline constexpr int kAstroChannels = 4;
inline constexpr int kAstroDays = 367;
inline constexpr std::int32_t kNoProgramNumber = 16777215;

// One row of the summer/winter table: four image bytes. 255 in the first byte
// marks an unused row; a used row has a first byte below 240.
struct DstRow {
    std::array<Byte, 4> b{255, 255, 255, 255};

    bool operator==(const DstRow&) const = default;
};

// One day of a channel's astro table: the sunrise and sunset switching
// minutes (or the family's no-time marker) and the states switched to.
struct AstroDay {
    int rise = 0;
    int set = 0;
    int riseState = 0; // -1 = ON, 0 = OFF
    int setState = 0;

    bool operator==(const AstroDay&) const = default;
};

// Morning and evening limits of a channel, and its two switching states.
struct AstroLimits {
    int morning = 0;
    int evening = 1439;
    int riseState = 0;
    int setState = -1;

    bool operator==(const AstroLimits&) const = default;
};

// The astro program: where the sun is computed for, and the computed table.
struct AstroProgram {
    std::array<int, 5> AstroAktiv{}; // per channel 1..4 (index 0: any channel): -1 = astro channel
    std::array<std::array<AstroDay, kAstroDays>, kAstroChannels> AstroTab{};
    std::array<AstroLimits, kAstroChannels> AstroGrenze{};
    float AstroLaenge = 0.0f; // degrees, west positive, 0.5 steps
    float AstroBreite = 0.0f; // degrees, north positive, 0.5 steps
    int AstroZone = -60;      // minutes, the negative of the displayed zone
    int AstroOffsetAuf = 0;   // minutes added to sunrise
    int AstroOffsetUnter = 0; // minutes added to sunset

    bool operator==(const AstroProgram&) const = default;
};

// Everything one program consists of. Slot 0 is the program being edited,
// slot 1 a sample opened for viewing and copying.
struct ProgramSlot {
    std::array<Entry, kEntryRows> Eintrag{};
    int AnzSz = 0;
    int AnzPz = 0;
    int AnzEintrag = 0;
    std::array<DstRow, kDstRows> SoWiTab{};
    int AnzSoWi = 0;
    int SoWiJahr = 0;
    int SoWiInfo = 0;
    std::array<int, 8> Kopf{};
    std::int32_t ProgNr = kNoProgramNumber;
    int Schreibschutz = 0;
    QString Verwendung;
    QString Dateiname;
    std::array<QString, kChannelNames> Kanalname;
    AstroProgram astro;

    bool operator==(const ProgramSlot&) const = default;
};

} // namespace zendrik
