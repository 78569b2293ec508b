#include "player/modplug.h"

#include "player/ModPlugPlayer.h"

#include <limits>
#include <map>
#include <memory>
#include <mutex>

namespace {

// The live players by handle. Handles count up from 1 and are never handed out twice, so a
// stale handle can only miss.
struct Registry {
    std::mutex lock;
    std::map<ModPlugHandle, std::shared_ptr<modplug::Player>> players;
    ModPlugHandle lastHandle = 0;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

std::shared_ptr<modplug::Player> find(ModPlugHandle handle)
{
    Registry& r = registry();
    const std::lock_guard lock(r.lock);
    const auto it = r.players.find(handle);
    return it == r.players.end() ? nullptr : it->second;
}

// Runs `call` on the handle's player; an unknown handle, or anything thrown, gives `failed`.
template <typename Result, typename Call>
Result withPlayer(ModPlugHandle handle, Result failed, Call call) noexcept
{
    try {
        if (const auto player = find(handle))
            return call(*player);
    } catch (...) {
    }
    return failed;
}

} // namespace

extern "C" {

ModPlugHandle ModPlug_CreateEx(const char* parameters)
{
    try {
        auto player = std::make_shared<modplug::Player>(modplug::parseOptions(parameters));
        Registry& r = registry();
        const std::lock_guard lock(r.lock);
        if (r.lastHandle == std::numeric_limits<ModPlugHandle>::max())
            return 0;
        const ModPlugHandle handle = ++r.lastHandle;
        r.players.emplace(handle, std::move(player));
        return handle;
    } catch (...) {
        return 0;
    }
}

int16_t ModPlug_SetWindow(ModPlugHandle player, uintptr_t window)
{
    return withPlayer<int16_t>(player, 0, [&](modplug::Player& p) -> int16_t {
        p.setWindow(window);
        return 1;
    });
}

int16_t ModPlug_Load(ModPlugHandle player, const char* path)
{
    return withPlayer<int16_t>(player, 0,
                               [&](modplug::Player& p) -> int16_t { return p.load(path); });
}

int16_t ModPlug_Play(ModPlugHandle player)
{
    return withPlayer<int16_t>(player, 0, [](modplug::Player& p) -> int16_t { return p.play(); });
}

int16_t ModPlug_Stop(ModPlugHandle player)
{
    return withPlayer<int16_t>(player, 0, [](modplug::Player& p) -> int16_t {
        p.stop();
        return 1;
    });
}

int32_t ModPlug_SetVolume(ModPlugHandle player, int32_t volume)
{
    return withPlayer<int32_t>(player, 0, [&](modplug::Player& p) { return p.setVolume(volume); });
}

int32_t ModPlug_GetVolume(ModPlugHandle player)
{
    return withPlayer<int32_t>(player, 0, [](modplug::Player& p) { return p.volume(); });
}

int32_t ModPlug_GetMaxPosition(ModPlugHandle player)
{
    return withPlayer<int32_t>(player, 0, [](modplug::Player& p) { return p.length(); });
}

int32_t ModPlug_GetCurrentPosition(ModPlugHandle player)
{
    return withPlayer<int32_t>(player, 0, [](modplug::Player& p) { return p.position(); });
}

int16_t ModPlug_Destroy(ModPlugHandle player)
{
    try {
        std::shared_ptr<modplug::Player> doomed;
        {
            Registry& r = registry();
            const std::lock_guard lock(r.lock);
            const auto it = r.players.find(player);
            if (it == r.players.end())
                return 0;
            doomed = std::move(it->second);
            r.players.erase(it);
        }
        doomed.reset(); // closes the device and frees the song, outside the registry's lock
        return 1;
    } catch (...) {
        return 0;
    }
}

} // extern "C"
