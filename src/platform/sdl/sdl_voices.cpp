// SPDX-License-Identifier: MIT
// The cues and the beep on SDL's own audio device: two voices mixed in its callback at the cue level,
// so the title and the menus sound without SDL2_mixer, which loads only once music is asked for.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/sdl/sdl_internal.h"

namespace {

constexpr SDL_AudioFormat Format = AUDIO_S16SYS;
constexpr int Channels = 2;
constexpr int Rate = 44100;
constexpr size_t MaxCachedCues = 16;
// A cue is a second or two; a WAV whose samples would take more than this is refused, not converted.
constexpr Uint32 MaxWavBytes = 16u << 20;

struct Voice {
    const std::vector<uint8_t>* pcm = nullptr; // sounding, or none
    size_t at = 0;
};

// The device and what it plays. The callback reads the voices and the volume on the audio thread;
// the game thread changes them only while it holds the device's lock.
struct Voices {
    SDL_AudioDeviceID device = 0;
    std::map<std::string, std::vector<uint8_t>> cues; // converted once per file name
    std::vector<uint8_t> beep;
    Voice cue;
    std::string cueName; // the file the cue voice last started
    Voice beeping;
    int volume = SDL_MIX_MAXVOLUME;
};
Voices TheVoices;

void mixVoice(Voice& voice, Uint8* stream, size_t length)
{
    if (voice.pcm == nullptr)
        return;
    size_t count = std::min(length, voice.pcm->size() - voice.at);
    SDL_MixAudioFormat(stream, voice.pcm->data() + voice.at, Format, static_cast<Uint32>(count), TheVoices.volume);
    voice.at += count;
    if (voice.at >= voice.pcm->size())
        voice.pcm = nullptr;
}

void mix(void*, Uint8* stream, int length)
{
    std::memset(stream, 0, static_cast<size_t>(length));
    mixVoice(TheVoices.cue, stream, static_cast<size_t>(length));
    mixVoice(TheVoices.beeping, stream, static_cast<size_t>(length));
}

// A WAV's samples in the device's format; empty when it cannot be read or converted.
std::vector<uint8_t> convertedWav(SDL_RWops* source)
{
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (source == nullptr || SDL_LoadWAV_RW(source, 1, &spec, &samples, &length) == nullptr)
        return {};
    SDL_AudioCVT cvt;
    int needed = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, Format, Channels, Rate);
    if (needed < 0 || length > MaxWavBytes) {
        SDL_FreeWAV(samples);
        return {};
    }
    std::vector<uint8_t> pcm(static_cast<size_t>(length) * static_cast<size_t>(needed == 1 ? cvt.len_mult : 1));
    std::memcpy(pcm.data(), samples, length);
    SDL_FreeWAV(samples);
    if (needed == 1) {
        cvt.buf = pcm.data();
        cvt.len = static_cast<int>(length);
        if (SDL_ConvertAudio(&cvt) != 0)
            return {};
        pcm.resize(static_cast<size_t>(cvt.len_cvt));
    }
    // Whole frames only: the mix never reads past the last one.
    pcm.resize(pcm.size() - pcm.size() % (Channels * 2));
    return pcm;
}

const std::vector<uint8_t>* cuePcm(const std::string& fileName)
{
    auto found = TheVoices.cues.find(fileName);
    if (found != TheVoices.cues.end())
        return &found->second;
    std::vector<uint8_t> pcm = convertedWav(SDL_RWFromFile(fileName.c_str(), "rb"));
    if (pcm.empty())
        return nullptr; // tried again next time: the file may appear later
    if (TheVoices.cues.size() >= MaxCachedCues) {
        // Many names: forget the converted ones, after silencing the one that may be sounding.
        SDL_LockAudioDevice(TheVoices.device);
        TheVoices.cue = Voice{};
        SDL_UnlockAudioDevice(TheVoices.device);
        TheVoices.cues.clear();
    }
    return &(TheVoices.cues[fileName] = std::move(pcm));
}

void start(Voice& voice, const std::vector<uint8_t>* pcm)
{
    SDL_LockAudioDevice(TheVoices.device);
    voice = Voice{pcm, 0};
    SDL_UnlockAudioDevice(TheVoices.device);
}

} // namespace

bool openVoices(const std::vector<uint8_t>& beepWav)
{
    if (TheVoices.device != 0)
        return true;
    SDL_AudioSpec want{};
    want.freq = Rate;
    want.format = Format;
    want.channels = Channels;
    want.samples = 1024;
    want.callback = mix;
    TheVoices.device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (TheVoices.device == 0)
        return false;
    TheVoices.beep = convertedWav(SDL_RWFromConstMem(beepWav.data(), static_cast<int>(beepWav.size())));
    SDL_PauseAudioDevice(TheVoices.device, 0);
    return true;
}

void closeVoices()
{
    if (TheVoices.device == 0)
        return;
    SDL_CloseAudioDevice(TheVoices.device);
    int volume = TheVoices.volume;
    TheVoices = Voices{};
    TheVoices.volume = volume;
}

void playVoiceCue(const std::string& fileName)
{
    if (TheVoices.device == 0)
        return;
    if (const std::vector<uint8_t>* pcm = cuePcm(fileName)) {
        start(TheVoices.cue, pcm);
        TheVoices.cueName = fileName;
    }
}

std::string soundingVoiceCue()
{
    if (TheVoices.device == 0)
        return {};
    SDL_LockAudioDevice(TheVoices.device);
    bool sounding = TheVoices.cue.pcm != nullptr;
    SDL_UnlockAudioDevice(TheVoices.device);
    return sounding ? TheVoices.cueName : std::string();
}

void playVoiceBeep()
{
    if (TheVoices.device != 0 && !TheVoices.beep.empty())
        start(TheVoices.beeping, &TheVoices.beep);
}

void setVoicesVolume(int volume)
{
    if (TheVoices.device != 0)
        SDL_LockAudioDevice(TheVoices.device);
    TheVoices.volume = volume;
    if (TheVoices.device != 0)
        SDL_UnlockAudioDevice(TheVoices.device);
}
