#include "app/WindowPlacement.h"

#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QList>

#include <algorithm>
#include <cstdlib>

namespace zendrik {

namespace {

// One short line; a bigger file is not ours.
constexpr qint64 kMaxFileBytes = 256;
// Sizes a main window can sensibly have.
constexpr int kMinSide = 200;
constexpr int kMaxSide = 32767;
constexpr int kMaxOffset = 100000;

QString filePath(const QString& workDir)
{
    return QDir(workDir).filePath(QString::fromLatin1(kWindowPlacementFileName));
}

} // namespace

std::optional<WindowPlacement> ReadWindowPlacement(const QString& workDir)
{
    const LimitedRead read = ReadRegularFile(filePath(workDir), kMaxFileBytes);
    if (read.state != FileState::Regular || read.tooLarge)
        return std::nullopt;
    const QList<QByteArray> lines = SplitLines(read.data);
    if (lines.isEmpty())
        return std::nullopt;
    const QList<QByteArray> fields = lines.first().simplified().split(' ');
    if (fields.size() != 5)
        return std::nullopt;
    int v[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = fields[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (std::abs(v[0]) > kMaxOffset || std::abs(v[1]) > kMaxOffset || v[2] < kMinSide || v[3] < kMinSide
        || v[2] > kMaxSide || v[3] > kMaxSide || (v[4] != 0 && v[4] != 1))
        return std::nullopt;
    return WindowPlacement{QRect(v[0], v[1], v[2], v[3]), v[4] == 1};
}

bool WriteWindowPlacement(const QString& workDir, const WindowPlacement& p)
{
    const QRect& g = p.geometry;
    const QByteArray line = QStringLiteral("%1 %2 %3 %4 %5\n")
                                .arg(g.x())
                                .arg(g.y())
                                .arg(g.width())
                                .arg(g.height())
                                .arg(p.maximized ? 1 : 0)
                                .toLatin1();
    return WriteFileAtomically(filePath(workDir), line);
}

QRect FitIntoArea(const QRect& wanted, const QSize& fallback, const QRect& area, const QMargins& frame)
{
    // The room for the rectangle itself, inside the frame.
    const QRect room = area.marginsRemoved(frame);
    if (room.width() <= 0 || room.height() <= 0)
        return QRect(area.topLeft(), fallback);
    QRect r = wanted.isEmpty() ? QRect(QPoint(), fallback) : wanted;
    r.setSize(r.size().boundedTo(room.size()));
    if (wanted.isEmpty())
        r.moveCenter(room.center());
    r.moveLeft(std::clamp(r.left(), room.left(), room.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), room.top(), room.bottom() - r.height() + 1));
    return r;
}

} // namespace zendrik
