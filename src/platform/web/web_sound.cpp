// SPDX-License-Identifier: MIT
// Sound through Web Audio, by a small bridge to the page's script: cues are the pack's WAV files,
// decoded by the browser; the music is the pack's MIDI piece rendered at build time to Ogg Vorbis
// (same name, .ogg). The audio context starts at the first key press, as browsers require; a page
// without Web Audio stays silent and plays on.
#include <emscripten.h>

#include <unistd.h>

#include <string>

#include "platform/platform.h"
#include "platform/web/web_internal.h"

namespace {

EM_JS(void, webAudioUnlock, (), {
    if (Module.audio === undefined) {
        const Context = window.AudioContext || window.webkitAudioContext;
        Module.audio = Context ? { context: new Context(), buffers: {}, cue: null, music: null } : null;
    }
    if (Module.audio && Module.audio.context.state === 'suspended')
        Module.audio.context.resume();
    // The track asked for before the page had sound starts now.
    const waiting = Module.waitingMusic;
    Module.waitingMusic = undefined;
    if (waiting && Module.audio)
        Module.webAudioPlay(waiting.path, true, waiting.id);
});

// Plays a file of the in-memory file system, decoded once and kept: as the cue (replacing the one
// sounding) or as the music track `id` (which reports its end).
EM_JS(void, webAudioPlay, (const char* name, int asMusic, int id), {
    Module.webAudioPlay(UTF8ToString(name), asMusic, id);
});

// The bridge's player, kept on Module so the unlock can start a waiting track.
EM_JS(void, webAudioDefine, (), {
  Module.webAudioPlay = (path, asMusic, id) => {
    const audio = Module.audio;
    if (!audio) {
        if (asMusic)
            Module.waitingMusic = { path: path, id: id };
        return;
    }
    const start = (buffer) => {
        if (asMusic && (!audio.music || audio.music.id !== id))
            return;
        if (!buffer)
            return asMusic ? Module._webMusicEnded(id) : undefined;
        const source = audio.context.createBufferSource();
        source.buffer = buffer;
        const levels = Module.soundLevels || { music: 1, cues: 1 };
        const gain = audio.context.createGain();
        gain.gain.value = asMusic ? levels.music : levels.cues;
        source.connect(gain).connect(audio.context.destination);
        if (asMusic) {
            audio.music.source = source;
            audio.music.gain = gain;
            source.onended = () => {
                if (audio.music && audio.music.id === id && audio.music.source === source) {
                    audio.music = null;
                    Module._webMusicEnded(id);
                }
            };
        } else {
            if (audio.cue)
                audio.cue.stop();
            audio.cue = source;
        }
        source.start();
    };
    if (asMusic)
        audio.music = { id: id, source: null };
    if (path in audio.buffers)
        return start(audio.buffers[path]);
    let bytes;
    try {
        bytes = FS.readFile(path);
    } catch (e) {
        return start(null);
    }
    audio.context.decodeAudioData(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length))
        .then((buffer) => { audio.buffers[path] = buffer; start(buffer); }, () => start(null));
  };
});

EM_JS(void, webAudioStopMusic, (int id), {
    if (Module.waitingMusic && Module.waitingMusic.id === id)
        Module.waitingMusic = undefined;
    const audio = Module.audio;
    if (!audio || !audio.music || audio.music.id !== id)
        return;
    const source = audio.music.source;
    audio.music = null;
    if (source)
        source.stop();
});

EM_JS(void, webAudioBeep, (), {
    const audio = Module.audio;
    if (!audio)
        return;
    const tone = audio.context.createOscillator();
    const level = audio.context.createGain();
    level.gain.value = 0.2 * (Module.soundLevels ? Module.soundLevels.cues : 1);
    tone.frequency.value = 800;
    tone.connect(level).connect(audio.context.destination);
    tone.start();
    tone.stop(audio.context.currentTime + 0.15);
});

// The levels as gains 0..1, for the sounds started from now on and the music sounding.
EM_JS(void, webAudioLevels, (double music, double cues), {
    Module.soundLevels = { music: music, cues: cues };
    const audio = Module.audio;
    if (audio && audio.music && audio.music.gain)
        audio.music.gain.gain.value = music;
});

void ensureBridge()
{
    static bool defined = false;
    if (!defined)
        webAudioDefine();
    defined = true;
}

// The rendered piece beside the MIDI file.
std::string renderedName(const std::string& fileName)
{
    std::string::size_type dot = fileName.rfind('.');
    return (dot == std::string::npos ? fileName : fileName.substr(0, dot)) + ".ogg";
}

} // namespace

// Called by the bridge when a piece has played to its end or could not be played.
extern "C" EMSCRIPTEN_KEEPALIVE void webMusicEnded(int id)
{
    appendMessage(MusicNoticeMessage, 1, id);
}

void unlockAudio()
{
    ensureBridge();
    webAudioUnlock();
}

namespace platform {

void playWav(const std::string& fileName)
{
    ensureBridge();
    webAudioPlay(fileName.c_str(), 0, 0);
}

void beep()
{
    webAudioBeep();
}

uint32_t openAndPlayMusic(const std::string& fileName)
{
    std::string rendered = renderedName(fileName);
    if (::access(rendered.c_str(), R_OK) != 0)
        return 0;
    ensureBridge();
    uint32_t id = ++Web.lastMusicId;
    webAudioPlay(rendered.c_str(), 1, static_cast<int>(id));
    return id;
}

void closeMusic(uint32_t id)
{
    webAudioStopMusic(static_cast<int>(id));
}

void setSoundLevels(int music, int cues, int full)
{
    constexpr int Steps = 1000;
    webAudioLevels(soundLevelOf(music, full, Steps) / double(Steps), soundLevelOf(cues, full, Steps) / double(Steps));
}

} // namespace platform
