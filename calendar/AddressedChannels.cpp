#include "calendar/AddressedChannels.h"

#include "calendar/ListFilter.h"

namespace zendrik {

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
