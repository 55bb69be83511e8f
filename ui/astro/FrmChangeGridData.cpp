#include "ui/astro/FrmChangeGridData.h"

#include "calendar/AstroTexts.h"

#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "ui/common/MnemonicSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zendrik {

namespace {

QSpinBox* twoDigits(QWidget* parent, const char* name, int high, int value)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromUtf8(name));
    s->setRange(0, high);
    s->setValue(value);
    s->setWrapping(true);
    s->setMinimumWidth(60);
    return s;
}

} // namespace

FrmChangeGridData::FrmChangeGridData(const ProgramModel& model, const TextTable& texts, int modus,
                                     const AstroCellStart& start, QWidget* parent)
    : QDialog(parent), model_(model), texts_(texts), zustand_(start.AstroEditZustand)
{
    setObjectName(QStringLiteral("frm_change_grid_data"));
    setWindowTitle(texts(TextId::AstroTimes));

    optAendern_ = new QRadioButton(texts(TextId::ChangeTo), this);
    optAendern_->setObjectName(QStringLiteral("optAendern"));
    optLoeschen_ = new QRadioButton(texts(TextId::Delete), this);
    optLoeschen_->setObjectName(QStringLiteral("optLoeschen"));
    optVerschieben_ = new QRadioButton(texts(TextId::MoveBy), this);
    optVerschieben_->setObjectName(QStringLiteral("optVerschieben"));

    const QString& sep = texts(TextId::TimeSeparator);
    changeFields_ = new QWidget(this);
    auto* change = new QHBoxLayout(changeFields_);
    change->setContentsMargins(24, 0, 0, 0);
    txtStunde_ = twoDigits(changeFields_, "txtStunde", 23, start.minutes / 60);
    txtMinute_ = twoDigits(changeFields_, "txtMinute", 59, start.minutes % 60);
    cmdOnOff_ = new QPushButton(changeFields_);
    cmdOnOff_->setObjectName(QStringLiteral("cmd_onoff"));
    // Its text is the state, not a caption.
    KeepCaptions(cmdOnOff_);
    // The device's state of the column: it cannot keep another.
    cmdOnOff_->setToolTip(texts(kAstroFixedStates));
    cmdOnOff_->setEnabled(false);
    change->addWidget(txtStunde_);
    change->addWidget(new QLabel(sep, changeFields_));
    change->addWidget(txtMinute_);
    change->addWidget(new QLabel(texts(TextId::OClock), changeFields_));
    change->addSpacing(12);
    change->addWidget(cmdOnOff_);
    change->addStretch(1);

    moveFields_ = new QWidget(this);
    auto* move = new QHBoxLayout(moveFields_);
    move->setContentsMargins(24, 0, 0, 0);
    txtVersStunde_ = twoDigits(moveFields_, "txtVersStunde", 23, 0);
    txtVersMinute_ = twoDigits(moveFields_, "txtVersMinute", 59, 0);
    move->addWidget(txtVersStunde_);
    move->addWidget(new QLabel(texts(TextId::Hours), moveFields_));
    move->addWidget(txtVersMinute_);
    move->addWidget(new QLabel(texts(TextId::Minutes), moveFields_));
    move->addStretch(1);

    auto* ok = new QPushButton(texts(TextId::Ok), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(texts(TextId::Cancel), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optAendern_);
    layout->addWidget(changeFields_);
    layout->addWidget(optLoeschen_);
    layout->addWidget(optVerschieben_);
    layout->addWidget(moveFields_);
    layout->addStretch(1);
    layout->addLayout(buttons);

    (modus == AstroEditLoeschen ? optLoeschen_ : modus == AstroEditVerschieben ? optVerschieben_
                                                                               : optAendern_)
        ->setChecked(true);
    for (QRadioButton* option : {optAendern_, optLoeschen_, optVerschieben_})
        connect(option, &QRadioButton::toggled, this, &FrmChangeGridData::showFields);
    connect(cmdOnOff_, &QPushButton::clicked, this, &FrmChangeGridData::toggleState);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    cmdOnOff_->setText(texts_(zustand_ != 0 ? TextId::On : TextId::Off));
    showFields();
}

int FrmChangeGridData::modus() const
{
    if (optLoeschen_->isChecked())
        return AstroEditLoeschen;
    return optVerschieben_->isChecked() ? AstroEditVerschieben : AstroEditAendern;
}

void FrmChangeGridData::showFields()
{
    changeFields_->setVisible(optAendern_->isChecked());
    moveFields_->setVisible(optVerschieben_->isChecked());
}

void FrmChangeGridData::toggleState()
{
    zustand_ = zustand_ != 0 ? 0 : 1;
    cmdOnOff_->setText(texts_(zustand_ != 0 ? TextId::On : TextId::Off));
}

void FrmChangeGridData::done(int r)
{
    if (r == QDialog::Accepted) {
        const bool move = modus() == AstroEditVerschieben;
        result_ = AstroEditOk(model_, modus(), move ? txtVersStunde_->value() : txtStunde_->value(),
                              move ? txtVersMinute_->value() : txtMinute_->value(), zustand_);
    } else {
        result_ = AstroEditCancel();
    }
    QDialog::done(r);
}

} // namespace zendrik
