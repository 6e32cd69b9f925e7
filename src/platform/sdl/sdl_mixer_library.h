// SPDX-License-Identifier: MIT
// SDL2_mixer's entry points, looked up when the sound opens instead of linked with the game: the mixer
// brings some forty libraries (codecs, the synthesizer and theirs) that would load before main().
#pragma once

#include <SDL_mixer.h>

struct MixerLibrary {
    decltype(&Mix_OpenAudio) openAudio = nullptr;
    decltype(&Mix_CloseAudio) closeAudio = nullptr;
    decltype(&Mix_Init) init = nullptr;
    decltype(&Mix_Quit) quit = nullptr;
    decltype(&Mix_AllocateChannels) allocateChannels = nullptr;
    decltype(&Mix_SetSoundFonts) setSoundFonts = nullptr;
    decltype(&Mix_HookMusicFinished) hookMusicFinished = nullptr;
    decltype(&Mix_LoadWAV) loadWav = nullptr;
    decltype(&Mix_LoadWAV_RW) loadWavRw = nullptr;
    decltype(&Mix_FreeChunk) freeChunk = nullptr;
    decltype(&Mix_PlayChannel) playChannel = nullptr;
    decltype(&Mix_HaltChannel) haltChannel = nullptr;
    decltype(&Mix_LoadMUS) loadMusic = nullptr;
    decltype(&Mix_FreeMusic) freeMusic = nullptr;
    decltype(&Mix_PlayMusic) playMusic = nullptr;
    decltype(&Mix_HaltMusic) haltMusic = nullptr;
    decltype(&Mix_Volume) volume = nullptr;
    decltype(&Mix_VolumeMusic) volumeMusic = nullptr;
};
// Loads the library and finds every entry into `mixer`, once; false, with `mixer` left empty and the
// reason on standard error, when the library or any entry is missing. The game then plays without sound.
bool loadMixerLibrary(MixerLibrary& mixer);
