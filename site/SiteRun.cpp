#include "site/SiteRun.h"

#include "editing/checks/ProgramDiff.h"
#include "language/TextTable.h"
#include "model/ImageChecksum.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "site/SiteFile.h"
#include "site/SiteRunTexts.h"
#include "site/SiteState.h"
#include "transfer/TransferObserver.h"
#include "transfer/bus/BusAccess.h"
#include "transfer/bus/BusErrors.h"
#include "transfer/bus/EibLink.h"
#include "transfer/bus/PhysicalAddress.h"
#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/chip/SerialChipTransfer.h"
#include "transfer/ir/IrTransfer.h"
#include "transfer/links/OpenEibLink.h"
#include "util/AtomicFile.h"
#include "util/CsvField.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace zendrik {

namespace {

// What a worker thread tells the caller; delivered to the observer on the
// caller's thread.
struct RunEvent {
    enum class Kind { Started,
                      Progress,
                      Finished } kind = Kind::Started;
    int index = 0; // into the run's list of chosen devices
    int percent = 0;
    SiteDeviceResult result;
};

class EventQueue {
public:
    void push(RunEvent event)
    {
        {
            const std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        wake_.notify_one();
    }
    void workerDone()
    {
        {
            const std::lock_guard lock(mutex_);
            --workers_;
        }
        wake_.notify_one();
    }
    void setWorkers(int n) { workers_ = n; }
    // Waits for events; false once every worker is done and nothing is left.
    bool take(std::deque<RunEvent>& out)
    {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return !events_.empty() || workers_ == 0; });
        out.swap(events_);
        return !out.empty() || workers_ > 0;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<RunEvent> events_;
    int workers_ = 0;
};

// A run asks nobody: a message is kept as the reason, a question gets the
// safe answer (no, cancel).
class RunInteraction : public UserInteraction {
public:
    explicit RunInteraction(const TextTable& texts) : texts_(texts) { }
    Answer ask(const Prompt& prompt) override
    {
        last = prompt.render(texts_).simplified();
        switch (prompt.buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        default:
            return Answer::No;
        }
    }
    QString last;

private:
    const TextTable& texts_;
};

// The bus access's gauge as a device's percentage.
class ProgressForward : public TransferObserver {
public:
    ProgressForward(EventQueue* queue, int index) : queue_(queue), index_(index) { }
    void progressChanged(int value, int maximum) override
    {
        const int percent = maximum > 0 ? std::clamp(value * 100 / maximum, 0, 100) : 0;
        if (percent == last_ || !queue_)
            return;
        last_ = percent;
        queue_->push({RunEvent::Kind::Progress, index_, percent, {}});
    }

private:
    EventQueue* queue_;
    int index_;
    int last_ = -1;
};

struct Chosen {
    int siteIndex = 0; // into site.devices
    SiteDeviceResult result;
    std::optional<SiteTransfer> last; // what the site file keeps of this run
};

// A protocol file per bus connection, so that parallel connections do not
// write into each other's protocol.
QString ProtocolFileFor(const QString& workDir, const QString& connection)
{
    QString name;
    for (const QChar c : connection)
        name += c.isLetterOrNumber() || c == u'.' || c == u'-' ? c : QChar(u'_');
    return QDir(workDir.isEmpty() ? QStringLiteral(".") : workDir).filePath(QStringLiteral("protocol-%1.txt").arg(name));
}

// The site file keeps local time to the second.
QDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}

const char* DirectionKey(SiteDirection d) { return d == SiteDirection::Write ? "write" : "read"; }

const char* OutcomeKey(SiteDeviceOutcome o)
{
    switch (o) {
    case SiteDeviceOutcome::Ok:
        return "ok";
    case SiteDeviceOutcome::Differs:
        return "differs";
    case SiteDeviceOutcome::Failed:
        return "failed";
    case SiteDeviceOutcome::Skipped:
        return "skipped";
    case SiteDeviceOutcome::NotRun:
        break;
    }
    return "not-run";
}

// Everything one device's transfer needs besides the link.
struct DeviceJob {
    const Site& site;
    const SiteDevice& device;
    const SiteRunOptions& options;
    const TextTable& texts;
    ExtraLanguage language;
};

// Opens the device's program; false with the reason in `result`.
bool OpenProgram(const DeviceJob& job, ProgramModel& model, SiteDeviceResult& result)
{
    const SiteDeviceMark mark = OpenSiteProgram(job.site, job.device, model);
    if (mark == SiteDeviceMark::None) {
        model.Geaendert = 0;
        return true;
    }
    result.outcome = SiteDeviceOutcome::Failed;
    result.reason = kSiteRunProgramNotOpened.in(job.language).arg(SiteDeviceMarkText(mark, job.language));
    return false;
}

