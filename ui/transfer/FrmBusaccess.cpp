#include "ui/transfer/FrmBusaccess.h"

#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "transfer/TransferJournal.h"
#include "transfer/bus/BusErrors.h"
#include "transfer/bus/BusTexts.h"
#include "transfer/bus/EibLink.h"
#include "transfer/bus/PhysicalAddress.h"
#include "transfer/links/OpenEibLink.h"
#include "ui/common/KeyFilter.h"
#include "ui/device/FrmSchnittstellen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace zendrik {

namespace {

QLineEdit* numberBox(const QString& name, const QString& value, UserInteraction& ui, QWidget* parent)
{
    auto* box = new QLineEdit(value, parent);
    box->setObjectName(name);
    box->setMaxLength(3);
    box->setMaximumWidth(60);
    box->installEventFilter(new KeyFilter([](QChar c) { return c.isDigit(); }, ui, box));
    return box;
}

} // namespace

FrmBusaccess::FrmBusaccess(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir,
                           QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui), texts_(texts), workDir_(std::move(workDir)),
      access_(model, ui, texts, workDir_)
{
    setObjectName(QStringLiteral("FrmBusaccess"));
    setWindowTitle(texts_(TextId::BusAccessToClock));
    openLink = [this](const QString& connection, QString* error) { return OpenEibLink(connection, workDir_, error); };
    access_.observer = this;

    // Interface.
    auto* frminterface = new QGroupBox(texts_(TextId::BusInterface), this);
    frminterface->setObjectName(QStringLiteral("frminterface"));
    optcom1_ = new QRadioButton(texts_(TextId::Com1), frminterface);
    optcom1_->setObjectName(QStringLiteral("optcom1"));
    optcom2_ = new QRadioButton(texts_(TextId::Com2), frminterface);
    optcom2_->setObjectName(QStringLiteral("optcom2"));
    optcom1_->setToolTip(model_.device.BusLink1);
    optcom2_->setToolTip(model_.device.BusLink2);
    optcom2_->setEnabled(!model_.device.BusLink2.isEmpty());
    optcom1_->setChecked(true);
    auto* interfaceLayout = new QHBoxLayout(frminterface);
    auto* lblcomnr = new QLabel(texts_(TextId::InterfaceLabel), frminterface);
    lblcomnr->setObjectName(QStringLiteral("lblcomnr"));
    interfaceLayout->addWidget(lblcomnr);
    interfaceLayout->addWidget(optcom1_);
    interfaceLayout->addWidget(optcom2_);
    // The connection behind the chosen interface (ports.ini BUS1= / BUS2=).
    lblLink_ = new QLabel(frminterface);
    lblLink_->setObjectName(QStringLiteral("lblLink"));
    interfaceLayout->addWidget(lblLink_, 1);
    cmdSchnittstellen_ = new QPushButton(texts_(kKnxSearchInterfaces), frminterface);
    cmdSchnittstellen_->setObjectName(QStringLiteral("cmdSchnittstellen"));
    interfaceLayout->addWidget(cmdSchnittstellen_);
    const auto showLink = [this] { lblLink_->setText(texts_(kBusLinkShown) + linkSpec()); };
    connect(optcom1_, &QRadioButton::toggled, this, showLink);
    connect(cmdSchnittstellen_, &QPushButton::clicked, this, &FrmBusaccess::cmdSchnittstellen);
    showLink();

    // Search.
    auto* fraBusSearch = new QGroupBox(texts_(TextId::SearchClock), this);
    fraBusSearch->setObjectName(QStringLiteral("fraBusSearch"));
    txtBereich_ = numberBox(QStringLiteral("txtBereich"), QStringLiteral("1"), ui_, fraBusSearch);
    txtBuslinie_ = numberBox(QStringLiteral("txtBuslinie"), QStringLiteral("1"), ui_, fraBusSearch);
    txtvonTeilnehmer_ = numberBox(QStringLiteral("txtvonTeilnehmer"), QStringLiteral("1"), ui_, fraBusSearch);
    txtbisTeilnehmer_ = numberBox(QStringLiteral("txtbisTeilnehmer"), QStringLiteral("10"), ui_, fraBusSearch);
    cmdbussearch_ = new QPushButton(texts_(TextId::StartSearch), fraBusSearch);
    cmdbussearch_->setObjectName(QStringLiteral("cmdbussearch"));
    cmdbusstop_ = new QPushButton(texts_(kBusStopSearch), fraBusSearch);
    cmdbusstop_->setObjectName(QStringLiteral("cmdbusstop"));
    cmdbusstop_->setEnabled(false);
    cboPhysadr_ = new QComboBox(fraBusSearch);
    cboPhysadr_->setObjectName(QStringLiteral("cboPhysadr"));
    cboPhysadr_->setMinimumWidth(120);
    auto* lblsearchresult = new QLabel(texts_(TextId::SearchResult), fraBusSearch);
    lblsearchresult->setObjectName(QStringLiteral("lblsearchresult"));
    auto* searchLayout = new QGridLayout(fraBusSearch);
    searchLayout->addWidget(new QLabel(texts_(TextId::AreaLabel), fraBusSearch), 0, 0);
    searchLayout->addWidget(txtBereich_, 0, 1);
    searchLayout->addWidget(new QLabel(texts_(TextId::LineLabel), fraBusSearch), 0, 2);
    searchLayout->addWidget(txtBuslinie_, 0, 3);
    searchLayout->addWidget(new QLabel(texts_(TextId::FromDevice), fraBusSearch), 1, 0);
    searchLayout->addWidget(txtvonTeilnehmer_, 1, 1);
    searchLayout->addWidget(new QLabel(texts_(TextId::ToDevice), fraBusSearch), 1, 2);
    searchLayout->addWidget(txtbisTeilnehmer_, 1, 3);
    searchLayout->addWidget(cmdbussearch_, 2, 0, 1, 2);
    searchLayout->addWidget(cmdbusstop_, 2, 2, 1, 2);
    searchLayout->addWidget(lblsearchresult, 3, 0, 1, 2);
    searchLayout->addWidget(cboPhysadr_, 3, 2, 1, 2);

    // Program exchange.
    auto* fraBusProg = new QGroupBox(texts_(TextId::ProgramInOutClockWith), this);
    fraBusProg->setObjectName(QStringLiteral("FraBusProg"));
    auto* lblPhysadr = new QLabel(texts_(TextId::PhysicalAddress), fraBusProg);
    lblPhysadr->setObjectName(QStringLiteral("lblPhysadr"));
    txtPhysadr_ = new QLineEdit(fraBusProg);
    txtPhysadr_->setObjectName(QStringLiteral("txtPhysadr"));
    txtPhysadr_->setMaxLength(11);
    cmdbusprog_ = new QPushButton(texts_(TextId::ProgramDevice), fraBusProg);
    cmdbusprog_->setObjectName(QStringLiteral("cmdbusprog"));
    cmdbusread_ = new QPushButton(texts_(TextId::Read), fraBusProg);
    cmdbusread_->setObjectName(QStringLiteral("cmdbusread"));
    cmdApplReinstall_ = new QPushButton(texts_(TextId::Restore), fraBusProg);
    cmdApplReinstall_->setObjectName(QStringLiteral("cmd_appl_reinstall"));
    auto* progLayout = new QGridLayout(fraBusProg);
    progLayout->addWidget(lblPhysadr, 0, 0);
    progLayout->addWidget(txtPhysadr_, 0, 1, 1, 2);
    progLayout->addWidget(cmdbusprog_, 1, 0);
    progLayout->addWidget(cmdbusread_, 1, 1);
    progLayout->addWidget(cmdApplReinstall_, 1, 2);

    // Status.
    auto* frmstatus = new QGroupBox(texts_(TextId::Status), this);
    frmstatus->setObjectName(QStringLiteral("Frmstatus"));
    txtstatus_ = new QLineEdit(texts_(TextId::Ready), frmstatus);
    txtstatus_->setObjectName(QStringLiteral("txtstatus"));
    txtstatus_->setReadOnly(true);
    ggestatus_ = new QProgressBar(frmstatus);
    ggestatus_->setObjectName(QStringLiteral("ggestatus"));
    ggestatus_->setRange(0, 1);
    ggestatus_->setValue(0);
    lblstatus_ = new QLabel(frmstatus);
    lblstatus_->setObjectName(QStringLiteral("lblstatus"));
    lblstatus_->setWordWrap(true);
    auto* statusLayout = new QVBoxLayout(frmstatus);
    statusLayout->addWidget(txtstatus_);
    statusLayout->addWidget(ggestatus_);
    statusLayout->addWidget(lblstatus_);

    cmdBusend_ = new QPushButton(texts_(TextId::Exit), this);
    cmdBusend_->setObjectName(QStringLiteral("cmdBusend"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frminterface);
    layout->addWidget(fraBusSearch);
    layout->addWidget(fraBusProg);
    layout->addWidget(frmstatus);
    auto* end = new QHBoxLayout;
    end->addStretch();
    end->addWidget(cmdBusend_);
    layout->addLayout(end);

    connect(cmdbussearch_, &QPushButton::clicked, this, &FrmBusaccess::cmdbussearch);
    connect(cmdbusstop_, &QPushButton::clicked, this, &FrmBusaccess::cmdbusstop);
    connect(cmdbusprog_, &QPushButton::clicked, this, &FrmBusaccess::cmdbusprog);
    connect(cmdbusread_, &QPushButton::clicked, this, &FrmBusaccess::cmdbusread);
    connect(cmdApplReinstall_, &QPushButton::clicked, this, &FrmBusaccess::cmdApplReinstall);
    connect(cmdBusend_, &QPushButton::clicked, this, &QDialog::close);
    // Choosing a search result takes it as the address.
    connect(cboPhysadr_, &QComboBox::activated, this, [this](int i) { txtPhysadr_->setText(cboPhysadr_->itemText(i)); });
    connect(txtPhysadr_, &QLineEdit::textChanged, this, &FrmBusaccess::updateReinstall);

    // A restore left pending by an earlier run is offered again.
    const QList<quint16> pending = access_.pendingRestores();
    if (!pending.isEmpty())
        txtPhysadr_->setText(FormatPhysicalAddress(pending.first()));
    updateReinstall();
}

FrmBusaccess::~FrmBusaccess() = default;

void FrmBusaccess::cmdSchnittstellen()
{
    if (busy_)
        return;
    auto* dialog = new FrmSchnittstellen(texts_, interfaceSearch, {}, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        QString& link = optcom2_->isChecked() ? model_.device.BusLink2 : model_.device.BusLink1;
        link = dialog->chosenConnection();
        optcom1_->setToolTip(model_.device.BusLink1);
        optcom2_->setToolTip(model_.device.BusLink2);
        lblLink_->setText(texts_(kBusLinkShown) + linkSpec());
    });
    dialog->open();
}

