#include "util/HexLine.h"

#include <algorithm>

namespace zendrik {

QString HexLine(const QByteArray& bytes, int first, int count)
{
    const int end = count == 0 ? static_cast<int>(bytes.size()) : std::min<int>(first + count, bytes.size());
    QString line;
    for (int i = std::max(first, 0); i < end; ++i)
        line += QLatin1Char(' ') + QString::number(static_cast<quint8>(bytes.at(i)), 16).toUpper();
    return line;
}

} // namespace zendrik
