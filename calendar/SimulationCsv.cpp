#include "calendar/SimulationCsv.h"

#include "calendar/SimulationTexts.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"

namespace zendrik {

namespace {

bool IsPulse(int state)
{
    return state == ProfileImpulsAus || state == ProfileImpulsEin;
}

QString TimeOrEmpty(int minute)
{
    return minute < 0 ? QString() : SimulationTimeText(minute);
}

} // namespace

DaySummary SummarizeDay(const DayProfile& profile)
{
    // A pulse leaves the relay as it was; a switching in the same minute
    // shows as the state after the pulse, so its time is the pulse's minute.
    DaySummary day;
    int position = 0;
    int steady = -1;
    int pulseAt = -1;
    for (const ProfileSegment& s : profile.segments) {
        if (IsPulse(s.state)) {
            ++day.switchings;
            if (pulseAt < 0)
                pulseAt = position;
        } else {
            const int at = pulseAt >= 0 ? pulseAt : position;
            if (s.state != steady) {
                if (steady >= 0)
                    ++day.switchings;
                if (s.state == ProfileEin && day.firstOn < 0)
                    day.firstOn = at;
                if (s.state == ProfileAus && steady == ProfileEin)
                    day.lastOff = at;
            }
            steady = s.state;
            pulseAt = -1;
        }
        position += s.length;
    }
    return day;
}

QByteArray SimulationCsv(const YearSimulation& sim, int channel, const TextTable& texts)
{
    QByteArray csv = "date,weekday,priority,operating_minutes,first_on,last_off,switchings\n";
    csv.reserve(csv.size() + sim.Tage() * 48);
    for (int d = 1; d <= sim.Tage(); ++d) {
        const DayProfile profile = sim.Rechne_SzGrafik(channel, d);
        const DaySummary day = SummarizeDay(profile);
        const CalendarDate date = DateOfDayOfYear(d, sim.SimJahr());
        const int weekday = WochentagVon(date.day, date.month, date.year);
        const QString weekdayName =
            texts(static_cast<TextId>(static_cast<int>(TextId::ShortMonday) + weekday - 1)).trimmed();
        const QString line = QStringLiteral("%1-%2-%3,%4,%5,%6,%7,%8,%9\n")
                                 .arg(date.year, 4, 10, QLatin1Char('0'))
                                 .arg(date.month, 2, 10, QLatin1Char('0'))
                                 .arg(date.day, 2, 10, QLatin1Char('0'))
                                 .arg(weekdayName)
                                 .arg(profile.prioritaet)
                                 .arg(profile.betriebsMinuten)
                                 .arg(TimeOrEmpty(day.firstOn), TimeOrEmpty(day.lastOff))
                                 .arg(day.switchings);
        csv += line.toUtf8();
    }
    return csv;
}

} // namespace zendrik
