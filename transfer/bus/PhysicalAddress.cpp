#include "transfer/bus/PhysicalAddress.h"

#include <QStringList>

namespace zendrik {

std::optional<quint16> ParsePhysAddress(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 3)
        return std::nullopt;
    int value[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QString p = parts[i].trimmed();
        // Digits only: no sign, no blanks inside, at most three of them.
        if (p.isEmpty() || p.size() > 3)
            return std::nullopt;
        for (const QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        value[i] = p.toInt();
    }
    if (value[0] > kHighestArea || value[1] > kHighestLine || value[2] < kFirstDevice || value[2] > kHighestDevice)
        return std::nullopt;
    return PhysicalAddress(static_cast<unsigned>(value[0]), static_cast<unsigned>(value[1]),
                           static_cast<unsigned>(value[2]));
}

QString FormatPhysicalAddress(quint16 address)
{
    return QStringLiteral("%1.%2.%3").arg(address >> 12).arg((address >> 8) & 0x0F).arg(address & 0xFF);
}

} // namespace zendrik
