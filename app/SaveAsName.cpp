#include "app/SaveAsName.h"

#include "model/FileNames.h"
#include "model/ProgramFile.h"

#include <QDir>
#include <QFileInfo>

namespace zendrik {

namespace {

// Longest file name (one path part) the usual file systems take, in bytes.
constexpr int kMaxNameBytes = 255;

bool acceptableTitle(const QString& title)
{
    if (title.isEmpty() || title == QStringLiteral(".") || title == QStringLiteral(".."))
        return false;
    for (const QChar c : title) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return title.toUtf8().size() <= kMaxNameBytes;
}

} // namespace

SaveAsName CheckSaveAsName(const QString& chosen)
{
    SaveAsName result;
    if (chosen.trimmed().isEmpty())
        return result;

    result.check = SaveAsCheck::InvalidName;
    if (!acceptableTitle(FileTitle(chosen)) || QFileInfo(chosen).isDir())
        return result;
    QString path = chosen;
    if (QFileInfo(FileTitle(path)).suffix().isEmpty()) {
        if (path.endsWith(QLatin1Char('.')))
            path.chop(1);
        path += kProgramFileExtension;
    }
    const QFileInfo info(path);
    if (!acceptableTitle(FileTitle(path)) || info.isDir() || !info.absoluteDir().exists())
        return result;

    result.check = SaveAsCheck::Ok;
    result.path = path;
    return result;
}

} // namespace zendrik
