// A site run on the paced simulated bus (TP1 timing in real time): devices of
// one connection one after the other against as many single runs, and two
// connections in parallel against the same devices one connection after the
// other. Each benchmark reports the ratio of the two (about ten minutes in all).

#include "bench/BenchPrograms.h"

#include "language/TextTable.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "site/SiteRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace zendrik {
namespace {

struct SiteOnBus {
    SiteOnBus()
    {
        QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), dir.filePath(QStringLiteral("remote.s19")));
        ProgramModel m = bench::fullProgram(bench::kRow738, 20, 4);
        m.program().Dateiname = dir.filePath(QStringLiteral("p.zpg"));
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        SaveProgram(m, yes);
        // Each line has devices of its own addresses: devices of the same
        // address on two lines take turns (they share the saved application).
        const char* lines[][3] = {{"bus1.ini", "1.1.5", "1.1.6"}, {"bus2.ini", "1.2.5", "1.2.6"}};
        int n = 0;
        site.path = dir.filePath(QStringLiteral("s.zsite"));
        for (const auto& line : lines) {
            QFile f(dir.filePath(QString::fromLatin1(line[0])));
            f.open(QIODevice::WriteOnly);
            f.write(QStringLiteral("[bus]\npacing = on\n[device %1]\ndelete-ms = 50\n[device %2]\ndelete-ms = 50\n")
                        .arg(QLatin1String(line[1]), QLatin1String(line[2])).toLatin1());
            for (const char* address : {line[1], line[2]})
                site.devices.push_back(SiteDevice{QStringLiteral("D%1").arg(++n), {}, bench::kRow738, QStringLiteral("p.zpg"),
                                                  SiteLinkKind::Bus, QString::fromLatin1(address),
                                                  QStringLiteral("sim:") + QLatin1String(line[0]), {}, {}, {}});
        }
    }
    // Seconds for one run over the named devices.
    double run(const QStringList& only)
    {
        SiteRunOptions options;
        options.only = only;
        options.workDir = dir.path();
        QElapsedTimer t;
        t.start();
        SiteRun(site, texts, ExtraLanguage::English).run(options);
        return t.nsecsElapsed() / 1e9;
    }
    QTemporaryDir tmp;
    QDir dir{tmp.path()};
    TextTable texts;
    Site site;
};

void BM_SiteRunOneConnection(benchmark::State& state)
{
    SiteOnBus s;
    for (auto _ : state) {
        const double together = s.run({QStringLiteral("D1"), QStringLiteral("D2")});
        const double single = s.run({QStringLiteral("D1")}) + s.run({QStringLiteral("D2")});
        state.SetIterationTime(together);
        state.counters["single_s"] = single;
        state.counters["ratio"] = together / single; // target <= 1.05
    }
}
BENCHMARK(BM_SiteRunOneConnection)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_SiteRunTwoConnections(benchmark::State& state)
{
    SiteOnBus s;
    for (auto _ : state) {
        const double parallel = s.run({});
        const double sequential = s.run({QStringLiteral("D1"), QStringLiteral("D2")})
                                  + s.run({QStringLiteral("D3"), QStringLiteral("D4")});
        state.SetIterationTime(parallel);
        state.counters["sequential_s"] = sequential;
        state.counters["ratio"] = parallel / sequential; // target <= 0.6
    }
}
BENCHMARK(BM_SiteRunTwoConnections)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
} // namespace zendrik

BENCHMARK_MAIN();
