// The painters need a QGuiApplication for their fonts: the picture and
// recording layer benchmarks run one offscreen.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
