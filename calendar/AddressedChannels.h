#pragma once

#include "model/DeviceSettings.h"
#include "model/Entry.h"

namespace zendrik {

// The channels an entry switches, as a mask with bit c for channel index c
// (0 = channel 1), restricted to the channels the device has. Conventional
// entries of the one- to four-channel switches carry a channel mask; the
// bus format and the 16-channel bus device (family 738) name one channel.
int AddressedChannels(const Entry& e, const DeviceSettings& device);

} // namespace zendrik
