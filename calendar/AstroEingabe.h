#pragma once

#include "calendar/AstroTable.h"

#include <QString>

#include <optional>

namespace zendrik {

class ProgramModel;
class TextTable;

// Which astro table the dialog works on, from the channel label the main
// window has selected ("C1".."C4"). The bus device keeps four tables, for
// channels 1..4; the astro device keeps one, which its channel 2 follows
// when it is set to switch channels 1 and 2 together.
enum class AstroChannelCheck {
    Ok,
    NoAstroDevice,      // the device does not switch by the sun
    NotAnAstroChannel,  // a channel without an astro table (738: 5..16, or no label)
    NotAstroDeviceChannel, // a channel number the astro device (752: C1, C2) does not have
};

struct AstroChannel {
    AstroChannelCheck check = AstroChannelCheck::NoAstroDevice;
    int channel = 0;   // table index 0..3 when check is Ok
};

AstroChannel AstroChannelOfLabel(int uhrentyp, const QString& label);

// The controls of the astro dialog: the five location bars as bar values,
// the two limits (minutes of the day) and the two states (-1 ON, 0 OFF).
struct AstroBars {
    int laenge = 0;
    int breite = 0;
    int zone = 0;
    int offsetAuf = 0;
    int offsetUnter = 0;
    int morning = 0;
    int evening = 1439;
    int riseState = -1;
    int setState = 0;

    bool operator==(const AstroBars&) const = default;

    // As the dialog shows them at load: the program's stored astro settings
    // and the channel's limits and states, kept within the offered ranges.
    static AstroBars FromProgram(const ProgramModel& model, int channel);
    // What OK stores.
    AstroSettings settings() const;
};

// The texts beside the bars, in the table's language.
QString LaengeText(int bar, const TextTable& texts);     // "13,5 Grad Ost"
QString BreiteText(int bar, const TextTable& texts);     // "52,5 Grad Nord"
QString ZoneText(int bar, const TextTable& texts);       // "+ 1:00 Std"
QString OffsetText(int bar, const TextTable& texts);     // "-15 Min"
QString LimitText(int minutes, const TextTable& texts);  // "06:30"

// What the dialog shows while the controls move: the switching minutes of
// every day (day index 0..365) as the device would switch them in winter
// time, before the limits (the table's values, plus the offsets on the
// astro device; empty where the table would hold no time), and today's
// switching times as the device switches them (summer hour and limits).
struct AstroPreview {
    std::array<std::optional<int>, kAstroYearDays> rise{};
    std::array<std::optional<int>, kAstroYearDays> set{};
    int days = 365;           // days of the year computed
    int today = 0;            // day index of today
    std::optional<int> todayRise;
    std::optional<int> todaySet;
};

AstroPreview PreviewAstro(const ProgramModel& model, const AstroBars& bars);

} // namespace zendrik
