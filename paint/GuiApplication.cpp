#include "paint/GuiApplication.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <unistd.h>

namespace zendrik {

std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv, bool paints)
{
    if (!paints)
        return std::make_unique<QCoreApplication>(argc, argv);
    const bool haveDisplay = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!haveDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform wants a private runtime folder; without a session there
    // is none, and it would say so on every run.
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::temp().filePath(QStringLiteral("runtime-%1").arg(getuid()));
        if (QDir().mkpath(dir) && QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace zendrik