QString FrmBusaccess::linkSpec() const
{
    return optcom2_->isChecked() ? model_.device.BusLink2 : model_.device.BusLink1;
}

void FrmBusaccess::updateReinstall()
{
    const auto address = ParsePhysAddress(txtPhysadr_->text());
    const bool pending = address && access_.restorePending(*address);
    cmdApplReinstall_->setVisible(pending);
    lblstatus_->setText(pending ? texts_(kBusRestorePending) : QString());
}

template <typename Action>
void FrmBusaccess::run(Action action, bool search)
{
    if (busy_)
        return;
    const int port = optcom2_->isChecked() ? 1 : 0;
    QString error;
    link_ = openLink(linkSpec(), &error);
    if (!link_) {
        access_.LinkNotOpened(error);
        txtstatus_->setText(texts_(TextId::NotSuccessful));
        return;
    }
    access_.setLink(link_.get(), port, QString::number(port + 1));
    access_.saveBeforeTransfer = saveBeforeTransfer;
    busy_ = true;
    searching_ = search;
    closeAfterSearch_ = false;
    QList<QWidget*> controls{optcom1_, optcom2_, cmdSchnittstellen_, txtBereich_, txtBuslinie_, txtvonTeilnehmer_,
                             txtbisTeilnehmer_, cmdbussearch_, cboPhysadr_, txtPhysadr_, cmdbusprog_,
                             cmdbusread_, cmdApplReinstall_};
    // A search may be left at any time; a transfer cannot be left halfway.
    if (!search)
        controls << cmdBusend_;
    QList<bool> enabled;
    for (QWidget* w : controls) {
        enabled << w->isEnabled();
        w->setEnabled(false);
    }
    cmdbusstop_->setEnabled(search);
    const BusActionResult r = action();
    cmdbusstop_->setEnabled(false);
    for (qsizetype i = 0; i < controls.size(); ++i)
        controls[i]->setEnabled(enabled[i]);
    busy_ = false;
    searching_ = false;
    access_.setLink(nullptr, port, QString());
    link_.reset();
    if (r.stopped)
        txtstatus_->setText(texts_(kBusSearchStopped) + QStringLiteral(": ") + texts_(kBusFound).arg(r.found.size()));
    else if (!r.cancelled)
        txtstatus_->setText(r.code == 0 ? texts_(TextId::Ok) : texts_(TextId::NotSuccessful));
    updateReinstall();
    if (std::exchange(closeAfterSearch_, false))
        close();
}

