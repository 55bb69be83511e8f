#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

namespace zendrik::cli {

int runEaster(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (parsed->positional().size() != 1)
        return ctx.usage(QStringLiteral("usage: zendrik-cli easter YEAR"));
    // Gauss's rule as the devices use it holds for these years.
    const std::optional<int> year = WholeNumberIn(parsed->positional().first(), 1900, 2099);
    if (!year)
        return ctx.usage(QStringLiteral("YEAR takes 1900..2099"));
    const CalendarDate easter = DateOfDayOfYear(OsterTag(*year), *year);
    ctx.out << FormatDayMonth(easter.day, easter.month) << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
