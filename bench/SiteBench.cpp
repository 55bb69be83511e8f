#include "bench/BenchPrograms.h"
#include "language/TextTable.h"
#include "model/ImageChecksum.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "site/SiteChecks.h"
#include "site/SiteState.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

constexpr int kYear = 2026;
constexpr int kDevices = 50;

// A school of fifty time switches: bus astro devices and four-channel
// weekly/annual devices in turn, each with a grown program (a few hundred
// switching times, priority times, a summer/winter table, astro tables),
// no two alike.
struct School {
    QTemporaryDir dir;
    Site site;

    School()
    {
        site.name = QStringLiteral("Schulzentrum");
        site.path = dir.filePath(QStringLiteral("schule.zsite"));
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        for (int i = 0; i < kDevices; ++i) {
            const bool astro = i % 2 == 0;
            const int row = astro ? bench::kRow738 : bench::kRow731;
            ProgramModel m = astro ? bench::completeProgram(row, 300 + i, 40 + i % 20)
                                   : bench::completeProgram(row, 200 + i, 30 + i % 20);
            SiteDevice d;
            d.name = QStringLiteral("Gerät %1").arg(i + 1);
            d.type = row;
            d.program = QStringLiteral("p%1.zpg").arg(i + 1);
            d.link = SiteLinkKind::Bus;
            d.address = QStringLiteral("1.1.%1").arg(i + 1);
            d.connection = QStringLiteral("sim:bus.ini");
            m.program().Dateiname = site.programPath(d);
            SaveProgram(m, yes);
            // Written last week, so the check proves each is still what the device holds.
            ProgramModel opened;
            LoadSiteProgram(site, d, opened);
            d.last = SiteTransfer{QDateTime(QDate(2026, 12, 1), QTime(9, 0)), SiteDirection::Write,
                                  SiteTransferResult::Ok, ImageChecksum(opened), true};
            site.devices.push_back(d);
        }
    }
};

const TextTable& German()
{
    static const TextTable texts = [] {
        TextTable t;
        t.LoadGerman();
        return t;
    }();
    return texts;
}

// The whole site check: every program opened, simulated once and checked,
// then compared. Target: under 100 ms.
void CheckOfFiftyDevices(benchmark::State& state)
{
    static const School school;
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = CheckSite(school.site, German(), kYear, ExtraLanguage::German).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(CheckOfFiftyDevices)->Unit(benchmark::kMillisecond);

// What of it is reading the fifty program files alone.
void OpeningOfFiftyPrograms(benchmark::State& state)
{
    static const School school;
    ProgramModel model;
    for (auto _ : state) {
        for (const SiteDevice& d : school.site.devices)
            benchmark::DoNotOptimize(LoadSiteProgram(school.site, d, model));
    }
}
BENCHMARK(OpeningOfFiftyPrograms)->Unit(benchmark::kMillisecond);

} // namespace
