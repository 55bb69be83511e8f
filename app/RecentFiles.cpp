#include "app/RecentFiles.h"

#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zendrik {

namespace {

// Far more than eight lines of paths: anything bigger is not our list.
constexpr qint64 kMaxListBytes = 64 * 1024;

QString canonical(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QString workDir) : path_(QDir(workDir).filePath(QString::fromLatin1(kFileName))) { }

void RecentFiles::load()
{
    files_.clear();
    // The beginning of a list that grew too large still counts.
    const LimitedRead read = ReadRegularFile(path_, kMaxListBytes);
    QByteArray data = read.data;
    if (read.state == FileState::Regular && read.tooLarge) {
        QFile f(path_);
        if (f.open(QIODevice::ReadOnly))
            data = f.read(kMaxListBytes);
    }
    for (const QByteArray& line : SplitLines(data)) {
        const QString path = QString::fromUtf8(line.trimmed());
        if (!path.isEmpty() && !files_.contains(path) && files_.size() < kMaxFiles)
            files_.append(path);
    }
}

bool RecentFiles::save() const
{
    QByteArray data;
    for (const QString& file : files_)
        data += file.toUtf8() + '\n';
    return WriteFileAtomically(path_, data);
}

void RecentFiles::add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString file = canonical(path);
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > kMaxFiles)
        files_.removeLast();
}

void RecentFiles::remove(const QString& path)
{
    files_.removeAll(path);
    files_.removeAll(canonical(path));
}

bool RecentFiles::exists(const QString& path)
{
    return QFileInfo(path).isFile();
}

} // namespace zendrik