QString ReadTarget(const DeviceJob& job)
{
    return QDir(job.options.outDir).filePath(job.device.name + kProgramFileExtension);
}

// Saves a program read under outDir/NAME.zpg and compares it with the
// device's file: Ok or Differs (with the differences), Failed when it
// cannot be saved.
void FinishRead(const DeviceJob& job, ProgramModel& read, SiteDeviceResult& result, std::optional<SiteTransfer>& last)
{
    read.program().Dateiname = ReadTarget(job);
    ScriptedInteraction overwrite = ScriptedInteraction::answering(true);
    const SaveOutcome saved = SaveProgram(read, overwrite);
    if (saved.result != 1) {
        result.outcome = SiteDeviceOutcome::Failed;
        result.reason = kSiteRunNotSaved.in(job.language).arg(saved.error.isEmpty() ? read.program().Dateiname : saved.error);
        last = SiteTransfer{Now(), SiteDirection::Read, SiteTransferResult::Failed, {}, false};
        return;
    }
    ProgramModel file;
    SiteDeviceResult ignored;
    if (OpenProgram(job, file, ignored)) {
        const ProgramDiff diff = DiffPrograms(file, kProgramSlot, read, kProgramSlot);
        result.differences = DiffLines(diff, file, kProgramSlot, read, kProgramSlot, job.texts);
    }
    result.outcome = result.differences.isEmpty() ? SiteDeviceOutcome::Ok : SiteDeviceOutcome::Differs;
    last = SiteTransfer{Now(), SiteDirection::Read,
                        result.differences.isEmpty() ? SiteTransferResult::Ok : SiteTransferResult::Differs,
                        ImageChecksum(read, kProgramSlot), false};
}

QString BusReason(const BusActionResult& r, const QString& portLabel, const DeviceJob& job)
{
    QString reason = BusErrorMessage(r.code, portLabel, r.detail).render(job.texts).simplified();
    if (r.restorePending)
        reason += QStringLiteral(" (") + kSiteRunRestorePending.in(job.language) + u')';
    return reason;
}

// One bus device on an open link: write and read back, or read.
// Returns whether the link itself failed (cannot be opened any more).
bool RunBusDevice(const DeviceJob& job, EibLink& link, const QString& protocol, TransferObserver* progress,
                  Chosen& chosen)
{
    SiteDeviceResult& result = chosen.result;
    ProgramModel model;
    if (!OpenProgram(job, model, result))
        return false;
    const auto address = ParsePhysAddress(job.device.address);
    if (!address) {
        result.outcome = SiteDeviceOutcome::Failed;
        result.reason = kSiteRunBadAddress.in(job.language).arg(job.device.address);
        return false;
    }
    RunInteraction ui(job.texts);
    const auto access = [&](ProgramModel& m) {
        auto a = std::make_unique<BusAccess>(m, ui, job.texts, job.options.workDir);
        a->protocolFile = protocol;
        a->setLink(&link, 0, job.device.connection);
        a->observer = progress;
        return a;
    };
    const bool write = job.options.direction == SiteDirection::Write;
    const BusActionResult r = write ? access(model)->Program(*address) : access(model)->Read(*address);
    if (r.code != 0 || r.cancelled) {
        result.outcome = SiteDeviceOutcome::Failed;
        result.reason = BusReason(r, job.device.connection, job);
        chosen.last = SiteTransfer{Now(), job.options.direction, SiteTransferResult::Failed, {}, false};
        return r.code == LinkInstallFailed || r.code == LinkNotOpen;
    }
    if (!write) {
        FinishRead(job, model, result, chosen.last);
        return false;
    }
    // The device is read back into a second copy of its program (texts and
    // astro settings stay, the bus does not carry them) and compared.
    ProgramModel back;
    SiteDeviceResult ignored;
    bool confirmed = false;
    if (OpenProgram(job, back, ignored)) {
        const BusActionResult b = access(back)->Read(*address);
        if (b.code != 0) {
            result.reason = BusReason(b, job.device.connection, job);
        } else {
            const ProgramDiff diff = DiffPrograms(model, kProgramSlot, back, kProgramSlot);
            result.differences = DiffLines(diff, model, kProgramSlot, back, kProgramSlot, job.texts);
            confirmed = diff.empty();
            if (!confirmed)
                result.reason = kSiteRunReadBackDiffers.in(job.language);
        }
    }
    result.outcome = confirmed ? SiteDeviceOutcome::Ok : SiteDeviceOutcome::Failed;
    chosen.last = SiteTransfer{Now(), SiteDirection::Write,
                               confirmed ? SiteTransferResult::Ok : SiteTransferResult::Failed,
                               ImageChecksum(model, kProgramSlot), confirmed};
    return false;
}

