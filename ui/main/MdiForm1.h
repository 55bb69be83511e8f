#pragma once

#include "ui/frame/DesktopContext.h"
#include "ui/frame/FrameServices.h"

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace zendrik {

class BusCommands;
class CheckCommands;
class ChipCommands;
class EditCommands;
class FileMenuCommands;
class FrmGrafik;
class FrmHauptmenue;
class IrCommands;
class MasterCommands;
class PrintCommands;
class UndoHistory;
class RecoveryKeeper;
class SiteCommands;
struct RecoveryImage;
class MainMenu;
class ProgramHeader;

// The MDI main frame with the program header, the toolbar, the device
// information line and the main list window as its child. Menu commands end
// by showing the list again (ShowList), which also refreshes the header, the
// title with its modified marker and the menu ticks. The frame builds the
// menus and wires them to its command objects, which reach it only through
// FrameServices.
class MdiForm1 : public QMainWindow, public FrameServices {
    Q_OBJECT
public:
    explicit MdiForm1(DesktopContext context, QWidget* parent = nullptr);
    ~MdiForm1() override;

    MainMenu& menu() const { return *menu_; }
    EditCommands& editCommands() const { return *edit_; }
    QToolBar* toolBar() const { return toolBar_; }
    ProgramHeader& header() const { return *header_; }
    FrmHauptmenue& listWindow() const override { return *list_; }
    PrintCommands& printCommands() const { return *print_; }
    UndoHistory& history() const override { return *history_; }
    CheckCommands& checkCommands() const { return *checks_; }
    SiteCommands& siteCommands() const { return *site_; }

    QWidget& frameWindow() override { return *this; }
    void commitHeader() override;
    // Rebuilds the list of the shown slot and refreshes the frame.
    void ShowList() override;
    // Switches the list to a view (Ansicht) of a slot and shows it.
    void showView(int ansicht, int slot) override;
    void dockRight(QDockWidget* dock) override;
    void dockLeft(QDockWidget* dock) override;
    void showStatus(const QString& text, int timeoutMs) override;
    void offerComparisonAfterRead() override;
    // Relabels menus, header and list in the language now in use.
    void retranslate();
    // Opens a program file (command line, drop) as the open command does.
    bool openFile(const QString& path);
    // The program of a recovery copy, offered at the start and accepted.
    void restoreRecovered(const RecoveryImage& image);
    RecoveryKeeper& recovery() const { return *recovery_; }
    // Closes the frame without the exit question (after "New" was confirmed).
    void leave();
    // mnuAnsGrafik: opens the simulation window beside the list (or raises it).
    void cmdSimulation();
    // The simulation window while it is open, else null.
    FrmGrafik* simulationWindow() const override;
    // Shows the list of the program that holds the entry (a table row of
    // slot 0) and marks the entry's row; the filter is switched off when it
    // hides the row. False when no row shows it.
    bool showEntry(int entry) override;
    // The same for a table row of a slot: the program's or the sample's list.
    bool showSlotEntry(int slot, int entry);
    // The same for several entries of one list (switching or priority
    // times): marks every row that shows one. False when none is shown.
    bool showEntries(const std::vector<int>& entries) override;

signals:
    // The help menu's command: the help of the window in front.
    void helpRequested();
    // "New": the user confirmed going back to the start screen.
    void newRequested();
    // The program ends.
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    // Opens within the screen, where the user left the window last time.
    void placeOnScreen();
    // Remembers the window's place for the next start.
    void rememberPlacement();
    // Whether a window belongs to this frame (its parent chain leads here).
    bool ownsWindow(const QWidget* window) const;
    // After a dialog closed: the frame is the active window with the focus.
    void takeFocusBack();
    void refreshFrame();
    void updateViewTicks();
    void updateTitle();
    void switchFilter(bool on);

    void cmdExit();
    void cmdDeviceProperties();
    void cmdFilter();
    void cmdInfo();

    DesktopContext ctx_;
    MainMenu* menu_;
    QToolBar* toolBar_;
    ProgramHeader* header_;
    QMdiArea* mdi_;
    FrmHauptmenue* list_;
    FileMenuCommands* files_;
    EditCommands* edit_;
    PrintCommands* print_;
    CheckCommands* checks_;
    ChipCommands* chip_;
    IrCommands* ir_;
    BusCommands* bus_;
    MasterCommands* master_;
    SiteCommands* site_;
    UndoHistory* history_;
    RecoveryKeeper* recovery_;
    QMdiSubWindow* listSub_;
    QPointer<FrmGrafik> grafik_;
    QLabel* lblGeraet_;
    QLabel* lblDatei_;
    bool exitConfirmed_ = false;
    bool leaving_ = false;
};

} // namespace zendrik
