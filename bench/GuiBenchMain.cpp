// The main of the benchmarks that paint: fonts and painting need a
// QGuiApplication, offscreen so that no display is needed.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
