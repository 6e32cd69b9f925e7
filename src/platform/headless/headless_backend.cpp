// SPDX-License-Identifier: MIT
// The headless backend's window, queue, input, counter, timer and the records that replace dialogs,
// beeps and sound. OpenGL and frame read-back live in headless_gl.cpp.
#include <cmath>

#include "platform/headless/headless_state.h"

HeadlessState Headless;

void resetHeadlessState()
{
    bool glLive = Headless.glContextLive;
    Headless = HeadlessState{};
    Headless.glContextLive = glLive;
}

namespace platform {

bool startWindowSystem()
{
    return true;
}

bool createWindow(WindowProc proc)
{
    if (Headless.failWindow || proc == nullptr) {
        Headless.lastError = "window creation failed";
        return false;
    }
    Headless.proc = proc;
    Headless.windowCreated = true;
    proc(CreateMessage, 0, 0);
    return true;
}

void showWindow()
{
    Headless.windowShown = true;
    Headless.queue.append(PaintMessage);
}

bool peekMessage(Message& out)
{
    Headless.queue.checkTimer(Headless.counter, Headless.frequency);
    return Headless.queue.take(out);
}

void postMessage(uint32_t id, uint64_t wParam, int64_t lParam)
{
    Headless.queue.append(id, wParam, lParam);
}

void startTimer(int id, int periodMs)
{
    Headless.queue.startTimer(id, periodMs, Headless.counter);
}

bool isKeyDown(int virtualKey)
{
    return Headless.keysDown.count(virtualKey) != 0;
}

bool isPadButtonDown(int button)
{
    return Headless.padButtonsDown.count(button) != 0;
}

void messageBox(const std::string& text, const std::string& caption, bool owned)
{
    Headless.boxes.push_back(headless::MessageBoxRecord{text, caption, owned});
}

void beep()
{
    ++Headless.beeps;
}

uint64_t counterValue()
{
    return Headless.counter;
}
uint64_t counterFrequency()
{
    return Headless.frequency;
}

PixelFormatResult setupPixelFormat()
{
    if (Headless.pixelFormatFailure != PixelFormatResult::Ok) {
        Headless.lastError = "no matching pixel format";
        return Headless.pixelFormatFailure;
    }
    return PixelFormatResult::Ok;
}

std::string lastErrorText()
{
    return Headless.lastError;
}

void playWav(const std::string& fileName)
{
    Headless.cues.push_back(fileName);
}

uint32_t openAndPlayMusic(const std::string& fileName)
{
    if (Headless.failMusic) {
        Headless.music.push_back(headless::MusicRecord{"open", fileName, 0});
        return 0;
    }
    uint32_t id = ++Headless.lastMusicId;
    Headless.playingMusic = id;
    Headless.music.push_back(headless::MusicRecord{"open", fileName, id});
    return id;
}

void setSoundLevels(int music, int cues, int full)
{
    Headless.levels = headless::SoundLevels{soundLevelOf(music, full, headless::MixerFull),
                                            soundLevelOf(cues, full, headless::MixerFull)};
}

void closeMusic(uint32_t id)
{
    Headless.music.push_back(headless::MusicRecord{"close", "", id});
    if (id != 0 && id == Headless.playingMusic)
        Headless.playingMusic = 0;
}

} // namespace platform

namespace headless {

void pushMessage(uint32_t id, uint64_t wParam, int64_t lParam)
{
    Headless.queue.append(id, wParam, lParam);
}
void pushKey(int virtualKey)
{
    Headless.queue.append(KeyDownMessage, static_cast<uint64_t>(virtualKey));
}
std::vector<Message> pendingMessages()
{
    return {Headless.queue.messages.begin(), Headless.queue.messages.end()};
}
size_t pendingCount()
{
    return Headless.queue.messages.size();
}

void setKeyDown(int virtualKey, bool down)
{
    if (down)
        Headless.keysDown.insert(virtualKey);
    else
        Headless.keysDown.erase(virtualKey);
}
void setPadButtonDown(int button, bool down)
{
    if (down)
        Headless.padButtonsDown.insert(button);
    else
        Headless.padButtonsDown.erase(button);
}

void releaseAllKeys()
{
    Headless.keysDown.clear();
    Headless.padButtonsDown.clear();
}

void setCounterFrequency(uint64_t countsPerSecond)
{
    Headless.frequency = countsPerSecond > 0 ? countsPerSecond : 1;
}
void setCounter(uint64_t value)
{
    Headless.counter = value;
}
void advanceCounter(uint64_t counts)
{
    Headless.counter += counts;
}
void advanceSeconds(double seconds)
{
    if (!(seconds > 0.0))
        return;
    Headless.counter += static_cast<uint64_t>(std::llround(seconds * static_cast<double>(Headless.frequency)));
}

bool timerRunning()
{
    return Headless.queue.timerOn;
}

void failPixelFormat(platform::PixelFormatResult result)
{
    Headless.pixelFormatFailure = result;
}
void failWindowCreation(bool fail)
{
    Headless.failWindow = fail;
}
void failMusicOpen(bool fail)
{
    Headless.failMusic = fail;
}

const std::vector<MessageBoxRecord>& messageBoxes()
{
    return Headless.boxes;
}
int beepCount()
{
    return Headless.beeps;
}
const std::vector<std::string>& cues()
{
    return Headless.cues;
}
const std::vector<MusicRecord>& musicRecords()
{
    return Headless.music;
}
SoundLevels soundLevels()
{
    return Headless.levels;
}
uint32_t playingMusicId()
{
    return Headless.playingMusic;
}

void finishMusic()
{
    if (Headless.playingMusic == 0)
        return;
    uint32_t id = Headless.playingMusic;
    Headless.playingMusic = 0;
    Headless.queue.append(MusicNoticeMessage, 1, static_cast<int64_t>(id));
}

int swapCount()
{
    return Headless.swaps;
}
bool windowCreated()
{
    return Headless.windowCreated;
}
bool windowShown()
{
    return Headless.windowShown;
}
void setWindowHidden(bool hidden)
{
    Headless.windowHidden = hidden;
}

void clearRecords()
{
    Headless.boxes.clear();
    Headless.beeps = 0;
    Headless.cues.clear();
    Headless.music.clear();
    Headless.swaps = 0;
}

} // namespace headless
