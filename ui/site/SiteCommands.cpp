#include "ui/site/SiteCommands.h"

#include "app/FileCommands.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "calendar/SoWiZeitzone.h"
#include "language/Prompt.h"
#include "language/TextTable.h"
#include "model/DeviceImage.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "paint/SiteHandoverPainter.h"
#include "site/SiteChange.h"
#include "site/SiteFile.h"
#include "site/SiteHandover.h"
#include "site/SiteState.h"
#include "ui/frame/FrameServices.h"
#include "ui/frame/MainMenu.h"
#include "ui/frame/UndoHistory.h"
#include "ui/site/SiteChangeDialog.h"
#include "ui/site/SiteChooser.h"
#include "ui/site/SiteDeviceDialog.h"
#include "ui/site/SiteDock.h"
#include "ui/site/SiteFindingsWindow.h"
#include "ui/site/SiteRunWindow.h"
#include "ui/site/SiteWindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTableWidget>

namespace zendrik {

namespace T = sitewindowtexts;

SiteCommands::SiteCommands(DesktopContext& ctx, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(ctx), frame_(frame),
      ownChooser_(std::make_unique<SiteDialogChooser>(&frame.frameWindow(), ctx.texts)), chooser_(ownChooser_.get())
{
    // A program saved from the site (its own file) changes the device's
    // transfer state: the dock shows it. Whoever was told before still is.
    ctx_.commands.saved = [previous = ctx_.commands.saved, self = QPointer<SiteCommands>(this)] {
        if (previous)
            previous();
        if (self)
            self->refresh();
    };
}

SiteCommands::~SiteCommands() = default;

SiteRunWindow* SiteCommands::runWindow() const
{
    return run_.data();
}

SiteChangeDialog* SiteCommands::changeDialog() const
{
    return change_.data();
}

SiteFindingsWindow* SiteCommands::findingsWindow() const
{
    return findings_.data();
}

void SiteCommands::addCommands(MainMenu& menu)
{
    // Beside the program file commands, above the sample's.
    const QString before = QStringLiteral("sepDatVorl");
    connect(menu.addCommand(MainMenu::File, QStringLiteral("mnuDatAnlageOeff"), T::kMenuOpenSite, before),
            &QAction::triggered, this, &SiteCommands::openSite);
    connect(menu.addCommand(MainMenu::File, QStringLiteral("mnuDatAnlageNeu"), T::kMenuNewSite, before),
            &QAction::triggered, this, &SiteCommands::newSite);
}

void SiteCommands::message(const QString& text)
{
    ctx_.ui.ask(Prompt::message(Icon::Critical, {text}));
}

QString SiteCommands::siteFolder() const
{
    return site_ ? QFileInfo(site_->path).absolutePath() : ctx_.workDir;
}

void SiteCommands::openSite()
{
    const QString path = chooser_->siteToOpen(ctx_.workDir);
    if (!path.isEmpty())
        openSiteFile(path);
}

bool SiteCommands::openSiteFile(const QString& path)
{
    Site loaded;
    const SiteLoadResult result = LoadSite(path, loaded);
    if (!result.ok()) {
        message(SiteLoadMessage(result, path, ctx_.texts.extraLanguage()));
        return false;
    }
    site_ = std::move(loaded);
    checks_.clear();
    showDock();
    return true;
}

void SiteCommands::newSite()
{
    QString path = chooser_->siteToCreate(ctx_.workDir);
    if (path.isEmpty())
        return;
    if (!path.endsWith(kSiteFileExtension, Qt::CaseInsensitive))
        path += kSiteFileExtension;
    path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        message(ctx_.texts(T::kSiteExists).arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QString name = chooser_->siteName(QFileInfo(path).completeBaseName());
    if (name.isEmpty())
        return;
    Site created;
    created.name = name;
    created.path = path;
    QString error;
    if (!SaveSite(created, &error)) {
        message(ctx_.texts(T::kSiteNotWritten).arg(error));
        return;
    }
    site_ = std::move(created);
    checks_.clear();
    showDock();
}

void SiteCommands::showDock()
{
    if (!dock_) {
        dock_ = new SiteDock(ctx_.texts, ctx_.model.device.BrandIndex, &frame_.frameWindow());
        frame_.dockLeft(dock_);
        connect(dock_, &SiteDock::deviceActivated, this, &SiteCommands::openDevice);
        connect(dock_, &SiteDock::checkRequested, this, &SiteCommands::check);
        connect(dock_, &SiteDock::writeRequested, this, &SiteCommands::write);
        connect(dock_, &SiteDock::readRequested, this, &SiteCommands::read);
        connect(dock_, &SiteDock::changeRequested, this, &SiteCommands::change);
        connect(dock_, &SiteDock::handoverRequested, this, &SiteCommands::handover);
        connect(dock_, &SiteDock::addRequested, this, &SiteCommands::addDevice);
        connect(dock_, &SiteDock::helpRequested, this, [this] {
            // The help follows the focus: the dock has a page of its own.
            dock_->table()->setFocus(Qt::OtherFocusReason);
            emit helpRequested();
        });
    }
    refresh();
    dock_->show();
    dock_->raise();
}

void SiteCommands::refresh()
{
    if (dock_ && site_)
        dock_->showSite(*site_, checks_);
}

void SiteCommands::retranslate()
{
    if (dock_) {
        dock_->retranslate();
        refresh();
    }
}

QString SiteCommands::openDeviceName() const
{
    if (!site_)
        return QString();
    const QString open = QFileInfo(ctx_.model.program().Dateiname).absoluteFilePath();
    for (const SiteDevice& d : site_->devices)
        if (d.mark == SiteDeviceMark::None && QFileInfo(site_->programPath(d)).absoluteFilePath() == open)
            return d.name;
    return QString();
}

bool SiteCommands::openDevice(int index)
{
    if (!site_ || index < 0 || index >= static_cast<int>(site_->devices.size()))
        return false;
    const SiteDevice& device = site_->devices[static_cast<std::size_t>(index)];
    if (device.mark != SiteDeviceMark::None) {
        message(ctx_.texts(T::kDeviceMarked)
                    .arg(device.name, SiteDeviceMarkText(device.mark, ctx_.texts.extraLanguage())));
        return false;
    }
    frame_.commitHeader();
    if (!ctx_.commands.ConfirmSaveChanges(SaveQuestion::Open)) {
        frame_.ShowList();
        return false;
    }
    const QString path = site_->programPath(device);
    const int result = LoadSiteProgram(*site_, device, ctx_.model);
    if (result != LoadOk) {
        ctx_.ui.ask(LoadResultMessage(result, ctx_.model.device.BrandIndex, path));
        frame_.ShowList();
        return false;
    }
    // Saving writes the device's own file.
    ctx_.model.program().Dateiname = path;
    ctx_.model.Geaendert = 0;
    frame_.history().reset();
    frame_.showView(0, kProgramSlot);
    return true;
}

void SiteCommands::check()
{
    if (!site_)
        return;
    const int year = ctx_.model.currentYear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<SiteFinding> findings = CheckSite(*site_, ctx_.texts, year, ctx_.texts.extraLanguage());
    QApplication::restoreOverrideCursor();
    checks_ = WorstPerDevice(*site_, findings);
    refresh();
    if (!findings_) {
        findings_ = new SiteFindingsWindow(ctx_.texts, &frame_.frameWindow());
        findings_->setAttribute(Qt::WA_DeleteOnClose);
        connect(findings_, &SiteFindingsWindow::deviceActivated, this,
                [this](const QString& device) { openDevice(site_ ? site_->indexOf(device) : -1); });
    }
    findings_->showFindings(site_->name, year, findings);
    findings_->show();
    findings_->raise();
}

void SiteCommands::startRun(SiteDirection direction, const QString& outDir)
{
    if (run_) {
        run_->raise();
        return;
    }
    run_ = new SiteRunWindow(*site_, direction, outDir, ctx_.workDir, ctx_.texts, ctx_.ui, &frame_.frameWindow());
    run_->setAttribute(Qt::WA_DeleteOnClose);
    connect(run_, &SiteRunWindow::runFinished, this, &SiteCommands::refresh);
    run_->open();
}

void SiteCommands::write()
{
    if (!site_)
        return;
    // What is written is the files: changes to a device's open program are saved first.
    frame_.commitHeader();
    if (!openDeviceName().isEmpty() && !ctx_.commands.ConfirmSaveChanges(SaveQuestion::Open)) {
        frame_.ShowList();
        return;
    }
    frame_.ShowList();
    startRun(SiteDirection::Write, QString());
}

void SiteCommands::read()
{
    if (!site_)
        return;
    const QString dir = chooser_->folder(siteFolder());
    if (!dir.isEmpty())
        startRun(SiteDirection::Read, dir);
}

void SiteCommands::handover()
{
    if (!site_)
        return;
    const QString path =
        chooser_->pdfToSave(QDir(siteFolder()).filePath(QFileInfo(site_->path).completeBaseName() + QStringLiteral(".pdf")));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SiteHandoverDocument document =
        BuildSiteHandover(*site_, ctx_.texts, ctx_.model.currentYear(), ctx_.texts.extraLanguage());
    QString error;
    const bool written = WriteSiteHandoverPdf(document, ctx_.texts, path, &error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        message(QDir::toNativeSeparators(path) + QStringLiteral(": ") + error);
        return;
    }
    frame_.showStatus(ctx_.texts(T::kHandoverSaved).arg(QDir::toNativeSeparators(path)), 10000);
}

void SiteCommands::change()
{
    if (!site_)
        return;
    if (change_) {
        change_->raise();
        return;
    }
    QStringList sets;
    for (const FeiertagSet& s : ctx_.holidays.Sets())
        sets << s.SetName;
    PlaceList places;
    (void)places.read(QDir(ctx_.workDir).filePath(ctx_.texts(TextId::PlaceFileName)));
    QStringList placeNames;
    for (const Place& p : places.places())
        placeNames << p.name;
    change_ = new SiteChangeDialog(ctx_.texts, sets, SoWiZeitzonen(), placeNames, ctx_.model.currentYear(),
                                   &frame_.frameWindow());
    change_->setAttribute(Qt::WA_DeleteOnClose);
    connect(change_, &SiteChangeDialog::previewRequested, this, &SiteCommands::previewChange);
    connect(change_, &SiteChangeDialog::applyRequested, this, &SiteCommands::applyChange);
    change_->open();
}

SiteChange SiteCommands::changeOfDialog() const
{
    SiteChange change = change_->change();
    PlaceList places;
    if (change.kind == SiteChange::Kind::Place)
        (void)places.read(QDir(ctx_.workDir).filePath(ctx_.texts(TextId::PlaceFileName)));
    // A set or place not found leaves the change empty: the preview says why for each device.
    (void)ResolveSiteChange(change, ctx_.holidays, places);
    return change;
}

void SiteCommands::previewChange()
{
    QStringList devices;
    for (const SiteDevice& d : site_->devices)
        devices << d.name;
    change_->showPreview(
        PreviewSiteChange(*site_, devices, changeOfDialog(), ctx_.texts, ctx_.texts.extraLanguage()),
        openDeviceName());
}

void SiteCommands::applyChange()
{
    const SiteChange change = changeOfDialog();
    QStringList files = change_->tickedDevices();
    // The program being edited takes the change in memory, as one step of
    // its history, and is saved by the user; its file stays as it is.
    const QString open = openDeviceName();
    const bool toOpen = !open.isEmpty() && files.removeAll(open) > 0;
    std::vector<SiteChangePreview> done =
        files.isEmpty() ? std::vector<SiteChangePreview>{}
                        : ApplySiteChange(*site_, files, change, ctx_.texts, ctx_.texts.extraLanguage());
    int changed = 0;
    for (const SiteChangePreview& p : done)
        changed += p.applicable;
    if (toOpen) {
        frame_.commitHeader();
        SiteChangePreview mine;
        mine.device = open;
        mine.applicable =
            ApplySiteChangeToProgram(ctx_.model, change, ctx_.texts, ctx_.texts.extraLanguage(), &mine.reason);
        if (mine.applicable) {
            ctx_.model.Geaendert = 1;
            ++changed;
        }
        done.push_back(mine);
        // One step of the history, named after what changed.
        frame_.ShowList();
    }
    change_->showApplied(done, changed);
    refresh();
}

QString SiteCommands::refuseDevice(const SiteDevice& device) const
{
    SiteDevice added = device;
    const SiteAddCheck check = CheckNewSiteDevice(*site_, added, QDir(siteFolder()).absoluteFilePath(device.program));
    SiteDeviceMark mark = SiteDeviceMark::None;
    switch (check.refusal) {
    case SiteAddRefusal::None:
        return QString();
    case SiteAddRefusal::NoName:
        return ctx_.texts(T::kNeedName);
    case SiteAddRefusal::DuplicateName:
        return ctx_.texts(T::kDuplicateName).arg(device.name);
    case SiteAddRefusal::BadAddress:
        return ctx_.texts(T::kBadAddress).arg(device.address);
    case SiteAddRefusal::OutsideFolder:
        return ctx_.texts(T::kProgramOutside).arg(QDir::toNativeSeparators(device.program));
    case SiteAddRefusal::MissingProgram:
        mark = SiteDeviceMark::MissingProgram;
        break;
    case SiteAddRefusal::UnfittingProgram:
        mark = SiteDeviceMark::UnfittingProgram;
        break;
    case SiteAddRefusal::UnreadableProgram:
        mark = SiteDeviceMark::UnreadableProgram;
        break;
    }
    return device.name + QStringLiteral(": ") + SiteDeviceMarkText(mark, ctx_.texts.extraLanguage());
}

void SiteCommands::addDevice()
{
    if (!site_)
        return;
    auto* dialog = new SiteDeviceDialog(ctx_.texts, ctx_.model.device.BrandIndex, siteFolder(), *chooser_,
                                        [this](const SiteDevice& d) { return refuseDevice(d); },
                                        &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        SiteDevice device = dialog->device();
        // Accepted only when the check passed; it makes the program relative to the site's folder.
        CheckNewSiteDevice(*site_, device, QDir(siteFolder()).absoluteFilePath(device.program));
        site_->devices.push_back(device);
        MarkSiteDevices(*site_);
        checks_.clear();
        QString error;
        if (!SaveSite(*site_, &error))
            message(ctx_.texts(T::kSiteNotWritten).arg(error));
        refresh();
    });
    dialog->open();
}

} // namespace zendrik
