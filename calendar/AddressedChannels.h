#pragma once

#include "model/DeviceSettings.h"
#include "model/Entry.h"

namespace zendrik {

// The number (1-based, as the list shows it) of the one channel an entry
// switches when it addresses a single channel: entries in the bus format, and
// every entry of the 16-channel bus device (family 738), which keeps the
// channel index in the place of the channel mask. 0 for mask entries.
int EntryChannelNumber(const Entry& e, const DeviceSettings& device);

// The channels an entry switches, as a mask with bit c for channel index c
// (0 = channel 1), restricted to the channels the device has. Conventional
// entries of the one- to four-channel switches carry a channel mask; the
// bus format and the 16-channel bus device (family 738) name one channel.
int AddressedChannels(const Entry& e, const DeviceSettings& device);

} // namespace zendrik
