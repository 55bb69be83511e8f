#pragma once

#include "calendar/AstroTable.h"
#include "language/TextId.h"

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
    NoAstroDevice,         // the device does not switch by the sun
    NotAnAstroChannel,     // a channel without an astro table (738: 5..16, or no label)
    NotAstroDeviceChannel, // a channel number the astro device (752: C1, C2) does not have
};

struct AstroChannel {
    AstroChannelCheck check = AstroChannelCheck::NoAstroDevice;
    int channel = 0; // table index 0..3 when check is Ok
};

AstroChannel AstroChannelOfLabel(int uhrentyp, const QString& label);

// The controls of the astro dialog: the five location bars as bar values,
// the two limits (minutes of the day) and the two states (-1 ON, 0 OFF),
// which are always the device's: OFF at sunrise, ON at sunset.
struct AstroBars {
    int laenge = 0;
    int breite = 0;
    int zone = 0;
    int offsetAuf = 0;
    int offsetUnter = 0;
    int morning = 0;
    int evening = 1439;
    int riseState = kAstroRiseState; // the device's own states, shown but not chosen
    int setState = kAstroSetState;

    bool operator==(const AstroBars&) const = default;

    // As the dialog shows them at load: the program's stored astro settings
    // and the channel's limits and states, kept within the offered ranges.
    static AstroBars FromProgram(const ProgramModel& model, int channel);
    // What OK stores.
    AstroSettings settings() const;
};

// The texts beside the bars, in the table's language.
QString LaengeText(int bar, const TextTable& texts);    // "13,5 Grad Ost"
QString BreiteText(int bar, const TextTable& texts);    // "52,5 Grad Nord"
QString ZoneText(int bar, const TextTable& texts);      // "+ 1:00 Std"
QString OffsetText(int bar, const TextTable& texts);    // "-15 Min"
QString LimitText(int minutes, const TextTable& texts); // "06:30"

// The typed fields beside the offset and limit bars: the bar value a text
// gives, nothing when the field refuses it. An offset is a whole number of
// minutes within the offset bar (-120..120); a limit a time of day within
// the limit bar, "6:30", "06:30", "6.30" or the hour alone ("6").
std::optional<int> OffsetBarOfText(const QString& text);
std::optional<int> LimitBarOfText(const QString& text);
// The text a field shows for a bar value.
QString OffsetFieldText(int bar);
QString LimitFieldText(int minutes);
// The hint of such a field, named by its bar's caption: "Offset für
// Sonnenaufgang: Minuten von -120 bis 120", "...: eine Uhrzeit von 0:00 bis 23:59".
QString OffsetFieldHint(TextId caption, const TextTable& texts);
QString LimitFieldHint(TextId caption, const TextTable& texts);
// Whether a typed character can belong to such a field's text.
bool OffsetFieldTakes(QChar c);
bool LimitFieldTakes(QChar c);

// What the dialog shows while the controls move: the switching minutes of
// every day (day index 0..365) as the device would switch them in winter
// time, before the limits (the table's values, plus the offsets on the
// astro device; empty where the table would hold no time), and today's
// switching times as the device switches them: the table OK would store
// (limits written in), with the summer hour.
struct AstroPreview {
    std::array<std::optional<int>, kAstroYearDays> rise{};
    std::array<std::optional<int>, kAstroYearDays> set{};
    int days = 365; // days of the year computed
    int today = 0;  // day index of today
    std::optional<int> todayRise;
    std::optional<int> todaySet;
};

AstroPreview PreviewAstro(const ProgramModel& model, const AstroBars& bars);

// The index of the place in the list whose three bars equal the given ones
// (the first such), -1 when none: the dialog shows the place's name again
// for a stored location that is one of the list's.
class PlaceList;
int PlaceOfBars(const PlaceList& places, const AstroBars& bars);

} // namespace zendrik
