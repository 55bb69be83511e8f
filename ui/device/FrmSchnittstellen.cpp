#include "ui/device/FrmSchnittstellen.h"

#include "language/TextTable.h"
#include "transfer/bus/BusTexts.h"
#include "transfer/bus/PhysicalAddress.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zendrik {

namespace {

constexpr int kPollMs = 50;
constexpr int kConnectionRole = Qt::UserRole;

} // namespace

FrmSchnittstellen::FrmSchnittstellen(const TextTable& texts, KnxNetIpDiscovery::Options options,
                                     const QStringList& targets, QWidget* parent)
    : QDialog(parent), texts_(texts), options_(std::move(options))
{
    setObjectName(QStringLiteral("FrmSchnittstellen"));
    setWindowTitle(texts_(kKnxSearchTitle));
    lblSuche_ = new QLabel(this);
    lblSuche_->setObjectName(QStringLiteral("lblSuche"));
    lblSuche_->setWordWrap(true);
    lstSchnittstellen_ = new QTreeWidget(this);
    lstSchnittstellen_->setObjectName(QStringLiteral("lstSchnittstellen"));
    lstSchnittstellen_->setRootIsDecorated(false);
    lstSchnittstellen_->setHeaderLabels({texts_(kKnxColumnName), texts_(kKnxColumnAddress), texts_(kKnxColumnServices),
                                         texts_(kKnxColumnConnection)});
    lstSchnittstellen_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstSchnittstellen_->setMinimumSize(560, 160);
    cmdSuchen_ = new QPushButton(texts_(kKnxSearchAgain), this);
    cmdSuchen_->setObjectName(QStringLiteral("cmdSuchen"));
    cmdUebernehmen_ = new QPushButton(texts_(kKnxTake), this);
    cmdUebernehmen_->setObjectName(QStringLiteral("cmdUebernehmen"));
    cmdUebernehmen_->setDefault(true);
    cmdAbbrechen_ = new QPushButton(texts_(TextId::Cancel), this);
    cmdAbbrechen_->setObjectName(QStringLiteral("cmdAbbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSuchen_);
    buttons->addStretch(1);
    if (!targets.isEmpty()) {
        cboZiel_ = new QComboBox(this);
        cboZiel_->setObjectName(QStringLiteral("cboZiel"));
        cboZiel_->addItems(targets);
        buttons->addWidget(cboZiel_);
    }
    buttons->addWidget(cmdUebernehmen_);
    buttons->addWidget(cmdAbbrechen_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSuche_);
    layout->addWidget(lstSchnittstellen_, 1);
    layout->addLayout(buttons);

    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &FrmSchnittstellen::poll);
    connect(cmdSuchen_, &QPushButton::clicked, this, &FrmSchnittstellen::search);
    connect(cmdUebernehmen_, &QPushButton::clicked, this, &FrmSchnittstellen::take);
    connect(cmdAbbrechen_, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstSchnittstellen_, &QTreeWidget::itemDoubleClicked, this, &FrmSchnittstellen::take);
    connect(lstSchnittstellen_, &QTreeWidget::currentItemChanged, this,
            [this] { cmdUebernehmen_->setEnabled(lstSchnittstellen_->currentItem() != nullptr); });
    search();
}

FrmSchnittstellen::~FrmSchnittstellen() = default;

int FrmSchnittstellen::chosenTarget() const
{
    return cboZiel_ ? cboZiel_->currentIndex() : 0;
}

void FrmSchnittstellen::search()
{
    lstSchnittstellen_->clear();
    cmdUebernehmen_->setEnabled(false);
    cmdSuchen_->setEnabled(false);
    lblSuche_->setText(texts_(kKnxSearching));
    discovery_ = std::make_unique<KnxNetIpDiscovery>(options_);
    if (!discovery_->start()) {
        discovery_.reset();
        lblSuche_->setText(texts_(kKnxSearchNotSent));
        cmdSuchen_->setEnabled(true);
        return;
    }
    timer_->start();
}

void FrmSchnittstellen::poll()
{
    if (!discovery_)
        return;
    discovery_->service(0);
    const bool done = discovery_->finished();
    // Rows appear as the interfaces answer.
    if (static_cast<int>(discovery_->found().size()) != lstSchnittstellen_->topLevelItemCount() || done)
        showFound();
    if (!done)
        return;
    timer_->stop();
    cmdSuchen_->setEnabled(true);
    lblSuche_->setText(discovery_->found().empty() ? texts_(kKnxNoneFound)
                                                   : texts_(kKnxFound).arg(discovery_->found().size()));
}

void FrmSchnittstellen::showFound()
{
    const QString current = lstSchnittstellen_->currentItem()
                                ? lstSchnittstellen_->currentItem()->data(0, kConnectionRole).toString()
                                : QString();
    lstSchnittstellen_->clear();
    for (const KnxIpInterface& i : discovery_->found()) {
        QStringList services;
        if (i.tunnelling())
            services << QStringLiteral("Tunnelling");
        if (i.routing())
            services << QStringLiteral("Routing");
        if (i.info.offers(KnxIp::FamilySecurity))
            services << texts_(kKnxSecureOnly);
        const QStringList connections = i.connections();
        // An interface that offers neither still shows, to be recognised,
        // without a connection to take.
        for (const QString& c : connections.isEmpty() ? QStringList{QString()} : connections) {
            auto* item = new QTreeWidgetItem(lstSchnittstellen_, {i.info.name, FormatPhysicalAddress(i.info.address),
                                                                  services.join(QStringLiteral(", ")), c});
            item->setData(0, kConnectionRole, c);
            item->setToolTip(0, i.endpointText());
            if (c.isEmpty())
                item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
            if (c == current || (current.isEmpty() && !c.isEmpty() && !lstSchnittstellen_->currentItem()))
                lstSchnittstellen_->setCurrentItem(item);
        }
    }
}

void FrmSchnittstellen::take()
{
    const QTreeWidgetItem* item = lstSchnittstellen_->currentItem();
    if (!item || item->data(0, kConnectionRole).toString().isEmpty())
        return;
    chosen_ = item->data(0, kConnectionRole).toString();
    timer_->stop();
    accept();
}

} // namespace zendrik
