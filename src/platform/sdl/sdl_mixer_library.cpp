// SPDX-License-Identifier: MIT
// Loading SDL2_mixer at run time: the library opened by its soname and each entry point looked up,
// all or none, so a missing or too old mixer leaves the game silent instead of unable to start.
#include "platform/sdl/sdl_mixer_library.h"

#include <SDL.h>

#include <cstdio>

namespace {

constexpr const char* MixerSoname = "libSDL2_mixer-2.0.so.0";

template <typename Fn> bool find(void* library, Fn& entry, const char* name)
{
    entry = reinterpret_cast<Fn>(SDL_LoadFunction(library, name));
    return entry != nullptr;
}

bool findAll(void* library, MixerLibrary& m)
{
    return find(library, m.openAudio, "Mix_OpenAudio") && find(library, m.closeAudio, "Mix_CloseAudio") &&
        find(library, m.init, "Mix_Init") && find(library, m.quit, "Mix_Quit") &&
        find(library, m.allocateChannels, "Mix_AllocateChannels") &&
        find(library, m.setSoundFonts, "Mix_SetSoundFonts") &&
        find(library, m.hookMusicFinished, "Mix_HookMusicFinished") && find(library, m.loadWav, "Mix_LoadWAV") &&
        find(library, m.loadWavRw, "Mix_LoadWAV_RW") && find(library, m.freeChunk, "Mix_FreeChunk") &&
        find(library, m.playChannel, "Mix_PlayChannel") && find(library, m.haltChannel, "Mix_HaltChannel") &&
        find(library, m.loadMusic, "Mix_LoadMUS") && find(library, m.freeMusic, "Mix_FreeMusic") &&
        find(library, m.playMusic, "Mix_PlayMusic") && find(library, m.haltMusic, "Mix_HaltMusic") &&
        find(library, m.volume, "Mix_Volume") && find(library, m.volumeMusic, "Mix_VolumeMusic");
}

} // namespace

bool loadMixerLibrary(MixerLibrary& mixer)
{
    static bool tried = false;
    static bool loaded = false;
    if (tried)
        return loaded;
    tried = true;
    // Kept loaded for the rest of the run: the mixer's own threads may outlive the last call into it.
    void* library = SDL_LoadObject(MixerSoname);
    MixerLibrary found;
    if (library == nullptr || !findAll(library, found)) {
        std::fprintf(stderr, "Roliquo: no sound: %s could not be loaded (%s)\n", MixerSoname, SDL_GetError());
        return false;
    }
    mixer = found;
    loaded = true;
    return true;
}
