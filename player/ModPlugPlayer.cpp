#include "player/ModPlugPlayer.h"

#include "player/AudioLibraries.h"
#include "player/ModuleFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace modplug {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::int32_t lengthInTenths(double seconds)
{
    if (!(seconds > 0))
        return 0;
    const double tenths = std::round(seconds * 10);
    if (!std::isfinite(tenths) || tenths >= double(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return std::int32_t(tenths);
}

// A change of volume glides over this many frames at the start of a buffer and holds after it:
// long enough not to click, short enough that the new volume is reached soon after it is heard.
std::size_t glideFrames(int rate)
{
    return std::size_t(std::max(rate, 0) / 100); // 10 ms
}

void applyGain(float* samples, std::size_t frames, float from, float to, std::size_t glide)
{
    std::size_t frame = 0;
    if (from != to) {
        const std::size_t steps = std::min(glide, frames);
        const float step = (to - from) / float(std::max<std::size_t>(steps, 1));
        for (; frame < steps; ++frame) {
            const float gain = from + step * float(frame + 1);
            samples[2 * frame] *= gain;
            samples[2 * frame + 1] *= gain;
        }
    }
    if (to == 1.0f)
        return;
    if (to == 0.0f) {
        std::fill(samples + 2 * frame, samples + 2 * frames, 0.0f);
        return;
    }
    for (std::size_t i = 2 * frame; i < 2 * frames; ++i)
        samples[i] *= to;
}

} // namespace

Options parseOptions(const char* text)
{
    Options options;
    if (text == nullptr)
        return options;
    std::vector<std::string_view> fields;
    std::string_view rest(text);
    for (;;) {
        const std::size_t bar = rest.find('|');
        fields.push_back(trimmed(rest.substr(0, bar)));
        if (bar == std::string_view::npos)
            break;
        rest.remove_prefix(bar + 1);
    }
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (!equalsIgnoringCase(fields[i], "loop"))
            continue;
        const std::string_view value = fields[i + 1];
        if (equalsIgnoringCase(value, "true") || value == "1")
            options.loop = true;
        else if (equalsIgnoringCase(value, "false") || value == "0")
            options.loop = false;
    }
    return options;
}

float gainForVolume(int volume)
{
    const float linear = float(std::clamp(volume, 0, 100)) / 100.0f;
    return linear * linear;
}

Player::Player(Options options)
    : m_options(options)
{
}

Player::~Player()
{
    closeDevice();
    setSong(nullptr, 0);
}

bool Player::load(const char* path)
{
    stop();
    const AudioLibraries* const audio = audioLibraries();
    openmpt_module* song = nullptr;
    double seconds = 0;
    if (audio != nullptr) {
        std::vector<char> bytes;
        if (readModuleFile(path, bytes))
            song = audio->moduleCreateFromMemory(bytes.data(), bytes.size(), audio->logSilent,
                                                 nullptr, audio->errorIgnore, nullptr, nullptr,
                                                 nullptr, nullptr);
    }
    if (song != nullptr) {
        audio->moduleSetRepeatCount(song, m_options.loop ? -1 : 0);
        seconds = audio->moduleGetDurationSeconds(song);
    }
    // A failed load leaves no song behind, so Play cannot resume an earlier file by surprise.
    setSong(song, seconds);
    return song != nullptr;
}

void Player::setSong(openmpt_module* song, double seconds)
{
    openmpt_module* old = nullptr;
    {
        const std::lock_guard lock(m_lock);
        old = m_song;
        m_song = song;
        m_songSeconds = std::isfinite(seconds) && seconds > 0 ? seconds : 0;
        m_playing = false;
        m_length.store(lengthInTenths(seconds), std::memory_order_relaxed);
        m_position.store(0, std::memory_order_relaxed);
    }
    // Outside the lock: freeing a big song takes a while. A song exists only once the
    // libraries are open.
    if (old != nullptr)
        audioLibraries()->moduleDestroy(old);
}

bool Player::cue()
{
    const std::lock_guard lock(m_lock);
    if (m_song == nullptr)
        return false;
    const AudioLibraries* const audio = audioLibraries();
    if (audio->moduleGetPositionSeconds(m_song) != 0.0)
        audio->moduleSetPositionSeconds(m_song, 0.0);
    m_playing = true;
    m_gain = gainForVolume(volume());
    m_position.store(0, std::memory_order_relaxed);
    return true;
}

bool Player::play()
{
    {
        const std::lock_guard lock(m_lock);
        if (m_song == nullptr)
            return false;
    }
    if (!openDevice())
        return false;
    // Paused, the device no longer calls back, so rewinding cannot race a buffer in progress.
    const AudioLibraries* const audio = audioLibraries();
    audio->pauseAudioDevice(m_device, 1);
    if (!cue())
        return false;
    audio->pauseAudioDevice(m_device, 0);
    return true;
}

