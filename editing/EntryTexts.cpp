#include "editing/EntryTexts.h"

#include "editing/ListFilter.h"
#include "editing/ListTexts.h"
#include "language/CaptionName.h"
#include "language/TextTable.h"

#include <cstdlib>

namespace zendrik {

QString EntryRangeHint(const QString& caption, int first, int last, bool orListName, const TextTable& texts)
{
    return texts(orListName ? kRangeOrNameHint : kRangeHint).arg(CaptionName(caption)).arg(first).arg(last);
}

QString EntryChannelsText(const Entry& e, const TextTable& texts, const DeviceSettings& device)
{
    if (device.EibFormat != 0)
        return texts(TextId::ChannelPrefix) + QString::number(EntryChannelNumber(e, device));
    return FormatChannels(EntryChannels(e, false), texts, device);
}

QString EntryStateText(const Entry& e, const TextTable& texts, const DeviceSettings& device)
{
    const bool eib = device.EibFormat != 0;
    const int kind = EntryKind(e, eib);
    const bool permanent = EntryPriority(e, eib) == kPermanentPriority;
    const int state = EntryState(e, eib);
    const QString& onOff = texts(state == 1 ? TextId::On : TextId::Off);
    switch (kind) {
    case KindWeekly:
    case KindDated:
        return onOff;
    case KindPriority:
        return permanent ? onOff : QString();
    case KindWeeklyBus:
    case KindDatedBus:
        return QString::number(state);
    case KindPriorityBus:
        return permanent ? QString::number(state) : QString();
    default:
        return QString();
    }
}

QString EntryOnceText(const Entry& e, const DeviceSettings& device)
{
    return EntryOnce(e, device.EibFormat != 0) ? kOnceText : QStringLiteral(" ");
}

QString EasterOffsetText(int offset, const TextTable& texts, const HolidayNameSource& holidayName)
{
    if (holidayName) {
        const QString name = holidayName(offset);
        if (!name.isEmpty())
            return name;
    }
    if (offset == 0)
        return texts(TextId::Easter);
    return QString::number(std::abs(offset)) + texts(offset < 0 ? TextId::DaysBeforeEaster : TextId::DaysAfterEaster);
}

} // namespace zendrik
