#include "ui/site/SiteDeviceDialog.h"

#include "language/TextTable.h"
#include "model/DeviceTypes.h"
#include "ui/site/SiteChooser.h"
#include "ui/checks/SeverityColour.h"
#include "ui/site/SiteWindowTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zendrik {

namespace T = sitewindowtexts;

namespace {
constexpr SiteLinkKind kLinks[] = {SiteLinkKind::None, SiteLinkKind::Bus, SiteLinkKind::Chip, SiteLinkKind::Ir};
} // namespace

SiteDeviceDialog::SiteDeviceDialog(const TextTable& texts, int brandIndex, const QString& siteFolder,
                                   SiteChooser& chooser, Check check, QWidget* parent)
    : QDialog(parent), texts_(texts), folder_(siteFolder), chooser_(chooser), check_(std::move(check))
{
    setObjectName(QStringLiteral("frmAnlageGeraet"));
    setWindowTitle(texts_(T::kAddTitle));
    txtName_ = new QLineEdit(this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtLocation_ = new QLineEdit(this);
    txtLocation_->setObjectName(QStringLiteral("txtOrt"));
    cboType_ = new QComboBox(this);
    cboType_->setObjectName(QStringLiteral("cboTyp"));
    for (int row = 1; row <= kDeviceTypeRows; ++row)
        cboType_->addItem(QStringLiteral("%1  %2").arg(row).arg(DeviceTypeName(row, brandIndex, texts.extraLanguage())),
                          row);
    txtProgram_ = new QLineEdit(this);
    txtProgram_->setObjectName(QStringLiteral("txtProgramm"));
    auto* choose = new QPushButton(texts_(T::kChoose), this);
    choose->setObjectName(QStringLiteral("cmdProgrammWaehlen"));
    auto* program = new QHBoxLayout;
    program->addWidget(txtProgram_, 1);
    program->addWidget(choose);
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString file = chooser_.programFile(folder_);
        if (!file.isEmpty())
            txtProgram_->setText(file);
    });

    cboLink_ = new QComboBox(this);
    cboLink_->setObjectName(QStringLiteral("cboVerbindung"));
    for (const ExtraText* t : {&T::kLinkNone, &T::kLinkBus, &T::kLinkChip, &T::kLinkIr})
        cboLink_->addItem(texts_(*t));
    linkPages_ = new QStackedWidget(this);
    linkPages_->addWidget(new QWidget(linkPages_));
    auto* bus = new QWidget(linkPages_);
    auto* busForm = new QFormLayout(bus);
    busForm->setContentsMargins(0, 0, 0, 0);
    txtAddress_ = new QLineEdit(bus);
    txtAddress_->setObjectName(QStringLiteral("txtAdresse"));
    txtAddress_->setPlaceholderText(QStringLiteral("1.1.5"));
    txtConnection_ = new QLineEdit(bus);
    txtConnection_->setObjectName(QStringLiteral("txtBusverbindung"));
    txtConnection_->setPlaceholderText(QStringLiteral("knxnetip:192.168.1.10"));
    busForm->addRow(texts_(T::kBusAddress), txtAddress_);
    busForm->addRow(texts_(T::kBusConnection), txtConnection_);
    linkPages_->addWidget(bus);
    auto* chip = new QWidget(linkPages_);
    auto* chipForm = new QFormLayout(chip);
    chipForm->setContentsMargins(0, 0, 0, 0);
    txtPort_ = new QLineEdit(chip);
    txtPort_->setObjectName(QStringLiteral("txtPort"));
    txtPort_->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    chipForm->addRow(texts_(T::kPort), txtPort_);
    linkPages_->addWidget(chip);
    auto* ir = new QWidget(linkPages_);
    auto* irForm = new QFormLayout(ir);
    irForm->setContentsMargins(0, 0, 0, 0);
    cboIr_ = new QComboBox(ir);
    cboIr_->setObjectName(QStringLiteral("cboIrPort"));
    cboIr_->addItems({QStringLiteral("COM 1"), QStringLiteral("COM 2")});
    irForm->addRow(texts_(T::kPort), cboIr_);
    linkPages_->addWidget(ir);
    connect(cboLink_, &QComboBox::currentIndexChanged, linkPages_, &QStackedWidget::setCurrentIndex);

    lblError_ = new QLabel(this);
    lblError_->setObjectName(QStringLiteral("lblFehler"));
    lblError_->setWordWrap(true);
    QPalette red = lblError_->palette();
    red.setColor(QPalette::WindowText, SeverityColour(Severity::Error));
    lblError_->setPalette(red);

    auto* form = new QFormLayout;
    form->addRow(texts_(T::kDeviceName), txtName_);
    form->addRow(texts_(T::kDeviceLocation), txtLocation_);
    form->addRow(texts_(T::kDeviceType), cboType_);
    form->addRow(texts_(T::kDeviceProgram), program);
    form->addRow(texts_(T::kDeviceLink), cboLink_);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdAbbrechen"));
    connect(box, &QDialogButtonBox::accepted, this, &SiteDeviceDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &SiteDeviceDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(linkPages_);
    layout->addWidget(lblError_);
    layout->addStretch(1);
    layout->addWidget(box);
}

SiteDevice SiteDeviceDialog::device() const
{
    SiteDevice d;
    d.name = txtName_->text().trimmed();
    d.location = txtLocation_->text().trimmed();
    d.type = cboType_->currentData().toInt();
    d.program = txtProgram_->text().trimmed();
    d.link = kLinks[std::clamp(cboLink_->currentIndex(), 0, 3)];
    switch (d.link) {
    case SiteLinkKind::Bus:
        d.address = txtAddress_->text().trimmed();
        d.connection = txtConnection_->text().trimmed();
        break;
    case SiteLinkKind::Chip:
        d.port = txtPort_->text().trimmed();
        break;
    case SiteLinkKind::Ir:
        d.port = QString::number(cboIr_->currentIndex() + 1);
        break;
    case SiteLinkKind::None:
        break;
    }
    return d;
}

void SiteDeviceDialog::accept()
{
    const QString refusal = check_ ? check_(device()) : QString();
    if (!refusal.isEmpty()) {
        lblError_->setText(refusal);
        return;
    }
    QDialog::accept();
}

} // namespace zendrik
