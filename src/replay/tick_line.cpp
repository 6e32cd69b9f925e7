// SPDX-License-Identifier: MIT
// Parsing and formatting of "DT KEYS" tick lines. Reals use %.9g, so every float written here reads
// back bit for bit.
#include "replay/tick_line.h"

#include "level/token_reader.h"

namespace {

bool parseKeys(std::string_view word, SteerKeys& keys)
{
    keys = 0;
    if (word == "-")
        return true;
    for (char c : word) {
        switch (c) {
        case 'L':
            keys |= SteerLeft;
            break;
        case 'R':
            keys |= SteerRight;
            break;
        case 'U':
            keys |= SteerUp;
            break;
        case 'D':
            keys |= SteerDown;
            break;
        case 'S':
            keys |= SteerShift;
            break;
        default:
            return false;
        }
    }
    return !word.empty();
}

} // namespace

TickLine parseTickLine(std::string_view line, TickInput& input, std::string& error)
{
    std::vector<std::string_view> parts;
    splitWords(line, parts);
    if (parts.empty() || parts[0][0] == '#')
        return TickLine::Skip;
    if (parts.size() != 2) {
        error = "expected \"DT KEYS\", found " + std::to_string(parts.size()) + " words";
        return TickLine::Bad;
    }
    float seconds = 0.0f;
    if (!parseFloatWord(parts[0], seconds) || seconds < 0.0f) {
        error = "tick duration \"" + std::string(parts[0]) + "\" is not a finite number of seconds >= 0";
        return TickLine::Bad;
    }
    SteerKeys keys = 0;
    if (!parseKeys(parts[1], keys)) {
        error = "keys \"" + std::string(parts[1]) + "\" are not \"-\" or a word of the letters L R U D S";
        return TickLine::Bad;
    }
    input.seconds = seconds;
    input.keys = keys;
    return TickLine::Step;
}

std::string keysWord(SteerKeys keys)
{
    std::string word;
    if (keys & SteerLeft)
        word += 'L';
    if (keys & SteerRight)
        word += 'R';
    if (keys & SteerUp)
        word += 'U';
    if (keys & SteerDown)
        word += 'D';
    if (keys & SteerShift)
        word += 'S';
    return word.empty() ? "-" : word;
}

std::string formatTickLine(TickInput input)
{
    return exactFloatText(input.seconds) + " " + keysWord(input.keys);
}

bool forEachTickLine(std::istream& in, const std::function<bool(const TickInput&, int lineNumber)>& step, int& badLine,
                     std::string& error)
{
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        TickInput input;
        TickLine kind = parseTickLine(line, input, error);
        if (kind == TickLine::Skip)
            continue;
        if (kind == TickLine::Bad) {
            badLine = lineNumber;
            return false;
        }
        if (!step(input, lineNumber))
            return true;
    }
    return true;
}
