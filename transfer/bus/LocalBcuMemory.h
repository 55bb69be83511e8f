#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>

namespace zendrik {

// The memory of the local BCU (0x0000..0x01FF) as a link that answers the
// BCU's memory frames itself keeps it: the local read (0x4C count, address)
// answered by 0x4B with the bytes found, and the local write (0x46 count,
// address, data). Bytes beyond the memory read as 0xFF and take no writes.
class LocalBcuMemory {
public:
    static constexpr int kSize = 0x0200;

    // The byte at `address`, -1 beyond the memory.
    int byte(int address) const;
    void setByte(int address, int value);

    // Carries out a local read or write frame (with its length byte). For
    // a read, `answer` is the BCU's answer frame. Returns 0, or LinkBadFrame
    // for a frame of another kind or of the wrong length.
    int take(const QByteArray& frame, QByteArray* answer);

    // All of it, for keeping it between runs.
    QByteArray bytes() const;
    // Takes back what `bytes` gave; false (nothing changed) for another size.
    bool restore(const QByteArray& bytes);

private:
    std::array<quint8, kSize> memory_{};
};

} // namespace zendrik
