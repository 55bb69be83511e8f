#include "model/ExportTarget.h"

#include "model/DeviceImage.h"
#include "model/ProgramFile.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QFileInfo>

namespace zendrik {

namespace {

// A program file of the largest family, with its texts, stays well below this.
constexpr qint64 kProgramFileLimit = 1024 * 1024;

constexpr ExtraText kRefusedBefore{"Die Datei ", "The file ", "Le fichier "};
constexpr ExtraText kRefusedAfter{
    " ist eine Programmdatei und wird nicht überschrieben. Bitte einen anderen Namen wählen.",
    " is a program file and is not overwritten. Please choose another name.",
    " est un fichier programme et n'est pas écrasé. Choisissez un autre nom."};

QString resolved(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace

bool IsProgramFile(const QString& path)
{
    const LimitedRead read = ReadRegularFile(path, kProgramFileLimit);
    if (!read.ok())
        return false;
    const Image first = ReadImageNumbers(read.data, 2);
    if (first.size() != 2)
        return false;
    const int family = first[1] & 0x7F;
    if (family != 72 && family != 73 && family != 74 && family != 80)
        return false;
    const Image image = ReadImageNumbers(read.data, family == 74 ? 8192 : 2048);
    return !image.empty() && ChecksumValid(image);
}

ExportTargetCheck CheckExportTarget(const QString& target, const QString& programFile)
{
    if (target.trimmed().isEmpty())
        return ExportTargetCheck::NoName;
    if (!programFile.trimmed().isEmpty() && resolved(programFile) == resolved(target))
        return ExportTargetCheck::ProgramFile;
    return IsProgramFile(target) ? ExportTargetCheck::ProgramFile : ExportTargetCheck::Ok;
}

Prompt ExportTargetRefusal(const QString& target)
{
    return Prompt::message(Icon::Critical, {kRefusedBefore, target, kRefusedAfter});
}

bool WriteExportFile(const QString& path, const QByteArray& data, QString* error)
{
    if (IsProgramFile(path)) {
        if (error)
            *error = QStringLiteral("a program file is never overwritten by an export");
        return false;
    }
    return WriteFileAtomically(path, data, error);
}

} // namespace zendrik