// A chip or infrared device, on the calling thread, after its guidance was accepted.
void RunGuidedDevice(const DeviceJob& job, TransferObserver* progress, Chosen& chosen)
{
    SiteDeviceResult& result = chosen.result;
    ProgramModel model;
    if (!OpenProgram(job, model, result))
        return;
    const bool write = job.options.direction == SiteDirection::Write;
    const auto failed = [&](const QString& reason) {
        result.outcome = SiteDeviceOutcome::Failed;
        result.reason = reason;
        chosen.last = SiteTransfer{Now(), job.options.direction, SiteTransferResult::Failed, {}, false};
    };
    if (job.device.link == SiteLinkKind::Chip) {
        QtSerialBytePort port(job.device.port);
        SerialChipTransfer transfer(port, model.device.Uhrentyp, job.device.port, job.options.workDir, {}, progress);
        const SerialTransferResult r = write ? transfer.writeChip(job.site.programPath(job.device)) : transfer.readChip();
        if (r.result != 0) {
            const auto message = SerialFaultMessage(r, job.device.port);
            failed(message ? message->render(job.texts).simplified() : r.error);
            return;
        }
        if (write) {
            // The chip goes into the device later: nothing can be read back now.
            result.outcome = SiteDeviceOutcome::Ok;
            chosen.last = SiteTransfer{Now(), SiteDirection::Write, SiteTransferResult::Ok,
                                       ImageChecksum(model, kProgramSlot), false};
            return;
        }
        const ProgramSlot& kept = model.program();
        const QByteArray text = ProgramFileText(r.image, model.device.MaxEintrag, kept.Verwendung, kept.Kanalname);
        if (const int rc = LoadProgramData(model, text, kProgramSlot, ReadTarget(job)); rc != LoadOk) {
            failed(LoadResultMessage(rc, model.device.BrandIndex, {}, LoadHintFor::CommandLine).render(job.texts).simplified());
            return;
        }
        FinishRead(job, model, result, chosen.last);
        return;
    }
    RunInteraction ui(job.texts);
    IrTransfer transfer(model, ui, job.texts, job.options.workDir);
    transfer.observer = progress;
    IrJob irJob;
    irJob.mode = write ? IrModus::Program : IrModus::Read;
    irJob.port = job.device.port.toInt();
    if (transfer.Run(irJob) != IrOutcome::Succeeded) {
        failed(ui.last);
        return;
    }
    if (write) {
        result.outcome = SiteDeviceOutcome::Ok;
        chosen.last = SiteTransfer{Now(), SiteDirection::Write, SiteTransferResult::Ok,
                                   ImageChecksum(model, kProgramSlot), false};
        return;
    }
    FinishRead(job, model, result, chosen.last);
}

// The site log beside the site file, one line per device that ran.
bool AppendLog(const Site& site, const std::vector<Chosen>& chosen, SiteDirection direction, QString* error)
{
    const QString path = SiteLogPath(site);
    QByteArray text;
    if (QFileInfo::exists(path)) {
        const LimitedRead old = ReadRegularFile(path, 64 * 1024 * 1024);
        if (!old.ok()) {
            *error = path;
            return false;
        }
        text = old.data;
        if (!text.isEmpty() && !text.endsWith('\n'))
            text += '\n';
    }
    if (text.isEmpty())
        text = "time,device,direction,result,seconds,differences\n";
    for (const Chosen& c : chosen) {
        const SiteDeviceResult& r = c.result;
        if (r.outcome == SiteDeviceOutcome::NotRun)
            continue;
        const QString when = (c.last ? c.last->when : Now()).toString(Qt::ISODate);
        QString outcome = QString::fromLatin1(OutcomeKey(r.outcome));
        if (!r.reason.isEmpty())
            outcome += QStringLiteral(": ") + r.reason;
        const QStringList fields{when,
                                 SpreadsheetCsvField(r.device),
                                 QString::fromLatin1(DirectionKey(direction)),
                                 SpreadsheetCsvField(outcome),
                                 QString::number(r.seconds, 'f', 1),
                                 SpreadsheetCsvField(r.differences.join(QStringLiteral(" | ")))};
        text += fields.join(u',').toUtf8() + '\n';
    }
    return WriteFileAtomically(path, text, error);
}

} // namespace

