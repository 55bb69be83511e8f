#pragma once

#include "ui/frame/DesktopContext.h"

#include <QObject>

namespace zendrik {

class FrameServices;
enum class ChipDirection;

// The memory chip commands of the file menu: write the program into the
// chip and read the chip into the program, over the parallel adapter tool
// or the serial adapter (whose progress window shows only then).
class ChipCommands : public QObject {
    Q_OBJECT
public:
    ChipCommands(DesktopContext& context, FrameServices& frame);

    // mnuDatExp
    void writeChip();
    // mnuDatImp
    void readChip();

private:
    void run(ChipDirection direction);

    DesktopContext& ctx_;
    FrameServices& frame_;
};

} // namespace zendrik
