#pragma once

#include "model/DeviceSettings.h"
#include "model/Entry.h"

namespace zendrik {

// The channels of an entry dialog: the boxes chkKan1..chkKan4, or the
// channel combo of the 16-channel type.
struct ChannelChoice {
    int kanaele = 0;    // ticked boxes, bit 0 = channel 1
    int kanalIndex = 0; // combo index on the 16-channel type, 0 = channel 1

    static bool usesCombo(const DeviceSettings& device) { return device.Kanalzahl >= 16; }

    // Ticks or unticks box `channel` (0-based). A bus-format entry addresses
    // one channel, so there a ticked box unticks the others.
    void setChannel(int channel, bool on, const DeviceSettings& device);

    // Whether a channel is chosen (the combo always names one).
    bool chosen(const DeviceSettings& device) const;

    // The channel field of a conventional entry: the mask, or the channel
    // index on the 16-channel type.
    int conventionalValue(const DeviceSettings& device) const;

    // The channel number (from 1) of a bus-format entry: the combo's, or the
    // lowest ticked box.
    int number(const DeviceSettings& device) const;

    static ChannelChoice of(const Entry& e, const DeviceSettings& device);
};

} // namespace zendrik
