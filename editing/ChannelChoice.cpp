#include "editing/ChannelChoice.h"

#include "editing/ListFilter.h"

#include <bit>

namespace zendrik {

void ChannelChoice::setChannel(int channel, bool on, const DeviceSettings& device)
{
    if (usesCombo(device)) {
        kanalIndex = channel;
        return;
    }
    const int bit = 1 << channel;
    if (!on)
        kanaele &= ~bit;
    else
        kanaele = device.EibFormat != 0 ? bit : kanaele | bit;
}

bool ChannelChoice::chosen(const DeviceSettings& device) const
{
    return usesCombo(device) || (kanaele & 0x0F) != 0;
}

int ChannelChoice::conventionalValue(const DeviceSettings& device) const
{
    return usesCombo(device) ? kanalIndex : kanaele & 0x0F;
}

int ChannelChoice::number(const DeviceSettings& device) const
{
    if (usesCombo(device))
        return kanalIndex + 1;
    return std::countr_zero(static_cast<unsigned>(kanaele)) + 1;
}

ChannelChoice ChannelChoice::of(const Entry& e, const DeviceSettings& device)
{
    ChannelChoice choice;
    const int number = EntryChannelNumber(e, device);
    if (usesCombo(device))
        choice.kanalIndex = number > 0 ? number - 1 : 0;
    else if (device.EibFormat != 0)
        choice.kanaele = number >= 1 && number <= 4 ? 1 << (number - 1) : 0;
    else
        choice.kanaele = EntryChannels(e, false);
    return choice;
}

} // namespace zendrik
