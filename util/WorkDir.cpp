#include "util/WorkDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zendrik {

namespace {

// The brand file marks a complete data folder.
constexpr const char* kMarkerFile = "zendrik.sys";

} // namespace

QString ShippedDataDir(const QString& applicationDir)
{
    const QDir bin(applicationDir);
    if (bin.dirName() != QLatin1String("bin"))
        return QString();
    const QString data = QDir::cleanPath(bin.filePath(QStringLiteral("../share/zendrik")));
    return QFileInfo(QDir(data).filePath(QString::fromLatin1(kMarkerFile))).isFile() ? data : QString();
}

QString UserWorkDir(const QString& xdgDataHome, const QString& home)
{
    // A relative XDG_DATA_HOME does not count: the desktop's base-directory rules allow absolute paths only.
    const QString base = !xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome)
        ? xdgDataHome
        : QDir(home).filePath(QStringLiteral(".local/share"));
    return QDir::cleanPath(QDir(base).filePath(QStringLiteral("zendrik")));
}

QString ChooseWorkDir(const QString& given, const QString& shippedDir, const QString& userDir,
                      const QString& currentDir)
{
    if (!given.isEmpty())
        return given;
    return shippedDir.isEmpty() ? currentDir : userDir;
}

PrepareResult PrepareWorkDir(const QString& workDir, const QString& shippedDir, QStringList* copied)
{
    const QFileInfo info(workDir);
    if (info.exists() && !info.isDir())
        return PrepareResult::NotAFolder;
    if (!info.exists() && !QDir().mkpath(workDir))
        return PrepareResult::CannotCreate;

    const QDir target(workDir);
    const auto copyMissing = [&](const QDir& from) {
        for (const QFileInfo& f : from.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
            const QString to = target.filePath(f.fileName());
            // Whatever stands there is the user's: a file, a link, a folder.
            if (QFileInfo(to).exists() || QFileInfo(to).isSymLink())
                continue;
            if (QFile::copy(f.filePath(), to)) {
                QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
                if (copied)
                    copied->append(f.fileName());
            }
        }
    };
    if (!shippedDir.isEmpty()) {
        const QDir shipped(shippedDir);
        copyMissing(shipped);
        copyMissing(QDir(shipped.filePath(QStringLiteral("samples"))));
    }
    return PrepareResult::Ok;
}

} // namespace zendrik
