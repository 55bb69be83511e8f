#include "ui/main/FileMenuCommands.h"

#include "app/FileCommands.h"
#include "language/ExtraText.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "ui/common/MnemonicSet.h"
#include "ui/frame/FrameServices.h"
#include "ui/frame/UndoHistory.h"
#include "ui/list/FrmHauptmenue.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPointer>

namespace zendrik {

namespace {
constexpr ExtraText kRecentFiles{"&Zuletzt geöffnet", "&Recent files", "Fichiers &récents"};
constexpr ExtraText kRemoveMissing{"Fehlende Dateien entfernen", "Remove missing files",
                                   "Retirer les fichiers manquants"};
} // namespace

FileMenuCommands::FileMenuCommands(DesktopContext& context, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(context), frame_(frame), recent_(ctx_.workDir),
      recentMenu_(new QMenu(&frame.frameWindow()))
{
    recent_.load();
    recentMenu_->setObjectName(QStringLiteral("mnuDatRecent"));
    // File names: their letters are no Alt keys.
    KeepCaptions(recentMenu_);
    connect(recentMenu_, &QMenu::aboutToShow, this, &FileMenuCommands::fillRecentMenu);
    fillRecentMenu();

    // Every file written becomes the saved state and a recent file, also
    // when the exit question or a transfer saved it. Commands that are going
    // away leave the next frame's hook alone.
    ctx_.commands.saved = [self = QPointer<FileMenuCommands>(this)] {
        if (self)
            self->fileSaved();
    };
}

void FileMenuCommands::newProgram()
{
    frame_.commitHeader();
    if (ctx_.commands.ConfirmSaveChanges(SaveQuestion::New))
        emit newRequested();
    else
        frame_.ShowList();
}

void FileMenuCommands::open()
{
    frame_.commitHeader();
    if (ctx_.commands.Open()) {
        frame_.listWindow().setAnsicht(0);
        frame_.history().reset();
        rememberFile();
    }
    frame_.ShowList();
}

bool FileMenuCommands::openFile(const QString& path)
{
    frame_.commitHeader();
    const bool loaded = ctx_.commands.OpenFile(path);
    if (loaded) {
        frame_.listWindow().setAnsicht(0);
        frame_.history().reset();
        rememberFile();
    }
    frame_.ShowList();
    return loaded;
}

void FileMenuCommands::save()
{
    frame_.commitHeader();
    ctx_.commands.Save();
    frame_.ShowList();
}

void FileMenuCommands::saveAs()
{
    frame_.commitHeader();
    ctx_.commands.SaveAs();
    frame_.ShowList();
}

void FileMenuCommands::openSample()
{
    frame_.commitHeader();
    if (ctx_.commands.OpenSample())
        frame_.listWindow().setAnsicht(0);
    frame_.ShowList();
}

void FileMenuCommands::closeSample()
{
    frame_.commitHeader();
    ctx_.commands.CloseSample();
    frame_.ShowList();
}

void FileMenuCommands::rememberFile()
{
    recent_.add(ctx_.model.program().Dateiname);
    recent_.save();
    fillRecentMenu();
}

void FileMenuCommands::fileSaved()
{
    frame_.history().markSaved();
    rememberFile();
}

void FileMenuCommands::fillRecentMenu()
{
    recentMenu_->clear();
    recentMenu_->setTitle(ctx_.texts(kRecentFiles));
    bool missing = false;
    for (const QString& file : recent_.files()) {
        QAction* a = recentMenu_->addAction(QDir::toNativeSeparators(file));
        // A file that is gone is shown disabled until it is removed.
        a->setEnabled(RecentFiles::exists(file));
        missing = missing || !a->isEnabled();
        // Opening asks about unsaved changes first, as the open command does.
        connect(a, &QAction::triggered, this, [this, file] { openFile(file); });
    }
    recentMenu_->setEnabled(!recent_.files().isEmpty());
    if (missing) {
        recentMenu_->addSeparator();
        QAction* remove = recentMenu_->addAction(ctx_.texts(kRemoveMissing));
        remove->setObjectName(QStringLiteral("mnuDatRecentRemove"));
        connect(remove, &QAction::triggered, this, &FileMenuCommands::removeMissing);
    }
}

void FileMenuCommands::removeMissing()
{
    for (const QString& file : QStringList(recent_.files()))
        if (!RecentFiles::exists(file))
            recent_.remove(file);
    recent_.save();
    fillRecentMenu();
}

} // namespace zendrik
