// Sound cues and the music track over the platform layer. The callers keep MidiPlaying: it follows
// their requests, not the device's answer.
#include "sound/sound.h"

#include "platform/platform.h"

bool MidiPlaying = false;
uint32_t MidiDeviceId = 0;

// Error code reported when the platform could not open or start the track.
constexpr uint32_t MusicOpenFailed = 1;

void playCue(const std::string& fileName)
{
    platform::playWav(fileName);
}

uint32_t openAndPlayMusic(const std::string& fileName)
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
