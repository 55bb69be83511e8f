#pragma once

#include "calendar/DayProfile.h"
#include "calendar/SimulationCause.h"
#include "calendar/SimulationYears.h"
#include "calendar/TagPrio.h"
#include "model/ProgramModel.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zendrik {

// The base program (0) and the priority programs P1..P9.
inline constexpr int kPriorityPrograms = 10;
// The longest pulse a switching time holds (1..59).
inline constexpr int kLongestPulse = 59;

// How a program switches its channels through one year: the program being
// edited (slot 0) or the sample opened beside it (slot 1), each with its own
// entries, summer-time table and astro program under the device settings.
//
// The simulation never touches the program: it copies what it needs once,
// when it is built, into its own view, where the switching times of every
// channel are grouped by priority program and weekday (weekly entries) or
// by date (dated entries and the astro times of the day) and kept in the
// order the device works through them (minute of day, then priority, pulse,
// "1x" and state, then table order). Each day then only merges its few
// groups instead of sorting the table again.
//
// The view is a snapshot: after the program changes, build a new one.
class YearSimulation {
public:
    YearSimulation(const ProgramModel& model, int simJahr, int slot = kProgramSlot);

    int SimJahr() const { return jahr_; }
    // The slot simulated; entry rows and list numbers refer to its table.
    int Slot() const { return slot_; }
    int Tage() const { return tagPrio_.Tage(); }
    int Kanaele() const { return tagPrio_.Kanaele(); }
    const TagPrio& Prioritaeten() const { return tagPrio_; }

    // The day graph of a channel (0-based) on a day of the year (1 .. Tage()).
    DayProfile Rechne_SzGrafik(int channel, int dayOfYear) const;
    // Minutes the channel is ON on that day.
    int Betriebsminuten(int channel, int dayOfYear) const;
    // Every day of the year for one channel (index day - 1), the program
    // run through the year once: as Rechne_SzGrafik for each day, with the
    // stretches the channel is ON.
    std::vector<SimulatedDay> SimulateYear(int channel) const;
    // Minutes the channel is ON in the whole year.
    int Jahresbetriebsminuten(int channel) const;
    // Per day of the year (index day - 1) the minutes the channel is ON.
    std::vector<int> BetriebsminutenJeTag(int channel) const;

    // Whether the channel is the meter-pulse channel, whose profile follows
    // the measuring period instead of the switching times.
    bool IstMesskanal(int channel) const;

    // What holds the channel (0-based) in its state at a minute (0..1439) of
    // a day of the year: the switching time, astro time, priority time or
    // meter pulse, found by running the day (and, for the state at midnight,
    // the days before) once more. Costs about as much as one day profile.
    SimulationCause Explain(int channel, int dayOfYear, int minute) const;
    // The number of a table row in its list (switching or priority times,
    // each counted from 1); 0 for no row.
    int ListNumber(int entry) const;

    // One switching of the view. Public for the helpers of the implementation.
    struct Switching {
        std::int64_t key = 0; // list key of the device's working order
        int order = 0;        // table row; astro times come after every row
        int minute = 0;
        int priority = 0;
        bool on = false;
        bool pulse = false;
        bool dated = false;      // dated entries and astro times; false for weekly entries
        int astroShown = 0;      // astro times: the minute as the list shows it, summer hour included
        bool summerTime = false; // astro times: the day is in summer time
    };

private:
    // Switchings per day of the window that starts on 1 January of the
    // previous year, stored one list after the other.
    struct DayLists {
        std::vector<int> start; // index of the first switching of each day, one more at the end
        std::vector<Switching> items;
    };

    struct ChannelView {
        std::array<std::array<std::vector<Switching>, 7>, 10> weekly; // [priority][weekday, 0 = Monday]
        DayLists dated;                                               // dated entries, by day
        DayLists astro;                                               // astro times, by day
        int astroMorning = 0;                                         // the limits written into the astro table
        int astroEvening = kMinutesOfDay - 1;
    };

    // One minute of a day at which switchings come: the one that sets the
    // state (none when only pulses come) and the pulse, if any.
    struct DayEvent {
        int minute = 0;
        const Switching* steady = nullptr;
        const Switching* pulse = nullptr;
    };

    // The state at the start of a day and the day whose last switching left
    // it; found false when no switching came before.
    struct Midnight {
        int state = 0;
        int dayNumber = 0;
        bool found = false;
    };

    struct DayRun {
        int endState = -1; // the state the last switching of the day leaves; -1 when none
        int onMinutes = 0;
    };

    void buildSwitchingTimes(const ProgramModel& model);
    void buildAstroTimes(const ProgramModel& model);
    void buildMeterPulse(const ProgramModel& model);

    int weekday(int dayNumber) const;
    // Runs one day of a priority program from a state at midnight (-1: not
    // known). Fills the segments, the minutes that switched and the
    // stretches ON when asked to.
    DayRun runDay(const ChannelView& view, int priority, int dayNumber, int startState,
                  std::vector<ProfileSegment>* segments, std::vector<DayEvent>* events = nullptr,
                  std::vector<OnPeriod>* on = nullptr) const;
    // The state the channel has at the start of a day under a priority
    // program: the state the most recent switching before the day left.
    Midnight midnight(const ChannelView& view, int priority, int dayNumber) const;
    int midnightState(const ChannelView& view, int priority, int dayNumber) const;
    // The cause of a switching found by Explain.
    void describeSwitching(const ChannelView& view, const Switching& s, int dayNumber, SimulationCause& cause) const;
    DayProfile meterProfile() const;
    int meterMinutes() const;

    int jahr_ = 0;
    int slot_ = kProgramSlot;
    std::vector<int> listNumber_; // per table row: its number in the switching- or priority-time list
    int vorjahrTage_ = 0;         // days of the previous year
    int ersterWochentag_ = 0;     // weekday of 1 January, 0 = Monday
    TagPrio tagPrio_;
    std::vector<ChannelView> channels_;

    int messKanal_ = -1; // channel index of the meter pulse, -1 none
    int messPeriode_ = 0;
    int messImpDauer_ = 0;
    int messZustand_ = 0;
    int messZeitpunkt_ = 0;
};

} // namespace zendrik