SiteRun::SiteRun(Site& site, const TextTable& texts, ExtraLanguage language)
    : site_(site), texts_(texts), language_(language)
{
}

std::vector<SiteDeviceResult> SiteRun::run(const SiteRunOptions& options, SiteRunObserver* observer)
{
    siteSaveError_.clear();
    logError_.clear();
    std::vector<Chosen> chosen;
    for (int i = 0; i < static_cast<int>(site_.devices.size()); ++i) {
        const SiteDevice& d = site_.devices[static_cast<std::size_t>(i)];
        if (!options.only.isEmpty() && !options.only.contains(d.name))
            continue;
        if (options.changedOnly && options.direction == SiteDirection::Write
            && DeviceTransferState(site_, d) == SiteTransferState::UpToDate)
            continue;
        Chosen c;
        c.siteIndex = i;
        c.result.device = d.name;
        chosen.push_back(std::move(c));
    }
    const int count = static_cast<int>(chosen.size());
    const auto deviceOf = [&](const Chosen& c) -> const SiteDevice& {
        return site_.devices[static_cast<std::size_t>(c.siteIndex)];
    };
    const auto jobOf = [&](const Chosen& c) { return DeviceJob{site_, deviceOf(c), options, texts_, language_}; };

    // Bus devices by connection, in site order; one thread per connection.
    std::map<QString, std::vector<int>> groups;
    std::vector<int> others;
    for (int i = 0; i < count; ++i) {
        const SiteDevice& d = deviceOf(chosen[static_cast<std::size_t>(i)]);
        if (d.link == SiteLinkKind::Bus)
            groups[d.connection].push_back(i);
        else
            others.push_back(i);
    }
    std::map<quint16, std::mutex> addressLocks;
    for (const auto& [connection, members] : groups)
        for (const int i : members)
            if (const auto a = ParsePhysAddress(deviceOf(chosen[static_cast<std::size_t>(i)]).address))
                addressLocks[*a];
    EventQueue queue;
    queue.setWorkers(static_cast<int>(groups.size()));
    std::vector<std::unique_ptr<QThread>> threads;
    for (const auto& [connection, members] : groups) {
        threads.emplace_back(QThread::create([&, connection = connection, members = members] {
            QString error;
            std::unique_ptr<EibLink> link = OpenEibLink(connection, options.workDir, &error);
            QString linkFault = link ? QString() : kSiteRunLinkNotOpened.in(language_).arg(connection, error);
            const QString protocol = ProtocolFileFor(options.workDir, connection);
            for (const int i : members) {
                Chosen& c = chosen[static_cast<std::size_t>(i)];
                if (stop_) {
                    queue.push({RunEvent::Kind::Finished, i, 0, c.result});
                    continue;
                }
                queue.push({RunEvent::Kind::Started, i, 0, {}});
                QElapsedTimer timer;
                timer.start();
                if (!linkFault.isEmpty()) {
                    c.result.outcome = SiteDeviceOutcome::Failed;
                    c.result.reason = linkFault;
                } else {
                    // The same address on another connection waits: the
                    // device's saved application is kept under its address.
                    const auto address = ParsePhysAddress(deviceOf(c).address);
                    std::unique_lock<std::mutex> busy;
                    if (address)
                        busy = std::unique_lock(addressLocks.at(*address));
                    ProgressForward progress(&queue, i);
                    if (RunBusDevice(jobOf(c), *link, protocol, &progress, c))
                        linkFault = c.result.reason; // the rest of this connection cannot be reached
                }
                c.result.seconds = timer.nsecsElapsed() / 1e9;
                if (c.result.outcome == SiteDeviceOutcome::Failed && !c.last)
                    c.last = SiteTransfer{Now(), options.direction, SiteTransferResult::Failed, {}, false};
                queue.push({RunEvent::Kind::Finished, i, 0, c.result});
            }
            link.reset();
            queue.workerDone();
        }));
    }
    for (const auto& t : threads)
        t->start();
    std::deque<RunEvent> events;
    while (queue.take(events)) {
        for (const RunEvent& e : events) {
            if (!observer)
                continue;
            const QString& name = chosen[static_cast<std::size_t>(e.index)].result.device;
            switch (e.kind) {
            case RunEvent::Kind::Started:
                observer->deviceStarted(name, e.index, count);
                break;
            case RunEvent::Kind::Progress:
                observer->deviceProgress(name, e.percent);
                break;
            case RunEvent::Kind::Finished:
                observer->deviceFinished(e.result);
                break;
            }
        }
        events.clear();
    }
    for (const auto& t : threads)
        t->wait();

    // Chip and infrared devices one after the other, each when the user has it ready.
    struct GuidedProgress : TransferObserver {
        SiteRunObserver* observer = nullptr;
        QString device;
        void progressChanged(int value, int maximum) override
        {
            if (observer && maximum > 0)
                observer->deviceProgress(device, std::clamp(value * 100 / maximum, 0, 100));
        }
    };
    for (const int i : others) {
        Chosen& c = chosen[static_cast<std::size_t>(i)];
        const SiteDevice& d = deviceOf(c);
        if (stop_) {
            if (observer)
                observer->deviceFinished(c.result);
            continue;
        }
        if (observer)
            observer->deviceStarted(d.name, i, count);
        QElapsedTimer timer;
        timer.start();
        if (d.link == SiteLinkKind::None) {
            c.result.outcome = SiteDeviceOutcome::Skipped;
            c.result.reason = kSiteRunNoLink.in(language_);
        } else if (!options.guided) {
            c.result.outcome = SiteDeviceOutcome::Skipped;
            c.result.reason = kSiteRunNeedsGuidance.in(language_);
        } else {
            const ExtraText& instruction = d.link == SiteLinkKind::Chip ? kSiteRunChipInstruction : kSiteRunIrInstruction;
            if (!observer || !observer->guide(d, instruction.in(language_).arg(d.name))) {
                c.result.outcome = SiteDeviceOutcome::Skipped;
                c.result.reason = kSiteRunDeclined.in(language_);
            } else {
                GuidedProgress progress;
                progress.observer = observer;
                progress.device = d.name;
                RunGuidedDevice(jobOf(c), &progress, c);
            }
        }
        c.result.seconds = timer.nsecsElapsed() / 1e9;
        if (c.result.outcome == SiteDeviceOutcome::Failed && !c.last)
            c.last = SiteTransfer{Now(), options.direction, SiteTransferResult::Failed, {}, false};
        if (observer)
            observer->deviceFinished(c.result);
    }

    std::vector<SiteDeviceResult> results;
    for (const Chosen& c : chosen) {
        if (c.last)
            site_.devices[static_cast<std::size_t>(c.siteIndex)].last = c.last;
        results.push_back(c.result);
    }
    QString error;
    if (!site_.path.isEmpty() && count > 0) {
        if (!AppendLog(site_, chosen, options.direction, &error))
            logError_ = kSiteRunLogNotWritten.in(language_).arg(error);
        if (!SaveSite(site_, &siteSaveError_) && siteSaveError_.isEmpty())
            siteSaveError_ = site_.path;
    }
    return results;
}

