#include "transfer/EibLink.h"

#include "transfer/BusTexts.h"
#include "transfer/KnxNetIpLink.h"
#include "transfer/SimulatedBus.h"

#include <QDir>

namespace zendrik {

std::unique_ptr<EibLink> OpenEibLink(const QString& spec, const QString& workDir, QString* error)
{
    const QString sim = QStringLiteral("sim:");
    if (spec.startsWith(sim) && spec.size() > sim.size()) {
        const QString file = QDir(workDir.isEmpty() ? QStringLiteral(".") : workDir).filePath(spec.mid(sim.size()));
        std::unique_ptr<SimulatedBus> bus = SimulatedBus::fromFile(file, error);
        if (bus)
            bus->setName(spec);
        return bus;
    }
    const QString knx = QStringLiteral("knxnetip:");
    if (spec.startsWith(knx)) {
        QHostAddress host;
        quint16 port = 0;
        if (!ParseKnxNetIpTarget(spec.mid(knx.size()), &host, &port)) {
            if (error)
                *error = spec + QStringLiteral(": ") + QString::fromUtf8(kBusBadKnxNetIpTarget.en);
            return nullptr;
        }
        return std::make_unique<KnxNetIpLink>(host, port, spec);
    }
    if (error)
        *error = spec.isEmpty() ? QStringLiteral("no bus connection chosen")
                                : QStringLiteral("%1: unknown kind of bus connection").arg(spec);
    return nullptr;
}

} // namespace zendrik
