#include "player/AudioLibraries.h"

#include <dlfcn.h>

namespace modplug {

namespace {

template <typename Function> bool find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

bool open(AudioLibraries& l)
{
    // The run-time names of the libraries the build was made against; RTLD_LOCAL keeps their
    // symbols from mixing with anything else in the process.
    void* const openmpt = dlopen("libopenmpt.so.0", RTLD_LAZY | RTLD_LOCAL);
    void* const sdl = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_LOCAL);
    return openmpt != nullptr && sdl != nullptr &&
           find(openmpt, "openmpt_module_create_from_memory2", l.moduleCreateFromMemory) &&
           find(openmpt, "openmpt_module_destroy", l.moduleDestroy) &&
           find(openmpt, "openmpt_module_set_repeat_count", l.moduleSetRepeatCount) &&
           find(openmpt, "openmpt_module_get_duration_seconds", l.moduleGetDurationSeconds) &&
           find(openmpt, "openmpt_module_get_position_seconds", l.moduleGetPositionSeconds) &&
           find(openmpt, "openmpt_module_set_position_seconds", l.moduleSetPositionSeconds) &&
           find(openmpt, "openmpt_module_read_interleaved_float_stereo", l.moduleReadFloatStereo) &&
           find(openmpt, "openmpt_log_func_silent", l.logSilent) &&
           find(openmpt, "openmpt_error_func_ignore", l.errorIgnore) &&
           find(sdl, "SDL_SetHintWithPriority", l.setHintWithPriority) &&
           find(sdl, "SDL_InitSubSystem", l.initSubSystem) &&
           find(sdl, "SDL_QuitSubSystem", l.quitSubSystem) &&
           find(sdl, "SDL_EventState", l.eventState) &&
           find(sdl, "SDL_GetCurrentAudioDriver", l.currentAudioDriver) &&
           find(sdl, "SDL_GetDefaultAudioInfo", l.getDefaultAudioInfo) &&
           find(sdl, "SDL_OpenAudioDevice", l.openAudioDevice) &&
           find(sdl, "SDL_PauseAudioDevice", l.pauseAudioDevice) &&
           find(sdl, "SDL_CloseAudioDevice", l.closeAudioDevice) && find(sdl, "SDL_free", l.free);
}

} // namespace

const AudioLibraries* audioLibraries()
{
    static const AudioLibraries* const libraries = [] {
        static AudioLibraries found{};
        return open(found) ? &found : nullptr;
    }();
    return libraries;
}

} // namespace modplug
