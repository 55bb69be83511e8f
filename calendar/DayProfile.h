#pragma once

#include <vector>

namespace zendrik {

inline constexpr int kMinutesOfDay = 1440;

// What a channel does during a stretch of the day graph.
enum ProfileState : int {
    ProfileAus = 0,       // OFF
    ProfileEin = 1,       // ON
    ProfileImpulsAus = 2, // a pulse of an OFF pulse entry (on the meter channel: its measuring periods)
    ProfileImpulsEin = 3, // a pulse of an ON pulse entry (on the meter channel: its measuring periods)
};

struct ProfileSegment {
    int state = ProfileAus;
    int length = 0; // minutes

    bool operator==(const ProfileSegment&) const = default;
};

// One channel on one date: the segments cover minute 0 to 1440 without gap
// in the order of the day, and the operating time is the number of minutes
// the channel is switched ON.
struct DayProfile {
    int prioritaet = 0; // the day's priority, 0..9, 10 permanent ON, 11 permanent OFF
    std::vector<ProfileSegment> segments;
    int betriebsMinuten = 0;

    // The state code of a minute 0..1439; OFF outside the day.
    int StateAt(int minute) const;
    // Sum of the segment lengths; 1440 for every profile the simulation builds.
    int TotalLength() const;
};

// A stretch of a day the channel is ON: minutes from (inclusive) to
// (exclusive), 0..1440.
struct OnPeriod {
    int from = 0;
    int to = 0;

    bool operator==(const OnPeriod&) const = default;
};

// One simulated day of a channel: its graph and the stretches it is ON.
// A pulse minute counts by the state the channel is in after the pulse, as
// the operating time counts it; the meter pulse has no stretches, its
// operating time is reckoned from its period.
struct SimulatedDay {
    DayProfile profile;
    std::vector<OnPeriod> on;
};

} // namespace zendrik
