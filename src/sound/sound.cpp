// SPDX-License-Identifier: MIT
// Sound cues and the music track over the platform layer. The callers keep MidiPlaying: it follows
// their requests, not the device's answer.
#include "sound/sound.h"

#include "platform/platform.h"

Music TheMusic;
bool& MidiPlaying = TheMusic.playing;
uint32_t& MidiDeviceId = TheMusic.deviceId;

// Error code reported when the platform could not open or start the track.
constexpr uint32_t MusicOpenFailed = 1;

void playCue(const std::string& fileName)
{
    platform::playWav(fileName);
}

uint32_t tryStartMusic(const std::string& fileName)
{
    uint32_t id = platform::openAndPlayMusic(fileName);
    if (id == 0)
        return MusicOpenFailed;
    MidiDeviceId = id;
    return 0;
}

void closeMusic()
{
    platform::closeMusic(MidiDeviceId);
}

void restartMusic()
{
    stopMusic();
    // The result is not examined: a track that cannot play leaves the game silent, nothing more.
    tryStartMusic(MusicTrackFile);
    MidiPlaying = true;
}

void stopMusic()
{
    if (!MidiPlaying)
        return;
    closeMusic();
    MidiPlaying = false;
}

bool musicNoticeIsCurrent(int64_t noticeDevice)
{
    return noticeDevice == 0 || noticeDevice == static_cast<int64_t>(MidiDeviceId);
}

void resetSoundState()
{
    TheMusic = Music();
}
