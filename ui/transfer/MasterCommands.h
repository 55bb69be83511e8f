#pragma once

#include "ui/frame/DesktopContext.h"

#include <QObject>

namespace zendrik {

class FrameServices;

// The card coding command of the settings menu ("Codierung"): the window
// that codes the program as a master card, click by click.
class MasterCommands : public QObject {
    Q_OBJECT
public:
    MasterCommands(DesktopContext& context, FrameServices& frame);

    // mnuMaster: opens the window; the frame stays usable behind it.
    void openWindow();

private:
    DesktopContext& ctx_;
    FrameServices& frame_;
};

} // namespace zendrik
