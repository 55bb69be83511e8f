#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/SommerzeitTage.h"

namespace zendrik::cli {

int runDst(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("rule")}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (parsed->positional().size() != 1 || !parsed->has(QStringLiteral("rule")))
        return ctx.usage(QStringLiteral("usage: zendrik-cli dst --rule R YEAR"));
    const std::optional<int> rule = WholeNumberIn(parsed->value(QStringLiteral("rule")), SwKeine, SwUsa);
    if (!rule)
        return ctx.usage(QStringLiteral("--rule takes 0 (none), 1 (Europe), 2 (UK) or 3 (USA)"));
    // The devices count weekdays from 1993 on.
    const std::optional<int> year = WholeNumberIn(parsed->positional().first(), 1993, 2099);
    if (!year)
        return ctx.usage(QStringLiteral("YEAR takes 1993..2099"));

    const SommerzeitTage tage = RegelTage(*rule, *year);
    if (!tage.hasChangeover()) {
        ctx.out << "none\n";
        return kExitOk;
    }
    const CalendarDate forward = DateOfDayOfYear(tage.forward, *year);
    const CalendarDate back = DateOfDayOfYear(tage.back, *year);
    ctx.out << "forward " << FormatDayMonth(forward.day, forward.month) << '\n'
            << "back " << FormatDayMonth(back.day, back.month) << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
