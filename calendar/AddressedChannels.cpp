#include "calendar/AddressedChannels.h"

#include "model/DeviceFamily.h"

namespace zendrik {

int EntryChannelNumber(const Entry& e, const DeviceSettings& device)
{
    const bool eib = device.EibFormat != 0;
    const int value = EntryChannels(e, eib);
    switch (EntryKind(e, eib)) {
    case KindWeeklyBus:
    case KindDatedBus:
        return value;
    case KindPriorityBus:
        // The bus priority time keeps the channel number - 1.
        return value + 1;
    case KindOther:
        return 0;
    default:
        return EntryNamesOneChannel(device.Uhrentyp) ? value + 1 : 0;
    }
}

int AddressedChannels(const Entry& e, const DeviceSettings& device)
{
    const int channelCount = device.Kanalzahl < 1 ? 1 : (device.Kanalzahl > 16 ? 16 : device.Kanalzahl);
    const int all = (1 << channelCount) - 1;
    const int number = EntryChannelNumber(e, device);
    if (number != 0)
        return number <= channelCount ? 1 << (number - 1) : 0;
    if (EntryKind(e, device.EibFormat != 0) == KindOther)
        return 0;
    return EntryChannels(e, device.EibFormat != 0) & all;
}

} // namespace zendrik
