// Runs over a site's devices on the simulated bus: several connections, faults of devices and links, a stop,
// a site file that cannot be replaced, the changed-only selection and a read that finds a differing device.

#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include "model/ImageChecksum.h"
#include "model/ProgramFile.h"
#include "site/SiteFile.h"
#include "site/SiteRun.h"
#include "site/SiteState.h"
#include "transfer/bus/BusApplication.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <map>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

using Outcome = SiteDeviceOutcome;

// Keeps every call and the thread it came on; may stop the run at the first device's start.
struct Recorder : SiteRunObserver {
    QThread* caller = QThread::currentThread();
    SiteRun* run = nullptr;
    bool stopAtFirst = false;
    bool elsewhere = false; // a call came on another thread than the run's caller
    QStringList finished;
    void deviceStarted(const QString&, int, int) override
    {
        elsewhere |= QThread::currentThread() != caller;
        if (stopAtFirst)
            run->requestStop();
    }
    void deviceProgress(const QString&, int) override { elsewhere |= QThread::currentThread() != caller; }
    void deviceFinished(const SiteDeviceResult& r) override
    {
        elsewhere |= QThread::currentThread() != caller;
        finished << r.device;
    }
};

const QByteArray kTwoDevices = "[bus]\npacing = off\n[device 1.1.5]\n[device 1.1.6]\n";
const QByteArray kOneDevice = "[bus]\npacing = off\n[device 1.1.5]\n";

struct Row {
    const char* name;
    QByteArray bus1 = kTwoDevices; // Flur 1.1.5 and Halle 1.1.6
    QString hofLink = u"sim:bus2.ini"_s; // Hof 1.1.5
    SiteDirection direction = SiteDirection::Write;
    QStringList only;
    bool changedOnly = false;
    bool stopAtFirst = false;
    bool siteBlocked = false; // a folder stands where the site file is to be replaced
    bool writeFirst = false;  // everything written before, then Halle's program changed
    std::map<QString, Outcome> expected;
};

class SiteRunTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir->path()).filePath(name); }
    // A fresh folder with the transfer application, three programs and the site of four devices.
    void prepare()
    {
        dir = std::make_unique<QTemporaryDir>();
        texts.LoadEnglish();
        ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, path(u"remote.s19"_s)));
        ASSERT_TRUE(QDir(dir->path()).mkpath(u"programs"_s));
        for (const QString& name : {u"Flur"_s, u"Halle"_s, u"Hof"_s}) {
            ProgramModel m = canonical738();
            ASSERT_FALSE(saveProgramAs(m, path(u"programs/"_s + name + u".zpg"_s)).isEmpty());
        }
        site.name = u"Grundschule am Park"_s;
        site.path = path(u"Schule.zsite"_s);
        const auto bus = [](const QString& name, const QString& address, const QString& connection) {
            return SiteDevice{name, {}, 20, u"programs/"_s + name + u".zpg"_s, SiteLinkKind::Bus, address, connection, {}, {}, {}};
        };
        site.devices = {bus(u"Flur"_s, u"1.1.5"_s, u"sim:bus1.ini"_s), bus(u"Halle"_s, u"1.1.6"_s, u"sim:bus1.ini"_s),
                        bus(u"Hof"_s, u"1.1.5"_s, u"sim:bus2.ini"_s),
                        SiteDevice{u"Keller"_s, {}, 20, u"programs/Flur.zpg"_s, SiteLinkKind::Chip, {}, {}, u"/dev/null"_s, {}, {}}};
    }
    std::vector<SiteDeviceResult> run(const SiteRunOptions& options, Recorder* recorder = nullptr)
    {
        SiteRun r(site, texts, ExtraLanguage::English);
        if (recorder)
            recorder->run = &r;
        auto results = r.run(options, recorder);
        saveError = r.siteSaveError();
        return results;
    }
    QString checksumOf(const SiteDevice& d) const
    {
        ProgramModel m;
        return LoadSiteProgram(site, d, m) == LoadOk ? ImageChecksum(m) : QString();
    }

    std::unique_ptr<QTemporaryDir> dir;
    TextTable texts;
    Site site;
    QString saveError;
};

