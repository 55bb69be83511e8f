#include "calendar/BetriebsstundenText.h"

#include "language/TextTable.h"

namespace zendrik {

QString BetriebsdauerText(int minutes, const TextTable& texts)
{
    const int hours = minutes / 60;
    const int rest = minutes % 60;
    return QStringLiteral(" %1 h %2 ").arg(hours).arg(rest, 2, 10, QLatin1Char('0')) + texts(TextId::Min);
}

QString BetriebsstundenText(int minutes, const TextTable& texts)
{
    return texts(TextId::OperatingHours) + BetriebsdauerText(minutes, texts);
}

QString JahresbetriebsstundenText(int channel, int minutes, const TextTable& texts)
{
    return QStringLiteral("C%1, ").arg(channel) + texts(TextId::YearOperatingHours) + BetriebsdauerText(minutes, texts);
}

} // namespace zendrik
