#include "language/DateText.h"

#include "language/TextTable.h"

namespace zendrik {

QString DateText(int day, int month, int year, const TextTable& texts)
{
    return texts(kDatePattern)
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year);
}

QString DateText(const QDate& date, const TextTable& texts)
{
    return DateText(date.day(), date.month(), date.year(), texts);
}

QString DateTimeText(const QDateTime& stamp, const TextTable& texts, bool withSeconds)
{
    const QTime t = stamp.time();
    QString time = QStringLiteral("%1:%2").arg(t.hour(), 2, 10, QLatin1Char('0')).arg(t.minute(), 2, 10, QLatin1Char('0'));
    if (withSeconds)
        time += QStringLiteral(":%1").arg(t.second(), 2, 10, QLatin1Char('0'));
    return DateText(stamp.date(), texts) + QStringLiteral("  ") + time;
}

} // namespace zendrik
