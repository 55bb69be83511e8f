#include "ui/main/MdiForm1.h"

#include "app/FileCommands.h"
#include "app/WindowPlacement.h"
#include "editing/ListFilter.h"
#include "editing/RecoveryFile.h"
#include "language/DateText.h"
#include "language/ExtraText.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/DeviceTypes.h"
#include "model/FileNames.h"
#include "model/HeaderFields.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "ui/checks/CheckCommands.h"
#include "ui/common/Icons.h"
#include "ui/common/MnemonicSet.h"
#include "ui/device/FrmGeraetEinst.h"
#include "ui/frame/MainMenu.h"
#include "ui/frame/UndoHistory.h"
#include "ui/list/EditCommands.h"
#include "ui/list/FrmFilter.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/main/FileMenuCommands.h"
#include "ui/main/FrmInfo.h"
#include "ui/main/ProgramHeader.h"
#include "ui/main/RecoveryKeeper.h"
#include "ui/print/PrintCommands.h"
#include "ui/simulation/FrmGrafik.h"
#include "ui/site/SiteCommands.h"
#include "ui/transfer/BusCommands.h"
#include "ui/transfer/ChipCommands.h"
#include "ui/transfer/IrCommands.h"
#include "ui/transfer/MasterCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

constexpr ExtraText kMenuMaster{"&Codierung...", "Card &coding...", "&Codage de carte..."};
// Beside the device type when the open file did not fit the chosen type and
// brought the type it was made for.
constexpr ExtraText kTypeFromFile{" (Datei für diesen Typ; gewählt: %1)", " (file made for this type; chosen: %1)",
                                  " (fichier fait pour ce type ; choisi : %1)"};

// The program file a drop carries, if any: one local file.
QString droppedProgramFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return QString();
    const QUrl url = mime->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

MdiForm1::MdiForm1(DesktopContext context, QWidget* parent) : QMainWindow(parent), ctx_(std::move(context))
{
    setObjectName(QStringLiteral("MDIForm1"));
    setAcceptDrops(true);

    history_ = new UndoHistory(ctx_.model, ctx_.texts, this);
    recovery_ = new RecoveryKeeper(ctx_.model, ctx_.workDir, this);
    header_ = new ProgramHeader(ctx_.model, ctx_.texts, ctx_.ui, this);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setViewMode(QMdiArea::TabbedView);
    mdi_->setDocumentMode(true);
    mdi_->setTabsClosable(false);

    list_ = new FrmHauptmenue(ctx_.model, ctx_.texts, ctx_.filter, ctx_.holidays);
    listSub_ = mdi_->addSubWindow(list_, Qt::SubWindow | Qt::WindowTitleHint);
    listSub_->setWindowIcon(QIcon());
    listSub_->installEventFilter(this);
    listSub_->showMaximized();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* rule = new QFrame(central);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(header_);
    layout->addWidget(rule);
    layout->addWidget(mdi_, 1);
    setCentralWidget(central);

    lblGeraet_ = new QLabel(this);
    lblGeraet_->setObjectName(QStringLiteral("lblGeraet"));
    lblDatei_ = new QLabel(this);
    lblDatei_->setObjectName(QStringLiteral("lblDatei"));
    statusBar()->addWidget(lblGeraet_, 1);
    statusBar()->addPermanentWidget(lblDatei_);

    buildMenus();
    buildToolBar();

    connect(header_, &ProgramHeader::programChanged, this, &MdiForm1::updateTitle);
    connect(header_, &ProgramHeader::programChanged, history_, &UndoHistory::capture);
    // The simulation window and the check dock follow the header.
    connect(header_, &ProgramHeader::programChanged, this, [this] {
        if (grafik_)
            grafik_->programChanged();
        checks_->programChanged();
    });
    // An undone or redone step changed the program under every window.
    connect(history_, &UndoHistory::restored, this, &MdiForm1::ShowList);
    connect(header_, &ProgramHeader::filterSwitched, this, &MdiForm1::switchFilter);
    connect(list_, &FrmHauptmenue::listChanged, this, &MdiForm1::refreshFrame);
    connect(recovery_, &RecoveryKeeper::writeFailed, this, [this](const QString& reason) {
        statusBar()->showMessage(ctx_.texts(kRecoveryNotWritten) + QStringLiteral(" ") + reason);
    });

    // Watches for closing dialogs of this frame (see eventFilter).
    qApp->installEventFilter(this);
    placeOnScreen();

    retranslate();
    ShowList();
}

