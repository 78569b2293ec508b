// Constructing the main window and showing it, on the offscreen platform.
#include "FakeServices.h"

#include "app/Form1.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

static void BM_ConstructAndShowForm1(benchmark::State& state)
{
    FakeServices fakes;
    for (auto _ : state) {
        Form1 window(fakes.services());
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(BM_ConstructAndShowForm1)->Unit(benchmark::kMillisecond);
