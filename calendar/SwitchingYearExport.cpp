#include "calendar/SwitchingYearExport.h"

#include "calendar/SimulationTexts.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "model/Entry.h"
#include "model/HeaderFields.h"
#include "model/ProgramModel.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QTimeZone>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace zendrik {

namespace {

// A period with what switched it; a pulse with its length in seconds.
SwitchingPeriod Period(const ProgramSlot& slot, const YearSimulation& sim, int channel, int day, int from, int to,
                       PeriodKind kind, const TextTable& texts)
{
    const SimulationCause cause = sim.Explain(channel, day, from);
    SwitchingPeriod period{DateOfDayOfYear(day, sim.SimJahr()), channel, from, to, kind, 0,
                           SimulationCauseText(cause, texts)};
    if (kind != PeriodKind::On && cause.entry >= 0 && cause.entry < kEntryRows)
        period.pulseSeconds = EntryPulse(slot.Eintrag[static_cast<std::size_t>(cause.entry)]);
    return period;
}

QByteArray Clock(int minute)
{
    return QStringLiteral("%1:%2")
        .arg(minute / 60, 2, 10, QLatin1Char('0'))
        .arg(minute % 60, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

const char* KindKey(PeriodKind kind)
{
    switch (kind) {
    case PeriodKind::PulseOn:
        return "pulse-on";
    case PeriodKind::PulseOff:
        return "pulse-off";
    case PeriodKind::On:
        break;
    }
    return "on";
}

// A local date and time as iCalendar writes it: 20270403T070000; minute
// 1440 is midnight of the next day.
QByteArray LocalStamp(const CalendarDate& date, int minute)
{
    CalendarDate day = date;
    if (minute >= kMinutesOfDay) {
        const QDate next = QDate(date.year, date.month, date.day).addDays(1);
        day = CalendarDate{next.day(), next.month(), next.year()};
    }
    const int hour = minute % kMinutesOfDay / 60;
    const int digits[] = {day.year / 1000 % 10, day.year / 100 % 10, day.year / 10 % 10, day.year % 10,
                          day.month / 10, day.month % 10, day.day / 10, day.day % 10,
                          -1, hour / 10, hour % 10, minute % 60 / 10, minute % 10, 0, 0};
    QByteArray text(15, 'T');
    for (int i = 0; i < 15; ++i) {
        if (digits[i] >= 0)
            text[i] = static_cast<char>('0' + digits[i]);
    }
    return text;
}

QByteArray UtcStamp(const QDateTime& t)
{
    return t.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

// Backslash, semicolon, comma and line ends escaped as a TEXT value.
QByteArray EscapedText(const QString& text)
{
    const auto special = [](QChar c) {
        return c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r');
    };
    if (std::none_of(text.begin(), text.end(), special))
        return text.toUtf8();
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            out += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            out += c;
    }
    return out.toUtf8();
}

QByteArray Offset(int seconds)
{
    const char sign = seconds < 0 ? '-' : '+';
    const int size = std::abs(seconds);
    return QByteArray(1, sign) + QStringLiteral("%1%2").arg(size / 3600, 2, 10, QLatin1Char('0')).arg(size / 60 % 60, 2, 10, QLatin1Char('0')).toLatin1();
}

// Writes content lines, each folded at 75 octets without cutting a UTF-8
// character, and ended by CR LF.
class ContentLines {
public:
    void add(const QByteArray& line)
    {
        if (line.size() <= 75) {
            out_ += line;
            out_ += "\r\n";
            return;
        }
        qsizetype start = 0;
        qsizetype room = 75;
        while (line.size() - start > room) {
            qsizetype cut = start + room;
            while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
                --cut;
            out_.append(line.constData() + start, cut - start);
            out_ += "\r\n ";
            start = cut;
            room = 74; // the leading blank of a continuation counts
        }
        out_.append(line.constData() + start, line.size() - start);
        out_ += "\r\n";
    }

    void reserve(qsizetype size) { out_.reserve(size); }

    QByteArray take() { return std::move(out_); }

private:
    QByteArray out_;
};

// The zone's rules around the year as the calendar needs them to read the
// local times: its offset before the first change, then every change.
void AddTimeZone(ContentLines& lines, const QTimeZone& zone, int firstYear, int lastYear)
{
    const QDateTime from(QDate(firstYear - 1, 12, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(lastYear + 1, 2, 1), QTime(0, 0), Qt::UTC);
    lines.add("BEGIN:VTIMEZONE");
    lines.add("TZID:" + zone.id());
    const auto component = [&lines](bool daylight, const QDateTime& localStart, int offsetFrom, int offsetTo,
                                    const QString& name) {
        const QByteArray kind = daylight ? "DAYLIGHT" : "STANDARD";
        lines.add("BEGIN:" + kind);
        lines.add("DTSTART:" + localStart.toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toLatin1());
        lines.add("TZOFFSETFROM:" + Offset(offsetFrom));
        lines.add("TZOFFSETTO:" + Offset(offsetTo));
        if (!name.isEmpty())
            lines.add("TZNAME:" + EscapedText(name));
        lines.add("END:" + kind);
    };
    const QTimeZone::OffsetData before = zone.offsetData(from);
    component(before.daylightTimeOffset > 0,
              QDateTime(from.date(), from.time()).addSecs(before.offsetFromUtc), before.offsetFromUtc,
              before.offsetFromUtc, before.abbreviation);
    int offset = before.offsetFromUtc;
    for (const QTimeZone::OffsetData& change : zone.transitions(from, to)) {
        // The start of a change in the local time that held before it.
        const QDateTime utc = change.atUtc.toUTC();
        component(change.daylightTimeOffset > 0, QDateTime(utc.date(), utc.time()).addSecs(offset), offset,
                  change.offsetFromUtc, change.abbreviation);
        offset = change.offsetFromUtc;
    }
    lines.add("END:VTIMEZONE");
}

} // namespace

std::vector<SwitchingPeriod> SwitchingPeriods(const ProgramModel& model, const YearSimulation& sim,
                                              const std::vector<int>& channels, const TextTable& texts)
{
    std::vector<SwitchingPeriod> periods;
    const ProgramSlot& slot = model.slot(sim.Slot());
    for (const int c : channels) {
        if (c < 0 || c >= sim.Kanaele() || sim.IstMesskanal(c))
            continue;
        const std::vector<SimulatedDay> year = sim.SimulateYear(c);
        for (int d = 1; d <= sim.Tage(); ++d) {
            const SimulatedDay& day = year[static_cast<std::size_t>(d - 1)];
            for (const OnPeriod& on : day.on)
                periods.push_back(Period(slot, sim, c, d, on.from, on.to, PeriodKind::On, texts));
            int minute = 0;
            for (const ProfileSegment& s : day.profile.segments) {
                if (s.state == ProfileImpulsEin || s.state == ProfileImpulsAus)
                    periods.push_back(Period(slot, sim, c, d, minute, minute + 1,
                                             s.state == ProfileImpulsEin ? PeriodKind::PulseOn : PeriodKind::PulseOff,
                                             texts));
                minute += s.length;
            }
        }
    }
    std::stable_sort(periods.begin(), periods.end(), [](const SwitchingPeriod& a, const SwitchingPeriod& b) {
        const auto key = [](const SwitchingPeriod& p) {
            return std::tuple(p.date.year, p.date.month, p.date.day, p.channel, p.from);
        };
        return key(a) < key(b);
    });
    return periods;
}

QByteArray SwitchingPeriodsCsv(const std::vector<SwitchingPeriod>& periods)
{
    QByteArray out = "date,channel,from,to,kind\n";
    for (const SwitchingPeriod& p : periods) {
        out += QStringLiteral("%1-%2-%3,%4,")
                   .arg(p.date.year, 4, 10, QLatin1Char('0'))
                   .arg(p.date.month, 2, 10, QLatin1Char('0'))
                   .arg(p.date.day, 2, 10, QLatin1Char('0'))
                   .arg(p.channel + 1)
                   .toLatin1()
            + Clock(p.from) + ',' + Clock(p.to) + ',' + KindKey(p.kind) + '\n';
    }
    return out;
}

CalendarResult SwitchingYearCalendar(const std::vector<SwitchingPeriod>& periods, const CalendarOptions& options,
                                     const TextTable& texts, QByteArray* out)
{
    QTimeZone zone;
    if (!options.zone.isEmpty()) {
        zone = QTimeZone(options.zone.toUtf8());
        if (!zone.isValid())
            return CalendarResult::UnknownZone;
    }
    ContentLines lines;
    lines.reserve(static_cast<qsizetype>(periods.size()) * 320 + 4096);
    lines.add("BEGIN:VCALENDAR");
    lines.add("VERSION:2.0");
    lines.add("PRODID:-//Zendrik//Switching year//EN");
    lines.add("CALSCALE:GREGORIAN");
    if (zone.isValid() && !periods.empty())
        AddTimeZone(lines, zone, periods.front().date.year, periods.back().date.year);
    const QByteArray tzid = zone.isValid() ? ";TZID=" + zone.id() : QByteArray();
    const QByteArray program =
        QCryptographicHash::hash(options.program.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    const QByteArray stamp = UtcStamp(options.stamp);
    const QByteArray uidTail = program + '@' + options.uidDomain.toUtf8();
    for (const SwitchingPeriod& p : periods) {
        const std::size_t c = static_cast<std::size_t>(p.channel);
        QString name = c < options.channelNames.size() ? options.channelNames[c].trimmed() : QString();
        if (name.isEmpty())
            name = QStringLiteral("C%1").arg(p.channel + 1);
        const bool pulse = p.kind != PeriodKind::On;
        lines.add("BEGIN:VEVENT");
        const QByteArray start = LocalStamp(p.date, p.from);
        lines.add("UID:" + start + "-c" + QByteArray::number(p.channel + 1) + '-' + KindKey(p.kind) + '-' + uidTail);
        lines.add("DTSTAMP:" + stamp);
        lines.add("DTSTART" + tzid + ':' + start);
        if (pulse)
            lines.add(p.pulseSeconds > 0 ? "DURATION:PT" + QByteArray::number(p.pulseSeconds) + 'S'
                                         : QByteArray("DURATION:PT1M"));
        else
            lines.add("DTEND" + tzid + ':' + LocalStamp(p.date, p.to));
        const QString summary = pulse
            ? texts(kExportPulse).arg(name, texts(p.kind == PeriodKind::PulseOn ? TextId::On : TextId::Off))
            : name;
        lines.add("SUMMARY:" + EscapedText(summary));
        if (!p.cause.isEmpty())
            lines.add("DESCRIPTION:" + EscapedText(p.cause));
        lines.add("TRANSP:TRANSPARENT");
        lines.add("END:VEVENT");
    }
    lines.add("END:VCALENDAR");
    *out = lines.take();
    return CalendarResult::Ok;
}

CalendarOptions ProgramCalendarOptions(const ProgramModel& model, const YearSimulation& sim, const QString& zone,
                                       const QDateTime& stamp)
{
    const ProgramSlot& slot = model.slot(sim.Slot());
    CalendarOptions options;
    options.zone = zone;
    options.stamp = stamp;
    options.uidDomain = QStringLiteral("zendrik");
    options.program = QFileInfo(slot.Dateiname).fileName() + QString::number(sim.SimJahr());
    for (const QString& name : slot.Kanalname)
        options.channelNames.push_back(ShownChannelName(name));
    return options;
}

} // namespace zendrik
