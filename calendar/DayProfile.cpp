#include "calendar/DayProfile.h"

namespace zendrik {

int DayProfile::StateAt(int minute) const
{
    if (minute < 0)
        return ProfileAus;
    int start = 0;
    for (const ProfileSegment& s : segments) {
        if (minute < start + s.length)
            return s.state;
        start += s.length;
    }
    return ProfileAus;
}

int DayProfile::TotalLength() const
{
    int total = 0;
    for (const ProfileSegment& s : segments)
        total += s.length;
    return total;
}

} // namespace zendrik
