// SPDX-License-Identifier: MIT
// The SDL2 backend's sound: the WAV cues and the beep (a short tone made in memory) on SDL's own device
// until music is asked for; from then on all of it through SDL2_mixer, the cues and the beep on a
// channel each and the music played once with its end sent back as an event. The device opens on a
// thread of its own once the first frames are out; every sound call waits for it.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/sdl_mixer_library.h"

namespace {

constexpr int CueChannel = 0;
constexpr int BeepChannel = 1;
constexpr size_t MaxCachedCues = 16;

// The sound's state: the mixer's entries, the device's opening (see startOpening for who may touch
// what while it runs), the cached cues and the open music.
struct SdlSound {
    SdlVoices voices;   // the cues' own device until the mixer takes over
    MixerLibrary mixer; // found when the music first needs it
    SDL_Thread* opening = nullptr;
    bool openingStarted = false;
    uint32_t musicEventType = 0; // the SDL event type the music's end arrives as (0 without sound)
    bool audio = false;          // SDL's audio started: the cues sound on its own device
    bool mixerTried = false;
    bool open = false;                      // the mixer's device is open and plays everything
    std::map<std::string, Mix_Chunk*> cues; // loaded once per file name
    Mix_Chunk* beep = nullptr;
    Mix_Music* music = nullptr;
    uint32_t musicId = 0; // the open track's id, 0 when none
    uint32_t lastMusicId = 0;
    // The id the finished-hook reports. The hook runs on the audio thread (or inside Mix_HaltMusic);
    // closing sets this to 0 first, so a halt made on purpose sends no notice.
    std::atomic<uint32_t> soundingMusicId{0};
    // The mixer's levels (0..MIX_MAX_VOLUME) the game asked for, set again whenever the device opens.
    int musicVolume = MIX_MAX_VOLUME;
    int cueVolume = MIX_MAX_VOLUME;
};
SdlSound Sound;

void musicFinished()
{
    uint32_t id = Sound.soundingMusicId.exchange(0);
    if (id == 0 || Sound.musicEventType == 0)
        return;
    SDL_Event e{};
    e.type = Sound.musicEventType;
    e.user.code = static_cast<Sint32>(id);
    SDL_PushEvent(&e);
}

// A 16-bit mono WAV in memory: 120 ms of a soft 880 Hz tone with short fades against clicks.
std::vector<uint8_t> beepWave()
{
    constexpr int Rate = 44100;
    constexpr int Samples = Rate * 120 / 1000;
    constexpr int Fade = Rate * 10 / 1000;
    std::vector<uint8_t> wav;
    auto put16 = [&wav](uint32_t v) {
        wav.push_back(v & 0xFF);
        wav.push_back((v >> 8) & 0xFF);
    };
    auto put32 = [&put16](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    auto tag = [&wav](const char* t) {
        for (int k = 0; k < 4; ++k)
            wav.push_back(static_cast<uint8_t>(t[k]));
    };
    tag("RIFF");
    put32(36 + Samples * 2);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(Rate);
    put32(Rate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(Samples * 2);
    for (int i = 0; i < Samples; ++i) {
        double envelope = std::min({1.0, i / double(Fade), (Samples - i) / double(Fade)});
        double v = 0.25 * envelope * std::sin(2.0 * std::numbers::pi * 880.0 * i / Rate);
        put16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))));
    }
    return wav;
}

Mix_Chunk* cueChunk(const std::string& fileName)
{
    auto found = Sound.cues.find(fileName);
    if (found != Sound.cues.end())
        return found->second;
    Mix_Chunk* chunk = Sound.mixer.loadWav(fileName.c_str());
    if (chunk == nullptr)
        return nullptr; // tried again next time: the file may appear later
    if (Sound.cues.size() >= MaxCachedCues) {
        // Many names: free the cached ones, none of which can be sounding once the channel is halted.
        Sound.mixer.haltChannel(CueChannel);
        for (auto& [name, cached] : Sound.cues)
            Sound.mixer.freeChunk(cached);
        Sound.cues.clear();
    }
    Sound.cues[fileName] = chunk;
    return chunk;
}

void stopMusic()
{
    if (Sound.music == nullptr)
        return;
    Sound.soundingMusicId.store(0);
    Sound.mixer.haltMusic();
    Sound.mixer.freeMusic(Sound.music);
    Sound.music = nullptr;
    Sound.musicId = 0;
}

// Opening the audio device and setting up the synthesizer take a good part of a second on some
// machines (longest on one without a sound card), and the first frame needs neither: begun beside it,
// the opening would only take a core from it. Only this thread writes Sound while it runs; everything
// else that reads Sound joins it first. It is an SDL thread, so SDL frees what it kept for the thread
// (its error text) when the thread ends.

int openDevice(void*);

// The music's event type is registered here, before the thread starts, as the event loop reads it.
void startOpening()
{
    if (Sound.openingStarted)
        return;
    Sound.openingStarted = true;
    if (Sound.musicEventType == 0) {
        Sound.musicEventType = SDL_RegisterEvents(1);
        if (Sound.musicEventType == static_cast<uint32_t>(-1))
            Sound.musicEventType = 0;
    }
    Sound.opening = SDL_CreateThread(openDevice, "roliquo-audio", nullptr);
    // Without a thread the device opens here: slower to the first frame, but the same sound.
    if (Sound.opening == nullptr)
        openDevice(nullptr);
}

