#pragma once

#include <vector>

class QDockWidget;
class QString;
class QWidget;

namespace zendrik {

class FrmGrafik;
class FrmHauptmenue;
class UndoHistory;

// What a command object of the main frame needs from the frame: the list
// window and what it shows, the undo history, the program header and the
// status line. The frame implements it; command objects know only this, so
// the frame can own them without them depending on the frame back.
//
// A command starts with commitHeader() (what is still being typed in the
// header counts) and ends with ShowList() (its changes become one undo step
// and every window shows them).
class FrameServices {
public:
    virtual ~FrameServices() = default;

    // The frame as the parent of the dialogs and windows a command opens.
    virtual QWidget& frameWindow() = 0;
    // The main list window: its view, marked rows and grid.
    virtual FrmHauptmenue& listWindow() const = 0;
    virtual UndoHistory& history() const = 0;
    // Stores what is still being typed in the program header.
    virtual void commitHeader() = 0;
    // Rebuilds the list of the shown slot and refreshes the frame.
    virtual void ShowList() = 0;
    // Switches the list to a view (Ansicht) of a slot and shows it.
    virtual void showView(int ansicht, int slot) = 0;
    // Shows the list holding an entry of the program and marks its row
    // (switching the filter off when it hides the row); false when no row shows it.
    virtual bool showEntry(int entry) = 0;
    // The same for several entries of one list; false when none is shown.
    virtual bool showEntries(const std::vector<int>& entries) = 0;
    // The simulation window while it is open, else null.
    virtual FrmGrafik* simulationWindow() const = 0;
    // Docks a window at the right of the list, a third of the frame wide.
    virtual void dockRight(QDockWidget* dock) = 0;
    // Docks a window at the left of the list (the building site's devices).
    virtual void dockLeft(QDockWidget* dock) = 0;
    // A notice in the status line for that many milliseconds.
    virtual void showStatus(const QString& text, int timeoutMs) = 0;
    // After a program was read from a device: offers once to compare what
    // was read with a program file.
    virtual void offerComparisonAfterRead() = 0;
};

} // namespace zendrik
