// The hand-over record of a site of twenty devices (ten 738 and ten 731
// programs as complete installations have them), from opening each
// program to the finished PDF. Target: under 3 s.
#include "bench/BenchPrograms.h"
#include "language/TextTable.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "paint/SiteHandoverPainter.h"
#include "site/SiteHandover.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

using namespace zendrik;
using namespace zendrik::bench;

namespace {

void BM_SiteHandover20DevicesPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    Site site;
    site.name = QStringLiteral("Grundschule am Park");
    site.path = QDir(dir.path()).filePath(QStringLiteral("schule.zsite"));
    for (int i = 0; i < 20; ++i) {
        const int row = i % 2 == 0 ? kRow738 : kRow731;
        ProgramModel model = completeProgram(row, 300, 60);
        const QString file = QStringLiteral("geraet%1.zpg").arg(i);
        model.program().Dateiname = QDir(dir.path()).filePath(file);
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        if (SaveProgram(model, yes).result != 1) {
            state.SkipWithError("the programs cannot be saved");
            return;
        }
        SiteDevice device;
        device.name = QStringLiteral("Gerät %1").arg(i + 1);
        device.type = row;
        device.program = file;
        device.link = SiteLinkKind::Bus;
        device.address = QStringLiteral("1.1.%1").arg(i + 1);
        site.devices.push_back(device);
    }
    const TextTable texts;
    const QString pdf = QDir(dir.path()).filePath(QStringLiteral("site.pdf"));
    int pages = 0;
    for (auto _ : state) {
        const SiteHandoverDocument doc = BuildSiteHandover(site, texts, 2028, ExtraLanguage::German);
        QString error;
        if (!WriteSiteHandoverPdf(doc, texts, pdf, &error, {}, &pages))
            state.SkipWithError("the PDF cannot be written");
    }
    state.counters["pages"] = pages;
}

} // namespace

BENCHMARK(BM_SiteHandover20DevicesPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
