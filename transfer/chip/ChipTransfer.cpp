#include "transfer/chip/ChipTransfer.h"

#include "language/FileStateText.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/DeviceImage.h"
#include "model/FileNames.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "transfer/AdapterToolStarter.h"
#include "transfer/MessageFile.h"
#include "transfer/PortSettings.h"
#include "transfer/ReadImport.h"
#include "transfer/chip/AdapterToolResult.h"
#include "transfer/chip/CardDatFile.h"
#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/chip/SerialChipTransfer.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zendrik {

namespace {

constexpr int kFirstSerialPort = 4;

} // namespace

ChipTransfer::ChipTransfer(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir)
    : openPort([](const QString& path) { return std::make_unique<QtSerialBytePort>(path); }),
      startTool(&StartAdapterTool), model_(model), ui_(ui), texts_(texts), workDir_(std::move(workDir))
{
}

QString ChipTransfer::inWorkDir(const QString& name) const
{
    return QDir(workDir_.isEmpty() ? QStringLiteral(".") : workDir_).filePath(name);
}

QString ChipTransfer::transferCopyName() const
{
    // The word ends in a blank because it also starts a question; a file
    // name keeps no trailing blank (the Windows tool never saw one either).
    return texts_(TextId::FileWord).trimmed();
}

void ChipTransfer::tell(const Prompt& prompt)
{
    ui_.ask(prompt);
}

ChipTransferOutcome ChipTransfer::ExportToChip()
{
    ProgramSlot& s = model_.program();
    if (s.AnzSoWi == 0 && s.AnzEintrag == 0 && s.astro.AstroAktiv[0] == 0) {
        if (ui_.ask(Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::NoDataContinue})) != Answer::Ok)
            return ChipTransferOutcome::Cancelled;
        model_.LeerSpeichern = 1;
        const SaveOutcome saved = SaveProgram(model_, ui_);
        model_.LeerSpeichern = 0;
        if (saved.result == 0) {
            if (saved.failure == SaveFailure::WriteFailed || saved.failure == SaveFailure::NoFileName)
                tell(Prompt::message(Icon::Critical, {TextId::InvalidFileName, QStringLiteral(": ") + saved.error}));
            return ChipTransferOutcome::Cancelled;
        }
    }
    if (HasSharedAstroTable(model_.device.Uhrentyp) && s.astro.AstroAktiv[1] == 0) {
        if (ui_.ask(Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::NoAstroTimesExport})) != Answer::Ok)
            return ChipTransferOutcome::Cancelled;
    }
    if (model_.Geaendert == 1) {
        if (ui_.ask(Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::OnlySavedDataExport})) != Answer::Ok)
            return ChipTransferOutcome::Cancelled;
        if (!saveBeforeTransfer || saveBeforeTransfer() == 0)
            return ChipTransferOutcome::Cancelled;
    }
    return Transfer(ChipDirection::Write, false);
}

ChipTransferOutcome ChipTransfer::ImportFromChip()
{
    if (!OfferSaveBeforeRead(model_, ui_, saveBeforeTransfer))
        return ChipTransferOutcome::Cancelled;
    return Transfer(ChipDirection::Read, true);
}

ChipTransferOutcome ChipTransfer::Transfer(ChipDirection direction, bool importAfterRead)
{
    const DeviceSettings& d = model_.device;
    const bool serial = d.Lpt >= kFirstSerialPort;
    MessageFile message;
    message.direction = direction == ChipDirection::Write ? QStringLiteral("s") : QStringLiteral("l");
    message.lpt = d.Lpt;
    message.delay = d.Delay;
    message.delayLang = d.DelayLang;
    message.sprache = d.Sprache;
    message.fileName = serial ? QFileInfo(model_.program().Dateiname).absoluteFilePath() : transferCopyName();
    QString error;
    if (!WriteFileAtomically(inWorkDir(kMessageFileName), MessageFileText(message), &error)) {
        tell(Prompt::message(Icon::Critical, {TextId::InvalidFileName, QStringLiteral(": ") + error}));
        return ChipTransferOutcome::Failed;
    }

    failureDetail_.clear();
    failureReason_.reset();
    const bool ok = serial ? runSerial(direction) : runParallel(direction);
    if (!ok) {
        // A failed read leaves the open program as it was. One box says
        // why and that the access failed.
        Prompt failed = failureReason_.value_or(Prompt::message(Icon::None, {}));
        if (failureReason_)
            failed.parts.emplace_back(QStringLiteral("\n"));
        failed.parts.emplace_back(TextId::ChipAccessFailed);
        if (!failureDetail_.isEmpty())
            failed.parts.emplace_back(QStringLiteral(" (") + failureDetail_ + QLatin1Char(')'));
        tell(failed);
        return ChipTransferOutcome::Failed;
    }
    if (direction == ChipDirection::Read && importAfterRead)
        return importCardDat();
    return ChipTransferOutcome::Done;
}

