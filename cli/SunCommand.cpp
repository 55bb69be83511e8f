#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/Sonnenstand.h"

namespace zendrik::cli {

int runSun(CliContext& ctx, const QStringList& args)
{
    const QString usage = QStringLiteral("usage: zendrik-cli sun --lat DEG --date D.M");
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("lat"), QStringLiteral("date")}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (!parsed->positional().isEmpty() || !parsed->has(QStringLiteral("lat")) || !parsed->has(QStringLiteral("date")))
        return ctx.usage(usage);
    const std::optional<double> latitude = DecimalIn(parsed->value(QStringLiteral("lat")), -90.0, 90.0);
    if (!latitude)
        return ctx.usage(QStringLiteral("--lat takes degrees -90..90, north positive"));
    const std::optional<DayMonth> date = ParseDayMonth(parsed->value(QStringLiteral("date")));
    if (!date)
        return ctx.usage(QStringLiteral("--date takes a day and month as D.M"));

    ctx.out << "sunrise " << FormatSunTime(SunriseTime(date->day, date->month, *latitude)) << '\n'
            << "sunset " << FormatSunTime(SunsetTime(date->day, date->month, *latitude)) << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
