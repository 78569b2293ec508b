#pragma once

// One player of the module-player library. The ModPlug_ functions of modplug.h wrap it; the
// class itself is the library's inside, open to its tests and benchmarks.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

struct openmpt_module;

namespace modplug {

struct Options {
    bool loop = false;
};

// Reads "name|value|name|value..." creation parameters; unknown names and malformed values are
// ignored.
Options parseOptions(const char* text);

// A volume from 0 to 100 as a factor for the samples: squared, which sounds even across the bar.
float gainForVolume(int volume);

// How long one buffer of the sound device may last, so that a volume change, which applies from
// the next buffer on, is heard within about 100 ms. PulseAudio keeps about one buffer queued,
// SDL's other outputs (ALSA's two periods, for one) about two. Longer buffers wake the audio
// thread less often while playing, the largest cost of playback after decoding.
int bufferMilliseconds(const char* driver);

// The largest power of two of frames at `rate` Hz that lasts at most `milliseconds`.
std::uint16_t framesPerBuffer(int rate, int milliseconds);

class Player {
public:
    explicit Player(Options options);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    void setWindow(std::uintptr_t window) { m_window = window; }
    std::uintptr_t window() const { return m_window; }

    bool load(const char* path);
    bool play();
    void stop();

    std::int32_t setVolume(std::int32_t volume);
    std::int32_t volume() const { return m_volume.load(std::memory_order_relaxed); }
    std::int32_t length() const { return m_length.load(std::memory_order_relaxed); }
    std::int32_t position() const { return m_position.load(std::memory_order_relaxed); }

    // Rewinds the loaded song and marks it playing without touching the sound device; play()
    // is this plus the device. False without a song.
    bool cue();
    // Fills `frames` interleaved stereo frames at `rate` Hz: the work of the audio callback.
    // Renders the song while it plays, silence otherwise, with the volume applied.
    void render(float* out, std::size_t frames, int rate) noexcept;

private:
    bool openDevice();
    void closeDevice();
    void setSong(openmpt_module* song, double seconds);
    std::int32_t tenthsAt(double seconds) const;
    static void audioCallback(void* self, std::uint8_t* stream, int bytes);

    const Options m_options;
    std::uintptr_t m_window = 0;

    // Touched only by the calling thread.
    std::uint32_t m_device = 0; // SDL audio device id; 0 while closed
    int m_deviceRate = 48000;

    // Shared with the audio callback. The calling thread holds m_lock only to swap the song or
    // flip flags, never while it pauses or closes the device: SDL runs the callback holding
    // its own device lock, and taking the two locks in both orders would deadlock.
    std::mutex m_lock;
    openmpt_module* m_song = nullptr;
    double m_songSeconds = 0;
    bool m_playing = false;
    float m_gain = 1.0f; // the gain the last buffer ended with, to ramp from

    // Published for the getters, which must stay cheap enough to poll many times a second.
    std::atomic<std::int32_t> m_volume{100};
    std::atomic<std::int32_t> m_length{0};
    std::atomic<std::int32_t> m_position{0};
};

} // namespace modplug
