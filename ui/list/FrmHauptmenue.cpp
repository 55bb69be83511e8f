#include "ui/list/FrmHauptmenue.h"

#include "calendar/FeiertagTabelle.h"
#include "editing/ColumnSort.h"
#include "editing/ListFilter.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"
#include "ui/frame/MainMenu.h"
#include "ui/list/ListTableModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

// Twips are 1/1440 inch.
constexpr int kTwipsPerInch = 1440;

// Shows the hourglass while the list is built.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

struct ViewCommand {
    const char* objectName;
    TextId caption;
    int ansicht;
    int slot;
};

// The window menu's views: the program's, then the sample's.
constexpr ViewCommand kViews[] = {
    {"mnuANSSz", TextId::MenuViewSwitchingTimes, AnsichtSchaltzeiten, kProgramSlot},
    {"mnuAnsPz", TextId::MenuViewPriorityTimes, AnsichtPrioritaetszeiten, kProgramSlot},
    {"mnuAnsSw", TextId::MenuViewDstTable, AnsichtSoWiTabelle, kProgramSlot},
    {"mnuAnsAsz", TextId::AstroTimes, AnsichtAstrozeiten, kProgramSlot},
    {"mnuAnsSzVorl", TextId::MenuViewSampleSwitchingTimes, AnsichtSchaltzeiten, kSampleSlot},
    {"mnuAnsPzVorl", TextId::MenuViewSamplePriorityTimes, AnsichtPrioritaetszeiten, kSampleSlot},
    {"mnuAnsSWVorl", TextId::MenuViewSampleDstTable, AnsichtSoWiTabelle, kSampleSlot},
};

} // namespace