void FrmBusaccess::cmdbussearch()
{
    bool ok[4] = {};
    const int area = txtBereich_->text().toInt(&ok[0]);
    const int line = txtBuslinie_->text().toInt(&ok[1]);
    const int from = txtvonTeilnehmer_->text().toInt(&ok[2]);
    const int to = txtbisTeilnehmer_->text().toInt(&ok[3]);
    run([&] {
        const BusActionResult r = access_.Search(ok[0] ? area : -1, ok[1] ? line : -1, ok[2] ? from : -1, ok[3] ? to : -1);
        cboPhysadr_->clear();
        for (const quint16 a : r.found)
            cboPhysadr_->addItem(FormatPhysicalAddress(a));
        if (cboPhysadr_->count() > 0) {
            cboPhysadr_->setCurrentIndex(0);
            txtPhysadr_->setText(cboPhysadr_->itemText(0));
        }
        return r;
    },
        true);
}

void FrmBusaccess::cmdbusstop()
{
    if (searching_)
        access_.requestStop();
}

std::optional<quint16> FrmBusaccess::physicalAddress()
{
    const auto address = ParsePhysAddress(txtPhysadr_->text());
    if (!address)
        ui_.ask(Prompt::message(Icon::None, {TextId::EibNoValidPhysicalAddress}));
    return address;
}