MdiForm1::~MdiForm1() = default;

void MdiForm1::buildMenus()
{
    menu_ = new MainMenu(menuBar(), this);
    MainMenu& m = *menu_;
    // A menu command that runs a handler of the frame or of a command object.
    const auto command = [&m](MainMenu::MenuId id, const char* name, TextId caption, const QString& before,
                              auto* receiver, auto slot) {
        QAction* a = m.addCommand(id, QString::fromUtf8(name), caption, before);
        QObject::connect(a, &QAction::triggered, receiver, slot);
        return a;
    };
    files_ = new FileMenuCommands(ctx_, *this);
    connect(files_, &FileMenuCommands::newRequested, this, &MdiForm1::newRequested);
    const QString vorl = QStringLiteral("sepDatVorl");
    command(MainMenu::File, "mnuDatneu", TextId::MenuNew, vorl, files_, &FileMenuCommands::newProgram)
        ->setShortcut(QKeySequence::New);
    command(MainMenu::File, "mnuDatÖff", TextId::MenuOpen, vorl, files_, &FileMenuCommands::open)
        ->setShortcut(QKeySequence::Open);
    command(MainMenu::File, "mnudatspei", TextId::MenuSave, vorl, files_, &FileMenuCommands::save)
        ->setShortcut(QKeySequence::Save);
    command(MainMenu::File, "mnudatspu", TextId::MenuSaveAs, vorl, files_, &FileMenuCommands::saveAs)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    command(MainMenu::File, "mnuDatVorl", TextId::MenuOpenSample, QStringLiteral("sepDatDruck"), files_,
            &FileMenuCommands::openSample);
    command(MainMenu::File, "mnuDatVorlSchl", TextId::MenuCloseSample, QStringLiteral("sepDatDruck"), files_,
            &FileMenuCommands::closeSample);
    // After the file commands: a program of the site saved tells the site too.
    site_ = new SiteCommands(ctx_, *this);
    site_->addCommands(m);
    connect(site_, &SiteCommands::helpRequested, this, &MdiForm1::helpRequested);
    print_ = new PrintCommands(ctx_, *this);
    command(MainMenu::File, "mnuDatDruck", TextId::MenuPrint, QStringLiteral("sepDatTransfer"), print_,
            &PrintCommands::openWindow);
    chip_ = new ChipCommands(ctx_, *this);
    command(MainMenu::File, "mnuDatExp", TextId::MenuWriteChip, QStringLiteral("sepDatBend"), chip_,
            &ChipCommands::writeChip);
    command(MainMenu::File, "mnuDatImp", TextId::MenuReadChip, QStringLiteral("sepDatBend"), chip_,
            &ChipCommands::readChip);
    ir_ = new IrCommands(ctx_, *this);
    command(MainMenu::File, "mnuIRAccess", TextId::IrAccess, QStringLiteral("sepDatBend"), ir_,
            &IrCommands::openWindow);
    bus_ = new BusCommands(ctx_, *this);
    bus_->addCommand(m);
    command(MainMenu::File, "mnuDatBend", TextId::MenuExit, QString(), this, &MdiForm1::cmdExit)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    command(MainMenu::Edit, "mnuBaFilt", TextId::MenuFilter, QString(), this, &MdiForm1::cmdFilter);
    command(MainMenu::Settings, "mnuEinstGerät", TextId::MenuDeviceProperties, QString(), this,
            &MdiForm1::cmdDeviceProperties);
    master_ = new MasterCommands(ctx_, *this);
    m.addCommand(MainMenu::Settings, QStringLiteral("mnuMaster"), kMenuMaster);
    connect(m.action(QStringLiteral("mnuMaster")), &QAction::triggered, master_, &MasterCommands::openWindow);
    QAction* help = m.addCommand(MainMenu::Help, QStringLiteral("mnuHilfeZu"), TextId::MenuHelpFor, QString());
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &MdiForm1::helpRequested);
    command(MainMenu::Help, "mnuinfo", TextId::MenuInfo, QString(), this, &MdiForm1::cmdInfo);

    // The last opened or saved files, above the exit command.
    m.menu(MainMenu::File)->insertMenu(m.action(QStringLiteral("mnuDatBend")), files_->recentMenu());

    // Undo and redo head the edit menu.
    QMenu* edit = m.menu(MainMenu::Edit);
    QAction* first = edit->actions().value(0);
    edit->insertAction(first, history_->undoAction());
    edit->insertAction(first, history_->redoAction());
    edit->insertSeparator(first);

    edit_ = new EditCommands(ctx_, *this);
    edit_->addCommands(m);
    checks_ = new CheckCommands(ctx_, *this);
    checks_->addCommands(m);
    list_->addViewCommands(m);
    command(MainMenu::View, "mnuAnsGrafik", TextId::ProgramSimulation, QString(), this, &MdiForm1::cmdSimulation);
    connect(m.views(), &QActionGroup::triggered, this, [this](QAction* a) {
        showView(a->property("Ansicht").toInt(), a->property("Slot").toInt());
    });
}

