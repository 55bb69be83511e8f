#include "util/AtomicFile.h"

#include "util/FileCheck.h"

#include <QSaveFile>

#include <unistd.h>

namespace zendrik {

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    // Written through a symbolic link to its target; a folder, a device or a
    // pipe under the name is left alone rather than replaced by a file.
    if (const QString problem = OutputTargetProblem(path); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a size limit) shows up
    // in write()'s count: a buffered QSaveFile may commit a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done != data.size()) {
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString()
                                                          : QStringLiteral("the file could not be written completely");
        file.cancelWriting();
        return false;
    }
    // On the disk before the rename, so that a power cut leaves the old file
    // or the new one, never an empty one.
    if (file.handle() >= 0)
        ::fsync(file.handle());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace zendrik
