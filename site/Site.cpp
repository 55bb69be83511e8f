#include "site/Site.h"

#include <QDir>
#include <QFileInfo>

namespace zendrik {

QString Site::programPath(const SiteDevice& device) const
{
    const QDir folder = path.isEmpty() ? QDir::current() : QFileInfo(path).absoluteDir();
    return QDir::cleanPath(folder.absoluteFilePath(device.program));
}

int Site::indexOf(const QString& deviceName) const
{
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].name == deviceName)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace zendrik