void MdiForm1::buildToolBar()
{
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(22, 22));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The toolbar save button always asks for a name, like "save as".
    auto* save = new QAction(Icons::Save(), QString(), this);
    save->setObjectName(QStringLiteral("anibutton3"));
    connect(save, &QAction::triggered, files_, &FileMenuCommands::saveAs);
    toolBar_->addAction(save);
    // The toolbar print button prints the list as shown, without the print window.
    auto* printShown = new QAction(Icons::Print(), QString(), this);
    printShown->setObjectName(QStringLiteral("AniButton2"));
    connect(printShown, &QAction::triggered, print_, &PrintCommands::printShown);
    toolBar_->addAction(printShown);
}

void MdiForm1::retranslate()
{
    menu_->retranslate(ctx_.texts);
    history_->retranslate();
    header_->retranslate();
    list_->retranslate();
    checks_->retranslate();
    site_->retranslate();
    for (QAction* a : toolBar_->actions()) {
        if (a->objectName() == QLatin1String("anibutton3"))
            a->setText(ctx_.texts(TextId::Save));
        if (a->objectName() == QLatin1String("AniButton2"))
            a->setText(ctx_.texts(TextId::Print));
    }
    ShowList();
    GiveMenuMnemonics(menuBar());
}

void MdiForm1::ShowList()
{
    // Every command ends here: what it changed becomes one undo step.
    history_->capture();
    recovery_->programChanged();
    list_->ShowList(ctx_.model.AktSlot);
    // An open simulation window shows the program as it is now.
    if (grafik_)
        grafik_->programChanged();
}

void MdiForm1::commitHeader()
{
    header_->commitAll();
}

void MdiForm1::dockRight(QDockWidget* dock)
{
    addDockWidget(Qt::RightDockWidgetArea, dock);
    resizeDocks({dock}, {width() / 3}, Qt::Horizontal);
}

void MdiForm1::dockLeft(QDockWidget* dock)
{
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    // Beside a list that keeps room for its columns on a small screen.
    resizeDocks({dock}, {std::max(width() * 9 / 20, 460)}, Qt::Horizontal);
}

void MdiForm1::showStatus(const QString& text, int timeoutMs)
{
    statusBar()->showMessage(text, timeoutMs);
}

void MdiForm1::offerComparisonAfterRead()
{
    checks_->offerComparisonAfterRead();
}

FrmGrafik* MdiForm1::simulationWindow() const
{
    return grafik_.data();
}

void MdiForm1::cmdSimulation()
{
    header_->commitAll();
    if (!grafik_) {
        grafik_ = new FrmGrafik(ctx_.model, ctx_.texts, this);
        grafik_->setAttribute(Qt::WA_DeleteOnClose);
        connect(grafik_, &FrmGrafik::entryRequested, this, &MdiForm1::showSlotEntry);
        connect(grafik_, &FrmGrafik::compareRequested, checks_, &CheckCommands::compareBehaviourWithFile);
        // Closing it brings the list back to the front.
        connect(grafik_, &FrmGrafik::closed, this, [this] {
            activateWindow();
            ShowList();
        });
    }
    grafik_->show();
    grafik_->raise();
    grafik_->activateWindow();
}

