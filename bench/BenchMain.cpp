#include <QCoreApplication>

#include <benchmark/benchmark.h>

// The benchmarks' main: Qt's event machinery needs an application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
