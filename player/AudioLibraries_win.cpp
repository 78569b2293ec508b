#include "player/AudioLibraries.h"

namespace modplug {

// Windows loads the libraries' DLLs beside the program at start; the table points straight at
// them.
const AudioLibraries* audioLibraries()
{
    static const AudioLibraries libraries{
        &openmpt_module_create_from_memory2,
        &openmpt_module_destroy,
        &openmpt_module_set_repeat_count,
        &openmpt_module_get_duration_seconds,
        &openmpt_module_get_position_seconds,
        &openmpt_module_set_position_seconds,
        &openmpt_module_read_interleaved_float_stereo,
        &openmpt_log_func_silent,
        &openmpt_error_func_ignore,
        &SDL_SetHintWithPriority,
        &SDL_InitSubSystem,
        &SDL_QuitSubSystem,
        &SDL_EventState,
        &SDL_GetCurrentAudioDriver,
        &SDL_GetDefaultAudioInfo,
        &SDL_OpenAudioDevice,
        &SDL_PauseAudioDevice,
        &SDL_CloseAudioDevice,
        &SDL_free,
    };
    return &libraries;
}

} // namespace modplug
