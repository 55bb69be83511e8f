#include "transfer/ir/IrTransfer.h"

#include "language/FileStateText.h"
#include "language/TextTable.h"
#include "model/FileNames.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "transfer/AdapterToolStarter.h"
#include "transfer/ReadImport.h"
#include "transfer/TransferObserver.h"
#include "transfer/ir/IrTexts.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace zendrik {

IrTransfer::IrTransfer(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir)
    : startTool(&StartAdapterTool), timeoutMs(model.device.IrTimeout * 1000), model_(model), ui_(ui), texts_(texts),
      workDir_(workDir.isEmpty() ? QStringLiteral(".") : std::move(workDir))
{
}

QString IrTransfer::inWorkDir(const QString& name) const
{
    return QDir(workDir_).filePath(name);
}

IrOutcome IrTransfer::Run(const IrJob& job)
{
    // A read replaces the program: changes the user wants kept are saved first.
    if (job.mode == IrModus::Read && !OfferSaveBeforeRead(model_, ui_, saveBeforeTransfer))
        return IrOutcome::Cancelled;
    // Only what is saved goes into the device, and what goes is what is saved now.
    if (job.mode == IrModus::Program) {
        const bool saved = model_.Geaendert == 0 && FileExists(model_.program().Dateiname);
        if (!saved && (!saveBeforeTransfer || saveBeforeTransfer() == 0))
            return IrOutcome::Cancelled;
    }
    if (!prepare(job))
        return IrOutcome::NotStarted;

    QString error;
    const QString tool = model_.device.IrTool.trimmed();
    if (tool.isEmpty() || !startTool || !startTool(tool, workDir_, &error)) {
        ui_.ask(Prompt::message(Icon::Critical, {texts_(kIrToolNotStarted).arg(tool.isEmpty() ? texts_(kIrNoTool) : error)}));
        return IrOutcome::NotStarted;
    }
    // The job ends only when its result has been read, taken in and told:
    // until then the window must not start another one over these files.
    struct EndOfJob {
        TransferObserver* observer;
        ~EndOfJob()
        {
            if (observer)
                observer->transferEnded();
        }
    } endOfJob{observer};
    if (!waitForResult()) {
        ui_.ask(Prompt::message(Icon::Exclamation, {TextId::IrNoResponse}));
        return IrOutcome::NoResponse;
    }
    pause(settleMs);
    const LimitedRead result = ReadRegularFile(inWorkDir(kIrResultFileName), kMaxResultFileSize);
    // A result file that holds no number is no success either.
    const auto code = result.ok() ? ParseIrResultFile(result.data) : std::nullopt;
    return finish(job, code.value_or(-1));
}

bool IrTransfer::removeOld(const QString& name)
{
    // One try: a file that stays (a folder of that name, no permission) is
    // reported instead of waited for.
    const QString path = inWorkDir(name);
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (file.remove())
        return true;
    const QString reason = info.isDir() ? FileStateReason(FileState::NotRegular) : file.errorString();
    ui_.ask(Prompt::message(Icon::Critical, {texts_(kIrFileNotRemoved).arg(path, reason)}));
    return false;
}

bool IrTransfer::copyProgram()
{
    const QString source = model_.program().Dateiname;
    const LimitedRead program = ReadRegularFile(source, kMaxProgramFileBytes);
    if (!program.ok()) {
        ui_.ask(program.state == FileState::Missing ? Prompt::message(Icon::Critical, {TextId::FileNotFound})
                                                    : FileStatePrompt(program.state, source, program.tooLarge));
        return false;
    }
    QString error;
    if (!WriteFileAtomically(inWorkDir(kIrExchangeFileName), program.data, &error)) {
        ui_.ask(Prompt::message(Icon::Critical, {TextId::InvalidFileName, QStringLiteral(": ") + error}));
        return false;
    }
    return true;
}

bool IrTransfer::prepare(const IrJob& job)
{
    // Nothing of an earlier job may pass for this one.
    if (!removeOld(kIrResultFileName) || !removeOld(kIrExchangeFileName))
        return false;
    if (job.mode == IrModus::Program && !copyProgram())
        return false;
    QString error;
    if (!WriteFileAtomically(inWorkDir(kIrJobFileName), IrJobFileText(job), &error)) {
        ui_.ask(Prompt::message(Icon::Critical, {TextId::InvalidFileName, QStringLiteral(": ") + error}));
        return false;
    }
    return true;
}

bool IrTransfer::waitForResult()
{
    // A monotonic clock: neither midnight nor a clock change shortens or
    // stretches the wait.
    const int seconds = std::max(1, (timeoutMs + 999) / 1000);
    if (observer) {
        observer->transferStarted();
        observer->labelChanged(Prompt::message(Icon::None, {texts_(kIrWaiting).arg(seconds)}));
        observer->progressChanged(0, seconds);
    }
    QElapsedTimer elapsed;
    elapsed.start();
    const QString result = inWorkDir(kIrResultFileName);
    bool arrived = false;
    int shown = 0;
    while (!(arrived = QFileInfo::exists(result)) && elapsed.elapsed() < timeoutMs) {
        if (observer) {
            if (const int now = static_cast<int>(elapsed.elapsed() / 1000); now != shown)
                observer->progressChanged(shown = now, seconds);
            observer->waiting();
        }
        QThread::msleep(static_cast<unsigned long>(std::max(1, pollMs)));
    }
    // Full only once the answer is there, at the seconds it took; after the
    // time limit the gauge stays at the seconds waited.
    if (observer && arrived) {
        const int took = std::max(1, static_cast<int>((elapsed.elapsed() + 999) / 1000));
        observer->progressChanged(took, took);
    }
    return arrived;
}

void IrTransfer::pause(int ms)
{
    QDeadlineTimer until(ms);
    while (!until.hasExpired()) {
        if (observer)
            observer->waiting();
        QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(until.remainingTime(), 0, pollMs)));
    }
}

IrOutcome IrTransfer::finish(const IrJob& job, int code)
{
    if (code != 0) {
        ui_.ask(Prompt::message(Icon::Critical, {TextId::IrTransferFailed}));
        return IrOutcome::Failed;
    }
    if (job.mode == IrModus::Read) {
        // exchg.dat was removed before the tool started: what is there now
        // is this device's program.
        if (const auto refused = ImportReadProgram(model_, ui_, texts_, workDir_, inWorkDir(kIrExchangeFileName))) {
            ui_.ask(*refused);
            return IrOutcome::Failed;
        }
    }
    ui_.ask(Prompt::message(Icon::Information, {TextId::IrTransferSucceeded}));
    return IrOutcome::Succeeded;
}

} // namespace zendrik
