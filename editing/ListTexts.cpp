#include "editing/ListTexts.h"

#include "calendar/DayProfile.h"
#include "model/DeviceFamily.h"

#include <QStringBuilder>

#include <array>

namespace zendrik {

namespace {

constexpr std::array<TextId, 7> kShortWeekdays = {
    TextId::ShortMonday,
    TextId::ShortTuesday,
    TextId::ShortWednesday,
    TextId::ShortThursday,
    TextId::ShortFriday,
    TextId::ShortSaturday,
    TextId::ShortSunday,
};

TextId monthName(int month)
{
    if (month < 1 || month > 11)
        return TextId::December;
    return static_cast<TextId>(static_cast<int>(TextId::January) + month - 1);
}

} // namespace

QString FormatTime(int minutes, const TextTable& texts)
{
    const QString& separator = texts(TextId::TimeSeparator);
    const QString& unit = texts(TextId::OClock);
    if (minutes < 0 || minutes >= kMinutesOfDay)
        return QLatin1String("  --") % separator % QLatin1String("-- ") % unit;
    // The list shows hundreds of these; build each in one piece.
    const int hour = minutes / 60;
    const int minute = minutes % 60;
    QString text;
    text.reserve(6 + separator.size() + unit.size());
    if (hour < 10)
        text += QLatin1String("  ");
    else
        text += QLatin1Char(static_cast<char>('0' + hour / 10));
    text += QLatin1Char(static_cast<char>('0' + hour % 10));
    text += separator;
    text += QLatin1Char(static_cast<char>('0' + minute / 10));
    text += QLatin1Char(static_cast<char>('0' + minute % 10));
    text += QLatin1Char(' ');
    text += unit;
    return text;
}

QString FormatWeekdays(const Entry& e, const TextTable& texts, const DeviceSettings& device)
{
    // The bus format keeps the weekdays of a weekly entry in the same bits.
    const int kind = EntryKind(e, device.EibFormat != 0);
    if (kind != KindWeekly && kind != KindWeeklyBus)
        return QString();
    const int days = e.b[3] & 0x7F;
    if (days == 0x7F)
        return texts(TextId::Daily);
    QString text;
    text.reserve(21);
    for (int d = 0; d < 7; ++d) {
        if (days & (1 << d))
            text += texts(kShortWeekdays[static_cast<std::size_t>(d)]);
    }
    // Each short name brings its leading blank; the first one is not shown.
    text.remove(0, 1);
    return text;
}

QString FormatDate(int day, int month, const TextTable& texts, const DeviceSettings& device)
{
    const QString& name = texts(monthName(month));
    if (day == 1) {
        const QString& first = texts(TextId::FirstDay);
        return device.Sprache == kLanguageEnglish ? QString(name % QLatin1String(", ") % first) : QString(first % name);
    }
    const QString& suffix = texts(TextId::DaySuffix);
    if (device.Sprache == kLanguageEnglish)
        return name % QLatin1String(", ") % QString::number(day) % suffix;
    return QString::number(day) % suffix % name;
}

QString FormatChannels(int mask, const TextTable& texts, const DeviceSettings& device)
{
    const QString& prefix = texts(TextId::ChannelPrefix);
    if (EntryNamesOneChannel(device.Uhrentyp))
        return prefix + QString::number(mask + 1);
    QString text;
    text.reserve(4 * device.Kanalzahl);
    for (int c = 1; c <= device.Kanalzahl && c <= 16; ++c) {
        if (mask & (1 << (c - 1)))
            text += prefix % QString::number(c);
    }
    return text;
}

QString RowNumberText(int row)
{
    if (row < 10)
        return QString::number(row) % QLatin1String("  ");
    if (row < 100)
        return QString::number(row) % QLatin1Char(' ');
    return QString::number(row);
}

QString MemoryLabel(int used, int capacity, const TextTable& texts)
{
    return QString::number(used) + QLatin1Char(' ') + texts(TextId::FromAlt) + QLatin1Char(' ') + QString::number(capacity);
}

} // namespace zendrik
