#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/SoWiZeitzone.h"
#include "editing/checks/CheckTexts.h"
#include "editing/checks/ProgramChecks.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zendrik::cli {

namespace {

const QString kCheckUsage = QStringLiteral(
    "usage: zendrik-cli check FILE [--year Y] [--json]\n"
    "  puts the program through every check for the year (default: this year) and prints\n"
    "  one line per finding: SEVERITY<TAB>CHECK<TAB>ROWS<TAB>MESSAGE, rows as S12 (switching\n"
    "  times) and P3 (priority times). Exit status 0 without findings, 3 with findings.");


// "S12 S14 P3": the list rows of the entries a finding names.
QString RowsText(const ProgramModel& model, const Finding& f)
{
    QStringList rows;
    for (const int entry : f.entries) {
        const ListRowOfEntry r = ListRowOf(model, kProgramSlot, entry);
        rows << (r.priorityList ? QStringLiteral("P") : QStringLiteral("S")) + QString::number(r.row);
    }
    return rows.join(QLatin1Char(' '));
}

} // namespace

int runCheck(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("year")}, {QStringLiteral("json")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kCheckUsage);
    if (parsed->positional().size() != 1)
        return ctx.usage(kCheckUsage);
    int yearRc = kExitOk;
    const std::optional<int> chosenYear = YearOption(ctx, *parsed, kFirstSimulationYear, kLastSimulationYear, &yearRc);
    if (!chosenYear)
        return yearRc;
    int year = *chosenYear;
    if (const int rc = ctx.loadOrRefuse(parsed->positional().first(), kProgramSlot); rc != kExitOk)
        return rc;

    const Findings findings = RunAllChecks(ctx.model, ctx.texts, year);
    if (ctx.json || parsed->has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const Finding& f : findings) {
            QJsonObject o;
            o[QStringLiteral("check")] = QString::fromLatin1(CheckKey(f.check));
            o[QStringLiteral("name")] = ctx.texts(CheckName(f.check));
            o[QStringLiteral("severity")] = QString::fromLatin1(SeverityKey(f.severity));
            o[QStringLiteral("message")] = f.message;
            o[QStringLiteral("explanation")] = ctx.texts(CheckExplanation(f.check));
            QJsonArray rows;
            for (const int entry : f.entries) {
                const ListRowOfEntry r = ListRowOf(ctx.model, kProgramSlot, entry);
                rows.append(QJsonObject{{QStringLiteral("list"), r.priorityList ? QStringLiteral("priority") : QStringLiteral("switching")},
                                        {QStringLiteral("row"), r.row}});
            }
            o[QStringLiteral("rows")] = rows;
            if (f.channel >= 0)
                o[QStringLiteral("channel")] = f.channel + 1;
            if (f.day > 0)
                o[QStringLiteral("date")] = QStringLiteral("%1-%2-%3")
                                                .arg(f.year, 4, 10, QLatin1Char('0'))
                                                .arg(f.month, 2, 10, QLatin1Char('0'))
                                                .arg(f.day, 2, 10, QLatin1Char('0'));
            if (f.days > 0)
                o[QStringLiteral("days")] = f.days;
            if (f.check == CheckId::RuleDiffersFromZone) {
                // What mends it: the table filled from the zone.
                o[QStringLiteral("zone")] = QString::fromLatin1(f.zone);
                o[QStringLiteral("firstYear")] = ZoneTableFirstYear(year);
            }
            list.append(o);
        }
        QJsonObject o;
        o[QStringLiteral("year")] = year;
        o[QStringLiteral("findings")] = list;
        ctx.out << QJsonDocument(o).toJson(QJsonDocument::Indented);
    } else {
        for (const Finding& f : findings) {
            ctx.out << ctx.texts(SeverityName(f.severity)) << '\t' << ctx.texts(CheckName(f.check)) << '\t'
                    << RowsText(ctx.model, f) << '\t' << f.message;
            if (f.check == CheckId::RuleDiffersFromZone)
                ctx.out << " (" << ctx.texts(checktexts::kFillFromZoneHint).arg(QString::fromLatin1(f.zone)).arg(ZoneTableFirstYear(year))
                        << ')';
            ctx.out << '\n';
        }
    }
    return findings.empty() ? kExitOk : kExitFindings;
}

} // namespace zendrik::cli
