#include "ui/device/FrmGeraetEinst.h"

#include "ui/common/ScreenFit.h"
#include "ui/device/FrmSchnittstellen.h"

#include "app/Settings.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/DeviceProperties.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "transfer/PortSettings.h"
#include "transfer/bus/BusTexts.h"
#include "transfer/ir/IrTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zendrik {

namespace {

// The parallel ports by their usual addresses, then the two serial ports.
const char* const kPorts[] = {"1 (378H)", "2 (278H)", "3 (3BCH)"};
constexpr int kMaxPrintLines = 200;

QComboBox* combo(const QString& name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    return c;
}

QSlider* slider(const QString& name, QWidget* parent)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setMinimumWidth(160);
    return s;
}

QString channelItem(int channel, const QString& name)
{
    return QString::number(channel) + QStringLiteral(" ") + QStringLiteral(" :") + name;
}

} // namespace

FrmGeraetEinst::FrmGeraetEinst(ProgramModel& model, const TextTable& texts, UserInteraction& ui,
                               const QString& workDir, QWidget* parent)
    : QDialog(parent), model_(model), texts_(texts), ui_(ui), workDir_(workDir)
{
    setObjectName(QStringLiteral("frmGerätEinst"));
    setWindowTitle(texts_(TextId::DevicePropertiesTitle));
    const DeviceSettings& d = model_.device;

    lblGeraet_ = new QLabel(this);
    lblGeraet_->setText(texts_(TextId::DeviceType) + QStringLiteral(": ") + d.Geraetename);
    QFont bold = lblGeraet_->font();
    bold.setBold(true);
    lblGeraet_->setFont(bold);

    // Clock.
    auto* fraUhr = new QGroupBox(this);
    cbosprache_ = combo(QStringLiteral("cbosprache"), fraUhr);
    cbosprache_->addItems({texts_(TextId::GermanEnglish), texts_(TextId::French)});
    cboSwRegel_ = combo(QStringLiteral("cboSwRegel"), fraUhr);
    cboSwRegel_->addItems({texts_(TextId::DstNone), texts_(TextId::DstEurope), texts_(TextId::DstUk),
                           texts_(TextId::DstUsa), texts_(TextId::DstByTable)});
    auto* uhr = new QFormLayout(fraUhr);
    uhr->addRow(texts_(TextId::ClockLanguage), cbosprache_);
    uhr->addRow(texts_(TextId::DstRule), cboSwRegel_);

    // Meter pulse.
    fraMess_ = new QGroupBox(texts_(TextId::MeterPulse), this);
    cboMessKan_ = combo(QStringLiteral("cboMessKan"), fraMess_);
    cboMessKan_->addItem(texts_(TextId::NoMeterPulse));
    for (int c = 1; c <= std::min(d.Kanalzahl, 4); ++c)
        cboMessKan_->addItem(channelItem(c, model_.program().Kanalname[static_cast<std::size_t>(c - 1)]));
    cboMessPeriode_ = combo(QStringLiteral("cboMessPeriode"), fraMess_);
    for (const int minutes : kMeterPeriods)
        cboMessPeriode_->addItem(QString::number(minutes) + QStringLiteral(" ") + texts_(TextId::Min));
    cboMessImpDauer_ = combo(QStringLiteral("cboMessImpDauer"), fraMess_);
    for (int s = 1; s <= kMaxMeterPulseSeconds; ++s)
        cboMessImpDauer_->addItem(QString::number(s) + texts_(TextId::Seconds));
    hsb_impl_nge_ = slider(QStringLiteral("hsb_impl_nge"), fraMess_);
    hsb_impl_nge_->setRange(0, kMaxMeterPulseSeconds);
    lblImpLaenge_ = new QLabel(fraMess_);
    lblImpLaenge_->setMinimumWidth(60);
    cboMessZustand_ = combo(QStringLiteral("cboMessZustand"), fraMess_);
    cboMessZustand_->addItems({texts_(TextId::MeasureRelayOn), texts_(TextId::MeasureRelayOff)});
    cboMessImpLage_ = combo(QStringLiteral("cboMessImpLage"), fraMess_);
    cboMessImpLage_->addItems({texts_(TextId::AtPeriodStart), texts_(TextId::AtPeriodEnd)});
    auto* pulseRow = new QHBoxLayout;
    pulseRow->addWidget(cboMessImpDauer_);
    pulseRow->addWidget(hsb_impl_nge_, 1);
    pulseRow->addWidget(lblImpLaenge_);
    auto* mess = new QFormLayout(fraMess_);
    mess->addRow(texts_(TextId::ChannelWord), cboMessKan_);
    mess->addRow(texts_(TextId::MeterPeriodEq), cboMessPeriode_);
    mess->addRow(texts_(TextId::PulseLengthEq), pulseRow);
    mess->addRow(QString(), cboMessZustand_);
    mess->addRow(QString(), cboMessImpLage_);

    // Astro channels of the astro device.
    fraAstro_ = new QGroupBox(texts_(TextId::AstroTimesActOn), this);
    optastroC1_ = new QRadioButton(QStringLiteral("C1"), fraAstro_);
    optastroC1_->setObjectName(QStringLiteral("optastroC1"));
    optastroC1undC2_ = new QRadioButton(QStringLiteral("C1 + C2"), fraAstro_);
    optastroC1undC2_->setObjectName(QStringLiteral("optastroC1undC2"));
    auto* astro = new QHBoxLayout(fraAstro_);
    astro->addWidget(optastroC1_);
    astro->addWidget(optastroC1undC2_);
    astro->addStretch(1);

    // Access to the device: port, adapter tool, serial device paths, delay.
    auto* fraZugriff = new QGroupBox(texts_(TextId::ChipAccess), this);
    cbolpt_ = combo(QStringLiteral("cbolpt"), fraZugriff);
    for (const char* port : kPorts)
        cbolpt_->addItem(QString::fromLatin1(port));
    cbolpt_->addItems({texts_(TextId::Com1), texts_(TextId::Com2)});
    txtAdapterTool_ = new QLineEdit(fraZugriff);
    txtAdapterTool_->setObjectName(QStringLiteral("txtAdapterTool"));
    // The infrared tool and how long it may take for one job.
    txtIrTool_ = new QLineEdit(fraZugriff);
    txtIrTool_->setObjectName(QStringLiteral("txtIrTool"));
    spnIrTimeout_ = new QSpinBox(fraZugriff);
    spnIrTimeout_->setObjectName(QStringLiteral("spnIrTimeout"));
    spnIrTimeout_->setRange(kMinIrTimeout, kMaxIrTimeout);
    spnIrTimeout_->setSuffix(QStringLiteral(" s"));
    txtCom1_ = new QLineEdit(fraZugriff);
    txtCom1_->setObjectName(QStringLiteral("txtCom1"));
    txtCom1_->setPlaceholderText(QStringLiteral("/dev/ttyS0"));
    txtCom2_ = new QLineEdit(fraZugriff);
    txtCom2_->setObjectName(QStringLiteral("txtCom2"));
    txtCom2_->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    // Reading the chip back after programming it, all of it or its first block.
    chkVerify_ = new QCheckBox(QString(texts_(TextId::MenuReadChip)).remove(QLatin1Char('&')), fraZugriff);
    chkVerify_->setObjectName(QStringLiteral("chkVerify"));
    hsbverz_ = slider(QStringLiteral("hsbverz"), fraZugriff);
    hsbverz_->setRange(0, std::max(1, d.MaxDelay));
    lblverz_ = new QLabel(fraZugriff);
    auto* lptRow = new QHBoxLayout;
    lptRow->addWidget(cbolpt_);
    lptRow->addWidget(txtAdapterTool_, 1);
    auto* zugriff = new QFormLayout(fraZugriff);
    // The port's caption follows the port shown: "über LPT" before a parallel
    // port's number, "Schnittstelle :" before "COM 1" or "COM 2", as the bus
    // window words its serial interface.
    lblLpt_ = new QLabel(fraZugriff);
    lblLpt_->setObjectName(QStringLiteral("lblLpt"));
    const auto showPortKind = [this] {
        lblLpt_->setText(texts_(cbolpt_->currentIndex() >= 3 ? TextId::InterfaceLabel : TextId::ViaLpt).trimmed());
    };
    connect(cbolpt_, &QComboBox::currentIndexChanged, this, showPortKind);
    showPortKind();
    zugriff->addRow(lblLpt_, lptRow);
    zugriff->addRow(texts_(TextId::Com1), txtCom1_);
    zugriff->addRow(texts_(TextId::Com2), txtCom2_);
    zugriff->addRow(QString(), chkVerify_);
    auto* irRow = new QHBoxLayout;
    irRow->addWidget(txtIrTool_, 1);
    irRow->addWidget(spnIrTimeout_);
    zugriff->addRow(texts_(kIrToolLabel), irRow);
    // The bus connections of the bus window's two interfaces.
    txtBus1_ = new QLineEdit(fraZugriff);
    txtBus1_->setObjectName(QStringLiteral("txtBus1"));
    txtBus1_->setPlaceholderText(QStringLiteral("knxnetip:192.168.1.20 | sim:bus-sim.ini"));
    txtBus2_ = new QLineEdit(fraZugriff);
    txtBus2_->setObjectName(QStringLiteral("txtBus2"));
    txtBus2_->setPlaceholderText(QStringLiteral("knxnetip:HOST[:PORT]"));
    zugriff->addRow(texts_(kBusLink1Label), txtBus1_);
    zugriff->addRow(texts_(kBusLink2Label), txtBus2_);
    // The search for KNXnet/IP interfaces fills either of them.
    auto* cmdBusSuchen = new QPushButton(texts_(kKnxSearchInterfaces), fraZugriff);
    cmdBusSuchen->setObjectName(QStringLiteral("cmdBusSuchen"));
    connect(cmdBusSuchen, &QPushButton::clicked, this, &FrmGeraetEinst::chooseInterface);
    zugriff->addRow(QString(), cmdBusSuchen);
    zugriff->addRow(lblverz_, hsbverz_);

    // Printing.
    auto* fraDruck = new QGroupBox(texts_(TextId::PrintSettings), this);
    Hsbzeilen_ = slider(QStringLiteral("Hsbzeilen"), fraDruck);
    Hsbzeilen_->setRange(1, kMaxPrintLines);
    lblzeilen_ = new QLabel(fraDruck);
    lblzeilen_->setMinimumWidth(80);
    auto* druck = new QHBoxLayout(fraDruck);
    druck->addWidget(new QLabel(texts_(TextId::HeaderEvery), fraDruck));
    druck->addWidget(Hsbzeilen_, 1);
    druck->addWidget(lblzeilen_);

    CmdEinstOk_ = new QPushButton(texts_(TextId::Ok), this);
    CmdEinstOk_->setObjectName(QStringLiteral("CmdEinstOk"));
    CmdEinstOk_->setDefault(true);
    cmdeinstSpei_ = new QPushButton(texts_(TextId::Save), this);
    cmdeinstSpei_->setObjectName(QStringLiteral("cmdeinstSpei"));
    cmdEinstend_ = new QPushButton(texts_(TextId::Cancel), this);
    cmdEinstend_->setObjectName(QStringLiteral("cmdEinstend"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CmdEinstOk_);
    buttons->addWidget(cmdeinstSpei_);
    buttons->addWidget(cmdEinstend_);

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(fraUhr);
    leftColumn->addWidget(fraMess_);
    leftColumn->addWidget(fraAstro_);
    leftColumn->addStretch(1);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(fraZugriff);
    rightColumn->addWidget(fraDruck);
    rightColumn->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(14);
    columns->addLayout(leftColumn, 1);
    columns->addLayout(rightColumn, 1);

    // The two columns scroll where a small screen has no room for them;
    // the buttons below stay in reach.
    auto* body = new QWidget(this);
    columns->setContentsMargins(0, 0, 0, 0);
    body->setLayout(columns);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(12);
    layout->addWidget(lblGeraet_);
    layout->addWidget(new ScrollingBody(body, this), 1);
    layout->addLayout(buttons);

    // What the device family has: the clock language and the meter pulse on
    // the weekly/annual family, the astro channel choice on the astro device.
    cbosprache_->setEnabled(HasClockLanguageChoice(d.Uhrentyp));
    fraMess_->setEnabled(HasMeterPulse(d));
    fraAstro_->setVisible(HasSharedAstroTable(d.Uhrentyp));

    load();

    // These choices change image bytes: the program counts as changed at once.
    for (QComboBox* c : {cboMessKan_, cboMessImpDauer_, cboMessZustand_, cboMessImpLage_})
        connect(c, &QComboBox::activated, this, [this] { MarkDeviceChoiceChanged(model_); });
    for (QRadioButton* r : {optastroC1_, optastroC1undC2_})
        connect(r, &QRadioButton::clicked, this, [this] { MarkDeviceChoiceChanged(model_); });
    connect(cboMessKan_, &QComboBox::activated, this, &FrmGeraetEinst::meterChannelChosen);
    connect(cboMessImpDauer_, &QComboBox::currentIndexChanged, this,
            [this](int index) { hsb_impl_nge_->setValue(index + 1); });
    connect(hsb_impl_nge_, &QSlider::valueChanged, this, [this](int value) {
        if (value >= 1)
            cboMessImpDauer_->setCurrentIndex(value - 1);
        updateCaptions();
    });
    connect(hsb_impl_nge_, &QSlider::sliderReleased, this, [this] { MarkDeviceChoiceChanged(model_); });
    connect(hsbverz_, &QSlider::valueChanged, this, &FrmGeraetEinst::updateCaptions);
    connect(Hsbzeilen_, &QSlider::valueChanged, this, &FrmGeraetEinst::updateCaptions);
    connect(CmdEinstOk_, &QPushButton::clicked, this, &FrmGeraetEinst::apply);
    connect(cmdeinstSpei_, &QPushButton::clicked, this, &FrmGeraetEinst::save);
    connect(cmdEinstend_, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmGeraetEinst::chooseInterface()
{
    auto* dialog = new FrmSchnittstellen(texts_, interfaceSearch, {texts_(kBusLink1Label), texts_(kBusLink2Label)}, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        (dialog->chosenTarget() == 1 ? txtBus2_ : txtBus1_)->setText(dialog->chosenConnection());
    });
    dialog->open();
}

void FrmGeraetEinst::load()
{
    const DeviceProperties p = DeviceProperties::Of(model_.device);
    cbosprache_->setCurrentIndex(std::clamp(p.SpracheUhr, 0, 1));
    cboSwRegel_->setCurrentIndex(std::clamp(p.SwRegel, 0, 4));
    cboMessKan_->setCurrentIndex(std::clamp(p.MessKanal, 0, cboMessKan_->count() - 1));
    cboMessPeriode_->setCurrentIndex(MeterPeriodIndex(p.MessPeriode));
    cboMessImpDauer_->setCurrentIndex(std::clamp(p.MessImpDauer, 1, kMaxMeterPulseSeconds) - 1);
    hsb_impl_nge_->setValue(p.MessKanal == 0 ? 0 : std::clamp(p.MessImpDauer, 1, kMaxMeterPulseSeconds));
    cboMessZustand_->setCurrentIndex(std::clamp(p.MessZustand, 0, 1));
    cboMessImpLage_->setCurrentIndex(std::clamp(p.MessZeitpunkt, 0, 1));
    (p.AstroC1C2 != 0 ? optastroC1undC2_ : optastroC1_)->setChecked(true);
    cbolpt_->setCurrentIndex(std::clamp(p.Lpt, 1, 5) - 1);
    txtAdapterTool_->setText(p.AdapterTool);
    txtIrTool_->setText(p.IrTool);
    txtBus1_->setText(p.BusLink1);
    txtBus2_->setText(p.BusLink2);
    spnIrTimeout_->setValue(p.IrTimeout);
    txtCom1_->setText(p.SerialPort1);
    txtCom2_->setText(p.SerialPort2);
    chkVerify_->setChecked(p.VerifyWholeChip);
    hsbverz_->setValue(p.DelayValue);
    Hsbzeilen_->setValue(p.Zeilen);
    updateCaptions();
}

void FrmGeraetEinst::updateCaptions()
{
    const int pulse = hsb_impl_nge_->value();
    lblImpLaenge_->setText(pulse == 0 ? QStringLiteral("--") : QString::number(pulse) + texts_(TextId::Seconds));
    lblverz_->setText(texts_(TextId::DelayFactor) + QStringLiteral(" :") + QString::number(hsbverz_->value()));
    lblzeilen_->setText(QString::number(Hsbzeilen_->value()) + texts_(TextId::LinesSuffix));
}

void FrmGeraetEinst::meterChannelChosen()
{
    // Without a meter channel the pulse length shows "--".
    if (cboMessKan_->currentIndex() == 0)
        hsb_impl_nge_->setValue(0);
    else if (hsb_impl_nge_->value() == 0)
        hsb_impl_nge_->setValue(cboMessImpDauer_->currentIndex() + 1);
}

DeviceProperties FrmGeraetEinst::chosen() const
{
    DeviceProperties p = DeviceProperties::Of(model_.device);
    p.SpracheUhr = cbosprache_->currentIndex();
    p.SwRegel = cboSwRegel_->currentIndex();
    p.MessKanal = cboMessKan_->currentIndex();
    p.MessPeriode = MeterPeriodOfIndex(cboMessPeriode_->currentIndex());
    p.MessImpDauer = cboMessImpDauer_->currentIndex() + 1;
    p.MessZustand = cboMessZustand_->currentIndex();
    p.MessZeitpunkt = cboMessImpLage_->currentIndex();
    p.AstroC1C2 = optastroC1undC2_->isChecked() ? 1 : 0;
    p.Lpt = cbolpt_->currentIndex() + 1;
    p.AdapterTool = txtAdapterTool_->text();
    p.IrTool = txtIrTool_->text();
    p.BusLink1 = txtBus1_->text();
    p.BusLink2 = txtBus2_->text();
    p.IrTimeout = spnIrTimeout_->value();
    p.SerialPort1 = txtCom1_->text();
    p.SerialPort2 = txtCom2_->text();
    p.VerifyWholeChip = chkVerify_->isChecked();
    p.DelayValue = hsbverz_->value();
    p.Zeilen = Hsbzeilen_->value();
    return p;
}

void FrmGeraetEinst::apply()
{
    chosen().ApplyTo(model_);
    accept();
}

void FrmGeraetEinst::save()
{
    chosen().ApplyTo(model_);
    // zendrik.ini keeps its 18 lines; what only this machine needs goes to ports.ini.
    const QDir dir(workDir_);
    const QString settings = dir.filePath(kSettingsFileName);
    const QString ports = dir.filePath(kPortSettingsFileName);
    QString error;
    if (!WriteSettings(settings, model_.device, &error)) {
        ui_.ask(Prompt::message(Icon::Critical, {TextId::FileWord, settings + QStringLiteral(": ") + error}));
        return;
    }
    if (!WritePortSettings(ports, model_.device, &error)) {
        ui_.ask(Prompt::message(Icon::Critical, {TextId::FileWord, ports + QStringLiteral(": ") + error}));
        return;
    }
    accept();
}

} // namespace zendrik
