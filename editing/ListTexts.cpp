#include "editing/ListTexts.h"

#include <array>

namespace zendrik {

namespace {

constexpr int kMinutesPerDay = 1440;

constexpr std::array<TextId, 7> kShortWeekdays = {
    TextId::ShortMonday, TextId::ShortTuesday, TextId::ShortWednesday, TextId::ShortThursday,
    TextId::ShortFriday, TextId::ShortSaturday, TextId::ShortSunday,
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
    const QString unit = QStringLiteral(" ") + texts(TextId::OClock);
    if (minutes < 0 || minutes >= kMinutesPerDay)
        return QStringLiteral("  --") + separator + QStringLiteral("--") + unit;
    const int hour = minutes / 60;
    const int minute = minutes % 60;
    QString text = hour < 10 ? QStringLiteral("  ") : QString();
    text += QString::number(hour) + separator;
    if (minute < 10)
        text += QLatin1Char('0');
    return text + QString::number(minute) + unit;
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
    for (int d = 0; d < 7; ++d) {
        if (days & (1 << d))
            text += texts(kShortWeekdays[static_cast<std::size_t>(d)]);
    }
    return text.mid(1);
}

QString FormatDate(int day, int month, const TextTable& texts, const DeviceSettings& device)
{
    const QString dayText = day == 1 ? texts(TextId::FirstDay) : QString::number(day) + texts(TextId::DaySuffix);
    const QString& name = texts(monthName(month));
    if (device.Sprache == kLanguageEnglish)
        return name + QStringLiteral(", ") + dayText;
    return dayText + name;
}

QString FormatChannels(int mask, const TextTable& texts, const DeviceSettings& device)
{
    const QString& prefix = texts(TextId::ChannelPrefix);
    if (device.Uhrentyp == kFamily738)
        return prefix + QString::number(mask + 1);
    QString text;
    for (int c = 1; c <= device.Kanalzahl && c <= 16; ++c) {
        if (mask & (1 << (c - 1)))
            text += prefix + QString::number(c);
    }
    return text;
}

QString RowNumberText(int row)
{
    const QString number = QString::number(row);
    if (row < 10)
        return number + QStringLiteral("  ");
    if (row < 100)
        return number + QLatin1Char(' ');
    return number;
}

QString MemoryLabel(int used, int capacity, const TextTable& texts)
{
    return QString::number(used) + QLatin1Char(' ') + texts(TextId::From) + QLatin1Char(' ') + QString::number(capacity);
}

} // namespace zendrik
