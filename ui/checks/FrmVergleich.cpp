#include "ui/checks/FrmVergleich.h"

#include "calendar/BehaviourTexts.h"
#include "editing/checks/ProgramChecks.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "ui/checks/BehaviourPage.h"
#include "ui/checks/CheckWindowTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zendrik {

namespace T = checkwindowtexts;

namespace {

enum Column { ColKind,
              ColFirst,
              ColSecond,
              ColDifference,
              ColumnCount };

// "Sz 3" / "Pz 1": the list row of an entry, empty when it has none.
QString RowText(const ProgramModel& m, int slot, int entry, const TextTable& texts)
{
    if (entry < 0)
        return QString();
    const ListRowOfEntry r = ListRowOf(m, slot, entry);
    return texts(r.priorityList ? T::kPriorityRows : T::kSwitchingRows).arg(r.row);
}

} // namespace

FrmVergleich::FrmVergleich(const ProgramModel& a, int slotA, const QString& nameA, const ProgramModel& b, int slotB,
                           const QString& nameB, const TextTable& texts, QWidget* parent)
    : QDialog(parent), diff_(DiffPrograms(a, slotA, b, slotB))
{
    setObjectName(QStringLiteral("frmVergleich"));
    setWindowTitle(texts(T::kCompareTitle));
    setModal(false);
    resize(1000, 620);

    lblVergleich_ = new QLabel(texts(T::kCompared).arg(nameA, nameB), this);
    lblVergleich_->setObjectName(QStringLiteral("lblVergleich"));
    lblAnzahl_ = new QLabel(this);
    lblAnzahl_->setObjectName(QStringLiteral("lblAnzahl"));
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("grdUnterschiede"));
    grid_->setColumnCount(ColumnCount);
    grid_->setHorizontalHeaderLabels({texts(T::kColumnKind), nameA, nameB, texts(T::kColumnDifference)});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setWordWrap(false);
    grid_->setAlternatingRowColors(true);

    // The lines a reader gets: the header fields, then the entries, in the
    // order of the difference.
    const QStringList lines = DiffLines(diff_, a, slotA, b, slotB, texts);
    const int headerCount = static_cast<int>(diff_.header.size());
    grid_->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        QString kind;
        QString first;
        QString second;
        // Each line starts with its sign ("* ", "- ", "+ ", "~ ").
        const QString text = lines[row].mid(2);
        if (row < headerCount) {
            kind = texts(T::kKindHeader);
        } else {
            const EntryDifference& d = diff_.entries[static_cast<std::size_t>(row - headerCount)];
            first = RowText(a, slotA, d.first, texts);
            second = RowText(b, slotB, d.second, texts);
            kind = d.kind == EntryDiffKind::Changed    ? texts(T::kKindChanged)
                : d.kind == EntryDiffKind::OnlyInFirst ? texts(T::kKindOnlyIn).arg(nameA)
                                                       : texts(T::kKindOnlyIn).arg(nameB);
        }
        const QString cells[ColumnCount] = {kind, first, second, text};
        for (int c = 0; c < ColumnCount; ++c)
            grid_->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    grid_->resizeColumnsToContents();
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this, headerCount](int row, int) {
        const int index = row - headerCount;
        if (index < 0 || index >= static_cast<int>(diff_.entries.size()))
            return;
        if (const int entry = diff_.entries[static_cast<std::size_t>(index)].first; entry >= 0)
            emit entryRequested(entry);
    });
    lblAnzahl_->setText(diff_.empty() ? texts(T::kNoDifferences) : texts(T::kDifferences).arg(lines.size()));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(texts(T::kClose), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdSchliessen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The entries on the first page, the behaviour through a year on the second.
    auto* entries = new QWidget(this);
    entries->setObjectName(QStringLiteral("pagEintraege"));
    auto* entriesLayout = new QVBoxLayout(entries);
    entriesLayout->addWidget(grid_, 1);
    entriesLayout->addWidget(lblAnzahl_);
    behaviour_ = new BehaviourPage(a, slotA, nameA, b, slotB, nameB, texts, this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("tabSeiten"));
    pages_->addTab(entries, texts(T::kEntriesPage));
    pages_->addTab(behaviour_, texts(kBehaviourPage));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblVergleich_);
    layout->addWidget(pages_, 1);
    layout->addWidget(buttons);
}

void FrmVergleich::showBehaviour(int year, int channel)
{
    behaviour_->showYear(year);
    behaviour_->showChannel(channel);
    pages_->setCurrentWidget(behaviour_);
}

QStringList FrmVergleich::rowsText() const
{
    QStringList out;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid_->columnCount(); ++c)
            cells << (grid_->item(r, c) ? grid_->item(r, c)->text() : QString());
        out << cells.join(QLatin1Char('\t'));
    }
    return out;
}

} // namespace zendrik
