#include "transfer/links/OpenEibLink.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/KnxNetIpLink.h"
#include "transfer/sim/SimulatedBus.h"

#include <QDir>

namespace zendrik {

std::unique_ptr<EibLink> OpenEibLink(const QString& connection, const QString& workDir, QString* error)
{
    const QString sim = QStringLiteral("sim:");
    if (connection.startsWith(sim) && connection.size() > sim.size()) {
        const QString file = QDir(workDir.isEmpty() ? QStringLiteral(".") : workDir).filePath(connection.mid(sim.size()));
        std::unique_ptr<SimulatedBus> bus = SimulatedBus::fromFile(file, error);
        if (bus)
            bus->setName(connection);
        return bus;
    }
    const QString knx = QStringLiteral("knxnetip:");
    if (connection.startsWith(knx)) {
        QHostAddress host;
        quint16 port = 0;
        QString target = connection.mid(knx.size());
        // ",unpaced" for emulated devices (tests, demonstrations).
        const QString unpaced = QStringLiteral(",unpaced");
        const bool paced = !target.endsWith(unpaced);
        if (!paced)
            target.chop(unpaced.size());
        if (!ParseKnxNetIpTarget(target, &host, &port)) {
            if (error)
                *error = connection + QStringLiteral(": ") + QString::fromUtf8(kBusBadKnxNetIpTarget.en);
            return nullptr;
        }
        auto link = std::make_unique<KnxNetIpLink>(host, port, connection);
        link->setPaced(paced);
        return link;
    }
    if (error)
        *error = connection.isEmpty() ? QStringLiteral("no bus connection chosen")
                                      : QStringLiteral("%1: unknown kind of bus connection").arg(connection);
    return nullptr;
}

} // namespace zendrik
