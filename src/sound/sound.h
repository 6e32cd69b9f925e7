// Sound cues and the music track, through the platform layer. Cues are fire-and-forget; the music is
// opened and played once, its end arriving as MusicNoticeMessage.
#pragma once

#include <cstdint>
#include <string>

extern bool MidiPlaying;      // the music device is open (kept by the callers)
extern uint32_t MidiDeviceId; // the device of the latest successful open; kept after it closes

// Plays "menu.wav", "go.wav", "timeup.wav" or "allright.wav" (any WAV by bare file name).
void playCue(const std::string& fileName);

// Opens and plays the music file; 0 on success, else a non-zero error code (nothing stays open).
uint32_t openAndPlayMusic(const std::string& fileName);

// Closes MidiDeviceId.
void closeMusic();
