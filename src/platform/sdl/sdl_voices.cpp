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

void mixVoice(SdlVoices::Voice& voice, int volume, Uint8* stream, size_t length)
{
    if (voice.pcm == nullptr)
        return;
    size_t count = std::min(length, voice.pcm->size() - voice.at);
    SDL_MixAudioFormat(stream, voice.pcm->data() + voice.at, Format, static_cast<Uint32>(count), volume);
    voice.at += count;
    if (voice.at >= voice.pcm->size())
        voice.pcm = nullptr;
}

void mix(void* record, Uint8* stream, int length)
{
    SdlVoices& voices = *static_cast<SdlVoices*>(record);
    std::memset(stream, 0, static_cast<size_t>(length));
    mixVoice(voices.cue, voices.volume, stream, static_cast<size_t>(length));
    mixVoice(voices.beeping, voices.volume, stream, static_cast<size_t>(length));
}

// A WAV's samples in the device's format; empty when it cannot be read or converted.
std::vector<uint8_t> convertedWav(SDL_RWops* source)
{
    SDL_AudioSpec stored;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (source == nullptr || SDL_LoadWAV_RW(source, 1, &stored, &samples, &length) == nullptr)
        return {};
    SDL_AudioCVT cvt;
    int needed = SDL_BuildAudioCVT(&cvt, stored.format, stored.channels, stored.freq, Format, Channels, Rate);
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

void start(SdlVoices& voices, SdlVoices::Voice& voice, const std::vector<uint8_t>* pcm)
{
    SDL_LockAudioDevice(voices.device);
    voice = SdlVoices::Voice{pcm, 0};
    SDL_UnlockAudioDevice(voices.device);
}

} // namespace

bool SdlVoices::open(const std::vector<uint8_t>& beepWav)
{
    if (device != 0)
        return true;
    SDL_AudioSpec want{};
    want.freq = Rate;
    want.format = Format;
    want.channels = Channels;
    want.samples = 1024;
    want.callback = mix;
    want.userdata = this;
    device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device == 0)
        return false;
    beep = convertedWav(SDL_RWFromConstMem(beepWav.data(), static_cast<int>(beepWav.size())));
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void SdlVoices::close()
{
    if (device == 0)
        return;
    SDL_CloseAudioDevice(device);
    int kept = volume;
    *this = SdlVoices{};
    volume = kept;
}

void SdlVoices::playCue(const std::string& fileName)
{
    if (device == 0)
        return;
    auto found = cues.find(fileName);
    if (found == cues.end()) {
        std::vector<uint8_t> pcm = convertedWav(SDL_RWFromFile(fileName.c_str(), "rb"));
        if (pcm.empty())
            return; // tried again next time: the file may appear later
        if (cues.size() >= MaxCachedCues) {
            // Many names: forget the converted ones, after silencing the one that may be sounding.
            start(*this, cue, nullptr);
            cues.clear();
        }
        found = cues.emplace(fileName, std::move(pcm)).first;
    }
    start(*this, cue, &found->second);
    cueName = fileName;
}

std::string SdlVoices::soundingCue()
{
    if (device == 0)
        return {};
    SDL_LockAudioDevice(device);
    bool sounding = cue.pcm != nullptr;
    SDL_UnlockAudioDevice(device);
    return sounding ? cueName : std::string();
}

void SdlVoices::playBeep()
{
    if (device != 0 && !beep.empty())
        start(*this, beeping, &beep);
}

void SdlVoices::setVolume(int level)
{
    if (device != 0)
        SDL_LockAudioDevice(device);
    volume = level;
    if (device != 0)
        SDL_UnlockAudioDevice(device);
}
