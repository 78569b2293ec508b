#pragma once

// The module-player library: plays tracker modules (MOD, S3M, XM, IT, MTM, 669 and more),
// decoded by libopenmpt and sent to the sound card through SDL2's audio.
//
// Every function takes the handle that ModPlug_CreateEx returned; an unknown handle makes a
// call fail harmlessly. 16-bit results are 1 for success and 0 for failure. No function throws,
// and none blocks for longer than it takes to read a module file. Call them all from one thread.
//
// Positions and lengths are in tenths of a second; the volume runs from 0 (silent) to 100
// (the samples as rendered).

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t ModPlugHandle;

// Creates a player. `parameters` holds "name|value" pairs separated by "|": "loop|true" repeats
// a song for ever, "loop|false" (the default) plays it once; other names are ignored. The sound
// device is not touched until the first ModPlug_Play. Returns 0 when no player could be made.
ModPlugHandle ModPlug_CreateEx(const char* parameters);

// Remembers the window the player belongs to. Sound output does not need it.
int16_t ModPlug_SetWindow(ModPlugHandle player, uintptr_t window);

// Stops any song, then loads the module file at `path` (UTF-8). Fails, leaving no song loaded,
// when the path is not a readable regular file of sensible size or does not hold a module.
int16_t ModPlug_Load(ModPlugHandle player, const char* path);

// Plays the loaded song from its beginning, in the background, and returns at once. Opens the
// sound device on first use; fails when there is no song or no working sound device.
int16_t ModPlug_Play(ModPlugHandle player);

// Silences the song at once. Harmless when nothing plays.
int16_t ModPlug_Stop(ModPlugHandle player);

// Sets the volume, clamped to 0..100; returns the volume now in force.
int32_t ModPlug_SetVolume(ModPlugHandle player, int32_t volume);
int32_t ModPlug_GetVolume(ModPlugHandle player);

// The loaded song's length and the playing position, in tenths of a second; 0 without a song.
int32_t ModPlug_GetMaxPosition(ModPlugHandle player);
int32_t ModPlug_GetCurrentPosition(ModPlugHandle player);

// Closes the sound device and frees the player; the handle is dead afterwards.
int16_t ModPlug_Destroy(ModPlugHandle player);

#ifdef __cplusplus
}
#endif