TEST_F(SiteRunTest, RunsReportEachDeviceRecordTheLastTransferAndLogIt)
{
    const Row rows[] = {
        {.name = "all four", .expected = {{u"Flur"_s, Outcome::Ok}, {u"Halle"_s, Outcome::Ok}, {u"Hof"_s, Outcome::Ok}, {u"Keller"_s, Outcome::Skipped}}},
        {.name = "Halle absent", .bus1 = kOneDevice, .only = {u"Flur"_s, u"Halle"_s, u"Hof"_s},
         .expected = {{u"Flur"_s, Outcome::Ok}, {u"Halle"_s, Outcome::Failed}, {u"Hof"_s, Outcome::Ok}}},
        {.name = "another maker's device at Halle's address", .bus1 = kOneDevice + "[device 1.1.6]\nmanufacturer = 0x01\n",
         .only = {u"Halle"_s}, .expected = {{u"Halle"_s, Outcome::Failed}}},
        {.name = "second connection cannot be opened", .hofLink = u"sim:missing.ini"_s, .only = {u"Halle"_s, u"Hof"_s},
         .expected = {{u"Halle"_s, Outcome::Ok}, {u"Hof"_s, Outcome::Failed}}},
        {.name = "line dead after the first device", .bus1 = kTwoDevices + "[bcu]\nlink-dead-at-command = 3\n",
         .only = {u"Flur"_s, u"Halle"_s}, .expected = {{u"Flur"_s, Outcome::Failed}, {u"Halle"_s, Outcome::Failed}}},
        {.name = "stopped in the first device", .only = {u"Flur"_s, u"Halle"_s}, .stopAtFirst = true,
         .expected = {{u"Flur"_s, Outcome::Ok}, {u"Halle"_s, Outcome::NotRun}}},
        {.name = "site file cannot be replaced", .only = {u"Flur"_s}, .siteBlocked = true, .expected = {{u"Flur"_s, Outcome::Ok}}},
        {.name = "changed only", .changedOnly = true, .writeFirst = true, .expected = {{u"Halle"_s, Outcome::Ok}, {u"Keller"_s, Outcome::Skipped}}},
        {.name = "read finds Halle changed", .direction = SiteDirection::Read, .only = {u"Flur"_s, u"Halle"_s, u"Hof"_s},
         .writeFirst = true, .expected = {{u"Flur"_s, Outcome::Ok}, {u"Halle"_s, Outcome::Differs}, {u"Hof"_s, Outcome::Ok}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        prepare();
        site.devices[2].connection = row.hofLink;
        ASSERT_TRUE(writeFile(path(u"bus1.ini"_s), row.bus1) && writeFile(path(u"bus2.ini"_s), kOneDevice));
        ASSERT_TRUE(SaveSite(site, nullptr));
        int logLinesBefore = 1;
        if (row.writeFirst) {
            SiteRunOptions all;
            all.workDir = dir->path();
            run(all);
            logLinesBefore += 4;
            ProgramModel m = modelForRow(20);
            ASSERT_FALSE(saveProgramAs(m, site.programPath(site.devices[1])).isEmpty());
        }
        if (row.siteBlocked) {
            QFile::remove(site.path);
            ASSERT_TRUE(QDir(dir->path()).mkpath(u"Schule.zsite"_s));
        }
        std::map<QString, QByteArray> programs;
        for (const SiteDevice& d : site.devices)
            programs[d.program] = readFile(site.programPath(d));

        SiteRunOptions options;
        options.direction = row.direction;
        options.only = row.only;
        options.changedOnly = row.changedOnly;
        options.workDir = dir->path();
        options.outDir = path(u"read"_s);
        QDir().mkpath(options.outDir);
        Recorder recorder;
        recorder.stopAtFirst = row.stopAtFirst;
        const auto results = run(options, &recorder);

        std::map<QString, Outcome> outcomes;
        QString reasons;
        for (const SiteDeviceResult& r : results) {
            reasons += r.device + u": "_s + r.reason + u'\n';
            outcomes[r.device] = r.outcome;
            EXPECT_EQ(r.reason.isEmpty(), r.outcome == Outcome::Ok || r.outcome == Outcome::Differs || r.outcome == Outcome::NotRun)
                << r.device.toStdString() << ": " << r.reason.toStdString();
            EXPECT_EQ(r.differences.isEmpty(), r.outcome != Outcome::Differs) << r.device.toStdString();
        }
        EXPECT_EQ(outcomes, row.expected) << reasons.toStdString();
        EXPECT_FALSE(recorder.elsewhere);
        EXPECT_EQ(recorder.finished.size(), static_cast<qsizetype>(results.size()));
        for (const auto& [program, bytes] : programs)
            EXPECT_EQ(readFile(QDir(dir->path()).filePath(program)), bytes) << program.toStdString();
        EXPECT_EQ(saveError.isEmpty(), !row.siteBlocked);

        // The site file keeps each device's last transfer; the log has a line per device that ran.
        Site saved;
        if (!row.siteBlocked) {
            ASSERT_TRUE(LoadSite(site.path, saved).ok());
            EXPECT_EQ(saved, site);
        }
        int ran = 0;
        for (const auto& [name, outcome] : row.expected) {
            const SiteDevice& d = site.devices[static_cast<std::size_t>(site.indexOf(name))];
            if (outcome == Outcome::NotRun || outcome == Outcome::Skipped) {
                ran += outcome == Outcome::Skipped;
                continue;
            }
            ++ran;
            ASSERT_TRUE(d.last.has_value()) << name.toStdString();
            EXPECT_EQ(d.last->direction, row.direction);
            EXPECT_EQ(d.last->result, outcome == Outcome::Ok ? SiteTransferResult::Ok : outcome == Outcome::Differs ? SiteTransferResult::Differs
                                                                                                                    : SiteTransferResult::Failed);
            if (outcome == Outcome::Ok) {
                EXPECT_EQ(d.last->checksum, checksumOf(d)) << name.toStdString();
            }
            EXPECT_EQ(d.last->confirmed, outcome == Outcome::Ok && row.direction == SiteDirection::Write);
            if (row.direction == SiteDirection::Read) {
                EXPECT_TRUE(QFile::exists(QDir(options.outDir).filePath(name + u".zpg"_s)));
            }
        }
        const QStringList log = QString::fromUtf8(readFile(SiteLogPath(site))).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(log.isEmpty());
        EXPECT_EQ(log.first(), u"time,device,direction,result,seconds,differences"_s);
        EXPECT_EQ(log.size(), logLinesBefore + ran);
    }
}

// The command line's contract: a line per device as it ends (connections run in parallel, so in any order
// between them), then the counts; exit 3 when one failed, usage and unknown devices refused.
TEST_F(SiteRunTest, WriteAndReadOnTheCommandLine)
{
    prepare();
    ASSERT_TRUE(writeFile(path(u"bus1.ini"_s), kOneDevice) && writeFile(path(u"bus2.ini"_s), kOneDevice));
    ASSERT_TRUE(SaveSite(site, nullptr));
    const auto cli = [&](const QStringList& args) { return RunCli(QStringList{u"--lang"_s, u"en"_s, u"site"_s} + args, dir->path()); };
    const CliRun w = cli({u"write"_s, u"Schule.zsite"_s});
    EXPECT_EQ(w.exitCode, 3) << w.err.toStdString();
    QStringList lines = w.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << w.out.toStdString();
    EXPECT_EQ(lines.takeLast(), u"2 ok, 1 failed, 1 skipped"_s);
    lines.sort();
    EXPECT_EQ(lines[0], u"Flur: ok"_s);
    EXPECT_TRUE(lines[1].startsWith(u"Halle: failed: "_s) && lines[1].size() > 15) << lines[1].toStdString();
    EXPECT_EQ(lines[2], u"Hof: ok"_s);
    EXPECT_TRUE(lines[3].startsWith(u"Keller: skipped: "_s)) << lines[3].toStdString();

    const CliRun r = cli({u"read"_s, u"Schule.zsite"_s, u"--out"_s, u"back"_s, u"--only"_s, u"Flur"_s});
    EXPECT_EQ(std::pair(r.exitCode, r.out), std::pair(0, u"Flur: ok\n1 ok, 0 failed, 0 skipped\n"_s)) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(path(u"back/Flur.zpg"_s)));
    EXPECT_EQ(cli({u"read"_s, u"Schule.zsite"_s}).exitCode, 2);
    const CliRun unknown = cli({u"write"_s, u"Schule.zsite"_s, u"--only"_s, u"Turnhalle"_s});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(u"Turnhalle"_s)) << unknown.err.toStdString();
}

TEST(SiteLogTest, LogPathAndFieldsAFormulaCannotHideIn)
{
    QTemporaryDir dir;
    Site site;
    site.path = QDir(dir.path()).filePath(u"Schule.zsite"_s);
    EXPECT_EQ(SiteLogPath(site), QDir(dir.path()).filePath(u"Schule.log.csv"_s));
    site.devices.push_back(SiteDevice{u"=HYPERLINK(\"x\"),1"_s, {}, 4, u"none.zpg"_s, SiteLinkKind::Chip, {}, {}, u"/dev/null"_s, {}, {}});
    TextTable texts;
    SiteRun(site, texts, ExtraLanguage::German).run({});
    const QStringList log = QString::fromUtf8(readFile(SiteLogPath(site))).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[1].contains(u",\"'=HYPERLINK(\"\"x\"\"),1\",write,skipped: braucht die Anleitung des Desktop-Programms,"_s)) << log[1].toStdString();
}

} // namespace
