#pragma once

#include "model/DeviceSettings.h"
#include "model/ImageOptions.h"
#include "model/ProgramSlot.h"

namespace zendrik {

// What the device family (DeviceSettings::Uhrentyp) decides. Three families
// share the program format:
//   731  the weekly and annual time switches with 1..4 channels, in plain,
//        meter-pulse, movable-holiday and four-channel bus variants;
//   752  the astro time switch with 2 channels;
//   738  the bus astro time switch with 16 channels.
// Everything above the model asks these questions instead of naming a
// family; only the code that packs and unpacks image and chip bytes, where
// the family is the byte layout itself, compares the number.

// One of the three families (a settings file may hold anything).
constexpr bool IsKnownFamily(int uhrentyp)
{
    return uhrentyp == kFamily731 || uhrentyp == kFamily738 || uhrentyp == kFamily752;
}

// The device switches by sunrise and sunset: it has astro times, the astro
// view, the astro input and astro print-outs.
constexpr bool HasAstro(int uhrentyp)
{
    return uhrentyp == kFamily738 || uhrentyp == kFamily752;
}

// How many astro tables the device keeps: one per astro channel C1..C4 on
// the bus astro device, a single one on the astro device, none otherwise.
constexpr int AstroTableCount(int uhrentyp)
{
    return uhrentyp == kFamily738 ? kAstroChannels : uhrentyp == kFamily752 ? 1
                                                                            : 0;
}

// Each astro channel C1..C4 has a table and limits of its own: the astro
// view and the astro input choose the channel.
constexpr bool HasAstroTablePerChannel(int uhrentyp)
{
    return uhrentyp == kFamily738;
}

// One astro table drives channel 1 and, when the option says so
// (DeviceSettings::AstroC1C2), channel 2 as well.
constexpr bool HasSharedAstroTable(int uhrentyp)
{
    return uhrentyp == kFamily752;
}

// The astro device receives the sunrise and sunset offsets in its header and
// adds them itself, so its table holds the sun times without them; the bus
// astro device has no such bytes and gets them in the table.
constexpr bool AstroTableHoldsOffsets(int uhrentyp)
{
    return uhrentyp != kFamily752;
}

// Where the image header has the program number (three BCD bytes) the
// astro device has its location: a program file keeps the astro device's
// number in a line of its own after the image.
constexpr bool HasProgramNumberInImage(int uhrentyp)
{
    return uhrentyp != kFamily752;
}

// Only the astro device's image holds the astro location; a program file
// keeps that of the bus astro device in a line of its own after the image.
constexpr bool HasAstroLocationInImage(int uhrentyp)
{
    return uhrentyp == kFamily752;
}

// The bus astro device keeps a switching on the edge of the day (a sunrise
// before midnight switches at 0:00, a sunset after midnight at 23:59)
// where the others do not switch at all that day.
constexpr bool KeepsAstroTimesInDay(int uhrentyp)
{
    return uhrentyp == kFamily738;
}

// Switching times carry a pulse length (the "pulse" column of the list);
// the astro device only switches on and off.
constexpr bool HasPulses(int uhrentyp)
{
    return uhrentyp != kFamily752;
}

// The channel choice of an entry: on the bus astro device an entry names
// one channel by its number 1..16; the other devices keep a channel mask in
// which every channel the entry switches has its bit.
constexpr bool EntryNamesOneChannel(int uhrentyp)
{
    return uhrentyp == kFamily738;
}

// The clock language (German/English or French) is a device setting of the
// weekly/annual family only.
constexpr bool HasClockLanguageChoice(int uhrentyp)
{
    return uhrentyp == kFamily731;
}

// A meter-pulse channel exists on the weekly/annual family, in its meter
// variants; a loaded program that uses one keeps it on any variant.
inline bool HasMeterPulse(const DeviceSettings& d)
{
    return d.Uhrentyp == kFamily731 && (d.Evu != 0 || d.MessKanal != 0);
}

// The master card of the astro device carries neither the eight master bits
// nor the clock language; those of the other families carry both.
constexpr bool HasMasterCardOptions(int uhrentyp)
{
    return uhrentyp != kFamily752;
}

// The 16-channel bus astro device as a whole, for the few rules that hold
// for it alone and have no other meaning.
constexpr bool IsBusAstroDevice(int uhrentyp)
{
    return uhrentyp == kFamily738;
}

// Bit 7 of image byte 1 (the device identification) marks a master program:
// a card that sets the options of every device it is plugged into.
inline constexpr int kMasterProgramFlag = 0x80;

// Whether the program's header, as built or loaded, is a master program.
inline bool IsMasterProgram(const ProgramSlot& slot)
{
    return (slot.Kopf[1] & kMasterProgramFlag) != 0;
}

// Whether the options make the program a master program when its header is built.
inline bool IsMasterProgram(const ImageOptions& options)
{
    return (options.Geraetekennung & kMasterProgramFlag) != 0;
}

inline void SetMasterProgram(ImageOptions& options, bool master)
{
    options.Geraetekennung = (options.Geraetekennung & (kMasterProgramFlag - 1)) | (master ? kMasterProgramFlag : 0);
}

} // namespace zendrik
