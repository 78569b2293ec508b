// The module player's costs: one tick of the Mod Player page, rendering a second of audio
// through the player against bare libopenmpt, and the launcher idling on the Mod Player page.
//
// Run with SDL_AUDIODRIVER=dummy (set here unless given) so that no sound card is needed.
#include "FakeServices.h"
#include "ModFileWriter.h"
#include "WindowTestHelpers.h"

#include "app/Form1.h"
#include "pages/ModPlayerPage.h"
#include "player/LibraryModulePlayer.h"
#include "player/ModPlugPlayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <libopenmpt/libopenmpt.h>

#include <fstream>
#include <iterator>
#include <sys/resource.h>

namespace {

// Eight patterns of four channels, a chord note every other row: about a minute of music.
const std::string& benchSong()
{
    static QTemporaryDir dir;
    static const std::string path = [] {
        modfile::Song song;
        song.patterns = 8;
        song.noteEveryRows = 2;
        const std::string file =
            QFile::encodeName(dir.filePath(QStringLiteral("bench.mod"))).toStdString();
        modfile::save(file, modfile::write(song));
        return file;
    }();
    return path;
}

constexpr int rate = 48000;
constexpr std::size_t bufferFrames = 2048; // what the player asks of the sound device

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One tick with a song playing, so the three getters read a live player.
void BM_Tick(benchmark::State& state)
{
    LibraryModulePlayer player;
    FakeFileDialog files;
    ModPlayerPage page(player, files);
    page.startUp();
    files.answers = {QString::fromStdString(benchSong())};
    page.Command12_Click();
    page.ModPlay_Click();
    for (auto _ : state)
        page.Timer1_Timer();
    page.shutDown();
}
BENCHMARK(BM_Tick);

// A second of audio rendered the way the audio callback does it, volume applied.
void BM_PlayerRenderOneSecond(benchmark::State& state)
{
    modplug::Player player({});
    player.load(benchSong().c_str());
    player.setVolume(80);
    player.cue();
    std::vector<float> buffer(bufferFrames * 2);
    for (auto _ : state) {
        for (std::size_t frames = 0; frames < std::size_t(rate); frames += bufferFrames)
            player.render(buffer.data(), bufferFrames, rate);
        if (player.position() >= player.length())
            player.cue();
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["audio_s_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlayerRenderOneSecond)->Unit(benchmark::kMillisecond);

// The same second from libopenmpt alone, as openmpt123 renders it.
void BM_LibopenmptRenderOneSecond(benchmark::State& state)
{
    std::ifstream in(benchSong(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    openmpt_module* song = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
        nullptr, nullptr, nullptr, nullptr);
    std::vector<float> buffer(bufferFrames * 2);
    for (auto _ : state) {
        for (std::size_t frames = 0; frames < std::size_t(rate); frames += bufferFrames)
            if (openmpt_module_read_interleaved_float_stereo(song, rate, bufferFrames,
                                                             buffer.data()) == 0)
                openmpt_module_set_position_seconds(song, 0);
        benchmark::DoNotOptimize(buffer.data());
    }
    openmpt_module_destroy(song);
    state.counters["audio_s_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LibopenmptRenderOneSecond)->Unit(benchmark::kMillisecond);

// The launcher's window on the Mod Player page, no song, the timer ticking: ten seconds of
// wall time, reporting the share of one core the whole process used.
void BM_IdleOnModPlayerPage(benchmark::State& state)
{
    FakeServices fakes;
    LibraryModulePlayer player;
    Form1 window(Services{fakes.programs, fakes.urls, fakes.messages, fakes.files,
                          fakes.listServers, fakes.sockets, fakes.registry, fakes.settings, player,
                          fakes.clipboard, fakes.records});
    window.show();
    chooseTab(window, 5);
    QCoreApplication::processEvents();
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        cpu += processCpuSeconds() - cpuBefore;
        wall += double(clock.nsecsElapsed()) / 1e9;
    }
    state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_IdleOnModPlayerPage)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
