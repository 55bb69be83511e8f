#include "ui/site/SiteDock.h"

#include "editing/checks/ProgramChecks.h"
#include "language/TextTable.h"
#include "ui/checks/SeverityColour.h"
#include "model/DeviceTypes.h"
#include "site/SiteFile.h"
#include "site/SiteState.h"
#include "ui/site/SiteWindowTexts.h"

#include <QGridLayout>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendrik {

namespace T = sitewindowtexts;

namespace {

QColor TransferColour(SiteTransferState s)
{
    switch (s) {
    case SiteTransferState::UpToDate:
        return OkColour();
    case SiteTransferState::Failed:
        return SeverityColour(Severity::Error);
    case SiteTransferState::ChangedSince:
        return SeverityColour(Severity::Warning);
    case SiteTransferState::Never:
        break;
    }
    return QApplication::palette().color(QPalette::Text);
}

// How the device is reached, short: the bus address, the chip's port, "IR 1"
// (the tip says it whole).
QString AddressText(const SiteDevice& d)
{
    switch (d.link) {
    case SiteLinkKind::Bus:
        return d.address;
    case SiteLinkKind::Chip:
        // "/dev/ttyUSB0" as "ttyUSB0", "COM3" as it is.
        return d.port.section(QLatin1Char('/'), -1);
    case SiteLinkKind::Ir:
        return QStringLiteral("IR ") + d.port;
    case SiteLinkKind::None:
        break;
    }
    return QStringLiteral("–");
}

struct Command {
    const char* name;
    const ExtraText* caption;
    void (SiteDock::*signal)();
};

const Command kCommands[] = {
    {"cmdAnlagePruefen", &T::kButtonCheck, &SiteDock::checkRequested},
    {"cmdAnlageSchreiben", &T::kButtonWrite, &SiteDock::writeRequested},
    {"cmdAnlageLesen", &T::kButtonRead, &SiteDock::readRequested},
    {"cmdAnlageAendern", &T::kButtonChange, &SiteDock::changeRequested},
    {"cmdAnlageProtokoll", &T::kButtonHandover, &SiteDock::handoverRequested},
    {"cmdAnlageGeraet", &T::kButtonAdd, &SiteDock::addRequested},
    {"cmdAnlageHilfe", &T::kButtonHelp, &SiteDock::helpRequested},
};

} // namespace

SiteDock::SiteDock(const TextTable& texts, int brandIndex, QWidget* parent)
    : QDockWidget(parent), texts_(texts), brandIndex_(brandIndex)
{
    setObjectName(QStringLiteral("dockAnlage"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(this);
    // The commands in two rows of buttons: a toolbar would hide the last
    // ones behind its extension arrow in a dock as narrow as a small screen allows.
    auto* commands = new QGridLayout;
    commands->setSpacing(4);
    constexpr int kPerRow = 4;
    int i = 0;
    for (const Command& c : kCommands) {
        auto* b = new QPushButton(body);
        b->setObjectName(QString::fromLatin1(c.name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, c.signal);
        commands->addWidget(b, i / kPerRow, i % kPerRow);
        buttons_.push_back(b);
        ++i;
    }
    table_ = new QTableWidget(body);
    table_->setObjectName(QStringLiteral("tblAnlage"));
    table_->setColumnCount(ColumnCount);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Every column but the location shows whole; the location takes what is
    // left and elides (its tip says it whole), so a narrow dock needs no
    // scrolling to see whether a device is up to date.
    QHeaderView* header = table_->horizontalHeader();
    for (int c = 0; c < ColumnCount; ++c)
        header->setSectionResizeMode(c, c == ColLocation ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    lblHint_ = new QLabel(body);
    lblHint_->setObjectName(QStringLiteral("lblAnlageHinweis"));
    lblHint_->setWordWrap(true);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(commands);
    layout->addWidget(table_, 1);
    layout->addWidget(lblHint_);
    setWidget(body);
    // A double click or Enter (the platform's activation).
    connect(table_, &QTableWidget::cellActivated, this, [this](int row, int) { emit deviceActivated(row); });
    retranslate();
}

void SiteDock::retranslate()
{
    setWindowTitle(texts_(T::kDockTitle).arg(siteName_));
    table_->setHorizontalHeaderLabels({texts_(T::kColumnName), texts_(T::kColumnType), texts_(T::kColumnLocation),
                                       texts_(T::kColumnAddress), texts_(T::kColumnCheck),
                                       texts_(T::kColumnTransfer)});
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setText(texts_(*kCommands[i].caption));
    lblHint_->setText(texts_(T::kOpenHint));
}

int SiteDock::currentDevice() const
{
    return table_->currentRow();
}

void SiteDock::showCheck(QTableWidgetItem* item, Severity severity, const QString& text) const
{
    // An icon keeps the column narrow; the severity's name (or the mark) is
    // its tip and what a screen reader says.
    const QStyle::StandardPixmap icon = severity == Severity::Error     ? QStyle::SP_MessageBoxCritical
                                        : severity == Severity::Warning ? QStyle::SP_MessageBoxWarning
                                                                        : QStyle::SP_MessageBoxInformation;
    item->setIcon(style()->standardIcon(icon));
    item->setToolTip(text);
    item->setData(Qt::AccessibleTextRole, text);
}

void SiteDock::showSite(const Site& site, const std::vector<SiteDeviceCheck>& checks)
{
    siteName_ = site.name;
    setWindowTitle(texts_(T::kDockTitle).arg(siteName_));
    const int current = table_->currentRow();
    const ExtraLanguage language = texts_.extraLanguage();
    table_->setRowCount(static_cast<int>(site.devices.size()));
    const QIcon markIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const SiteDevice& d = site.devices[static_cast<std::size_t>(row)];
        const auto cell = [this, row](int column, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            table_->setItem(row, column, item);
            return item;
        };
        QTableWidgetItem* name = cell(ColName, d.name);
        // The type's row number keeps the column narrow; its name is the tip.
        const bool known = d.type >= 1 && d.type <= kDeviceTypeRows;
        cell(ColType, QString::number(d.type))
            ->setToolTip(known ? DeviceTypeName(d.type, brandIndex_, language) : QString());
        cell(ColLocation, d.location)->setToolTip(d.location);
        cell(ColAddress, AddressText(d))->setToolTip(SiteLinkText(d));
        QTableWidgetItem* check = cell(ColCheck, QString());
        QTableWidgetItem* transfer = cell(ColTransfer, QString());
        if (d.mark != SiteDeviceMark::None) {
            // A device that cannot be used as it stands says why in every
            // column that would need its program.
            const QString why = SiteDeviceMarkText(d.mark, language);
            name->setIcon(markIcon);
            name->setToolTip(why);
            showCheck(check, Severity::Error, why);
            transfer->setText(why);
            transfer->setForeground(SeverityColour(Severity::Error));
            continue;
        }
        name->setToolTip(d.program);
        if (static_cast<std::size_t>(row) < checks.size()) {
            const SiteDeviceCheck& c = checks[static_cast<std::size_t>(row)];
            if (c.hasFinding)
                showCheck(check, c.worst, texts_(SeverityName(c.worst)));
            else
                check->setText(texts_(T::kCheckNone));
        } else {
            check->setText(texts_(T::kCheckNotRun));
        }
        const SiteTransferState state = DeviceTransferState(site, d);
        transfer->setText(TransferStateText(state, language));
        transfer->setForeground(TransferColour(state));
    }
    if (current >= 0 && current < table_->rowCount())
        table_->selectRow(current);
}

} // namespace zendrik
