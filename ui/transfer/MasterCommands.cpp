#include "ui/transfer/MasterCommands.h"

#include "ui/frame/FrameServices.h"
#include "ui/frame/UndoHistory.h"
#include "ui/transfer/FrmMaster.h"

namespace zendrik {

MasterCommands::MasterCommands(DesktopContext& context, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(context), frame_(frame)
{
}

void MasterCommands::openWindow()
{
    frame_.commitHeader();
    auto* dialog = new FrmMaster(ctx_.model, ctx_.texts, ctx_.ui, &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Every click is shown at once and becomes its own undo step; an undo
    // while the window is open puts its controls back.
    connect(dialog, &FrmMaster::programChanged, this, [this] { frame_.ShowList(); });
    connect(&frame_.history(), &UndoHistory::restored, dialog, &FrmMaster::load);
    connect(dialog, &QDialog::finished, this, [this] { frame_.ShowList(); });
    dialog->open();
}

} // namespace zendrik
