#include "transfer/AdapterToolStarter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace zendrik {

bool StartAdapterTool(const QString& commandLine, const QString& workDir, QString* error)
{
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty()) {
        if (error)
            *error = QStringLiteral("no tool configured");
        return false;
    }
    QString program = args.takeFirst();
    const QFileInfo local(QDir(workDir).filePath(program));
    if (!program.contains(QLatin1Char('/')) && local.isFile() && local.isExecutable())
        program = local.absoluteFilePath();
    if (!QProcess::startDetached(program, args, workDir)) {
        if (error)
            *error = QStringLiteral("cannot start %1").arg(program);
        return false;
    }
    return true;
}

} // namespace zendrik
