// SPDX-License-Identifier: MIT
// Cue synthesis. Every cue is a sum of sine partials with a phase accumulated sample by sample (so
// pitch glides stay smooth), times an amplitude envelope that rises from 0 and falls back to 0.
#include "cues.h"

#include <algorithm>
#include <cmath>

#include "wav_writer.h"

namespace {

constexpr float TwoPi = 6.28318530718f;

int samplesFor(float seconds)
{
    return static_cast<int>(std::lround(seconds * CueSampleRate));
}

// Raised-cosine ramps: 0 -> 1 over `attack` seconds at the start, 1 -> 0 over `release` seconds at
// the end, so the first and last samples are exactly silent.
float edgeRamp(int i, int count, float attack, float release)
{
    float t = static_cast<float>(i) / CueSampleRate;
    float left = static_cast<float>(count - 1 - i) / CueSampleRate;
    float rise = t < attack ? 0.5f - 0.5f * std::cos(3.14159265f * t / attack) : 1.0f;
    float fall = left < release ? 0.5f - 0.5f * std::cos(3.14159265f * left / release) : 1.0f;
    return rise * fall;
}

// One voice with a few harmonics at the given relative strengths.
struct Voice {
    float phase = 0.0f;
    float next(float frequency, const std::vector<float>& harmonics)
    {
        float sum = 0.0f;
        for (size_t h = 0; h < harmonics.size(); ++h) {
            sum += harmonics[h] * std::sin(phase * static_cast<float>(h + 1));
        }
        phase += TwoPi * frequency / CueSampleRate;
        if (phase > TwoPi) {
            phase -= TwoPi; // a whole turn leaves every harmonic where it was, and keeps precision
        }
        return sum;
    }
};

void normalise(std::vector<float>& samples)
{
    float peak = 0.0f;
    for (float s : samples) {
        peak = std::max(peak, std::fabs(s));
    }
    if (peak > 0.0f) {
        for (float& s : samples) {
            s *= CuePeak / peak;
        }
    }
}

} // namespace

std::vector<float> synthMenuCue()
{
    const int count = samplesFor(0.08f);
    std::vector<float> out(static_cast<size_t>(count));
    Voice voice;
    const std::vector<float> timbre = {1.0f, 0.25f};
    for (int i = 0; i < count; ++i) {
        float t = static_cast<float>(i) / CueSampleRate;
        float frequency = 900.0f + 500.0f * std::exp(-t / 0.015f); // a quick downward chirp
        float decay = std::exp(-t / 0.03f);
        out[static_cast<size_t>(i)] = voice.next(frequency, timbre) * decay * edgeRamp(i, count, 0.002f, 0.015f);
    }
    normalise(out);
    return out;
}

std::vector<float> synthGoCue()
{
    const int count = samplesFor(0.4f);
    std::vector<float> out(static_cast<size_t>(count));
    Voice low;
    Voice high;
    const std::vector<float> timbre = {1.0f, 0.5f, 0.35f, 0.2f, 0.1f};
    for (int i = 0; i < count; ++i) {
        float t = static_cast<float>(i) / CueSampleRate;
        float bend = 1.0f - 0.03f * std::exp(-t / 0.02f); // slides up into pitch
        float body = 0.65f + 0.35f * std::exp(-t / 0.12f);
        float s = low.next(880.0f * bend, timbre) + 0.8f * high.next(1318.5f * bend, timbre);
        out[static_cast<size_t>(i)] = s * body * edgeRamp(i, count, 0.005f, 0.08f);
    }
    normalise(out);
    return out;
}

std::vector<float> synthTimeUpCue()
{
    const int count = samplesFor(0.7f);
    std::vector<float> out(static_cast<size_t>(count));
    Voice voice;
    const std::vector<float> timbre = {1.0f, 0.0f, 0.11f, 0.0f, 0.04f}; // triangle-like
    for (int i = 0; i < count; ++i) {
        float t = static_cast<float>(i) / CueSampleRate;
        float glide = 660.0f * std::pow(0.25f, t / 0.7f); // two octaves down over the cue
        float vibrato = 1.0f + 0.012f * std::sin(TwoPi * 6.0f * t);
        out[static_cast<size_t>(i)] = voice.next(glide * vibrato, timbre) * edgeRamp(i, count, 0.01f, 0.15f);
    }
    normalise(out);
    return out;
}

std::vector<float> synthAllRightCue()
{
    const int count = samplesFor(0.7f);
    std::vector<float> out(static_cast<size_t>(count), 0.0f);
    // C5, E5, G5, C6: each struck in turn and left ringing like a bell.
    const float notes[] = {523.25f, 659.26f, 783.99f, 1046.5f};
    const std::vector<float> timbre = {1.0f, 0.3f, 0.12f};
    for (int n = 0; n < 4; ++n) {
        int start = samplesFor(0.1f * static_cast<float>(n));
        float ring = n == 3 ? 0.25f : 0.14f;
        Voice voice;
        for (int i = start; i < count; ++i) {
            float t = static_cast<float>(i - start) / CueSampleRate;
            float strike = std::min(1.0f, t / 0.004f);
            out[static_cast<size_t>(i)] += voice.next(notes[n], timbre) * strike * std::exp(-t / ring);
        }
    }
    for (int i = 0; i < count; ++i) {
        out[static_cast<size_t>(i)] *= edgeRamp(i, count, 0.002f, 0.1f);
    }
    normalise(out);
    return out;
}

bool writeCues(const std::string& folder)
{
    return writeWav(folder + "/menu.wav", synthMenuCue(), CueSampleRate) &&
        writeWav(folder + "/go.wav", synthGoCue(), CueSampleRate) &&
        writeWav(folder + "/timeup.wav", synthTimeUpCue(), CueSampleRate) &&
        writeWav(folder + "/allright.wav", synthAllRightCue(), CueSampleRate);
}
