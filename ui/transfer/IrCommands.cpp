#include "ui/transfer/IrCommands.h"

#include "app/FileCommands.h"
#include "ui/frame/FrameServices.h"
#include "ui/frame/UndoHistory.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/transfer/FrmIRAccess.h"

#include <memory>

namespace zendrik {

IrCommands::IrCommands(DesktopContext& context, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(context), frame_(frame)
{
}

void IrCommands::openWindow()
{
    frame_.commitHeader();
    auto* dialog = new FrmIRAccess(
        ctx_.model, ctx_.texts, ctx_.ui, ctx_.workDir,
        [this] { return ctx_.commands.SaveBeforeTransfer() ? 1 : 0; },
        &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // A program read from the device starts a fresh history.
    auto read = std::make_shared<bool>(false);
    connect(dialog, &FrmIRAccess::programRead, this, [this, read] {
        *read = true;
        frame_.listWindow().setAnsicht(0);
        frame_.history().reset();
        frame_.ShowList();
    });
    // Once the window is closed, what was read may be compared with a file.
    connect(dialog, &QDialog::finished, this, [this, read] {
        frame_.ShowList();
        if (*read)
            frame_.offerComparisonAfterRead();
    });
    dialog->open();
}

} // namespace zendrik
