#include "calendar/YearPictureTitle.h"

#include "calendar/BetriebsstundenText.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "model/FileNames.h"
#include "model/ProgramModel.h"

namespace zendrik {

QStringList YearPictureTitle(const ProgramModel& model, const YearSimulation& sim, int channel,
                             const TextTable& texts)
{
    const ProgramSlot& slot = model.slot(sim.Slot());
    const QString dash = QStringLiteral(" \u2013 ");
    const QString file = slot.Dateiname.isEmpty() ? texts(TextId::Unknown) : FileTitle(slot.Dateiname);
    QString channelText = QStringLiteral("C%1").arg(channel + 1);
    if (channel >= 0 && static_cast<std::size_t>(channel) < slot.Kanalname.size()) {
        if (const QString name = slot.Kanalname[static_cast<std::size_t>(channel)].trimmed(); !name.isEmpty())
            channelText += QLatin1Char(' ') + name;
    }
    return {file + dash + texts(TextId::ProgramSimulation).trimmed() + QLatin1Char(' ') + QString::number(sim.SimJahr()),
            channelText + dash + texts(TextId::YearOperatingHours).trimmed()
                + BetriebsdauerText(sim.Jahresbetriebsminuten(channel), texts)};
}

} // namespace zendrik
