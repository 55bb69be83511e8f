#include "transfer/EibLink.h"

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
    if (error)
        *error = spec.isEmpty() ? QStringLiteral("no bus connection chosen")
                                : QStringLiteral("%1: unknown kind of bus connection").arg(spec);
    return nullptr;
}

} // namespace zendrik
