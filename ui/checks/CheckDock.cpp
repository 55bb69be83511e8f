#include "ui/checks/CheckDock.h"

#include "editing/checks/ProgramChecks.h"
#include "language/TextTable.h"
#include "ui/checks/SeverityColour.h"
#include "model/ProgramModel.h"
#include "ui/checks/CheckWindowTexts.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zendrik {

namespace T = checkwindowtexts;

namespace {

constexpr int kColumnSeverity = 0;
constexpr int kColumnRows = 1;
constexpr int kColumnMessage = 2;
constexpr int kFindingIndexRole = Qt::UserRole + 1;

} // namespace

CheckDock::CheckDock(const ProgramModel& model, const TextTable& texts, QWidget* parent)
    : QDockWidget(parent), model_(model), texts_(texts)
{
    setObjectName(QStringLiteral("dockPruefung"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(this);
    lblSummary_ = new QLabel(body);
    lblSummary_->setObjectName(QStringLiteral("lblBefunde"));
    // Wrapped, the summary does not widen the dock at the list's expense.
    lblSummary_->setWordWrap(true);
    list_ = new QTreeWidget(body);
    list_->setObjectName(QStringLiteral("lstBefunde"));
    list_->setColumnCount(3);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setWordWrap(false);
    list_->header()->setStretchLastSection(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The chosen finding in full, with what its check looks for.
    lblDetail_ = new QLabel(body);
    lblDetail_->setObjectName(QStringLiteral("lblBefund"));
    lblDetail_->setWordWrap(true);
    lblDetail_->setTextFormat(Qt::PlainText);
    lblDetail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDetail_->setMinimumHeight(fontMetrics().lineSpacing() * 5);
    // Shown with a finding that a table from its time zone mends.
    cmdZone_ = new QPushButton(body);
    cmdZone_->setObjectName(QStringLiteral("cmdTabelleAusZone"));
    cmdZone_->setVisible(false);
    connect(cmdZone_, &QPushButton::clicked, this, [this] {
        const QTreeWidgetItem* item = list_->currentItem();
        const int index = item ? item->data(kColumnSeverity, kFindingIndexRole).toInt() : -1;
        if (index >= 0 && index < static_cast<int>(findings_.size()))
            emit fillTableFromZone(findings_[static_cast<std::size_t>(index)].zone, year_);
    });
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(lblSummary_);
    layout->addWidget(list_, 1);
    layout->addWidget(lblDetail_);
    layout->addWidget(cmdZone_, 0, Qt::AlignLeft);
    setWidget(body);
    connect(list_, &QTreeWidget::currentItemChanged, this, &CheckDock::showDetail);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit findingActivated(item->data(kColumnSeverity, kFindingIndexRole).toInt());
    });
    retranslate();
}

void CheckDock::retranslate()
{
    setWindowTitle(texts_(T::kDockTitle));
    cmdZone_->setText(texts_(T::kFillFromZone));
    list_->setHeaderLabels({texts_(T::kColumnSeverity), texts_(T::kColumnRows), texts_(T::kColumnMessage)});
    // The messages are made in the language of the table: make them afresh.
    checked_.reset();
    programChanged();
}

void CheckDock::programChanged()
{
    const int year = model_.currentYear();
    if (checked_ && year == year_ && TakeSnapshot(model_) == *checked_)
        return;
    run();
}

void CheckDock::run()
{
    year_ = model_.currentYear();
    checked_ = TakeSnapshot(model_);
    findings_ = RunAllChecks(model_, texts_, year_);
    fill();
    emit findingsChanged();
}

QString CheckDock::rowsText(const Finding& f) const
{
    QStringList switching;
    QStringList priority;
    for (const int entry : f.entries) {
        const ListRowOfEntry r = ListRowOf(model_, kProgramSlot, entry);
        (r.priorityList ? priority : switching) << QString::number(r.row);
    }
    QStringList parts;
    if (!switching.isEmpty())
        parts << texts_(T::kSwitchingRows).arg(switching.join(QStringLiteral(", ")));
    if (!priority.isEmpty())
        parts << texts_(T::kPriorityRows).arg(priority.join(QStringLiteral(", ")));
    return parts.join(QStringLiteral("; "));
}

void CheckDock::showDetail()
{
    const QTreeWidgetItem* item = list_->currentItem();
    const int index = item ? item->data(kColumnSeverity, kFindingIndexRole).toInt() : -1;
    if (index < 0 || index >= static_cast<int>(findings_.size())) {
        lblDetail_->clear();
        cmdZone_->setVisible(false);
        return;
    }
    const Finding& f = findings_[static_cast<std::size_t>(index)];
    cmdZone_->setVisible(f.check == CheckId::RuleDiffersFromZone && !f.zone.isEmpty());
    if (cmdZone_->isVisibleTo(this))
        cmdZone_->setToolTip(QString::fromLatin1(f.zone));
    lblDetail_->setText(f.message + QStringLiteral("\n\n") + texts_(CheckName(f.check)) + QStringLiteral(": ")
                        + texts_(CheckExplanation(f.check)));
}

void CheckDock::fill()
{
    // The finding chosen before stays chosen when it is still there.
    const QTreeWidgetItem* current = list_->currentItem();
    const QString chosen = current ? current->text(kColumnMessage) : QString();
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        const Finding& f = findings_[i];
        auto* item = new QTreeWidgetItem;
        item->setText(kColumnSeverity, texts_(SeverityName(f.severity)));
        item->setForeground(kColumnSeverity, SeverityColour(f.severity));
        item->setData(kColumnSeverity, kFindingIndexRole, static_cast<int>(i));
        item->setText(kColumnRows, rowsText(f));
        item->setText(kColumnMessage, f.message);
        const QString tip = texts_(CheckName(f.check)) + QStringLiteral(": ") + texts_(CheckExplanation(f.check));
        for (int c = 0; c < 3; ++c)
            item->setToolTip(c, tip);
        items << item;
    }
    list_->addTopLevelItems(items);
    for (QTreeWidgetItem* item : items) {
        if (!chosen.isEmpty() && item->text(kColumnMessage) == chosen) {
            list_->setCurrentItem(item);
            break;
        }
    }
    showDetail();
    for (int c = 0; c < 2; ++c)
        list_->resizeColumnToContents(c);
    const QString year = QString::number(year_);
    lblSummary_->setText(findings_.empty() ? texts_(T::kNoFindings).arg(year)
                                           : texts_(T::kSummary).arg(year).arg(findings_.size()));
}

EntryMarks CheckDock::marks() const
{
    EntryMarks marks;
    for (const Finding& f : findings_) {
        for (const int entry : f.entries) {
            auto [it, added] = marks.try_emplace(entry, EntryMark{f.severity, f.message});
            if (added)
                continue;
            it->second.severity = std::max(it->second.severity, f.severity);
            it->second.messages += QLatin1Char('\n') + f.message;
        }
    }
    return marks;
}

} // namespace zendrik
