#include "ui/paint/GuiApplication.h"

#include <QGuiApplication>

namespace zendrik {

std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv, bool paints)
{
    if (!paints)
        return std::make_unique<QCoreApplication>(argc, argv);
    const bool haveDisplay = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
                             || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!haveDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace zendrik
