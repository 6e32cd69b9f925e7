// What the SDL backend's window half and sound half share. Private to src/platform/sdl/.
#pragma once

#include <SDL.h>

#include <cstdint>

// The SDL event type the music's end arrives as (registered when sound opens; 0 without sound).
extern uint32_t MusicEventType;

// Opens the audio device and the mixer after SDL video is up. Without a device, sound stays silent.
void openSound();
// Releases every chunk and the music, then closes the mixer; called once at exit.
void closeSound();
// Turns a music-end event into the id it reports, or 0 when that track is no longer the open one
// (a late event for a closed or replaced track is dropped).
uint32_t musicEventId(const SDL_Event& event);
