// SPDX-License-Identifier: MIT
// The SDL2 backend's sound through SDL2_mixer: WAV cues on one channel of their own, the beep (a
// short tone made in memory) on another, and the music played once with its end sent back as an event.
// The device opens on a thread of its own once the first frames are out; every sound call waits for it.
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

uint32_t MusicEventType = 0;

namespace {

constexpr int CueChannel = 0;
constexpr int BeepChannel = 1;
constexpr size_t MaxCachedCues = 16;

struct SdlSoundState {
    bool open = false;
    std::map<std::string, Mix_Chunk*> cues; // loaded once per file name
    Mix_Chunk* beep = nullptr;
    Mix_Music* music = nullptr;
    uint32_t musicId = 0; // the open track's id, 0 when none
    uint32_t lastMusicId = 0;
};
SdlSoundState Sound;

// The id the finished-hook reports. The hook runs on the audio thread (or inside Mix_HaltMusic);
// closing sets this to 0 first, so a halt made on purpose sends no notice.
std::atomic<uint32_t> SoundingMusicId{0};

void musicFinished()
{
    uint32_t id = SoundingMusicId.exchange(0);
    if (id == 0 || MusicEventType == 0)
        return;
    SDL_Event e{};
    e.type = MusicEventType;
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
    Mix_Chunk* chunk = Mixer.loadWav(fileName.c_str());
    if (chunk == nullptr)
        return nullptr; // tried again next time: the file may appear later
    if (Sound.cues.size() >= MaxCachedCues) {
        // Many names: free the cached ones, none of which can be sounding once the channel is halted.
        Mixer.haltChannel(CueChannel);
        for (auto& [name, cached] : Sound.cues)
            Mixer.freeChunk(cached);
        Sound.cues.clear();
    }
    Sound.cues[fileName] = chunk;
    return chunk;
}

void stopMusic()
{
    if (Sound.music == nullptr)
        return;
    SoundingMusicId.store(0);
    Mixer.haltMusic();
    Mixer.freeMusic(Sound.music);
    Sound.music = nullptr;
    Sound.musicId = 0;
}

// Opening the audio device and setting up the synthesizer take a good part of a second on some
// machines (longest on one without a sound card), and the first frame needs neither: begun beside it,
// the opening would only take a core from it. Only this thread writes Sound while it runs; everything
// else that reads Sound joins it first. It is an SDL thread, so SDL frees what it kept for the thread
// (its error text) when the thread ends.
SDL_Thread* Opening = nullptr;
bool OpeningStarted = false;

int openDevice(void*);

// The music's event type is registered here, before the thread starts, as the event loop reads it.
void startOpening()
{
    if (OpeningStarted)
        return;
    OpeningStarted = true;
    if (MusicEventType == 0) {
        MusicEventType = SDL_RegisterEvents(1);
        if (MusicEventType == static_cast<uint32_t>(-1))
            MusicEventType = 0;
    }
    Opening = SDL_CreateThread(openDevice, "roliquo-audio", nullptr);
    // Without a thread the device opens here: slower to the first frame, but the same sound.
    if (Opening == nullptr)
        openDevice(nullptr);
}

// A sound asked for before the opening was begun begins it and waits for it.
void awaitOpening()
{
    startOpening();
    if (Opening != nullptr) {
        SDL_WaitThread(Opening, nullptr);
        Opening = nullptr;
    }
}

int openDevice(void*)
{
    if (!loadMixerLibrary())
        return 0;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    if (Mixer.openAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mixer.init(MIX_INIT_MID);
    Mixer.allocateChannels(2);
    const char* soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    FILE* probe = fopen(soundFont, "rb");
    if (probe)
        fclose(probe);
    else
        soundFont = "/usr/share/sounds/sf2/default-GM.sf2";
    Mixer.setSoundFonts(soundFont);
    Mixer.hookMusicFinished(musicFinished);
    std::vector<uint8_t> wave = beepWave();
    Sound.beep = Mixer.loadWavRw(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1);
    Sound.open = true;
    return 0;
}

} // namespace

void openSound()
{
    startOpening();
}

void closeSound()
{
    if (!OpeningStarted)
        return; // nothing was opened
    awaitOpening();
    if (!Sound.open)
        return;
    Mixer.hookMusicFinished(nullptr);
    stopMusic();
    Mixer.haltChannel(-1);
    for (auto& [name, chunk] : Sound.cues)
        Mixer.freeChunk(chunk);
    Sound.cues.clear();
    if (Sound.beep)
        Mixer.freeChunk(Sound.beep);
    Sound.beep = nullptr;
    Mixer.closeAudio();
    Mixer.quit();
    Sound.open = false;
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
        return;
    if (Mix_Chunk* chunk = cueChunk(fileName))
        Mixer.playChannel(CueChannel, chunk, 0);
}

void beep()
{
    awaitOpening();
    if (Sound.open && Sound.beep)
        Mixer.playChannel(BeepChannel, Sound.beep, 0);
}

uint32_t openAndPlayMusic(const std::string& fileName)
{
    awaitOpening();
    if (!Sound.open)
        return 0;
    stopMusic(); // one track at a time: a new one replaces the old without a notice for it
    Mix_Music* music = Mixer.loadMusic(fileName.c_str());
    if (music == nullptr)
        return 0;
    uint32_t id = ++Sound.lastMusicId;
    SoundingMusicId.store(id);
    if (Mixer.playMusic(music, 0) != 0) {
        SoundingMusicId.store(0);
        Mixer.freeMusic(music);
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

} // namespace platform
