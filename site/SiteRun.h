#pragma once

#include "language/ExtraText.h"
#include "site/Site.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

namespace zendrik {

class TextTable;

struct SiteRunOptions {
    SiteDirection direction = SiteDirection::Write;
    QStringList only;         // device names; empty: every device
    bool changedOnly = false; // write: only devices not up to date
    QString outDir;           // read: where NAME.zpg goes
    QString workDir;          // protocol, saved applications, transfer application (as the bus commands use)
    bool guided = false;      // chip and infrared devices are offered through `guide`; else skipped
};

enum class SiteDeviceOutcome { Ok,
                               Differs, // read: the device's program differs from its file
                               Failed,
                               Skipped,
                               NotRun }; // the run was stopped before this device

struct SiteDeviceResult {
    QString device;
    SiteDeviceOutcome outcome = SiteDeviceOutcome::NotRun;
    QString reason;          // why it failed or was skipped
    double seconds = 0;      // time the device took
    QStringList differences; // read-back or read: how the device differs from the file
};

// What a run tells while it goes; every call comes on the thread that called run().
struct SiteRunObserver {
    virtual ~SiteRunObserver() = default;
    virtual void deviceStarted(const QString& device, int index, int count) { }
    virtual void deviceProgress(const QString& device, int percent) { }
    virtual void deviceFinished(const SiteDeviceResult& result) { }
    // A chip or infrared device: asks the user to get it ready ("Speicherchip
    // für Flur EG einsetzen"); false skips the device.
    virtual bool guide(const SiteDevice& device, const QString& instruction) { return false; }
};

// One run over the site: write each chosen device and read it back to
// compare, or read each into outDir. Bus devices on the same connection go
// one after the other, devices on different connections in parallel. A
// device that fails is reported and the run goes on. Every result goes into
// the site (last transfer) and is appended to the site log (NAME.log.csv
// beside the site file); the site file is saved at the end.
class SiteRun {
public:
    SiteRun(Site& site, const TextTable& texts, ExtraLanguage language);

    std::vector<SiteDeviceResult> run(const SiteRunOptions& options, SiteRunObserver* observer = nullptr);
    // Stops after the device in progress (callable from any thread).
    void requestStop() { stop_ = true; }
    // Whether saving the site file at the end failed (read-only file ...), and why.
    QString siteSaveError() const { return siteSaveError_; }
    // Whether appending to the site log failed, and why.
    QString logError() const { return logError_; }

private:
    Site& site_;
    const TextTable& texts_;
    ExtraLanguage language_;
    std::atomic<bool> stop_{false};
    QString siteSaveError_;
    QString logError_;
};

// How a run ended, as both programs sum it up: a read that found another
// program counts as ok (the read itself went well); a device the run did not
// reach because it was stopped counts as failed (it did not get its program).
struct SiteRunCounts {
    int ok = 0;
    int failed = 0;
    int skipped = 0;
};
SiteRunCounts CountSiteRun(const std::vector<SiteDeviceResult>& results);

QString SiteOutcomeText(SiteDeviceOutcome outcome, ExtraLanguage language);
// The site log beside the site file: "Schule.zsite" -> "Schule.log.csv".
QString SiteLogPath(const Site& site);

} // namespace zendrik
