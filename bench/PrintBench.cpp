// Printing a complete 738 program: every section to PDF pages and to the
// text file.
#include "bench/BenchPrograms.h"
#include "editing/HandoverDocument.h"
#include "editing/PrintDocument.h"
#include "language/TextTable.h"
#include "paint/HandoverPainter.h"
#include "paint/PrintPainter.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

using namespace zendrik;
using namespace zendrik::bench;

namespace {

PrintRequest everything()
{
    PrintRequest r;
    r.Schaltzeiten = r.Prioritaetszeiten = r.SoWiTabelle = r.Astrozeiten = r.Geraeteeigenschaften = true;
    return r;
}

void BM_Print738Pdf(benchmark::State& state)
{
    const ProgramModel model = completeProgram(kRow738, 400, 100);
    const TextTable texts;
    int pages = 0;
    for (auto _ : state) {
        const PrintDocument doc = BuildPrintDocument(model, texts, everything());
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        QPainter painter(&pdf);
        pages = PrintPainter(doc, texts).paint(painter, pdf);
        painter.end();
        benchmark::DoNotOptimize(buffer.data().size());
    }
    state.counters["pages"] = pages;
}

void BM_Print738Text(benchmark::State& state)
{
    const ProgramModel model = completeProgram(kRow738, 400, 100);
    const TextTable texts;
    qsizetype lines = 0;
    for (auto _ : state) {
        const QStringList text = PrintTextLines(BuildPrintDocument(model, texts, everything()));
        lines = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// The hand-over record: the same printout behind a cover, then a year chart
// per channel (sixteen on the 738), each a simulated year of 366 day graphs.
void BM_Handover738Pdf(benchmark::State& state)
{
    const ProgramModel model = completeProgram(kRow738, 400, 100);
    const TextTable texts;
    int pages = 0;
    for (auto _ : state) {
        const HandoverDocument doc = BuildHandoverDocument(model, texts, 2028);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        QPainter painter(&pdf);
        pages = PaintHandover(doc, texts, painter, pdf);
        painter.end();
        benchmark::DoNotOptimize(buffer.data().size());
    }
    state.counters["pages"] = pages;
}

} // namespace

BENCHMARK(BM_Handover738Pdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Print738Pdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Print738Text)->Unit(benchmark::kMillisecond);
