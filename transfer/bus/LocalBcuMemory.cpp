#include "transfer/bus/LocalBcuMemory.h"

#include "transfer/bus/EibFrames.h"
#include "transfer/bus/EibLink.h"

#include <algorithm>

namespace zendrik {

namespace {

quint8 at(const QByteArray& b, qsizetype i)
{
    return static_cast<quint8>(b.at(i));
}

} // namespace

int LocalBcuMemory::byte(int address) const
{
    return address >= 0 && address < kSize ? memory_[static_cast<std::size_t>(address)] : -1;
}

void LocalBcuMemory::setByte(int address, int value)
{
    if (address >= 0 && address < kSize)
        memory_[static_cast<std::size_t>(address)] = static_cast<quint8>(value);
}

int LocalBcuMemory::take(const QByteArray& frame, QByteArray* answer)
{
    if (frame.size() < 5)
        return LinkBadFrame;
    const int count = at(frame, 2);
    const int address = at(frame, 3) << 8 | at(frame, 4);
    switch (at(frame, 1)) {
    case EibFrame::kLocalRead: {
        if (frame.size() != 5)
            return LinkBadFrame;
        // The count sits in the low four bits.
        QByteArray data;
        for (int i = 0; i < (count & 0x0F); ++i)
            data += static_cast<char>(byte(address + i) & 0xFF);
        if (answer)
            *answer = EibFrame::localReadAnswer(static_cast<quint16>(address), data);
        return 0;
    }
    case EibFrame::kLocalWrite:
        if (frame.size() != 5 + count)
            return LinkBadFrame;
        for (int i = 0; i < count; ++i)
            setByte(address + i, at(frame, 5 + i));
        return 0;
    default:
        return LinkBadFrame;
    }
}

QByteArray LocalBcuMemory::bytes() const
{
    return QByteArray(reinterpret_cast<const char*>(memory_.data()), kSize);
}

bool LocalBcuMemory::restore(const QByteArray& bytes)
{
    if (bytes.size() != kSize)
        return false;
    std::copy(bytes.begin(), bytes.end(), memory_.begin());
    return true;
}

} // namespace zendrik
