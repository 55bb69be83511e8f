#pragma once

#include <QByteArray>
#include <QString>

namespace zendrik {

// The bytes from position `first` (0-based) on, each as a blank and its
// upper-case hexadecimal value without leading zeros; `count` 0 = to the end.
// The protocol logs of the chip adapter and the bus show frames this way.
QString HexLine(const QByteArray& bytes, int first = 0, int count = 0);

} // namespace zendrik
