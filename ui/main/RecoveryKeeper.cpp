#include "ui/main/RecoveryKeeper.h"

#include "editing/RecoveryFile.h"
#include "model/ProgramModel.h"

#include <QDateTime>
#include <QTimer>

namespace zendrik {

RecoveryKeeper::RecoveryKeeper(ProgramModel& model, QString workDir, QObject* parent)
    : QObject(parent), model_(model), workDir_(std::move(workDir)), soon_(new QTimer(this)), check_(new QTimer(this))
{
    soon_->setSingleShot(true);
    soon_->setInterval(kWriteDelayMs);
    connect(soon_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
    check_->setInterval(kCheckIntervalMs);
    connect(check_, &QTimer::timeout, this, &RecoveryKeeper::programChanged);
    check_->start();
}

RecoveryKeeper::~RecoveryKeeper()
{
    discard();
}

void RecoveryKeeper::programChanged()
{
    if (model_.Geaendert == 0) {
        // Saved, or back at the saved state: nothing to recover.
        soon_->stop();
        discard();
        return;
    }
    if (!soon_->isActive() && (!written_ || TakeSnapshot(model_) != lastWritten_))
        soon_->start();
}

void RecoveryKeeper::writeNow()
{
    soon_->stop();
    if (model_.Geaendert == 0)
        return;
    ProgramSnapshot now = TakeSnapshot(model_);
    if (written_ && now == lastWritten_)
        return;
    QString error;
    if (!WriteRecoveryFile(workDir_, TakeRecoveryImage(model_, QDateTime::currentDateTimeUtc()), &error)) {
        emit writeFailed(error);
        return;
    }
    lastWritten_ = std::move(now);
    written_ = true;
}

void RecoveryKeeper::adopt()
{
    lastWritten_ = TakeSnapshot(model_);
    written_ = true;
}

void RecoveryKeeper::discard()
{
    // Only a copy this run wrote goes; one left by an earlier run stays
    // until the user answered the question about it.
    if (!written_)
        return;
    RemoveRecoveryFile(workDir_);
    written_ = false;
}

} // namespace zendrik
