#include "ui/transfer/BusCommands.h"

#include "app/FileCommands.h"
#include "model/ProgramModel.h"
#include "ui/frame/DesktopContext.h"
#include "ui/frame/FrameServices.h"
#include "ui/frame/MainMenu.h"
#include "ui/frame/UndoHistory.h"
#include "ui/transfer/FrmBusaccess.h"

#include <QAction>
#include <QMenu>

namespace zendrik {

BusCommands::BusCommands(DesktopContext& context, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(context), frame_(frame)
{
}

void BusCommands::addCommand(MainMenu& menu)
{
    QAction* a = menu.addCommand(MainMenu::File, QStringLiteral("mnuBusaccess"), TextId::BusAccess,
                                 QStringLiteral("sepDatBend"));
    connect(a, &QAction::triggered, this, &BusCommands::openWindow);
    // Only the bus device types are programmed over the bus.
    const auto update = [this, a] { a->setVisible(ctx_.model.device.Busprog != 0); };
    connect(menu.menu(MainMenu::File), &QMenu::aboutToShow, this, update);
    update();
}

void BusCommands::openWindow()
{
    frame_.commitHeader();
    FrmBusaccess window(ctx_.model, ctx_.ui, ctx_.texts, ctx_.workDir, &frame_.frameWindow());
    window.saveBeforeTransfer = [this] { return ctx_.commands.SaveBeforeTransfer() ? 1 : 0; };
    bool read = false;
    connect(&window, &FrmBusaccess::programRead, this, [this, &read] {
        read = true;
        // The program read starts a fresh history.
        frame_.history().reset();
        frame_.ShowList();
    });
    window.exec();
    // Closing the window shows the list again; what was read may be
    // compared with a program file.
    frame_.ShowList();
    if (read)
        frame_.offerComparisonAfterRead();
}

} // namespace zendrik