FrmHauptmenue::FrmHauptmenue(ProgramModel& model, const TextTable& texts, const ListFilter& filter,
                             const FeiertagTabelle& holidays, QWidget* parent)
    : QWidget(parent), model_(model), texts_(texts), filter_(filter), holidays_(holidays)
{
    setObjectName(QStringLiteral("frmHauptmenue"));
    setProperty("Tag", QStringLiteral("Hauptmenü"));

    table_ = new ListTableModel(this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("GrdDisplSz"));
    grid_->setModel(table_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setAlternatingRowColors(true);
    grid_->setWordWrap(false);
    grid_->setCornerButtonEnabled(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The bus device has four astro channels; its astro view shows one.
    lblAstroKanal_ = new QLabel(this);
    cboAstroKanal_ = new QComboBox(this);
    cboAstroKanal_->setObjectName(QStringLiteral("cboAstroKanal"));
    for (int c = 1; c <= kAstroChannels; ++c)
        cboAstroKanal_->addItem(QStringLiteral("C") + QString::number(c));
    lblAstroKanal_->setBuddy(cboAstroKanal_);
    auto* astroBar = new QHBoxLayout;
    astroBar->setContentsMargins(8, 6, 8, 6);
    astroBar->addWidget(lblAstroKanal_);
    astroBar->addWidget(cboAstroKanal_);
    astroBar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(astroBar);
    layout->addWidget(grid_);
    connect(cboAstroKanal_, &QComboBox::activated, this, [this] { ShowList(slot_); });
    retranslate();

    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &FrmHauptmenue::headingClicked);
}

int FrmHauptmenue::astroChannel() const
{
    // Only a device with a table per astro channel offers the choice.
    return HasAstroTablePerChannel(model_.device.Uhrentyp) ? std::max(cboAstroKanal_->currentIndex(), 0) : 0;
}

const ProgramList& FrmHauptmenue::list() const
{
    return table_->list();
}

ListSources FrmHauptmenue::sources() const
{
    ListSources sources;
    sources.astroChannel = ansicht_ == AnsichtAstrozeiten ? astroChannel() : 0;
    if (holidays_.AnzFeiertage() > 0)
        sources.holidayName = [this](int offset) { return holidays_.FeiertagName(offset + kEasterOffsetBias); };
    return sources;
}

void FrmHauptmenue::ShowList(int slot)
{
    const WaitCursor wait;
    slot_ = slot;
    const bool channelChoice = ansicht_ == AnsichtAstrozeiten && HasAstroTablePerChannel(model_.device.Uhrentyp);
    lblAstroKanal_->setVisible(channelChoice);
    cboAstroKanal_->setVisible(channelChoice);
    // Astro times are edited cell by cell, the other lists row by row.
    grid_->setSelectionBehavior(ansicht_ == AnsichtAstrozeiten ? QAbstractItemView::SelectItems
                                                               : QAbstractItemView::SelectRows);
    ProgramList list = ProgramList::Build(model_, texts_, filter_, ansicht_, slot, sources());
    const int rows = list.gridRows(minZeilen_);
    table_->show(std::move(list), rows);
    applyColumnWidths();
    showSortIndicator();
    setWindowTitle(table_->list().caption);
    emit listChanged();
}

void FrmHauptmenue::applyColumnWidths()
{
    const int dpi = logicalDpiX();
    for (int c = 0; c < table_->columnCount(); ++c)
        grid_->setColumnWidth(c, table_->widthTwips(c) * dpi / kTwipsPerInch);
}

void FrmHauptmenue::headingClicked(int column)
{
    if (SortByColumnClick(model_, ansicht_, column))
        ShowList(model_.AktSlot);
    else
        showSortIndicator();
}

void FrmHauptmenue::showSortIndicator()
{
    // The list sorts one way only: the indicator marks the column, always ascending.
    QHeaderView* header = grid_->horizontalHeader();
    const int column = SortIndicatorColumn(model_, ansicht_);
    header->setSortIndicatorShown(column >= 0);
    header->setSortIndicator(column, Qt::AscendingOrder);
}

QList<int> FrmHauptmenue::markedRows() const
{
    QList<int> rows;
    const QModelIndexList selected = grid_->selectionModel()->selectedRows();
    for (const QModelIndex& index : selected)
        rows << index.row() + 1;
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<int> FrmHauptmenue::markedEntries() const
{
    std::vector<int> entries;
    for (const int row : markedRows()) {
        if (const int entry = list().entryIndexOfRow(row); entry >= 0)
            entries.push_back(entry);
    }
    return entries;
}

bool FrmHauptmenue::selectEntry(int entry)
{
    const std::vector<int>& shown = list().display.AnzeigeIndex;
    const auto it = std::find(shown.begin(), shown.end(), entry);
    if (it == shown.end())
        return false;
    const int row = static_cast<int>(it - shown.begin());
    grid_->selectRow(row);
    grid_->scrollTo(table_->index(row, 0));
    return true;
}

int FrmHauptmenue::selectEntries(const std::vector<int>& entries)
{
    const std::vector<int>& shown = list().display.AnzeigeIndex;
    QItemSelection selection;
    int first = -1;
    int count = 0;
    for (int row = 0; row < static_cast<int>(shown.size()); ++row) {
        if (std::find(entries.begin(), entries.end(), shown[static_cast<std::size_t>(row)]) == entries.end())
            continue;
        selection.select(table_->index(row, 0), table_->index(row, std::max(0, table_->columnCount() - 1)));
        if (first < 0)
            first = row;
        ++count;
    }
    grid_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (first >= 0) {
        grid_->selectionModel()->setCurrentIndex(table_->index(first, 0), QItemSelectionModel::NoUpdate);
        grid_->scrollTo(table_->index(first, 0));
    }
    return count;
}

void FrmHauptmenue::setMarks(EntryMarks marks)
{
    table_->setMarks(std::move(marks));
}

void FrmHauptmenue::addViewCommands(MainMenu& menu)
{
    for (const ViewCommand& v : kViews) {
        const QString before = v.slot == kProgramSlot ? QStringLiteral("sepAnsVorl") : QStringLiteral("sepAnsGrafik");
        QAction* a = menu.addView(QString::fromUtf8(v.objectName), v.caption, before);
        a->setProperty("Ansicht", v.ansicht);
        a->setProperty("Slot", v.slot);
    }
}

void FrmHauptmenue::enableViews(MainMenu& menu, bool sampleOpen)
{
    const bool astro = HasAstro(model_.device.Uhrentyp);
    for (const ViewCommand& v : kViews) {
        QAction* a = menu.action(QString::fromUtf8(v.objectName));
        if (v.slot == kSampleSlot)
            a->setEnabled(sampleOpen);
        else if (v.ansicht == AnsichtAstrozeiten)
            a->setEnabled(astro);
    }
}

void FrmHauptmenue::retranslate()
{
    lblAstroKanal_->setText(texts_(TextId::ChannelWord));
}

int FrmHauptmenue::rowsThatFit() const
{
    const int rowHeight = std::max(1, grid_->verticalHeader()->defaultSectionSize());
    const int available = grid_->viewport()->height();
    return std::max(2, available / rowHeight + 1);
}

void FrmHauptmenue::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int fit = rowsThatFit();
    if (fit != minZeilen_) {
        minZeilen_ = fit;
        // Only the number of empty rows changes; the list stays as built.
        ProgramList shown = table_->list();
        const int rows = shown.gridRows(minZeilen_);
        table_->show(std::move(shown), rows);
        applyColumnWidths();
    }
}

} // namespace zendrik
