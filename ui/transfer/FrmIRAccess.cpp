#include "ui/transfer/FrmIRAccess.h"

#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "transfer/TransferJournal.h"
#include "transfer/ir/IrTexts.h"
#include "ui/common/KeyFilter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace zendrik {

FrmIRAccess::FrmIRAccess(ProgramModel& model, const TextTable& texts, UserInteraction& ui, QString workDir,
                         SaveCallback save, QWidget* parent)
    : QDialog(parent), model_(model), texts_(texts), ui_(ui), workDir_(std::move(workDir)), save_(std::move(save))
{
    setObjectName(QStringLiteral("frmIRAccess"));
    setWindowTitle(texts_(TextId::IrAccess));

    auto* modes = new QGroupBox(this);
    auto* modeGroup = new QButtonGroup(this);
    auto* modeLayout = new QVBoxLayout(modes);
    const TextId modeTexts[3] = {TextId::ReadSwitchingTimes, TextId::ProgramSwitchingTimes, TextId::SetTimeAndDate};
    for (int i = 0; i < 3; ++i) {
        Option1_[static_cast<std::size_t>(i)] = new QRadioButton(texts_(modeTexts[i]), modes);
        Option1_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        modeGroup->addButton(Option1_[static_cast<std::size_t>(i)], i);
        modeLayout->addWidget(Option1_[static_cast<std::size_t>(i)]);
    }

    auto* ports = new QGroupBox(texts_(TextId::AccessVia).trimmed(), this);
    auto* portGroup = new QButtonGroup(this);
    auto* portLayout = new QHBoxLayout(ports);
    const TextId portTexts[2] = {TextId::Com1, TextId::Com2};
    for (int i = 0; i < 2; ++i) {
        Optcom_[static_cast<std::size_t>(i)] = new QRadioButton(texts_(portTexts[i]), ports);
        Optcom_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Optcom_%1").arg(i + 1));
        portGroup->addButton(Optcom_[static_cast<std::size_t>(i)], i + 1);
        portLayout->addWidget(Optcom_[static_cast<std::size_t>(i)]);
    }
    portLayout->addStretch(1);

    lblUz_ = new QLabel(texts_(TextId::TimeHhMmSs).trimmed(), this);
    lblDat_ = new QLabel(texts_(TextId::DateDdMmYy).trimmed(), this);
    TxtUz_ = new QLineEdit(this);
    TxtUz_->setObjectName(QStringLiteral("TxtUz"));
    TxtUz_->setMaxLength(8);
    TxtUz_->installEventFilter(new KeyFilter(IrTimeKey, ui_, TxtUz_));
    txtdat_ = new QLineEdit(this);
    txtdat_->setObjectName(QStringLiteral("txtdat"));
    txtdat_->setMaxLength(10);
    txtdat_->installEventFilter(new KeyFilter(IrDateKey, ui_, txtdat_));
    auto* fields = new QFormLayout;
    fields->addRow(lblUz_, TxtUz_);
    fields->addRow(lblDat_, txtdat_);

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("ggeIR"));
    gauge_->setRange(0, 1);
    gauge_->setValue(0);
    gauge_->setFormat(QStringLiteral("%v s"));

    cmd_IRok_ = new QPushButton(texts_(TextId::Ok), this);
    cmd_IRok_->setObjectName(QStringLiteral("cmd_IRok"));
    cmd_IRok_->setDefault(true);
    cmd_Irend_ = new QPushButton(texts_(TextId::Exit), this);
    cmd_Irend_->setObjectName(QStringLiteral("cmd_Irend"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmd_IRok_);
    buttons->addWidget(cmd_Irend_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(modes);
    layout->addWidget(ports);
    layout->addLayout(fields);
    layout->addWidget(gauge_);
    layout->addLayout(buttons);

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &FrmIRAccess::showClock);

    // The port the chip transfer uses, when it is a serial one.
    IrPort_ = model_.device.Lpt == 5 ? 2 : 1;
    Optcom_[static_cast<std::size_t>(IrPort_ - 1)]->setChecked(true);
    Option1_[0]->setChecked(true);
    Option1_Click(0);

    connect(modeGroup, &QButtonGroup::idClicked, this, &FrmIRAccess::Option1_Click);
    connect(portGroup, &QButtonGroup::idClicked, this, &FrmIRAccess::Optcom_Click);
    connect(TxtUz_, &QLineEdit::textEdited, this, &FrmIRAccess::fieldTyped);
    connect(txtdat_, &QLineEdit::textEdited, this, &FrmIRAccess::fieldTyped);
    connect(TxtUz_, &QLineEdit::editingFinished, this, [this] { completeTime(true); });
    connect(txtdat_, &QLineEdit::editingFinished, this, [this] { completeDate(true); });
    connect(cmd_IRok_, &QPushButton::clicked, this, &FrmIRAccess::cmd_IRok_Click);
    connect(cmd_Irend_, &QPushButton::clicked, this, &FrmIRAccess::reject);
}

