#include "transfer/links/OpenEibLink.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/KnxNetIpLink.h"
#include "transfer/bus/KnxNetIpRouter.h"
#include "transfer/sim/SimulatedBus.h"

#include <QDir>

namespace zendrik {

namespace {

// ",unpaced" for emulated devices (tests, demonstrations): taken off the
// text, false when it was there.
bool TakePaced(QString& target)
{
    const QString unpaced = QStringLiteral(",unpaced");
    if (!target.endsWith(unpaced))
        return true;
    target.chop(unpaced.size());
    return false;
}

} // namespace

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
        const bool paced = TakePaced(target);
        if (!ParseKnxNetIpTarget(target, &host, &port)) {
            if (error)
                *error = connection + QStringLiteral(": ") + QString::fromUtf8(kBusBadKnxNetIpTarget.en);
            return nullptr;
        }
        auto link = std::make_unique<KnxNetIpLink>(host, port, connection);
        link->setPaced(paced);
        return link;
    }
    const QString routing = QStringLiteral("routing:");
    if (connection.startsWith(routing)) {
        QHostAddress group;
        quint16 port = 0;
        quint16 own = 0;
        QString target = connection.mid(routing.size());
        const bool paced = TakePaced(target);
        if (!ParseRoutingTarget(target, &group, &port, &own)) {
            if (error)
                *error = connection + QStringLiteral(": ") + QString::fromUtf8(kBusBadRoutingTarget.en);
            return nullptr;
        }
        auto link = std::make_unique<KnxNetIpLink>(std::make_unique<KnxNetIpRouter>(group, port, own), connection);
        link->setPaced(paced);
        return link;
    }
    if (error)
        *error = connection.isEmpty() ? QStringLiteral("no bus connection chosen")
                                      : QStringLiteral("%1: unknown kind of bus connection").arg(connection);
    return nullptr;
}

} // namespace zendrik
