#include "cli/CalendarArgs.h"

#include <QStringList>

#include <cmath>
#include <cstdlib>

namespace zendrik::cli {

std::optional<int> WholeNumberIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> DecimalIn(const QString& text, double low, double high)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<DayMonth> ParseDayMonth(const QString& text)
{
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    const QStringList parts = t.split(QLatin1Char('.'));
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<int> month = WholeNumberIn(parts[1], 1, 12);
    if (!month)
        return std::nullopt;
    const std::optional<int> day = WholeNumberIn(parts[0], 1, TageImMonat(*month, 2000));
    if (!day)
        return std::nullopt;
    return DayMonth{*day, *month};
}

QString FormatDayMonth(int day, int month)
{
    return QStringLiteral("%1.%2.").arg(day).arg(month);
}

QString FormatSunTime(double hours)
{
    // The routines return whole minutes; rounding recovers them exactly.
    const long minutes = std::lround(hours * 60.0);
    const long magnitude = std::labs(minutes);
    return QStringLiteral("%1%2:%3")
        .arg(minutes < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 60)
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> YearOption(CliContext& ctx, const CommandArgs& args, int low, int high, int* rc)
{
    if (!args.has(QStringLiteral("year")))
        return ctx.model.currentYear();
    const std::optional<int> year = WholeNumberIn(args.value(QStringLiteral("year")), low, high);
    if (!year)
        *rc = ctx.usage(QStringLiteral("--year takes %1..%2").arg(low).arg(high));
    return year;
}

} // namespace zendrik::cli