void FrmIRAccess::Option1_Click(int index)
{
    IrModus_ = static_cast<IrModus>(index);
    const bool setTime = IrModus_ == IrModus::SetTime;
    for (QWidget* w : {static_cast<QWidget*>(lblUz_), static_cast<QWidget*>(lblDat_),
                       static_cast<QWidget*>(TxtUz_), static_cast<QWidget*>(txtdat_)})
        w->setVisible(setTime);
    // Choosing the clock job starts from the computer's clock again.
    IrUhrCode_ = setTime ? IrClockSource::Computer : IrClockSource::None;
    if (setTime) {
        showClock();
        clock_->start();
    } else {
        clock_->stop();
    }
}

void FrmIRAccess::Optcom_Click(int index)
{
    IrPort_ = index;
}

void FrmIRAccess::showClock()
{
    if (IrUhrCode_ != IrClockSource::Computer)
        return;
    const QDateTime now = model_.clock();
    TxtUz_->setText(FormatIrTime(now.time()));
    txtdat_->setText(FormatIrDate(now.date()));
}

void FrmIRAccess::fieldTyped()
{
    IrUhrCode_ = IrClockSource::Typed;
    clock_->stop();
}

bool FrmIRAccess::completeTime(bool tell)
{
    const auto t = ParseIrTime(TxtUz_->text());
    return complete(TxtUz_, t ? std::optional(FormatIrTime(*t)) : std::nullopt, kIrInvalidTime, tell);
}

bool FrmIRAccess::completeDate(bool tell)
{
    const auto d = ParseIrDate(txtdat_->text());
    return complete(txtdat_, d ? std::optional(FormatIrDate(*d)) : std::nullopt, kIrInvalidDate, tell);
}

bool FrmIRAccess::complete(QLineEdit* field, const std::optional<QString>& completed, const ExtraText& refusal,
                           bool tell)
{
    if (IrModus_ != IrModus::SetTime || running_)
        return true;
    if (completed) {
        field->setText(*completed);
        return true;
    }
    if (tell) {
        ui_.beep();
        ui_.ask(Prompt::message(Icon::Critical, {texts_(refusal).arg(field->text())}));
        toldInvalid_ = true;
    }
    return false;
}

void FrmIRAccess::cmd_IRok_Click()
{
    // One job at a time: the next one would delete the files of this one.
    if (running_)
        return;
    IrJob job;
    job.mode = IrModus_;
    job.port = IrPort_;
    job.source = IrUhrCode_;
    if (IrModus_ == IrModus::SetTime) {
        // The computer's clock as it is now; typed fields as they stand.
        // Leaving a field for OK may just have told why it is refused.
        showClock();
        const bool told = std::exchange(toldInvalid_, false);
        QLineEdit* refused = !completeTime(!told) ? TxtUz_ : !completeDate(!told) ? txtdat_
                                                                                  : nullptr;
        if (refused) {
            toldInvalid_ = false;
            refused->setFocus();
            return;
        }
        job.time = *ParseIrTime(TxtUz_->text());
        job.date = *ParseIrDate(txtdat_->text());
    }
    IrTransfer transfer(model_, ui_, texts_, workDir_);
    transfer.saveBeforeTransfer = save_;
    transfer.observer = this;
    transfer.settleMs = settleMs;
    const IrOutcome outcome = transfer.Run(job);
    if (outcome == IrOutcome::Succeeded && job.mode == IrModus::Read)
        emit programRead();
    if (outcome == IrOutcome::Succeeded && job.mode == IrModus::Program) {
        if (const auto told = JournalProgramWrite(workDir_, model_, TransferPath::Ir, QString::number(job.port), false))
            ui_.ask(*told);
    }
}

void FrmIRAccess::transferStarted()
{
    running_ = true;
    for (QWidget* w : {static_cast<QWidget*>(cmd_IRok_), static_cast<QWidget*>(cmd_Irend_)})
        w->setEnabled(false);
    gauge_->setValue(0);
}

void FrmIRAccess::progressChanged(int value, int maximum)
{
    // While waiting: the seconds waited against the time limit ("3 s / 120 s");
    // a full gauge is the answer, after the seconds it took.
    gauge_->setFormat(value < maximum ? QStringLiteral("%v s / %m s") : QStringLiteral("%v s"));
    gauge_->setRange(0, maximum);
    gauge_->setValue(value);
}

void FrmIRAccess::waiting()
{
    QApplication::processEvents();
}

void FrmIRAccess::transferEnded()
{
    running_ = false;
    cmd_IRok_->setEnabled(true);
    cmd_Irend_->setEnabled(true);
}

void FrmIRAccess::closeEvent(QCloseEvent* event)
{
    // The tool is at work: the window stays until its answer or the time-out.
    if (running_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void FrmIRAccess::reject()
{
    if (!running_)
        QDialog::reject();
}

} // namespace zendrik
