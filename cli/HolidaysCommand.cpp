#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "language/FileStateText.h"

#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagKalender.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/FeiertagTexts.h"
#include "model/ExportTarget.h"
#include "util/AtomicFile.h"

#include <QDateTime>
#include <QDir>

namespace zendrik::cli {

int runHolidays(CliContext& ctx, const QStringList& args)
{
    const QString usageText =
        QStringLiteral("usage: zendrik-cli holidays YEAR [--set NAME] [--years N] [--ics OUT | --csv]");
    QString error;
    const auto parsed = CommandArgs::parse(
        args, {QStringLiteral("set"), QStringLiteral("years"), QStringLiteral("ics")}, {QStringLiteral("csv")}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (parsed->positional().size() != 1 || (parsed->has(QStringLiteral("ics")) && parsed->has(QStringLiteral("csv"))))
        return ctx.usage(usageText);
    const std::optional<int> year =
        WholeNumberIn(parsed->positional().first(), kFeiertagFirstYear, kFeiertagLastYear);
    if (!year)
        return ctx.usage(QStringLiteral("YEAR takes 1900..2099"));
    int years = 1;
    if (parsed->has(QStringLiteral("years"))) {
        const std::optional<int> n = WholeNumberIn(parsed->value(QStringLiteral("years")), 1, kFeiertagMaxYears);
        if (!n || *year + *n - 1 > kFeiertagLastYear)
            return ctx.usage(QStringLiteral("--years takes 1..%1 and ends in 2099 at the latest").arg(kFeiertagMaxYears));
        years = *n;
    }

    // The calendar never takes the place of a program file.
    if (parsed->has(QStringLiteral("ics"))
        && CheckExportTarget(parsed->value(QStringLiteral("ics"))) == ExportTargetCheck::ProgramFile)
        return ctx.refuse(ExportTargetRefusal(parsed->value(QStringLiteral("ics"))));

    FeiertagTabelle tabelle;
    const QString path = QDir(ctx.workDir).filePath(ctx.texts(TextId::HolidayFileName));
    switch (tabelle.read(path)) {
    case FeiertagResult::Ok:
        break;
    case FeiertagResult::Missing:
        return ctx.refuse(Prompt::message(Icon::Critical, {path, QStringLiteral(": "), TextId::FileNotFound}));
    case FeiertagResult::NewerKind:
        return ctx.refuse(Prompt::message(Icon::Critical, {ctx.texts(kFtNewerKind) + QLatin1Char(' ') + path}));
    default:
        // Say what is wrong with what stands there, or that its content is not a holiday file.
        if (const FileState state = CheckInputFile(path); state != FileState::Regular)
            return ctx.refuse(FileStatePrompt(state, path));
        return ctx.refuse(Prompt::message(Icon::Critical, {path, QStringLiteral(": "), TextId::InvalidFile}));
    }

    int set = -1;
    QString calendarName = ctx.texts(kFtAllHolidays);
    if (parsed->has(QStringLiteral("set"))) {
        calendarName = parsed->value(QStringLiteral("set"));
        set = tabelle.findSet(calendarName);
        if (set < 0)
            return ctx.usage(QStringLiteral("no holiday set named %1").arg(calendarName));
    }

    if (parsed->has(QStringLiteral("ics")) || parsed->has(QStringLiteral("csv"))) {
        const std::vector<FeiertagTermin> termine = FeiertagTermine(tabelle, set, *year, years, ctx.texts(kFtSubstitute));
        if (parsed->has(QStringLiteral("csv"))) {
            ctx.out.flush();
            ctx.out << QString::fromUtf8(FeiertagCsv(termine));
            return kExitOk;
        }
        const QString out = parsed->value(QStringLiteral("ics"));
        if (!WriteExportFile(out, FeiertagIcs(termine, calendarName, ctx.model.clock()), &error))
            return ctx.refuse(Prompt::message(Icon::Critical, {ctx.texts(kFtExportFailed) + QLatin1Char(' ') + out + QStringLiteral(": ") + error}));
        ctx.out << termine.size() << '\n';
        return kExitOk;
    }

    // One block per year, the holidays in the order of the table or the set.
    std::vector<int> shown;
    if (set >= 0) {
        shown = tabelle.Sets()[static_cast<std::size_t>(set)].SetGlied;
    } else {
        for (int i = 0; i < tabelle.AnzFeiertage(); ++i)
            shown.push_back(i);
    }
    std::vector<Feiertag> holidays;
    for (const int index : shown)
        holidays.push_back(tabelle.Feiertage()[static_cast<std::size_t>(index)]);
    // A substitute day follows its holiday on a line of its own.
    for (int y = *year; y < *year + years; ++y) {
        const std::vector<std::optional<CalendarDate>> ersatz = ErsatzTage(holidays, y);
        for (std::size_t i = 0; i < holidays.size(); ++i) {
            const Feiertag& f = holidays[i];
            const std::optional<CalendarDate> date = FeiertagDatum(f, y);
            if (date)
                ctx.out << FormatDayMonth(date->day, date->month) << date->year;
            else
                ctx.out << '-';
            ctx.out << '\t' << f.Name << '\n';
            if (const std::optional<CalendarDate>& sub = ersatz[i])
                ctx.out << FormatDayMonth(sub->day, sub->month) << sub->year << '\t' << f.Name
                        << ctx.texts(kFtSubstitute) << '\n';
        }
    }
    return kExitOk;
}

} // namespace zendrik::cli
