#include "ui/list/EditCommands.h"

#include "calendar/SoWiTabelleEingabe.h"
#include "editing/AstroCellEdit.h"
#include "editing/DeleteRows.h"
#include "editing/EntrySession.h"
#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "ui/astro/AstroCommands.h"
#include "ui/calendar/FrmEinSW.h"
#include "ui/calendar/FrmFeiertage.h"
#include "ui/entry/FrmAutoEinst.h"
#include "ui/entry/FrmEingPZ.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/frame/MainMenu.h"
#include "ui/frame/UndoHistory.h"
#include "ui/list/FrmHauptmenue.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <QTimer>

namespace zendrik {

namespace {

bool isEntryView(int ansicht)
{
    return ansicht == AnsichtSchaltzeiten || ansicht == AnsichtPrioritaetszeiten;
}

// The views whose rows the entry dialogs and the table dialog change and copy.
bool isEditableView(int ansicht)
{
    return isEntryView(ansicht) || ansicht == AnsichtSoWiTabelle;
}

} // namespace

EditCommands::EditCommands(const DesktopContext& ctx, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(ctx), frame_(frame), list_(frame.listWindow()),
      astro_(new AstroCommands(ctx, frame))
{
    QTableView* grid = list_.grid();
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    connect(grid, &QTableView::doubleClicked, this, &EditCommands::rowActivated);
    connect(&list_, &FrmHauptmenue::listChanged, this, &EditCommands::updateCommands);
}

void EditCommands::addCommands(MainMenu& menu)
{
    menu_ = &menu;
    const auto command = [this, &menu](MainMenu::MenuId id, const char* name, TextId caption, const char* before,
                                       void (EditCommands::*slot)()) {
        QAction* a = menu.addCommand(id, QString::fromUtf8(name), caption, QString::fromLatin1(before));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    command(MainMenu::Edit, "mnuBaSz", TextId::MenuEnterSwitchingTimes, "sepBaEingabe",
            &EditCommands::enterSwitchingTimes);
    command(MainMenu::Edit, "mnuBaPz", TextId::MenuEnterPriorityTimes, "sepBaEingabe",
            &EditCommands::enterPriorityTimes);
    command(MainMenu::Edit, "mnuBaSw", TextId::MenuEnterDstTable, "sepBaEingabe", &EditCommands::enterDstTable);
    command(MainMenu::Edit, "mnuBalö", TextId::MenuDelete, "sepBaAendern", &EditCommands::deleteMarked);
    command(MainMenu::Edit, "mnuBaÄnd", TextId::MenuChange, "sepBaAendern", &EditCommands::changeMarked)
        ->setShortcut(QKeySequence(Qt::Key_F2));
    command(MainMenu::Edit, "mnuBaKop", TextId::MenuCopy, "sepBaAendern", &EditCommands::copyMarked);
    command(MainMenu::Settings, "mnuEinstAuto", TextId::MenuEditAssistant, "sepEinstGeraet",
            &EditCommands::editAssistant);
    astro_->addCommands(menu);
    command(MainMenu::Settings, "mnu_Einst_Ft", TextId::MenuHolidays, "sepEinstGeraet", &EditCommands::editHolidays);
    updateCommands();
}

void EditCommands::updateCommands()
{
    if (!menu_)
        return;
    const int ansicht = list_.Ansicht();
    const bool program = ctx_.model.AktSlot == kProgramSlot;
    // Only the program's own entries are deleted and changed; the sample's
    // are copied into it. Table rows and astro times get their own editors.
    const bool astro = ansicht == AnsichtAstrozeiten;
    menu_->action(QStringLiteral("mnuBalö"))->setEnabled(program);
    menu_->action(QStringLiteral("mnuBaÄnd"))->setEnabled(program && (isEditableView(ansicht) || astro));
    astro_->updateCommands();
    menu_->action(QStringLiteral("mnuBaKop"))->setEnabled(isEditableView(ansicht));
}

EntrySource EditCommands::markedSource() const
{
    EntrySource source;
    source.slot = ctx_.model.AktSlot;
    source.display = list_.list().display;
    const QList<int> rows = list_.markedRows();
    if (!rows.isEmpty())
        source.marks = MarkRange::fromGrid(rows.first(), rows.last());
    return source;
}

void EditCommands::openEntry(int ansicht, int eingabeModus)
{
    const EntryContext entryCtx{ctx_.model, ctx_.texts, ctx_.ui, ctx_.assistant, ctx_.holidays};
    const EntrySource source = eingabeModus == EingabeNeu ? EntrySource{} : markedSource();
    EntryDialog* dialog = nullptr;
    if (ansicht == AnsichtPrioritaetszeiten) {
        auto* pz = new FrmEingPZ(entryCtx, eingabeModus, source, &frame_.frameWindow());
        connect(pz, &FrmEingPZ::holidaysRequested, this, [this, pz] { openHolidays(pz, pz); });
        dialog = pz;
    } else
        dialog = new FrmEingSz(entryCtx, eingabeModus, source, &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const OpenResult open = dialog->check();
    if (open != OpenResult::Ready) {
        delete dialog;
        if (open == OpenResult::MemoryFull)
            ctx_.ui.ask(*EntryMessage(EntryResult::MemoryFull, ansicht == AnsichtPrioritaetszeiten));
        else
            ctx_.ui.beep();
        return;
    }
    // What was stored shows at once; closing sorts the program into list order.
    connect(dialog, &EntryDialog::stored, this, [this, ansicht] { frame_.showView(ansicht, kProgramSlot); });
    connect(dialog, &EntryDialog::okForAllRunning, this, [this](bool running) {
        if (running)
            frame_.history().beginGroup();
        else
            frame_.history().endGroup();
    });
    // A run still going when the dialog closes ends with it.
    connect(dialog, &QDialog::finished, this, [this] { frame_.history().endGroup(); });
    connect(dialog, &QDialog::finished, this, [this] { frame_.ShowList(); });
    dialog->open();
}

void EditCommands::enterSwitchingTimes()
{
    openEntry(AnsichtSchaltzeiten, EingabeNeu);
}

void EditCommands::enterPriorityTimes()
{
    openEntry(AnsichtPrioritaetszeiten, EingabeNeu);
}

void EditCommands::enterDstTable()
{
    openDstTable(SoWiNeu);
}

void EditCommands::openDstTable(int modus)
{
    int first = -1;
    int last = -1;
    if (modus != SoWiNeu) {
        const QList<int> rows = list_.markedRows();
        if (!rows.isEmpty()) {
            const MarkRange marks = MarkRange::fromGrid(rows.first(), rows.last())
                                        .within(ctx_.model.slot(ctx_.model.AktSlot).AnzSoWi);
            if (!marks.empty()) {
                first = marks.MarkAnfang;
                last = marks.MarkEnde;
            }
        }
    }
    auto* dialog = new FrmEinSW(ctx_.model, ctx_.texts, ctx_.ui, ctx_.assistant, modus,
                                modus == SoWiNeu ? kProgramSlot : ctx_.model.AktSlot, first, last,
                                &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    switch (dialog->check()) {
    case SoWiTabelleEingabe::Open::Ready:
        break;
    case SoWiTabelleEingabe::Open::TableFull:
        delete dialog;
        ctx_.ui.ask(Prompt::message(Icon::Critical, {TextId::MemoryFull}));
        return;
    case SoWiTabelleEingabe::Open::NothingMarked:
        delete dialog;
        ctx_.ui.beep();
        return;
    }
    connect(dialog, &FrmEinSW::stored, this,
            [this] { frame_.showView(AnsichtSoWiTabelle, kProgramSlot); });
    connect(dialog, &QDialog::finished, this, [this] { frame_.ShowList(); });
    dialog->open();
}

void EditCommands::editHolidays()
{
    openHolidays(&frame_.frameWindow(), nullptr);
}

void EditCommands::openHolidays(QWidget* parent, FrmEingPZ* follower)
{
    const QString file = QDir(ctx_.workDir).filePath(ctx_.texts(TextId::HolidayFileName));
    auto* dialog = new FrmFeiertage(ctx_.holidays, ctx_.model.device, ctx_.texts, ctx_.ui, file, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (follower)
        connect(dialog, &FrmFeiertage::tableChanged, follower, &FrmEingPZ::refreshHolidays);
    // The list names movable priority times by the holidays.
    connect(dialog, &FrmFeiertage::tableChanged, this, [this] { frame_.ShowList(); });
    dialog->open();
}

void EditCommands::changeMarked()
{
    if (list_.Ansicht() == AnsichtAstrozeiten)
        astro_->editMarked(AstroEditAendern);
    else if (list_.Ansicht() == AnsichtSoWiTabelle)
        openDstTable(SoWiAendern);
    else if (isEntryView(list_.Ansicht()))
        openEntry(list_.Ansicht(), EingabeAendern);
}

void EditCommands::copyMarked()
{
    if (list_.Ansicht() == AnsichtSoWiTabelle)
        openDstTable(SoWiKopieren);
    else if (isEntryView(list_.Ansicht()))
        openEntry(list_.Ansicht(), EingabeKopieren);
}

void EditCommands::deleteMarked()
{
    if (list_.Ansicht() == AnsichtAstrozeiten) {
        astro_->editMarked(AstroEditLoeschen);
        return;
    }
    const QList<int> rows = list_.markedRows();
    const MarkRange marks = rows.isEmpty() ? MarkRange{} : MarkRange::fromGrid(rows.first(), rows.last());
    const DeleteResult result =
        DeleteMarkedRows(ctx_.model, list_.Ansicht(), ctx_.model.AktSlot, list_.list().display, marks, ctx_.ui);
    if (const std::optional<Prompt> message = DeleteMessage(result))
        ctx_.ui.ask(*message);
    if (result == DeleteResult::Deleted) {
        frame_.ShowList();
        list_.grid()->clearSelection();
    }
}

void EditCommands::editAssistant()
{
    auto* dialog = new FrmAutoEinst(ctx_.assistant, ctx_.texts, ctx_.model.eib(), &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void EditCommands::rowActivated(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    // A double click on an astro time edits that cell.
    if (list_.Ansicht() == AnsichtAstrozeiten) {
        if (IsAstroTimeColumn(index.column()))
            changeMarked();
        return;
    }
    const bool hasItem = index.row() < static_cast<int>(list_.list().rows.size());
    switch (DoubleClickActionFor(list_.Ansicht(), ctx_.model.AktSlot, hasItem)) {
    case DoubleClickAction::Change:
        changeMarked();
        break;
    case DoubleClickAction::Copy:
        copyMarked();
        break;
    case DoubleClickAction::NewEntry:
        if (list_.Ansicht() == AnsichtSoWiTabelle)
            openDstTable(SoWiNeu);
        else if (isEntryView(list_.Ansicht()))
            openEntry(list_.Ansicht(), EingabeNeu);
        break;
    case DoubleClickAction::None:
        break;
    }
}

bool EditCommands::peek(QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    int ansicht = list_.Ansicht();
    if (event->type() == QEvent::MouseButtonRelease) {
        if (!peek_.release(ansicht, ctx_.filter))
            return false;
    } else {
        const QModelIndex index = list_.grid()->indexAt(mouse->position().toPoint());
        // The grid has not moved its selection to the pressed cell yet.
        const QList<int> marked = list_.markedRows();
        const int selectionStart = marked.isEmpty() ? 0 : marked.first();
        if (!index.isValid()
            || !peek_.press(ansicht, ctx_.model.AktSlot, ctx_.model.device.Uhrentyp, selectionStart, index.column(),
                            index.data().toString(), ctx_.filter))
            return false;
    }
    frame_.showView(ansicht, ctx_.model.AktSlot);
    return true;
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event)
{
    QTableView* grid = list_.grid();
    if (watched == grid->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            if (peek(event))
                return true;
            // Marking astro times by dragging opens the cell editor on release.
            if (event->type() == QEvent::MouseButtonRelease && list_.Ansicht() == AnsichtAstrozeiten
                && ctx_.model.AktSlot == kProgramSlot) {
                QTimer::singleShot(0, this, [this] {
                    if (astro_->markedSeveralTimes())
                        astro_->editMarked(AstroEditAendern);
                });
            }
            return false;
        default:
            break;
        }
    } else if (watched == grid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            deleteMarked();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            rowActivated(grid->currentIndex());
            return true;
        }
        if (key->key() == Qt::Key_Insert && list_.Ansicht() == AnsichtSoWiTabelle) {
            openDstTable(SoWiNeu);
            return true;
        }
        if (key->key() == Qt::Key_Insert && isEntryView(list_.Ansicht())) {
            openEntry(list_.Ansicht(), EingabeNeu);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zendrik
