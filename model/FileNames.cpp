#include "model/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace zendrik {

bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile() && info.isReadable();
}

QString FileTitle(const QString& path)
{
    const int slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

QString NextFreeFileName(const QString& directory, const QString& prefix)
{
    const QDir dir(directory.isEmpty() ? QStringLiteral(".") : directory);
    for (int n = 1; n <= 999; ++n) {
        const QString name = prefix + QString::number(n) + QStringLiteral(".zpg");
        if (!QFileInfo::exists(dir.filePath(name)))
            return name;
    }
    return QString();
}

} // namespace zendrik
