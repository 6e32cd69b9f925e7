// SPDX-License-Identifier: MIT
// One tick's input as a line of text, "DT KEYS": the line the level tool's trace reads and a replay
// holds for every tick. Parsing and formatting only.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>

#include "sim/marble.h"

// One tick of input: its duration in seconds and the steering keys held during it.
struct TickInput {
    float seconds = 0.0f;
    SteerKeys keys = 0;
};

enum class TickLine {
    Step,
    Skip,
    Bad
};

// Reads one line "DT KEYS": DT a finite number of seconds >= 0, KEYS "-" or a word of the letters
// L R U D S. Blank lines and lines starting with '#' are Skip; a malformed line is Bad with the reason
// in error.
TickLine parseTickLine(std::string_view line, TickInput& input, std::string& error);

// Reads tick lines from in, skipping blank and comment lines, and hands each step with its line number
// to step until the input ends or step returns false. False at the first line that cannot be read,
// with its number in badLine and the reason in error.
bool forEachTickLine(std::istream& in, const std::function<bool(const TickInput&, int lineNumber)>& step, int& badLine,
                     std::string& error);

// "-" for no keys, else the held keys' letters in the order L R U D S.
std::string keysWord(SteerKeys keys);

// "DT KEYS" with DT written with 9 significant digits, so it reads back as the same float.
std::string formatTickLine(TickInput input);
