#pragma once

#include <QByteArray>
#include <QString>

namespace zendrik {

// Writes the whole file through a temporary file beside it that is renamed
// over the target at the end, so a crash or a full disk never leaves a
// half-written file: the old file stays until the new one is complete.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

} // namespace zendrik
