#pragma once

#include "ui/common/ScreenFit.h"

#include <QObject>

namespace zendrik {

// Keeps every window of the program inside the screen's free area: each
// window or dialog that opens (the start screen, the main frame, every
// dialog, message box, the simulation, comparison and help windows) is made
// no larger than the area and moved into it, window frame included, so that
// its buttons stay in reach. Watches the whole application once installed.
class WindowFitter : public QObject {
    Q_OBJECT
public:
    explicit WindowFitter(ScreenArea area, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ScreenArea area_;
};

} // namespace zendrik
