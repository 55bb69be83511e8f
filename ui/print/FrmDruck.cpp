#include "ui/print/FrmDruck.h"

#include "editing/PrintTexts.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"
#include "ui/common/MnemonicSet.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendrik {

namespace {

QCheckBox* box(const char* name, const QString& caption, MnemonicSet& keys, QWidget* parent)
{
    auto* c = new QCheckBox(keys.mark(caption.trimmed()), parent);
    c->setObjectName(QString::fromUtf8(name));
    return c;
}

QPushButton* button(const char* name, const QString& caption, MnemonicSet& keys, QWidget* parent)
{
    auto* b = new QPushButton(keys.mark(caption.trimmed()), parent);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

} // namespace

FrmDruck::FrmDruck(const ProgramModel& model, const TextTable& texts, QWidget* parent)
    : QDialog(parent), model_(model), texts_(texts)
{
    setObjectName(QStringLiteral("frmDruck"));
    setWindowTitle(texts(TextId::Print));
    MnemonicSet keys;

    auto* fraDruck = new QGroupBox(texts(TextId::Print), this);
    chkprsz_ = box("chkprsz", texts(TextId::SwitchingTimes), keys, fraDruck);
    chkprpz_ = box("chkprpz", texts(TextId::PriorityTimes), keys, fraDruck);
    chkprsw_ = box("chkprsw", texts(TextId::DstTable), keys, fraDruck);
    Chkprastro_ = box("Chkprastro", texts(TextId::AstroTimes), keys, fraDruck);
    chkprgeraeteeigenschaften_ = box("chkprgeräteeigenschaften", texts(TextId::DevicePropertiesTitle), keys, fraDruck);
    chktxtdat_ = box("chktxtdat", texts(kPrintToTextFile), keys, fraDruck);
    // Only the astro devices have astro times to print.
    Chkprastro_->setEnabled(HasAstro(model.device.Uhrentyp));
    auto* sections = new QVBoxLayout(fraDruck);
    for (QCheckBox* c : {chkprsz_, chkprpz_, chkprsw_, Chkprastro_, chkprgeraeteeigenschaften_})
        sections->addWidget(c);
    sections->addSpacing(8);
    sections->addWidget(chktxtdat_);

    auto* fraKopfZeil = new QGroupBox(texts(TextId::HeaderEvery).trimmed(), this);
    fraKopfZeil->setObjectName(QStringLiteral("fraKopfZeil"));
    lblzeilen_ = new QLabel(fraKopfZeil);
    lblzeilen_->setObjectName(QStringLiteral("lblzeilen"));
    QPushButton* cmdpraendern = button("cmdprändern", texts(TextId::Change), keys, fraKopfZeil);
    auto* kopf = new QHBoxLayout(fraKopfZeil);
    kopf->addWidget(lblzeilen_, 1);
    kopf->addWidget(cmdpraendern);

    QPushButton* cmdprdruck = button("cmdprdruck", texts(TextId::Print), keys, this);
    cmdprdruck->setDefault(true);
    QPushButton* cmdprpdf = button("cmdprpdf", texts(kPrintSaveAsPdf), keys, this);
    QPushButton* cmdprhandover = button("cmdprhandover", texts(kHandoverSaveAs), keys, this);
    QPushButton* cmdprcancel = button("cmdprcancel", texts(TextId::Cancel), keys, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdprpdf);
    buttons->addWidget(cmdprhandover);
    buttons->addStretch(1);
    buttons->addWidget(cmdprdruck);
    buttons->addWidget(cmdprcancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraDruck);
    layout->addWidget(fraKopfZeil);
    layout->addLayout(buttons);
    refreshZeilen();

    connect(cmdprdruck, &QPushButton::clicked, this, [this] {
        const PrintRequest chosen = request();
        const bool toText = DruckInDatei();
        accept();
        emit printRequested(chosen, toText);
    });
    connect(cmdprpdf, &QPushButton::clicked, this, [this] {
        const PrintRequest chosen = request();
        accept();
        emit pdfRequested(chosen);
    });
    connect(cmdprhandover, &QPushButton::clicked, this, [this] {
        accept();
        emit handoverRequested();
    });
    connect(cmdprcancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(chktxtdat_, &QCheckBox::toggled, this, &FrmDruck::druckInDateiChanged);
    connect(cmdpraendern, &QPushButton::clicked, this, &FrmDruck::changeZeilenRequested);
}

PrintRequest FrmDruck::request() const
{
    PrintRequest r;
    r.Schaltzeiten = chkprsz_->isChecked();
    r.Prioritaetszeiten = chkprpz_->isChecked();
    r.SoWiTabelle = chkprsw_->isChecked();
    r.Astrozeiten = Chkprastro_->isEnabled() && Chkprastro_->isChecked();
    r.Geraeteeigenschaften = chkprgeraeteeigenschaften_->isChecked();
    return r;
}

bool FrmDruck::DruckInDatei() const
{
    return chktxtdat_->isChecked();
}

void FrmDruck::setDruckInDatei(bool toTextFile)
{
    chktxtdat_->setChecked(toTextFile);
}

void FrmDruck::refreshZeilen()
{
    lblzeilen_->setText(QString::number(model_.device.Zeilen) + texts_(TextId::LinesSuffix));
}

} // namespace zendrik