bool MdiForm1::showEntries(const std::vector<int>& entries)
{
    const ProgramSlot& s = ctx_.model.program();
    const int used = std::clamp(s.AnzEintrag, 0, kEntryRows);
    if (entries.empty() || std::any_of(entries.begin(), entries.end(), [used](int e) { return e < 0 || e >= used; }))
        return false;
    const bool priority = IsPriorityTimeByte(s.Eintrag[static_cast<std::size_t>(entries.front())].b[0]);
    showView(priority ? AnsichtPrioritaetszeiten : AnsichtSchaltzeiten, kProgramSlot);
    if (list_->selectEntries(entries) < static_cast<int>(entries.size()) && ctx_.filter.active()) {
        switchFilter(false);
        list_->selectEntries(entries);
    }
    activateWindow();
    return !list_->markedEntries().empty();
}

bool MdiForm1::showEntry(int entry)
{
    return showSlotEntry(kProgramSlot, entry);
}

bool MdiForm1::showSlotEntry(int slot, int entry)
{
    if (slot != kProgramSlot && slot != kSampleSlot)
        return false;
    const ProgramSlot& s = ctx_.model.slot(slot);
    if (entry < 0 || entry >= std::clamp(s.AnzEintrag, 0, kEntryRows))
        return false;
    const bool priority = IsPriorityTimeByte(s.Eintrag[static_cast<std::size_t>(entry)].b[0]);
    showView(priority ? AnsichtPrioritaetszeiten : AnsichtSchaltzeiten, slot);
    if (!list_->selectEntry(entry) && ctx_.filter.active()) {
        switchFilter(false);
        list_->selectEntry(entry);
    }
    activateWindow();
    return list_->markedEntries() == std::vector<int>{entry};
}

void MdiForm1::showView(int ansicht, int slot)
{
    header_->commitAll();
    ctx_.model.AktSlot = slot;
    list_->setAnsicht(ansicht);
    ShowList();
}

void MdiForm1::refreshFrame()
{
    header_->refresh();
    listSub_->setWindowTitle(list_->windowTitle());
    const ProgramList& list = list_->list();
    header_->showMemory(list.memoryLabel, ctx_.model.slot(list.slot).AnzEintrag, ctx_.model.device.MaxEintrag);
    header_->showFilter(ctx_.filter.active());

    const ProgramSlot& s = ctx_.model.slot(ctx_.model.AktSlot);
    // A master card says so beside the device type.
    const bool masterCard = IsMasterProgram(ctx_.model.program());
    const DeviceSettings& device = ctx_.model.device;
    const QString fromFile =
        DeviceRowFromFile(device)
        ? ctx_.texts(kTypeFromFile)
              .arg(DeviceTypeName(device.ChosenRow, device.BrandIndex, DeviceTypeLanguage(device.Sprache)))
        : QString();
    lblGeraet_->setText(ctx_.texts(TextId::DeviceType) + QStringLiteral(": ") + device.Geraetename + fromFile
                        + (masterCard ? QStringLiteral(" Mastercard ") : QString()));
    if (const auto saved = SavedAt(s))
        lblDatei_->setText(ctx_.texts(TextId::FileDated) + DateTimeText(*saved, ctx_.texts));
    else
        lblDatei_->setText(ctx_.texts(TextId::FileUnsaved));

    const bool hasSample = !ctx_.model.slot(kSampleSlot).Dateiname.isEmpty();
    menu_->action(QStringLiteral("mnuDatVorlSchl"))->setEnabled(hasSample);
    checks_->updateCommands(hasSample);
    // The list was built afresh (after an edit, a sort, a view): the check
    // dock follows and the list's marks with it.
    checks_->programChanged();
    list_->enableViews(*menu_, hasSample);
    updateViewTicks();
    updateTitle();
}

void MdiForm1::updateViewTicks()
{
    for (QAction* a : menu_->views()->actions()) {
        if (a->property("Ansicht").toInt() == list_->Ansicht() && a->property("Slot").toInt() == ctx_.model.AktSlot)
            a->setChecked(true);
    }
}

void MdiForm1::updateTitle()
{
    setWindowTitle(kAppTitel + QStringLiteral(" - ") + FileTitle(ctx_.model.program().Dateiname)
                   + QStringLiteral("[*]"));
    setWindowModified(ctx_.model.Geaendert != 0);
}

void MdiForm1::switchFilter(bool on)
{
    header_->commitAll();
    ctx_.filter.FilterAktiv = on ? -1 : 0;
    ShowList();
}

bool MdiForm1::openFile(const QString& path)
{
    return files_->openFile(path);
}

