#pragma once

#include "app/RecentFiles.h"
#include "ui/frame/DesktopContext.h"

#include <QObject>
#include <QString>

class QMenu;

namespace zendrik {

class FrameServices;

// The program file commands of the file menu: new, open, save, save as,
// open and close the sample, and the last files opened or saved. Opening a
// program shows its first view with a fresh undo history; every file
// written, by whichever command, becomes the saved state and a recent file.
class FileMenuCommands : public QObject {
    Q_OBJECT
public:
    FileMenuCommands(DesktopContext& context, FrameServices& frame);

    // mnuDatneu: after unsaved changes were saved or discarded, asks to go
    // back to the start screen (newRequested).
    void newProgram();
    void open();
    // Opens a program file (command line, drop, recent file) as open does.
    bool openFile(const QString& path);
    void save();
    void saveAs();
    void openSample();
    void closeSample();

    // The submenu of the recent files, for the frame to place in the file menu.
    QMenu* recentMenu() const { return recentMenu_; }

signals:
    // The user confirmed going back to the start screen.
    void newRequested();

private:
    // The program's file becomes the first of the recent files.
    void rememberFile();
    // A program file was written, by whichever command.
    void fileSaved();
    void fillRecentMenu();
    void removeMissing();

    DesktopContext& ctx_;
    FrameServices& frame_;
    RecentFiles recent_;
    QMenu* recentMenu_;
};

} // namespace zendrik
