#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagTabelle.h"

#include <QDir>

namespace zendrik::cli {

int runHolidays(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("set")}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (parsed->positional().size() != 1)
        return ctx.usage(QStringLiteral("usage: zendrik-cli holidays YEAR [--set NAME]"));
    const std::optional<int> year = WholeNumberIn(parsed->positional().first(), 1900, 2099);
    if (!year)
        return ctx.usage(QStringLiteral("YEAR takes 1900..2099"));

    FeiertagTabelle tabelle;
    const QString path = QDir(ctx.workDir).filePath(ctx.texts(TextId::HolidayFileName));
    switch (tabelle.read(path)) {
    case FeiertagResult::Ok:
        break;
    case FeiertagResult::Missing:
        return ctx.refuse(Prompt::message(Icon::Critical, {TextId::FileNotFound}));
    default:
        return ctx.refuse(Prompt::message(Icon::Critical, {TextId::InvalidFile}));
    }

    std::vector<int> shown;
    if (parsed->has(QStringLiteral("set"))) {
        const int set = tabelle.findSet(parsed->value(QStringLiteral("set")));
        if (set < 0)
            return ctx.usage(QStringLiteral("no holiday set named %1").arg(parsed->value(QStringLiteral("set"))));
        shown = tabelle.Sets()[static_cast<std::size_t>(set)].SetGlied;
    } else {
        for (int i = 0; i < tabelle.AnzFeiertage(); ++i)
            shown.push_back(i);
    }

    for (const int index : shown) {
        const Feiertag& f = tabelle.Feiertage()[static_cast<std::size_t>(index)];
        const std::optional<CalendarDate> date = FeiertagDatum(f, *year);
        if (date)
            ctx.out << FormatDayMonth(date->day, date->month) << date->year;
        else
            ctx.out << '-';
        ctx.out << '\t' << f.Name << '\n';
    }
    return kExitOk;
}

} // namespace zendrik::cli