SiteRunCounts CountSiteRun(const std::vector<SiteDeviceResult>& results)
{
    SiteRunCounts n;
    for (const SiteDeviceResult& r : results) {
        switch (r.outcome) {
        case SiteDeviceOutcome::Ok:
        case SiteDeviceOutcome::Differs:
            ++n.ok;
            break;
        case SiteDeviceOutcome::Failed:
        case SiteDeviceOutcome::NotRun:
            ++n.failed;
            break;
        case SiteDeviceOutcome::Skipped:
            ++n.skipped;
            break;
        }
    }
    return n;
}

QString SiteOutcomeText(SiteDeviceOutcome outcome, ExtraLanguage language)
{
    switch (outcome) {
    case SiteDeviceOutcome::Ok:
        return kSiteRunOk.in(language);
    case SiteDeviceOutcome::Differs:
        return kSiteRunDiffers.in(language);
    case SiteDeviceOutcome::Failed:
        return kSiteRunFailed.in(language);
    case SiteDeviceOutcome::Skipped:
        return kSiteRunSkipped.in(language);
    case SiteDeviceOutcome::NotRun:
        break;
    }
    return kSiteRunNotRun.in(language);
}

QString SiteLogPath(const Site& site)
{
    const QFileInfo info(site.path);
    QString base = info.fileName();
    if (base.endsWith(kSiteFileExtension))
        base.chop(kSiteFileExtension.size());
    return info.dir().filePath(base + QStringLiteral(".log.csv"));
}

} // namespace zendrik
