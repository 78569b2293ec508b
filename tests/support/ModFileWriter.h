#pragma once

// Writes small four-channel ProTracker modules ("M.K.") for the player's tests and benchmarks,
// so that no music file has to live in the repository.

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace modfile {

// ProTracker periods of C, E, G and the C above, in the middle octave.
constexpr std::array<int, 4> chordPeriods = {428, 339, 285, 214};

struct Song {
    int patterns = 1;        // each played once, in order
    int rowsPerPattern = 64; // a pattern break after this many rows ends the pattern early
    int speed = 6;           // ticks per row; at the default 125 BPM a tick lasts 20 ms
    int noteEveryRows = 4;   // a new chord note on every channel this often
};

// Seconds the song lasts when played once.
inline double durationSeconds(const Song& song)
{
    return song.patterns * song.rowsPerPattern * song.speed * 0.02;
}

inline std::vector<std::uint8_t> write(const Song& song)
{
    std::vector<std::uint8_t> out;
    auto put = [&](std::uint8_t byte) { out.push_back(byte); };
    auto putWord = [&](int value) { // big-endian, as the format wants
        put(std::uint8_t((value >> 8) & 0xFF));
        put(std::uint8_t(value & 0xFF));
    };
    auto putText = [&](const std::string& text, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            put(i < text.size() ? std::uint8_t(text[i]) : 0);
    };

    // A looped square wave: 16 samples high, 16 low.
    constexpr int sampleBytes = 32;
    putText("test song", 20);
    for (int sample = 1; sample <= 31; ++sample) {
        putText(sample == 1 ? "square" : "", 22);
        putWord(sample == 1 ? sampleBytes / 2 : 0); // length in words
        put(0);                                     // finetune
        put(sample == 1 ? 64 : 0);                  // volume
        putWord(0);                                 // loop start in words
        putWord(sample == 1 ? sampleBytes / 2 : 1); // loop length in words; 1 means no loop
    }
    put(std::uint8_t(song.patterns));
    put(127);
    for (int order = 0; order < 128; ++order)
        put(order < song.patterns ? std::uint8_t(order) : 0);
    putText("M.K.", 4);

    for (int pattern = 0; pattern < song.patterns; ++pattern) {
        for (int row = 0; row < 64; ++row) {
            for (int channel = 0; channel < 4; ++channel) {
                int sample = 0;
                int period = 0;
                int effect = 0;
                int parameter = 0;
                if (row < song.rowsPerPattern && row % song.noteEveryRows == 0) {
                    sample = 1;
                    const int step = row / song.noteEveryRows + pattern;
                    period = chordPeriods[std::size_t(channel + step) % chordPeriods.size()];
                }
                if (row == 0 && channel == 0) {
                    effect = 0xF; // set speed
                    parameter = song.speed;
                }
                if (row == song.rowsPerPattern - 1 && song.rowsPerPattern < 64 && channel == 3) {
                    effect = 0xD; // pattern break to row 0 of the next order
                    parameter = 0;
                }
                put(std::uint8_t((sample & 0xF0) | ((period >> 8) & 0x0F)));
                put(std::uint8_t(period & 0xFF));
                put(std::uint8_t(((sample & 0x0F) << 4) | effect));
                put(std::uint8_t(parameter));
            }
        }
    }

    for (int i = 0; i < sampleBytes; ++i)
        put(std::uint8_t(i < sampleBytes / 2 ? 100 : -100));
    return out;
}

// A path made from UTF-16 reaches the file system intact on every system.
inline bool save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

} // namespace modfile