// A sound asked for before the opening was begun begins it and waits for it.
void awaitOpening()
{
    startOpening();
    if (Sound.opening != nullptr) {
        SDL_WaitThread(Sound.opening, nullptr);
        Sound.opening = nullptr;
    }
}

int openDevice(void*)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    Sound.audio = true;
    Sound.voices.open(beepWave());
    return 0;
}

// The first music closes SDL's own device and opens the mixer's, which then plays the cues too; when
// the mixer cannot be had the cues go back to SDL's device and the music stays silent.
void openMixer()
{
    if (Sound.mixerTried || !Sound.audio)
        return;
    Sound.mixerTried = true;
    if (!loadMixerLibrary(Sound.mixer))
        return;
    // A cue cut off by the change (the menu's, as the first game starts) plays again on the mixer.
    std::string sounding = Sound.voices.soundingCue();
    Sound.voices.close();
    if (Sound.mixer.openAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        Sound.voices.open(beepWave());
        return;
    }
    Sound.mixer.init(MIX_INIT_MID);
    Sound.mixer.allocateChannels(2);
    Sound.mixer.volume(-1, Sound.cueVolume);
    Sound.mixer.volumeMusic(Sound.musicVolume);
    const char* soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    FILE* probe = fopen(soundFont, "rb");
    if (probe)
        fclose(probe);
    else
        soundFont = "/usr/share/sounds/sf2/default-GM.sf2";
    Sound.mixer.setSoundFonts(soundFont);
    Sound.mixer.hookMusicFinished(musicFinished);
    std::vector<uint8_t> wave = beepWave();
    Sound.beep = Sound.mixer.loadWavRw(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1);
    Sound.open = true;
    if (!sounding.empty())
        if (Mix_Chunk* chunk = cueChunk(sounding))
            Sound.mixer.playChannel(CueChannel, chunk, 0);
}

} // namespace

void openSound()
{
    startOpening();
}

void closeSound()
{
    if (!Sound.openingStarted)
        return; // nothing was opened
    awaitOpening();
    Sound.voices.close();
    if (!Sound.open) {
        if (Sound.audio)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        Sound.audio = false;
        return;
    }
    Sound.mixer.hookMusicFinished(nullptr);
    stopMusic();
    Sound.mixer.haltChannel(-1);
    for (auto& [name, chunk] : Sound.cues)
        Sound.mixer.freeChunk(chunk);
    Sound.cues.clear();
    if (Sound.beep)
        Sound.mixer.freeChunk(Sound.beep);
    Sound.beep = nullptr;
    Sound.mixer.closeAudio();
    Sound.mixer.quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Sound.open = false;
    Sound.audio = false;
}

bool isMusicEvent(const SDL_Event& event)
{
    return Sound.musicEventType != 0 && event.type == Sound.musicEventType;
}

uint32_t musicEventId(const SDL_Event& event)
{
    awaitOpening();
    uint32_t id = static_cast<uint32_t>(event.user.code);
    return id != 0 && id == Sound.musicId ? id : 0;
}

namespace platform {

void playWav(const std::string& fileName)
{
    awaitOpening();
    if (!Sound.open)
        Sound.voices.playCue(fileName);
    else if (Mix_Chunk* chunk = cueChunk(fileName))
        Sound.mixer.playChannel(CueChannel, chunk, 0);
}

void beep()
{
    awaitOpening();
    if (!Sound.open)
        Sound.voices.playBeep();
    else if (Sound.beep)
        Sound.mixer.playChannel(BeepChannel, Sound.beep, 0);
}

uint32_t openAndPlayMusic(const std::string& fileName)
{
    awaitOpening();
    openMixer();
    if (!Sound.open)
        return 0;
    stopMusic(); // one track at a time: a new one replaces the old without a notice for it
    Mix_Music* music = Sound.mixer.loadMusic(fileName.c_str());
    if (music == nullptr)
        return 0;
    uint32_t id = ++Sound.lastMusicId;
    Sound.soundingMusicId.store(id);
    if (Sound.mixer.playMusic(music, 0) != 0) {
        Sound.soundingMusicId.store(0);
        Sound.mixer.freeMusic(music);
        return 0;
    }
    Sound.music = music;
    Sound.musicId = id;
    return id;
}

void closeMusic(uint32_t id)
{
    awaitOpening();
    if (id != 0 && id == Sound.musicId)
        stopMusic();
}

void setSoundLevels(int music, int cues, int full)
{
    // Before the device's opening has begun the levels wait for it; asking for them does not begin it.
    if (Sound.openingStarted)
        awaitOpening();
    Sound.musicVolume = soundLevelOf(music, full, MIX_MAX_VOLUME);
    Sound.cueVolume = soundLevelOf(cues, full, MIX_MAX_VOLUME);
    Sound.voices.setVolume(Sound.cueVolume);
    if (!Sound.open)
        return;
    Sound.mixer.volume(-1, Sound.cueVolume);
    Sound.mixer.volumeMusic(Sound.musicVolume);
}

} // namespace platform