void FrmBusaccess::cmdbusprog()
{
    const auto address = physicalAddress();
    if (!address)
        return;
    run([&] {
        const BusActionResult r = access_.Program(*address);
        // The bus write is not read back: the journal says so.
        if (r.code == 0 && !r.cancelled) {
            if (const auto told = JournalProgramWrite(workDir_, model_, TransferPath::Bus, FormatPhysicalAddress(*address), false))
                ui_.ask(*told);
        }
        return r;
    });
}

void FrmBusaccess::cmdbusread()
{
    const auto address = physicalAddress();
    if (!address)
        return;
    bool read = false;
    run([&] {
        BusActionResult r = access_.Read(*address);
        read = r.code == 0 && !r.cancelled;
        return r;
    });
    if (read) {
        lblstatus_->setText(texts_(kBusReadKeeps));
        emit programRead();
    }
}

void FrmBusaccess::cmdApplReinstall()
{
    const auto address = physicalAddress();
    if (!address)
        return;
    run([&] { return access_.Reinstall(*address); });
}

void FrmBusaccess::transferStarted()
{
    ggestatus_->setValue(0);
}

void FrmBusaccess::labelChanged(const Prompt& label)
{
    txtstatus_->setText(label.render(texts_));
}

void FrmBusaccess::progressChanged(int value, int maximum)
{
    ggestatus_->setRange(0, maximum);
    ggestatus_->setValue(value);
    QApplication::processEvents();
}

void FrmBusaccess::waiting()
{
    QApplication::processEvents();
}

void FrmBusaccess::transferEnded() { }

void FrmBusaccess::closeEvent(QCloseEvent* event)
{
    // A search ends after the address in progress, then the window closes.
    // A transfer cannot be left halfway: the device would keep the transfer
    // application.
    if (busy_) {
        if (searching_) {
            closeAfterSearch_ = true;
            access_.requestStop();
        }
        event->ignore();
    } else {
        QDialog::closeEvent(event);
    }
}

void FrmBusaccess::reject()
{
    if (busy_)
        close();
    else
        QDialog::reject();
}

} // namespace zendrik
