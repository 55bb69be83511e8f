#pragma once

#include "language/ExtraText.h"
#include "util/CalendarMath.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace zendrik {

class ProgramModel;
class TextTable;
class YearSimulation;

inline constexpr ExtraText kExportCalendar{"Kalender speichern...", "Save calendar...", "Enregistrer le calendrier..."};
inline constexpr ExtraText kExportChannels{"Kanäle", "Channels", "Canaux"};
inline constexpr ExtraText kExportZone{"Zeitzone (leer: Ortszeit des Geräts)", "Time zone (empty: the device's local time)",
                                       "Fuseau horaire (vide : heure locale de l'appareil)"};
inline constexpr ExtraText kExportUnknownZone{"Unbekannte Zeitzone: %1", "Unknown time zone: %1",
                                              "Fuseau horaire inconnu : %1"};
inline constexpr ExtraText kExportPulse{"%1: Impuls %2", "%1: pulse %2", "%1 : impulsion %2"};

enum class PeriodKind {
    On,       // the channel is ON from..to
    PulseOn,  // a pulse of a switching time whose state is ON
    PulseOff, // a pulse of a switching time whose state is OFF
};

// A stretch of the switching year: a channel ON within one day (a stretch
// over midnight is two, one per day, as the day graphs show it), or a pulse.
struct SwitchingPeriod {
    CalendarDate date;
    int channel = 0; // 0-based
    int from = 0;    // minute of the day
    int to = 0;      // minute of the day (exclusive, up to 1440); a pulse: from + 1
    PeriodKind kind = PeriodKind::On;
    int pulseSeconds = 0; // a pulse's length
    QString cause;        // what switched it, as the simulation window says it

    bool operator==(const SwitchingPeriod&) const = default;
};

// The ON stretches and pulses of the chosen channels (0-based) through the
// simulated year, by date, then channel, then minute. The meter pulse is
// not a switching of the program and is left out.
std::vector<SwitchingPeriod> SwitchingPeriods(const ProgramModel& model, const YearSimulation& sim,
                                              const std::vector<int>& channels, const TextTable& texts);

// CSV: "date,channel,from,to,kind", one line per period (YYYY-MM-DD, channel
// from 1, HH:MM, HH:MM up to 24:00, on | pulse-on | pulse-off).
QByteArray SwitchingPeriodsCsv(const std::vector<SwitchingPeriod>& periods);

struct CalendarOptions {
    QString zone;                      // IANA name; empty: floating local times
    QDateTime stamp;                   // DTSTAMP (UTC)
    QString uidDomain;                 // the right-hand side of every UID
    QString program;                   // names the program in the UIDs
    std::vector<QString> channelNames; // summary of each channel's events (0-based); "C1" where empty
};

// The options a program's switching year is exported with: the UIDs name
// the program file and the simulated year, the events the channels of the
// slot simulated by their names.
CalendarOptions ProgramCalendarOptions(const ProgramModel& model, const YearSimulation& sim, const QString& zone,
                                       const QDateTime& stamp);

enum class CalendarResult { Ok,
                            UnknownZone };

// iCalendar (RFC 5545): one VEVENT per period, CR LF line ends, lines folded
// at 75 octets. With a zone the times carry its TZID and the calendar its
// VTIMEZONE with the zone's changes around the year.
CalendarResult SwitchingYearCalendar(const std::vector<SwitchingPeriod>& periods, const CalendarOptions& options,
                                     const TextTable& texts, QByteArray* out);

} // namespace zendrik
