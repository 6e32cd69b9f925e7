// Text form of the level tool's input traces (one tick's duration and held keys per line) and of the
// state line printed after every traced tick. Parsing and formatting only; running ticks is sim_session.
#pragma once

#include <cstdint>
#include <string>

// The keys a trace can hold, as bits; their letters in a trace word are L, R, U, D, S.
enum KeyBits : uint8_t {
    KeyLeft = 1,
    KeyRight = 2,
    KeyUp = 4,
    KeyDown = 8,
    KeyShift = 16,
};

// One tick of input: its duration in seconds and the keys held during it.
struct TraceStep {
    float seconds = 0.0f;
    uint8_t keys = 0;
};

// The tick length the solver plans with: 60 ticks a second.
constexpr float SolverTickSeconds = 1.0f / 60;

enum class TraceLine { Step, Skip, Bad };

// Reads one input line "DT KEYS". Blank lines and lines starting with '#' are Skip; a malformed line is
// Bad with the reason in error.
TraceLine parseTraceLine(const std::string& line, TraceStep& step, std::string& error);

// "-" for no keys, else the held keys' letters in the order L R U D S.
std::string keysWord(uint8_t keys);

// "DT KEYS" with DT written with 9 significant digits, so it reads back as the same float.
std::string formatTraceStep(TraceStep step);

// "tick clock freeze finished x y z vx vy vz eyex eyey eyez pitch yaw roll" for the current sim state.
std::string formatStateLine(int tick);