bool ChipTransfer::runParallel(ChipDirection direction)
{
    QString error;
    if (direction == ChipDirection::Write) {
        const LimitedRead source = ReadRegularFile(model_.program().Dateiname, kMaxProgramFileBytes);
        if (!source.ok()) {
            holdReason(source.state == FileState::Missing
                           ? Prompt::message(Icon::Critical, {TextId::FileNotFound})
                           : FileStatePrompt(source.state, model_.program().Dateiname, source.tooLarge));
            return false;
        }
        if (!WriteFileAtomically(inWorkDir(transferCopyName()), source.data, &error)) {
            holdReason(Prompt::message(Icon::Critical, {TextId::InvalidFileName, QStringLiteral(": ") + error}));
            return false;
        }
    } else {
        // An image left by an earlier read must not pass for this chip.
        QFile::remove(inWorkDir(kCardDatFileName));
    }
    QFile::remove(inWorkDir(kCardMessageFileName));

    if (!startTool || !startTool(model_.device.AdapterTool, workDir_.isEmpty() ? QStringLiteral(".") : workDir_, &error)) {
        failureDetail_ = error;
        return false;
    }
    // The user confirms when the tool has finished: the tool runs on its
    // own and reports through card.msg.
    tell(Prompt::message(Icon::None, {TextId::ChipAccessFinished}));

    const LimitedRead resultFile = ReadRegularFile(inWorkDir(kCardMessageFileName), kMaxResultFileSize);
    std::optional<AdapterToolResult> result;
    if (resultFile.ok())
        result = ParseCardMessage(resultFile.data);
    if (!result)
        return false;
    if (const auto m = AdapterToolMessage(*result, model_.device.Lpt))
        result->failed() ? holdReason(*m) : tell(*m);
    return !result->failed();
}

bool ChipTransfer::runSerial(ChipDirection direction)
{
    const int lpt = model_.device.Lpt;
    const QString portLabel = QString::number(lpt - kFirstSerialPort + 1);
    std::unique_ptr<BytePort> port = openPort(SerialDevicePath(model_.device, lpt));
    SerialTransferOptions options = serialOptions;
    options.verifyWholeChip = model_.device.VerifyWholeChip;
    SerialChipTransfer transfer(*port, model_.device.Uhrentyp, portLabel, workDir_.isEmpty() ? QStringLiteral(".") : workDir_,
                                options, observer);
    const SerialTransferResult r = direction == ChipDirection::Write
        ? transfer.writeChip(model_.program().Dateiname)
        : transfer.readChip();
    if (const auto m = SerialFaultMessage(r, portLabel))
        r.result != 0 ? holdReason(*m) : tell(*m);
    return r.result == 0;
}

ChipTransferOutcome ChipTransfer::importCardDat()
{
    if (const auto refused = ImportReadProgram(model_, ui_, texts_, workDir_, inWorkDir(kCardDatFileName))) {
        tell(*refused);
        return ChipTransferOutcome::Failed;
    }
    return ChipTransferOutcome::Done;
}

QString ChipTransfer::portName() const
{
    const int lpt = model_.device.Lpt;
    return lpt >= kFirstSerialPort ? SerialDevicePath(model_.device, lpt) : QStringLiteral("LPT%1").arg(lpt);
}

bool ChipTransfer::readsBack() const
{
    return model_.device.Lpt >= kFirstSerialPort;
}

} // namespace zendrik
