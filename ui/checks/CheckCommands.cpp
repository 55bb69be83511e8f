#include "ui/checks/CheckCommands.h"

#include "app/FileChooser.h"
#include "app/FileCommands.h"
#include "calendar/FeiertagTexts.h"
#include "calendar/SoWiTabelleEingabe.h"
#include "calendar/SoWiZeitzone.h"
#include "editing/ListAnsicht.h"
#include "language/TextTable.h"
#include "model/FileNames.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "ui/checks/CheckDock.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/checks/FrmVergleich.h"
#include "ui/frame/MainMenu.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/simulation/FrmGrafik.h"
#include "util/CalendarMath.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace zendrik {

namespace T = checkwindowtexts;

CheckCommands::CheckCommands(const DesktopContext& ctx, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(ctx), frame_(frame)
{
}

void CheckCommands::addCommands(MainMenu& menu)
{
    menu_ = &menu;
    QAction* check = menu.addCommand(MainMenu::Edit, QStringLiteral("mnuBaPruefen"), T::kMenuCheck);
    connect(check, &QAction::triggered, this, &CheckCommands::showChecks);
    const QString before = QStringLiteral("sepDatDruck");
    connect(menu.addCommand(MainMenu::File, QStringLiteral("mnuDatVergl"), T::kMenuCompareFile, before),
            &QAction::triggered, this, &CheckCommands::compareWithFile);
    connect(menu.addCommand(MainMenu::File, QStringLiteral("mnuDatVerglVorl"), T::kMenuCompareSample, before),
            &QAction::triggered, this, &CheckCommands::compareWithSample);
}

void CheckCommands::showChecks()
{
    frame_.commitHeader();
    if (!dock_) {
        dock_ = new CheckDock(ctx_.model, ctx_.texts, &frame_.frameWindow());
        frame_.dockRight(dock_);
        connect(dock_, &CheckDock::findingActivated, this, &CheckCommands::showFinding);
        connect(dock_, &CheckDock::findingsChanged, this, &CheckCommands::updateMarks);
        connect(dock_, &CheckDock::fillTableFromZone, this, &CheckCommands::fillTableFromZone);
        // A closed dock leaves no marks in the list; opened again it checks.
        connect(dock_, &QDockWidget::visibilityChanged, this, [this] {
            programChanged();
            updateMarks();
        });
        updateMarks();
    }
    dock_->show();
    dock_->raise();
    programChanged();
}

void CheckCommands::programChanged()
{
    if (dock_ && !dock_->isHidden())
        dock_->programChanged();
}

void CheckCommands::updateMarks()
{
    // The marks name entries of the program; the list's rows find them.
    frame_.listWindow().setMarks(dock_ && !dock_->isHidden() ? dock_->marks() : EntryMarks{});
}

void CheckCommands::updateCommands(bool sampleOpen)
{
    if (!menu_)
        return;
    if (QAction* a = menu_->action(QStringLiteral("mnuDatVerglVorl")))
        a->setEnabled(sampleOpen);
}

void CheckCommands::retranslate()
{
    if (dock_)
        dock_->retranslate();
}

void CheckCommands::showFinding(int index)
{
    if (!dock_ || index < 0 || index >= static_cast<int>(dock_->findings().size()))
        return;
    // A copy: showing rows shows the list again, which may check again.
    const Finding f = dock_->findings()[static_cast<std::size_t>(index)];
    if (!f.entries.empty())
        frame_.showEntries(f.entries);
    FrmGrafik* sim = frame_.simulationWindow();
    if (sim && f.day > 0) {
        if (f.channel >= 0)
            sim->showChannel(f.channel);
        sim->showDay(DayOfYear(std::min(f.day, TageImMonat(f.month, sim->simJahr())), f.month, sim->simJahr()));
    }
}

void CheckCommands::fillTableFromZone(const QByteArray& zone, int year)
{
    if (ctx_.model.program().AnzSoWi > 0
        && ctx_.ui.ask(Prompt::question(Buttons::YesNo, Icon::Question, {kSwReplaceTable})) != Answer::Yes)
        return;
    const SoWiFillResult filled = FillSoWiTabelleFuerJahr(ctx_.model, zone, year);
    if (const std::optional<Prompt> m = SoWiZoneMessage(filled.zone, filled.year, QString::fromLatin1(zone), ctx_.texts)) {
        ctx_.ui.ask(*m);
        return;
    }
    frame_.showView(AnsichtSoWiTabelle, kProgramSlot);
    frame_.ShowList();
    programChanged();
}

QString CheckCommands::programSideName() const
{
    // The program as edited is not its file once it was changed: both sides
    // of a comparison with its own file would otherwise carry one name.
    if (ctx_.model.Geaendert != 0)
        return ctx_.texts(T::kModifiedProgram);
    const QString name = FileTitle(ctx_.model.program().Dateiname);
    return name.isEmpty() ? ctx_.texts(T::kThisProgram) : name;
}

void CheckCommands::compareWithFile()
{
    frame_.commitHeader();
    compareWithChosenFile(kProgramSlot, programSideName());
}

QString CheckCommands::slotSideName(int slot) const
{
    if (slot != kSampleSlot)
        return programSideName();
    return ctx_.texts(T::kSample) + QStringLiteral(" ") + FileTitle(ctx_.model.slot(kSampleSlot).Dateiname);
}

void CheckCommands::compareBehaviourWithFile(int slot, int year, int channel)
{
    frame_.commitHeader();
    if (FrmVergleich* window = compareWithChosenFile(slot, slotSideName(slot)))
        window->showBehaviour(year, channel);
}

FrmVergleich* CheckCommands::compareWithChosenFile(int slot, const QString& firstName)
{
    const QString path = ctx_.commands.chooser().chooseOpenFile();
    if (path.isEmpty())
        return nullptr;
    // The file goes into a model of its own, set up as the program's.
    ProgramModel other = ctx_.model;
    if (const int result = LoadProgram(other, path, kProgramSlot); result != LoadOk) {
        ctx_.ui.ask(LoadResultMessage(result, ctx_.model.device.BrandIndex, path));
        return nullptr;
    }
    // The file by its path: a file of the same name may lie in another folder.
    auto* window = new FrmVergleich(ctx_.model, slot, firstName, other, kProgramSlot,
                                    QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), ctx_.texts,
                                    &frame_.frameWindow());
    showComparison(window, slot);
    return window;
}

void CheckCommands::compareWithSample()
{
    frame_.commitHeader();
    const ProgramSlot& sample = ctx_.model.slot(kSampleSlot);
    if (sample.Dateiname.isEmpty())
        return;
    showComparison(new FrmVergleich(ctx_.model, kProgramSlot, programSideName(), ctx_.model, kSampleSlot,
                                    slotSideName(kSampleSlot), ctx_.texts, &frame_.frameWindow()),
                   kProgramSlot);
}

void CheckCommands::offerComparisonAfterRead()
{
    const Prompt offer = Prompt::question(Buttons::YesNo, Icon::Question, {T::kOfferCompare});
    if (ctx_.ui.ask(offer) == Answer::Yes)
        compareWithChosenFile(kProgramSlot, ctx_.texts(T::kReadProgram));
}

FrmVergleich* CheckCommands::comparison() const
{
    return comparison_.data();
}

void CheckCommands::showComparison(FrmVergleich* window, int slot)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    // When the first program is the one being edited, a double click on one
    // of its entries shows the entry in the list.
    if (slot == kProgramSlot)
        connect(window, &FrmVergleich::entryRequested, this, [this](int entry) { frame_.showEntry(entry); });
    comparison_ = window;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace zendrik
