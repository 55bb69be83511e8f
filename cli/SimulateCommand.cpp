#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/BetriebsstundenText.h"
#include "calendar/SimulationCsv.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SwitchingYearExport.h"
#include "calendar/YearPictureTitle.h"
#include "calendar/YearSimulation.h"
#include "editing/PrintDocument.h"
#include "model/ExportTarget.h"
#include "paint/YearGraphPainter.h"
#include "util/CalendarMath.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSize>
#include <QTimeZone>

#include <utility>

namespace zendrik::cli {

namespace {

const QString kSimulateUsage = QStringLiteral(
    "usage: zendrik-cli [--json] simulate FILE --year Y --channel C [--date D.M] [--json]\n"
    "                   [--png OUT [--width W --height H]] [--csv]\n"
    "       zendrik-cli simulate FILE --year Y --channel C|all [--ics OUT [--zone IANA]] [--csv --periods]\n"
    "  with --date: the day profile as START<TAB>END<TAB>STATE lines (minutes of the day;\n"
    "  state 0 OFF, 1 ON, 2 and 3 the pulse states) and a last line 'operating H:MM';\n"
    "  without: the channel's yearly operating hours. --json: every day of the year\n"
    "  (or the one date) with its priority, profile and operating minutes.\n"
    "  --png: the year graph of the simulation window as a picture (default 1200 x 800)\n"
    "  with the program, year, channel, operating hours and the legend of its colours.\n"
    "  --csv: one line per day on standard output: date, weekday, priority (0..9, 10\n"
    "  permanent ON, 11 permanent OFF), operating minutes, first ON, last OFF, switchings.\n"
    "  --ics: the switching year as a calendar: one event per stretch ON (split at midnight)\n"
    "  and per pulse, the channel name as summary, what switched it as description; local\n"
    "  times without zone, or times in the IANA zone of --zone (e.g. Europe/Berlin).\n"
    "  --csv --periods: the same stretches and pulses as lines: date,channel,from,to,kind.\n"
    "  The meter-pulse channel is simulated on device types with a meter pulse (--type).");

// The time the calendar says it was made: SOURCE_DATE_EPOCH when set (for
// calendars made again to be equal), else now.
QDateTime CalendarStamp()
{
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC) : QDateTime::currentDateTimeUtc();
}

int ExportPeriods(CliContext& ctx, const YearSimulation& sim, const std::vector<int>& channels, const QString& ics,
                  const QString& zone, bool csv)
{
    const std::vector<SwitchingPeriod> periods = SwitchingPeriods(ctx.model, sim, channels, ctx.texts);
    if (!ics.isEmpty()) {
        if (CheckExportTarget(ics, ctx.model.program().Dateiname) == ExportTargetCheck::ProgramFile)
            return ctx.refuse(ExportTargetRefusal(ics));
        const CalendarOptions options = ProgramCalendarOptions(ctx.model, sim, zone, CalendarStamp());
        QByteArray calendar;
        if (SwitchingYearCalendar(periods, options, ctx.texts, &calendar) == CalendarResult::UnknownZone) {
            ctx.err << ctx.texts(kExportUnknownZone).arg(zone) << Qt::endl;
            return kExitRefused;
        }
        QString error;
        if (!WriteExportFile(ics, calendar, &error)) {
            ctx.err << ics << ": " << error << Qt::endl;
            return kExitRefused;
        }
    }
    if (csv)
        ctx.out << QString::fromUtf8(SwitchingPeriodsCsv(periods));
    return kExitOk;
}

constexpr int kSmallestPicture = 200;
constexpr int kLargestPicture = 8000;

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
    const auto parsed = CommandArgs::parse(args,
                                           {QStringLiteral("year"), QStringLiteral("channel"), QStringLiteral("date"),
                                            QStringLiteral("png"), QStringLiteral("width"), QStringLiteral("height"),
                                            QStringLiteral("ics"), QStringLiteral("zone")},
                                           {QStringLiteral("json"), QStringLiteral("csv"), QStringLiteral("periods")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kSimulateUsage);
    if (parsed->positional().size() != 1 || !parsed->has(QStringLiteral("year"))
        || !parsed->has(QStringLiteral("channel")))
        return ctx.usage(kSimulateUsage);
    const std::optional<int> year = WholeNumberIn(parsed->value(QStringLiteral("year")), kFirstSimulationYear, kLastSimulationYear);
    if (!year)
        return ctx.usage(QStringLiteral("--year takes %1..%2").arg(kFirstSimulationYear).arg(kLastSimulationYear));
    std::optional<DayMonth> date;
    if (parsed->has(QStringLiteral("date"))) {
        date = ParseDayMonth(parsed->value(QStringLiteral("date")));
        if (!date || date->day > TageImMonat(date->month, *year))
            return ctx.usage(QStringLiteral("--date takes D.M of a day of %1").arg(*year));
    }

    const bool png = parsed->has(QStringLiteral("png"));
    const bool csv = parsed->has(QStringLiteral("csv"));
    const bool ics = parsed->has(QStringLiteral("ics"));
    const bool periods = parsed->has(QStringLiteral("periods"));
    const bool allChannels = parsed->value(QStringLiteral("channel")) == QStringLiteral("all");
    if (periods && !csv)
        return ctx.usage(QStringLiteral("--periods goes with --csv"));
    if (parsed->has(QStringLiteral("zone")) && !ics)
        return ctx.usage(QStringLiteral("--zone goes with --ics"));
    if ((ics || periods) && (date || png || ctx.json || parsed->has(QStringLiteral("json"))))
        return ctx.usage(QStringLiteral("--ics and --periods take the whole year, without --date, --png or --json"));
    if (allChannels && !ics && !periods)
        return ctx.usage(QStringLiteral("--channel all goes with --ics or --csv --periods"));
    if ((png || csv) && date)
        return ctx.usage(QStringLiteral("--png and --csv take the whole year, not --date"));
    if ((png || csv) && (ctx.json || parsed->has(QStringLiteral("json"))))
        return ctx.usage(QStringLiteral("--png and --csv do not go with --json"));
    QSize size = kYearPictureSize;
    for (const auto& [name, into] : {std::pair{QStringLiteral("width"), &size.rwidth()},
                                     std::pair{QStringLiteral("height"), &size.rheight()}}) {
        if (!parsed->has(name))
            continue;
        const std::optional<int> value = WholeNumberIn(parsed->value(name), kSmallestPicture, kLargestPicture);
        if (!png || !value)
            return ctx.usage(QStringLiteral("--%1 takes %2..%3 with --png").arg(name).arg(kSmallestPicture).arg(kLargestPicture));
        *into = *value;
    }

    const QString program = parsed->positional().first();
    if (const int rc = ctx.loadOrRefuse(program, kProgramSlot); rc != kExitOk)
        return rc;
    const int channels = ctx.model.device.Kanalzahl;
    const std::optional<int> channel =
        allChannels ? std::optional<int>(1) : WholeNumberIn(parsed->value(QStringLiteral("channel")), 1, channels);
    if (!channel)
        return ctx.usage(QStringLiteral("--channel takes 1..%1 for this program").arg(channels));

    const YearSimulation sim(ctx.model, *year);
    if (ics || periods) {
        std::vector<int> chosen;
        for (int c = allChannels ? 0 : *channel - 1; c < (allChannels ? channels : *channel); ++c)
            chosen.push_back(c);
        return ExportPeriods(ctx, sim, chosen, parsed->value(QStringLiteral("ics")), parsed->value(QStringLiteral("zone")),
                             periods);
    }
    const int c = *channel - 1;
    const bool json = ctx.json || parsed->has(QStringLiteral("json"));

    if (png || csv) {
        if (png) {
            const QString out = parsed->value(QStringLiteral("png"));
            // The picture never takes the place of the program it shows.
            if (CheckExportTarget(out, ctx.model.program().Dateiname) == ExportTargetCheck::ProgramFile)
                return ctx.refuse(ExportTargetRefusal(out));
            const QImage picture =
                RenderYearGraphPicture(sim, c, ctx.texts, size, YearPictureTitle(ctx.model, sim, c, ctx.texts));
            if (!WriteYearGraphPng(picture, out, &error)) {
                ctx.err << out << ": " << error << Qt::endl;
                return kExitRefused;
            }
        }
        if (csv)
            ctx.out << QString::fromUtf8(SimulationCsv(sim, c, ctx.texts));
        return kExitOk;
    }

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
