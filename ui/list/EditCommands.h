#pragma once

#include "editing/PrioPeek.h"
#include "ui/frame/DesktopContext.h"
#include "ui/frame/FrameServices.h"

#include <QObject>

class QModelIndex;

namespace zendrik {

class AstroCommands;
class FrmEingPZ;
class FrmHauptmenue;
class MainMenu;
struct EntrySource;

// The commands that compose a program from the main list: the entry
// dialogs, delete, change and copy of the marked rows (menu, Delete key,
// double click, Enter), the edit assistant's settings, and the priority
// peek while the mouse button is held on a "Prio." cell. Each ends by
// showing the list again.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(const DesktopContext& ctx, FrameServices& frame);

    // Adds the commands to the edit and settings menus.
    void addCommands(MainMenu& menu);

    void enterSwitchingTimes();
    void enterPriorityTimes();
    void deleteMarked();
    void changeMarked();
    void copyMarked();
    void editAssistant();
    void enterDstTable();
    void editHolidays();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openEntry(int ansicht, int eingabeModus);
    void openDstTable(int modus);
    // The holiday dialog; changes show at once in `follower` (a priority-time dialog).
    void openHolidays(QWidget* parent, FrmEingPZ* follower);
    void rowActivated(const QModelIndex& index);
    bool peek(QEvent* event);
    void updateCommands();
    EntrySource markedSource() const;

    DesktopContext ctx_;
    FrameServices& frame_;
    FrmHauptmenue& list_;
    MainMenu* menu_ = nullptr;
    AstroCommands* astro_;
    PrioPeek peek_;
};

} // namespace zendrik
