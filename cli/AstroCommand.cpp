#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/AstroTable.h"

namespace zendrik::cli {

int runAstro(CliContext& ctx, const QStringList& args)
{
    const QString usage = QStringLiteral(
        "usage: zendrik-cli astro --lon DEG --lat DEG --zone MIN --rise-offset MIN --set-offset MIN [--year Y]");
    const QStringList required = {QStringLiteral("lon"), QStringLiteral("lat"), QStringLiteral("zone"),
                                  QStringLiteral("rise-offset"), QStringLiteral("set-offset")};
    QString error;
    const auto parsed = CommandArgs::parse(args, required + QStringList{QStringLiteral("year")}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (!parsed->positional().isEmpty())
        return ctx.usage(usage);
    for (const QString& key : required) {
        if (!parsed->has(key))
            return ctx.usage(usage);
    }

    const std::optional<double> lon = DecimalIn(parsed->value(QStringLiteral("lon")), -180.0, 180.0);
    if (!lon)
        return ctx.usage(QStringLiteral("--lon takes degrees -180..180, west positive"));
    const std::optional<double> lat = DecimalIn(parsed->value(QStringLiteral("lat")), -90.0, 90.0);
    if (!lat)
        return ctx.usage(QStringLiteral("--lat takes degrees -90..90, north positive"));
    // A day has 1440 minutes; nothing larger shifts a switching into it.
    const std::optional<int> zone = WholeNumberIn(parsed->value(QStringLiteral("zone")), -1440, 1440);
    const std::optional<int> rise = WholeNumberIn(parsed->value(QStringLiteral("rise-offset")), -1440, 1440);
    const std::optional<int> set = WholeNumberIn(parsed->value(QStringLiteral("set-offset")), -1440, 1440);
    if (!zone || !rise || !set)
        return ctx.usage(QStringLiteral("--zone, --rise-offset and --set-offset take minutes -1440..1440"));
    int year = ctx.model.currentYear();
    if (parsed->has(QStringLiteral("year"))) {
        const std::optional<int> y = WholeNumberIn(parsed->value(QStringLiteral("year")), 1, 9999);
        if (!y)
            return ctx.usage(QStringLiteral("--year takes 1..9999"));
        year = *y;
    }

    const AstroLocation location{static_cast<float>(*lon), static_cast<float>(*lat), *zone, *rise, *set};
    const AstroYear table = ComputeAstroYear(location, ctx.model.device.Uhrentyp, year);
    for (int i = 0; i < kAstroYearDays; ++i) {
        const AstroTimes& t = table[static_cast<std::size_t>(i)];
        ctx.out << (i + 1) << '\t' << t.rise << '\t' << t.set << '\n';
    }
    return kExitOk;
}

} // namespace zendrik::cli
