#pragma once

// The functions of SDL2 and libopenmpt that the player uses. On Linux the two libraries are
// opened when a song is first loaded or played, not when the program starts: with the twenty
// libraries they bring along (sound servers, codecs, display back ends) they would cost every
// start of the launcher time and memory, and most starts never play a song.

#include <SDL.h>
#include <libopenmpt/libopenmpt.h>

namespace modplug {

struct AudioLibraries {
    decltype(&openmpt_module_create_from_memory2) moduleCreateFromMemory;
    decltype(&openmpt_module_destroy) moduleDestroy;
    decltype(&openmpt_module_set_repeat_count) moduleSetRepeatCount;
    decltype(&openmpt_module_get_duration_seconds) moduleGetDurationSeconds;
    decltype(&openmpt_module_get_position_seconds) moduleGetPositionSeconds;
    decltype(&openmpt_module_set_position_seconds) moduleSetPositionSeconds;
    decltype(&openmpt_module_read_interleaved_float_stereo) moduleReadFloatStereo;
    decltype(&openmpt_log_func_silent) logSilent;
    decltype(&openmpt_error_func_ignore) errorIgnore;

    decltype(&SDL_SetHintWithPriority) setHintWithPriority;
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_QuitSubSystem) quitSubSystem;
    decltype(&SDL_EventState) eventState;
    decltype(&SDL_GetCurrentAudioDriver) currentAudioDriver;
    decltype(&SDL_GetDefaultAudioInfo) getDefaultAudioInfo;
    decltype(&SDL_OpenAudioDevice) openAudioDevice;
    decltype(&SDL_PauseAudioDevice) pauseAudioDevice;
    decltype(&SDL_CloseAudioDevice) closeAudioDevice;
    decltype(&SDL_free) free;
};

// Opens the libraries on the first call and keeps them for the rest of the program. Null when
// either is missing or lacks a function, so that the player fails its Load and Play instead of
// the launcher failing to start. Safe to call from any thread.
const AudioLibraries* audioLibraries();

} // namespace modplug
