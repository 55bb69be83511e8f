#pragma once

#include "language/ExtraText.h"
#include "model/DeviceSettings.h"
#include "model/Entry.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zendrik {

class TextTable;

// One switching time written as text: the cells of its row in the program
// list (days or date, time, channels, pulse, "1x", state, priority), as the
// list window and `zendrik-cli list` show them, so a row copied from the list
// names the entry. Typed by hand the cells may be separated by any blanks,
// the row number in front and the "Uhr" behind the time may be left out,
// weekdays may be given as a range "Mo-Fr", a date as "24.12.", and the
// words are those of the text table's language, in any case.
//   Mo Di Mi Do Fr   6:45 Uhr  C1  EIN
//   24. Dezember  14:00 Uhr  C1 C2  AUS
//   täglich  7:00  C11  30 sec  EIN  3

// The cells of a switching time's list row after the row number; a special
// entry beyond the day gives blank cells.
QStringList SwitchingTimeCells(const Entry& e, const TextTable& texts, const DeviceSettings& device);

// The cells joined by one TAB, as a line of `zendrik-cli list` after its row number.
QString FormatSwitchingTime(const Entry& e, const TextTable& texts, const DeviceSettings& device);

// A switching time read from its text, before any device is asked.
struct SwitchingTimeNotation {
    int minute = 0;   // of the day, 0..1439
    int weekdays = 0; // bit 0 = Monday; 0: a dated entry
    int day = 0;
    int month = 0;
    int channels = 0;        // bit 0 = channel 1 .. bit 15 = channel 16
    int pulse = 0;           // seconds, 0 = none
    bool once = false;       // "1x", dated entries only
    int state = 1;           // 1 ON, 0 OFF, or the telegram value
    bool stateWord = true;   // written ON/OFF rather than as a number
    int priority = 0;        // 0 = none, weekly entries only
};

enum class SwitchingTimeTextError {
    None,
    Empty,
    Days,       // neither weekdays, "daily" nor a date before the time
    Date,       // the day does not exist in that month
    Time,       // no time H:MM within the day
    Channels,   // no channel, or one beyond 16
    Pulse,      // a pulse beyond 59 seconds
    Once,       // "1x" on a weekly entry
    State,      // no ON/OFF or telegram value 0..255
    Priority,   // a priority beyond 9, or one on a dated entry
    Unexpected, // a word the notation does not have
};

struct SwitchingTimeParse {
    std::optional<SwitchingTimeNotation> notation;
    SwitchingTimeTextError error = SwitchingTimeTextError::None;
    QString word; // the word that could not be read
};

SwitchingTimeParse ParseSwitchingTime(const QString& text, const TextTable& texts);

// Why a switching time does not fit a device (the entry dialog of that
// device offers no such field value).
enum class SwitchingTimeFit {
    Fits,
    NoSuchChannel,  // a channel beyond the device's channels
    OneChannelOnly, // the device's entries name a single channel
    BusChannel,     // the bus format keeps switching times of channels 1..8
    NoPulses,       // the device does not pulse
    Priority,       // beyond the priorities of the device's format
    StateValue,     // a telegram value on a device that switches ON/OFF
};

// The six bytes of the switching time on this device, built by the entry
// dialog's fields with its rules.
SwitchingTimeFit BuildSwitchingTime(const SwitchingTimeNotation& notation, const DeviceSettings& device, Entry& entry);

// Texts of the notation's refusals (%1: the word read, the device's channel
// count or priority limit).
QString SwitchingTimeTextMessage(const SwitchingTimeParse& parse, ExtraLanguage language);
QString SwitchingTimeFitMessage(SwitchingTimeFit fit, const DeviceSettings& device, ExtraLanguage language);

} // namespace zendrik
