#include "util/FileCheck.h"

#include <QFile>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zendrik {

namespace {

FileState fromErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileState::Missing;
    case EACCES:
    case EPERM:
        return FileState::NoPermission;
    case ELOOP:
        return FileState::LinkLoop;
    default:
        return FileState::Unreadable;
    }
}

} // namespace

FileState CheckInputFile(const QString& path)
{
    if (path.isEmpty())
        return FileState::Missing;
    const QByteArray native = QFile::encodeName(path);
    struct stat st { };
    if (::stat(native.constData(), &st) != 0)
        return fromErrno(errno);
    if (!S_ISREG(st.st_mode))
        return FileState::NotRegular;
    if (::access(native.constData(), R_OK) != 0)
        return fromErrno(errno);
    return FileState::Regular;
}

QString OutputTargetProblem(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("The file cannot be written: no file name");
    const QByteArray native = QFile::encodeName(path);
    struct stat st { };
    if (::stat(native.constData(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT)
            return QString();
        const FileState state = fromErrno(error);
        const QString reason = state == FileState::Unreadable ? QString::fromLocal8Bit(std::strerror(error))
                                                              : FileStateReason(state);
        return QStringLiteral("The file cannot be written: ") + reason;
    }
    if (S_ISREG(st.st_mode))
        return QString();
    return QStringLiteral("The file cannot be written: ") + FileStateReason(FileState::NotRegular);
}

QString FileStateReason(FileState state)
{
    switch (state) {
    case FileState::Regular:
        return QString();
    case FileState::Missing:
        return QStringLiteral("No such file or directory");
    case FileState::NotRegular:
        return QStringLiteral("Not a regular file (a folder, device, pipe or socket)");
    case FileState::NoPermission:
        return QStringLiteral("Permission denied");
    case FileState::LinkLoop:
        return QStringLiteral("Too many levels of symbolic links");
    case FileState::Unreadable:
        break;
    }
    return QStringLiteral("The file cannot be read");
}

QList<QByteArray> SplitLines(const QByteArray& text)
{
    QByteArray unified = text;
    unified.replace("\r\n", "\n");
    unified.replace('\r', '\n');
    return unified.split('\n');
}

LimitedRead ReadRegularFile(const QString& path, qint64 limit)
{
    LimitedRead read;
    read.state = CheckInputFile(path);
    if (read.state != FileState::Regular)
        return read;
    // Opened without waiting and checked again on the open file: what was a
    // file a moment ago may have been replaced by a pipe meanwhile.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        read.state = fromErrno(errno);
        return read;
    }
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        read.state = FileState::NotRegular;
        return read;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        read.state = FileState::Unreadable;
        return read;
    }
    // One byte more than allowed shows a file that is (or grew) too large,
    // whatever size it claims. The buffer is sized by what the file claims
    // (a buffer of the whole limit costs more than reading a program), and
    // only a file that gives more than that is read on up to the limit.
    const qint64 claimed = std::min<qint64>(std::max<qint64>(st.st_size, 0), limit) + 1;
    read.data = file.read(claimed);
    if (read.data.size() == claimed && claimed <= limit && file.error() == QFileDevice::NoError)
        read.data += file.read(limit + 1 - claimed);
    if (file.error() != QFileDevice::NoError) {
        read.data.clear();
        read.state = FileState::Unreadable;
    } else if (read.data.size() > limit) {
        read.data.clear();
        read.tooLarge = true;
    }
    return read;
}

} // namespace zendrik
