// Plays a module file through the player library to its end, polling the position as the
// launcher's page does, then prints the CPU time the process used per second of audio: the
// figure to hold against `openmpt123 --render` of the same file.
//
//   player_playfile --write FILE        writes the benchmark song (a minute of four-channel chords)
//   player_playfile FILE [POLL_MS]      plays FILE, polling every POLL_MS (default 10) ms
//   player_playfile --mute FILE         plays FILE for two seconds, sets the volume to 0, prints
//                                       the steady clock's time of that call in nanoseconds
//                                       ("muted at N") and plays on for one more second: for
//                                       tools/measure-playback to time when the sound stops
//
// SDL_AUDIODRIVER=dummy plays in real time into nothing; SDL_AUDIODRIVER=disk with
// SDL_DISKAUDIODELAY=1 renders into SDL_DISKAUDIOFILE faster than real time.
#include "ModFileWriter.h"

#include "player/modplug.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        modfile::Song song;
        song.patterns = 8;
        song.noteEveryRows = 2;
        return modfile::save(argv[2], modfile::write(song)) ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--mute") == 0) {
        const ModPlugHandle player = ModPlug_CreateEx("loop|true");
        if (!ModPlug_Load(player, argv[2]) || !ModPlug_Play(player))
            return 1;
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ModPlug_SetVolume(player, 0);
        const auto muted = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("muted at %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(muted).count()));
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        ModPlug_Destroy(player);
        return 0;
    }
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s --write FILE | --mute FILE | FILE [POLL_MS]\n", argv[0]);
        return 2;
    }
    const int pollMs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 10;
    const ModPlugHandle player = ModPlug_CreateEx("loop|false");
    if (!ModPlug_Load(player, argv[1])) {
        std::fprintf(stderr, "%s: not a module\n", argv[1]);
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    if (!ModPlug_Play(player)) {
        std::fprintf(stderr, "no sound device\n");
        return 1;
    }
    const int32_t length = ModPlug_GetMaxPosition(player);
    while (ModPlug_GetCurrentPosition(player) < length) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
        ModPlug_GetVolume(player);
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ModPlug_Destroy(player);
    const double cpu = processCpuSeconds();
    std::printf("audio %.1f s, wall %.2f s, process CPU %.3f s, CPU per audio second %.2f ms\n",
                length / 10.0, wall, cpu, 1000.0 * cpu / (length / 10.0));
    return 0;
}
