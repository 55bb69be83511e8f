#include "transfer/chip/ReceiveReply.h"

#include "transfer/chip/AdapterFrames.h"

#include <QDeadlineTimer>

namespace zendrik {

namespace {

constexpr int kIdleSliceMs = 20;

} // namespace

bool WaitForBytes(BytePort& port, qint64 count, int timeoutMs, const std::function<void()>& idle)
{
    if (!idle)
        return port.waitForBytes(count, timeoutMs);
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    for (;;) {
        const int slice = static_cast<int>(std::min<qint64>(deadline.remainingTime(), kIdleSliceMs));
        const bool arrived = port.waitForBytes(count, std::max(slice, 0));
        // The window gets its turn on every step, also while the adapter keeps
        // answering, so that it repaints during a long transfer.
        idle();
        if (arrived)
            return true;
        if (deadline.hasExpired())
            return port.bytesAvailable() >= count;
    }
}

int ReceiveReply(BytePort& port, QByteArray& buffer, const ReplyTiming& timing, const std::function<void()>& idle)
{
    buffer.clear();
    if (!WaitForBytes(port, 1, timing.firstByteMs, idle))
        return 1;
    buffer = port.readAll();
    if (buffer.isEmpty())
        return 1;
    const int expected = AdapterReplyLength(static_cast<quint8>(buffer.at(0)));
    while (expected == 0 || buffer.size() < expected) {
        // A length-prefixed reply that stalls before its end is cut by the
        // same silence that ends any other reply.
        if (!WaitForBytes(port, 1, timing.silenceMs, idle))
            break;
        buffer += port.readAll();
    }
    return 0;
}

} // namespace zendrik
