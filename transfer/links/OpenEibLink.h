#pragma once

#include "transfer/bus/EibLink.h"

#include <QString>

#include <memory>

namespace zendrik {

// The link a connection text names: "sim:FILE" is the simulated bus
// described by FILE (relative to `workDir`), "knxnetip:HOST[:PORT]" a
// tunnel to a KNX IP interface or knxd (port 3671 unless given),
// "routing:GROUP[:PORT][#A.L.D]" the KNXnet/IP routing group (224.0.23.12,
// port 3671, our address 15.15.250 unless given). Returns nothing, with the
// reason in `error`, for an unknown kind of link or an unreadable description.
std::unique_ptr<EibLink> OpenEibLink(const QString& connection, const QString& workDir, QString* error);

} // namespace zendrik