void Player::stop()
{
    {
        const std::lock_guard lock(m_lock);
        m_playing = false;
    }
    if (m_device != 0)
        audioLibraries()->pauseAudioDevice(m_device, 1);
}

std::int32_t Player::setVolume(std::int32_t volume)
{
    const std::int32_t inForce = std::clamp<std::int32_t>(volume, 0, 100);
    m_volume.store(inForce, std::memory_order_relaxed);
    return inForce;
}

int bufferMilliseconds(const char* driver)
{
    return driver != nullptr && std::string_view(driver) == "pulseaudio" ? 100 : 50;
}

std::uint16_t framesPerBuffer(int rate, int milliseconds)
{
    const long long limit = std::max(rate, 0) * static_cast<long long>(milliseconds) / 1000;
    std::uint16_t frames = 256;
    while (frames * 2 <= limit && frames < 8192)
        frames = std::uint16_t(frames * 2);
    return frames;
}

bool Player::openDevice()
{
    if (m_device != 0)
        return true;
    const AudioLibraries* const audio = audioLibraries();
    if (audio == nullptr)
        return false;
    // Otherwise SDL takes over SIGINT and SIGTERM, and Ctrl+C or kill no longer end the program.
    audio->setHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
    if (audio->initSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    // Nobody reads SDL's event queue; keep device hot-plug events from piling up in it.
    audio->eventState(SDL_AUDIODEVICEADDED, SDL_IGNORE);
    audio->eventState(SDL_AUDIODEVICEREMOVED, SDL_IGNORE);

    // Rendering at the output's own rate spares a resampling pass after the player, and at
    // 44.1 kHz renders a tenth fewer frames than at 48. The samples stay floats, libopenmpt's
    // own output, which the sound servers take as they are.
    SDL_AudioSpec output{};
    char* outputName = nullptr;
    const bool outputKnown = audio->getDefaultAudioInfo(&outputName, &output, 0) == 0;
    audio->free(outputName);
    SDL_AudioSpec wanted{};
    wanted.freq = outputKnown && output.freq >= 8000 && output.freq <= 192000 ? output.freq : 48000;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = framesPerBuffer(wanted.freq, bufferMilliseconds(audio->currentAudioDriver()));
    wanted.callback = &Player::audioCallback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device =
        audio->openAudioDevice(nullptr, 0, &wanted, &obtained,
                               SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    if (device == 0) {
        audio->quitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // The device opens paused, so the callback cannot read the rate before it is set.
    m_deviceRate = obtained.freq > 0 ? obtained.freq : wanted.freq;
    m_device = device;
    return true;
}

void Player::closeDevice()
{
    if (m_device == 0)
        return;
    const AudioLibraries* const audio = audioLibraries();
    audio->closeAudioDevice(m_device);
    m_device = 0;
    audio->quitSubSystem(SDL_INIT_AUDIO);
}

void Player::audioCallback(void* self, std::uint8_t* stream, int bytes)
{
    auto* player = static_cast<Player*>(self);
    const std::size_t frames = bytes > 0 ? std::size_t(bytes) / (2 * sizeof(float)) : 0;
    player->render(reinterpret_cast<float*>(stream), frames, player->m_deviceRate);
}

std::int32_t Player::tenthsAt(double seconds) const
{
    if (!(seconds > 0))
        return 0;
    // A repeating song's position keeps counting past its end; show it within the song.
    if (m_options.loop && m_songSeconds > 0)
        seconds = std::fmod(seconds, m_songSeconds);
    return std::min(lengthInTenths(seconds), length());
}

void Player::render(float* out, std::size_t frames, int rate) noexcept
{
    std::size_t done = 0;
    float from = 1.0f;
    float to = 1.0f;
    try {
        const std::lock_guard lock(m_lock);
        if (m_playing && m_song != nullptr) {
            const AudioLibraries* const audio = audioLibraries();
            while (done < frames) {
                const std::size_t n =
                    audio->moduleReadFloatStereo(m_song, rate, frames - done, out + 2 * done);
                if (n == 0) {
                    m_playing = false; // the song has ended
                    break;
                }
                done += n;
            }
            m_position.store(tenthsAt(audio->moduleGetPositionSeconds(m_song)),
                             std::memory_order_relaxed);
        }
        from = m_gain;
        to = gainForVolume(volume());
        m_gain = to;
    } catch (...) {
        done = 0; // a lock that cannot be taken: play silence rather than end the program
    }
    std::fill(out + 2 * done, out + 2 * frames, 0.0f);
    applyGain(out, done, from, to, glideFrames(rate));
}

} // namespace modplug
