// SPDX-License-Identifier: MIT
// Sound cues and the music track, through the platform layer. Cues are fire-and-forget; the music is
// opened and played once, its end arriving as MusicNoticeMessage.
#pragma once

#include <cstdint>
#include <string>

struct Music {
    bool playing = false;  // the music device is open (kept by the callers)
    uint32_t deviceId = 0; // the device of the latest successful open; kept after it closes
};
extern Music TheMusic;
extern bool& MidiPlaying;
extern uint32_t& MidiDeviceId;

// The background track of a game.
inline constexpr const char* MusicTrackFile = "mi_movie.mid";

// Plays "menu.wav", "go.wav", "timeup.wav" or "allright.wav" (any WAV by bare file name).
void playCue(const std::string& fileName);

// Opens and plays the music file, keeping its device in MidiDeviceId; 0 on success, else a non-zero
// error code (nothing stays open). Not platform::openAndPlayMusic, which answers with the device id.
uint32_t tryStartMusic(const std::string& fileName);

// Closes MidiDeviceId.
void closeMusic();

// Plays the track from its beginning: closes it first if it is still playing, then opens and plays it.
// MidiPlaying is set whatever the device answered, so a failed open is later closed without effect.
void restartMusic();

// Closes the track if it is playing and clears MidiPlaying.
void stopMusic();

// Whether a MusicNoticeMessage whose lParam is noticeDevice reports the end of the track now open.
// A notice of an earlier, already replaced track (lParam a different device) is stale; 0 means the
// sender did not say which device ended.
bool musicNoticeIsCurrent(int64_t noticeDevice);

// Back to the program-start values (tests that run several games in one process).
void resetSoundState();
