#include "ui/astro/AstroCommands.h"

#include "calendar/AstroEingabe.h"
#include "calendar/AstroTexts.h"
#include "editing/AstroCellEdit.h"
#include "editing/ListAnsicht.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "ui/astro/FrmAstro.h"
#include "ui/astro/FrmChangeGridData.h"
#include "ui/frame/MainMenu.h"
#include "ui/list/FrmHauptmenue.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>
#include <map>

namespace zendrik {

AstroCommands::AstroCommands(const DesktopContext& ctx, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(ctx), frame_(frame)
{
}

void AstroCommands::addCommands(MainMenu& menu)
{
    menu_ = &menu;
    QAction* a = menu.addCommand(MainMenu::Edit, QStringLiteral("mnuBaAstro"), TextId::MenuEnterAstro,
                                 QStringLiteral("sepBaEingabe"));
    connect(a, &QAction::triggered, this, &AstroCommands::enterAstro);
    updateCommands();
}

void AstroCommands::updateCommands()
{
    if (!menu_)
        return;
    menu_->action(QStringLiteral("mnuBaAstro"))
        ->setEnabled(HasAstro(ctx_.model.device.Uhrentyp) && ctx_.model.AktSlot == kProgramSlot);
}

void AstroCommands::enterAstro()
{
    frame_.commitHeader();
    // The channel selected above the astro view: C1..C4 on the bus device.
    const QString label = u'C' + QString::number(frame_.listWindow().astroChannel() + 1);
    const AstroChannel channel = AstroChannelOfLabel(ctx_.model.device.Uhrentyp, label);
    if (channel.check != AstroChannelCheck::Ok) {
        ctx_.ui.beep();
        ctx_.ui.ask(Prompt::message(Icon::Critical, {AstroChannelMessage(channel.check, ctx_.texts)}));
        return;
    }
    auto* dialog = new FrmAstro(ctx_.model, ctx_.texts, ctx_.ui, ctx_.workDir, channel.channel, &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this] { frame_.ShowList(); });
    dialog->open();
}

std::vector<AstroCommands::MarkedColumn> AstroCommands::markedColumns() const
{
    std::map<int, MarkedColumn> byColumn;
    const int rows = static_cast<int>(frame_.listWindow().list().rows.size());
    for (const QModelIndex& index : frame_.listWindow().grid()->selectionModel()->selectedIndexes()) {
        const int row = index.row() + 1;
        if (!IsAstroTimeColumn(index.column()) || row > rows)
            continue;
        auto [it, added] = byColumn.try_emplace(index.column(), MarkedColumn{index.column(), row, row});
        it->second.first = std::min(it->second.first, row);
        it->second.last = std::max(it->second.last, row);
    }
    std::vector<MarkedColumn> columns;
    for (const auto& [c, marked] : byColumn)
        columns.push_back(marked);
    return columns;
}

bool AstroCommands::markedSeveralTimes() const
{
    int cells = 0;
    for (const MarkedColumn& c : markedColumns())
        cells += c.last - c.first + 1;
    return cells > 1;
}

void AstroCommands::editMarked(int modus)
{
    if (frame_.listWindow().Ansicht() != AnsichtAstrozeiten || ctx_.model.AktSlot != kProgramSlot)
        return;
    // Only a channel the astro program works on has times to edit.
    if (ctx_.model.program().astro.AstroAktiv[static_cast<std::size_t>(frame_.listWindow().astroChannel() + 1)] == 0) {
        ctx_.ui.beep();
        return;
    }
    std::vector<MarkedColumn> columns = markedColumns();
    if (columns.empty()) {
        ctx_.ui.ask(Prompt::message(Icon::Information, {ctx_.texts(kAstroEditOnlyTimes)}));
        return;
    }
    editColumn(std::move(columns), 0, modus, 0);
}

// One marked column after the other: the editor shows the first marked
// cell; its OK applies to every marked row of that column.
void AstroCommands::editColumn(std::vector<MarkedColumn> columns, std::size_t index, int modus, int outsideDay)
{
    if (index >= columns.size()) {
        frame_.ShowList();
        if (outsideDay > 0)
            ctx_.ui.ask(Prompt::message(Icon::Information, {ctx_.texts(kAstroEditOutsideDay).arg(outsideDay)}));
        return;
    }
    const int channel = frame_.listWindow().astroChannel();
    const MarkedColumn c = columns[index];
    const AstroCellStart start = AstroCellStartValues(ctx_.model, channel, c.first, c.column);
    auto* editor = new FrmChangeGridData(ctx_.model, ctx_.texts, modus, start, &frame_.frameWindow());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::finished, this, [this, editor, columns, index, modus, outsideDay, channel, c] {
        const AstroEditOutcome outcome = ApplyAstroEdit(ctx_.model, channel, c.column, c.first, c.last, editor->result());
        editColumn(columns, index + 1, modus, outsideDay + outcome.outsideDay);
    });
    editor->open();
}

} // namespace zendrik
