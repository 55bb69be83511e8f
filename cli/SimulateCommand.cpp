#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/BetriebsstundenText.h"
#include "util/CalendarMath.h"
#include "calendar/YearSimulation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zendrik::cli {

namespace {

const QString kUsage = QStringLiteral(
    "usage: zendrik-cli [--json] simulate FILE --year Y --channel C [--date D.M] [--json]\n"
    "  with --date: the day profile as START<TAB>END<TAB>STATE lines (minutes of the day;\n"
    "  state 0 OFF, 1 ON, 2 and 3 the pulse states) and a last line 'operating H:MM';\n"
    "  without: the channel's yearly operating hours. --json: every day of the year\n"
    "  (or the one date) with its priority, profile and operating minutes.\n"
    "  The meter-pulse channel is simulated on device types with a meter pulse (--type).");

// The simulation works for the years the weekday and Easter rules of the
// devices hold for.

QString HoursAndMinutes(int minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QJsonObject DayObject(const YearSimulation& sim, int channel, int dayOfYear)
{
    const DayProfile profile = sim.Rechne_SzGrafik(channel, dayOfYear);
    const CalendarDate date = DateOfDayOfYear(dayOfYear, sim.SimJahr());
    QJsonArray segments;
    int start = 0;
    for (const ProfileSegment& s : profile.segments) {
        segments.append(QJsonArray{start, start + s.length, s.state});
        start += s.length;
    }
    QJsonObject day;
    day[QStringLiteral("date")] = FormatDayMonth(date.day, date.month);
    day[QStringLiteral("day")] = dayOfYear;
    day[QStringLiteral("weekday")] = WochentagVon(date.day, date.month, date.year);
    day[QStringLiteral("priority")] = profile.prioritaet;
    day[QStringLiteral("operating")] = profile.betriebsMinuten;
    day[QStringLiteral("profile")] = segments;
    return day;
}

} // namespace

int runSimulate(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("year"), QStringLiteral("channel"), QStringLiteral("date")},
                                           {QStringLiteral("json")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kUsage);
    if (parsed->positional().size() != 1 || !parsed->has(QStringLiteral("year"))
        || !parsed->has(QStringLiteral("channel")))
        return ctx.usage(kUsage);
    const std::optional<int> year = WholeNumberIn(parsed->value(QStringLiteral("year")), kFirstSimulationYear, kLastSimulationYear);
    if (!year)
        return ctx.usage(QStringLiteral("--year takes %1..%2").arg(kFirstSimulationYear).arg(kLastSimulationYear));
    std::optional<DayMonth> date;
    if (parsed->has(QStringLiteral("date"))) {
        date = ParseDayMonth(parsed->value(QStringLiteral("date")));
        if (!date || date->day > TageImMonat(date->month, *year))
            return ctx.usage(QStringLiteral("--date takes D.M of a day of %1").arg(*year));
    }

    if (const int rc = ctx.loadOrRefuse(parsed->positional().first(), kProgramSlot); rc != kExitOk)
        return rc;
    const int channels = ctx.model.device.Kanalzahl;
    const std::optional<int> channel = WholeNumberIn(parsed->value(QStringLiteral("channel")), 1, channels);
    if (!channel)
        return ctx.usage(QStringLiteral("--channel takes 1..%1 for this program").arg(channels));

    const YearSimulation sim(ctx.model, *year);
    const int c = *channel - 1;
    const bool json = ctx.json || parsed->has(QStringLiteral("json"));

    if (date) {
        const int dayOfYear = DayOfYear(date->day, date->month, *year);
        if (json) {
            ctx.out << QJsonDocument(DayObject(sim, c, dayOfYear)).toJson(QJsonDocument::Indented);
            return kExitOk;
        }
        const DayProfile profile = sim.Rechne_SzGrafik(c, dayOfYear);
        int start = 0;
        for (const ProfileSegment& s : profile.segments) {
            ctx.out << start << '\t' << start + s.length << '\t' << s.state << '\n';
            start += s.length;
        }
        ctx.out << "operating " << HoursAndMinutes(profile.betriebsMinuten) << '\n';
        return kExitOk;
    }

    if (json) {
        QJsonArray days;
        int total = 0;
        for (int d = 1; d <= sim.Tage(); ++d) {
            QJsonObject day = DayObject(sim, c, d);
            total += day[QStringLiteral("operating")].toInt();
            days.append(day);
        }
        QJsonObject o;
        o[QStringLiteral("year")] = *year;
        o[QStringLiteral("channel")] = *channel;
        o[QStringLiteral("meter_pulse")] = sim.IstMesskanal(c);
        o[QStringLiteral("operating")] = total;
        o[QStringLiteral("text")] = JahresbetriebsstundenText(*channel, total, ctx.texts);
        o[QStringLiteral("days")] = days;
        // A year is for other tools to read: one line.
        ctx.out << QJsonDocument(o).toJson(QJsonDocument::Compact) << '\n';
        return kExitOk;
    }
    ctx.out << JahresbetriebsstundenText(*channel, sim.Jahresbetriebsminuten(c), ctx.texts) << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
