#pragma once

#include "ui/frame/DesktopContext.h"

#include <QObject>

namespace zendrik {

class FrameServices;

// The infrared command of the file menu: the window that sends the program
// to the device or reads it from there through the infrared adapter.
class IrCommands : public QObject {
    Q_OBJECT
public:
    IrCommands(DesktopContext& context, FrameServices& frame);

    // mnuIRAccess: opens the window; the frame stays usable behind it.
    void openWindow();

private:
    DesktopContext& ctx_;
    FrameServices& frame_;
};

} // namespace zendrik