void MdiForm1::restoreRecovered(const RecoveryImage& image)
{
    header_->commitAll();
    ApplyRecovery(ctx_.model, image);
    list_->setAnsicht(0);
    // The restored program starts a fresh history, modified from the start.
    history_->reset();
    recovery_->adopt();
    ShowList();
}

void MdiForm1::cmdExit()
{
    close();
}

bool MdiForm1::eventFilter(QObject* watched, QEvent* event)
{
    // The list window lives as long as the frame: its menus and the header depend on it.
    if (watched == listSub_ && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    // A dialog opens with an Alt key on each caption (the program's
    // window fitter keeps it within the screen).
    if (event->type() == QEvent::Show && watched != this) {
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && ownsWindow(dialog))
            GiveMnemonics(dialog);
    }
    // When one of our dialogs (or message boxes) goes, the keyboard belongs
    // to the frame again at once, so Ctrl+S or Ctrl+Q work without a click.
    if (event->type() == QEvent::Hide && watched != this) {
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && ownsWindow(dialog))
            QTimer::singleShot(0, this, &MdiForm1::takeFocusBack);
    }
    return QMainWindow::eventFilter(watched, event);
}

namespace {

// The size the frame opens at on a screen with room for it.
constexpr QSize kDefaultFrameSize(1180, 760);
// What a window frame adds before the frame is first shown and knows its own.
constexpr QMargins kTypicalWindowFrame(8, 32, 8, 8);

} // namespace

void MdiForm1::placeOnScreen()
{
    const std::optional<WindowPlacement> saved = ReadWindowPlacement(ctx_.workDir);
    const QRect area = ctx_.screenArea(this);
    if (area.isEmpty()) {
        resize(kDefaultFrameSize);
        return;
    }
    setGeometry(FitIntoArea(saved ? saved->geometry : QRect(), kDefaultFrameSize, area, kTypicalWindowFrame));
    if (saved && saved->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MdiForm1::rememberPlacement()
{
    // A failure to write only loses the place for the next start.
    (void)WriteWindowPlacement(ctx_.workDir, WindowPlacement{normalGeometry(), isMaximized()});
}

bool MdiForm1::ownsWindow(const QWidget* window) const
{
    for (const QWidget* p = window->parentWidget(); p; p = p->parentWidget()) {
        if (p == this)
            return true;
    }
    return false;
}

void MdiForm1::takeFocusBack()
{
    if (leaving_ || !isVisible())
        return;
    // Another window of ours still holds the user: an outer dialog whose
    // message box closed, or a window opened by the dialog that closed.
    if (const QWidget* modal = QApplication::activeModalWidget(); modal && modal != this)
        return;
    if (const QWidget* active = QApplication::activeWindow(); active && active != this && active->isVisible()
        && ownsWindow(active))
        return;
    activateWindow();
    raise();
    QWidget* target = focusWidget();
    if (!target || !target->isVisible() || !target->isEnabled())
        target = list_->grid();
    target->setFocus(Qt::ActiveWindowFocusReason);
}

void MdiForm1::leave()
{
    leaving_ = true;
    close();
}

void MdiForm1::closeEvent(QCloseEvent* event)
{
    if (!exitConfirmed_ && !leaving_) {
        header_->commitAll();
        if (!ctx_.commands.ConfirmSaveChanges(SaveQuestion::Exit)) {
            event->ignore();
            ShowList();
            return;
        }
        exitConfirmed_ = true;
        emit exitRequested();
    }
    // Saved or discarded by the user's answer: no copy to recover.
    recovery_->discard();
    rememberPlacement();
    event->accept();
}

void MdiForm1::cmdDeviceProperties()
{
    header_->commitAll();
    auto* dialog = new FrmGeraetEinst(ctx_.model, ctx_.texts, ctx_.ui, ctx_.workDir, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &MdiForm1::ShowList);
    dialog->open();
}

void MdiForm1::cmdFilter()
{
    header_->commitAll();
    auto* dialog = new FrmFilter(ctx_.filter, ctx_.model.device, ctx_.texts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &MdiForm1::ShowList);
    dialog->open();
}

void MdiForm1::cmdInfo()
{
    auto* dialog = new FrmInfo(ctx_.model, ctx_.texts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MdiForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedProgramFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MdiForm1::dropEvent(QDropEvent* event)
{
    const QString path = droppedProgramFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
}

} // namespace zendrik
