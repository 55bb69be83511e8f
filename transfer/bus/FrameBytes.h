#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace zendrik {

// The byte at position i of a frame, telegram or datagram, as the unsigned
// value the bus protocols define (QByteArray hands out signed chars).
inline quint8 at(const QByteArray& frame, qsizetype i)
{
    return static_cast<quint8>(frame.at(i));
}

} // namespace zendrik
