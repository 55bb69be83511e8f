#pragma once

#include "transfer/BytePort.h"

#include <functional>

namespace zendrik {

// How long the adapter may take: its first byte must come within
// `firstByteMs`; a reply whose first byte does not tell its length ends
// after `silenceMs` without a new byte.
struct ReplyTiming {
    int firstByteMs = 500;
    int silenceMs = 100;
};

// Takes one reply of the adapter into `buffer`. Returns 0 when a reply was
// taken, 1 when no byte came in time. A status or data reply is complete
// as soon as its length byte says so, which saves the silence after every
// block; any other reply (an old adapter's 0x02 0xA1, noise) ends with the
// silence. `idle` runs while waiting, so a window can stay responsive.
int ReceiveReply(BytePort& port, QByteArray& buffer, const ReplyTiming& timing = {},
                 const std::function<void()>& idle = {});

// Waits for `count` bytes like BytePort::waitForBytes, running `idle`
// at least every few milliseconds.
bool WaitForBytes(BytePort& port, qint64 count, int timeoutMs, const std::function<void()>& idle);

} // namespace zendrik
