// SPDX-License-Identifier: MIT
// The level checker's text pass over a map file: tokens and numbers through the game's own reader, key
// values as the loader reads them, the .data section against holecount=, and the start point.
#include "map_lint.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>

#include "level/map_keys.h"
#include "level/token_reader.h"

namespace {

struct Token {
    std::string text;
    int line = 0;
};

bool isKey(const std::string& t)
{
    return t == TextureKey || t == FogColorKey || t == MarbleColorKey || t == HoleCountKey || t == DataStart;
}

std::string quoted(const std::string& t)
{
    return "\"" + t + "\"";
}

std::string hexText(uint32_t value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%x", value);
    return buffer;
}

// Whether the game's reader, started at this token, reads it whole as a number (and so reads the very
// value given here); a token it reads only the start of is no number to the loader either.
bool wholeInt(const std::string& t, int32_t& value)
{
    TokenReader reader(t);
    return reader.readInt(value) && reader.endReached();
}

bool wholeUnsigned(const std::string& t, uint32_t& value)
{
    TokenReader reader(t);
    return reader.readUnsigned(value) && reader.endReached();
}

bool wholeReal(const std::string& t, float& value)
{
    TokenReader reader(t);
    return reader.readReal(value) && reader.endReached();
}

// "010", "-07": integer keys read a leading 0 as octal ("0" itself and "0x" are no surprise).
bool hasOctalPrefix(const std::string& t)
{
    size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    return t.size() > i + 1 && t[i] == '0' && t[i + 1] != 'x' && t[i + 1] != 'X';
}

// Why an integer token is no integer to the loader, in words.
std::string integerTrouble(const std::string& t)
{
    if (t.size() > 15)
        return "is longer than 15 characters";
    if (hasOctalPrefix(t) && t.find_first_of("89") != std::string::npos)
        return "has a leading 0, which makes it octal, and a digit 8 or 9";
    return "is not an integer";
}

std::string realTrouble(const std::string& t)
{
    return t.size() > 19 ? "is longer than 19 characters" : "is not a number";
}

std::string plural(long long n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string describeHole(const Hole& h)
{
    return "(x " + exactFloatText(h.x) + ", y " + exactFloatText(h.y) + ", radius " + exactFloatText(h.radius) + ", depth " +
        exactFloatText(h.depth) + ")";
}

class Linter {
public:
    explicit Linter(const std::string& text) : reader_(text) { }

    MapLint run()
    {
        Token t;
        if (!next(t)) {
            error(0, "the file is empty: it has no keys at all");
            return out_;
        }
        do
            handle(t);
        while (next(t));
        finish();
        return out_;
    }

private:
    TokenReader reader_;
    Token pending_;
    bool hasPending_ = false;
    MapLint out_;
    bool sawTexture_ = false, sawFog_ = false, sawMarble_ = false;
    int holeCountLine_ = 0; // line of the latest holecount=, 0 before any
    int dataLine_ = 0;      // line of the latest .data that read holes
    int32_t holeCount_ = 0;
    bool holeCountHasData_ = true; // the latest holecount= was followed by its .data

    void error(int line, const std::string& text) { out_.findings.push_back({line, true, text}); }
    void warning(int line, const std::string& text) { out_.findings.push_back({line, false, text}); }

    bool next(Token& t)
    {
        if (hasPending_) {
            hasPending_ = false;
            t = pending_;
            return true;
        }
        if (!reader_.readToken(t.text))
            return false;
        t.line = reader_.line();
        return true;
    }

    void putBack(const Token& t)
    {
        pending_ = t;
        hasPending_ = true;
    }

    // The value token after a key, or false when the key has none (end of file, or another key follows:
    // that key is then left to be handled in its turn).
    bool value(const Token& key, Token& v)
    {
        if (!next(v)) {
            error(key.line, key.text + " has no value: the file ends after the key");
            return false;
        }
        if (isKey(v.text) || v.text == DataEnd) {
            error(key.line, key.text + " has no value: the next item is " + quoted(v.text));
            putBack(v);
            return false;
        }
        return true;
    }

    void handle(const Token& t)
    {
        Token v;
        if (t.text == TextureKey) {
            sawTexture_ = true;
            if (value(t, v)) {
                if (v.text.size() > 249)
                    error(v.line, "texturefile= name is longer than 249 characters");
                out_.textureBases.push_back(v.text);
                out_.textureLines.push_back(v.line);
            }
        } else if (t.text == FogColorKey || t.text == MarbleColorKey) {
            (t.text == FogColorKey ? sawFog_ : sawMarble_) = true;
            if (value(t, v))
                colour(t, v);
        } else if (t.text == HoleCountKey) {
            holeCountKey(t);
        } else if (t.text == DataStart) {
            data(t);
        } else if (t.text == DataEnd) {
            error(t.line, "unknown token \".end\": there is no .data section open here");
        } else {
            std::string hint;
            for (std::string_view key : {TextureKey, FogColorKey, MarbleColorKey, HoleCountKey}) {
                if (t.text.size() > key.size() && std::string_view(t.text).substr(0, key.size()) == key)
                    hint = " (a key and its value must be separated by whitespace)";
            }
            error(t.line, "unknown token " + quoted(t.text) + hint);
        }
    }

    void holeCountKey(const Token& t)
    {
        if (!holeCountHasData_)
            error(holeCountLine_, "holecount= is not followed by its .data section");
        else if (dataLine_ > 0)
            warning(t.line,
                    "holecount= again: its .data section replaces the " + plural(holeCount_, "hole", "holes") +
                        " given at line " + std::to_string(dataLine_));
        holeCountLine_ = t.line;
        holeCountHasData_ = false;
        holeCount_ = 0;
        Token v;
        if (!value(t, v))
            return;
        int32_t n = 0;
        if (!wholeInt(v.text, n)) {
            // Out of range, the reader stores the nearest limit; anything else stores 0.
            TokenReader reader(v.text);
            bool read = reader.readInt(n);
            if (!read && reader.endReached() && n != 0)
                error(v.line, "holecount= value " + v.text + " does not fit a 32-bit count");
            else
                error(v.line, "holecount= value " + quoted(v.text) + " " + integerTrouble(v.text));
            return;
        }
        if (n < 0) {
            error(v.line, "holecount= value " + v.text + " is negative");
            return;
        }
        if (hasOctalPrefix(v.text))
            warning(v.line,
                    "holecount= value " + v.text +
                        " has a leading 0, so the game reads it as octal: " + std::to_string(n));
        holeCount_ = n;
    }

    void colour(const Token& key, const Token& v)
    {
        uint32_t n = 0;
        if (!wholeUnsigned(v.text, n)) {
            TokenReader reader(v.text);
            bool read = reader.readUnsigned(n);
            if (!read && reader.endReached() && n == 0xFFFFFFFFu)
                error(v.line, key.text + " value " + v.text + " is beyond 32 bits");
            else
                error(v.line, key.text + " value " + quoted(v.text) + " " + integerTrouble(v.text));
            return;
        }
        if (!v.text.empty() && v.text[0] == '-')
            warning(v.line, key.text + " value " + v.text + " is negative: the game reads it as " + hexText(n));
        else if (hasOctalPrefix(v.text))
            warning(v.line,
                    key.text + " value " + v.text + " has a leading 0, so the game reads it as octal: " + hexText(n));
        if (n > 0xffffffu)
            warning(v.line, key.text + " value " + v.text + " has bits above 0xffffff, which are ignored");
    }

    void data(const Token& t)
    {
        if (holeCountLine_ == 0) {
            error(t.line, ".data comes before any holecount=, so there is no hole array to fill");
            skipPastEnd();
            return;
        }
        holeCountHasData_ = true;
        dataLine_ = t.line;
        out_.holes.clear();
        out_.holeLines.clear();
        long long wanted = static_cast<long long>(holeCount_) * 4;
        long long got = 0;
        Hole hole;
        int holeLine = 0;
        Token v;
        while (got < wanted) {
            if (!next(v)) {
                error(t.line,
                      "the file ends inside the .data section: " + std::to_string(got) + " of " +
                          plural(wanted, "hole value", "hole values") + ", and no .end");
                return;
            }
            if (v.text == DataEnd || isKey(v.text)) {
                error(v.line,
                      "too few hole values: holecount= " + std::to_string(holeCount_) + " needs " +
                          std::to_string(wanted) + ", the .data section at line " + std::to_string(t.line) + " gives " +
                          std::to_string(got));
                if (v.text != DataEnd)
                    putBack(v);
                return;
            }
            float real = 0.0f;
            if (!wholeReal(v.text, real)) {
                error(v.line, "hole value " + quoted(v.text) + " " + realTrouble(v.text));
                real = 0.0f;
            } else if (std::fabs(real) == FLT_MAX) {
                warning(v.line,
                        "hole value " + v.text + " is at or beyond the float range: the game reads it as " +
                            exactFloatText(real));
            } else if (std::fabs(real) == FLT_MIN) {
                warning(v.line,
                        "hole value " + v.text + " is at or below the smallest normal float: the game reads it as " +
                            exactFloatText(real));
            }
            int field = static_cast<int>(got % 4);
            if (field == 0)
                holeLine = v.line;
            (field == 0 ? hole.x : field == 1 ? hole.y : field == 2 ? hole.radius : hole.depth) = real;
            ++got;
            if (field == 3) {
                addHole(hole, holeLine);
                hole = Hole{};
            }
        }
        if (!next(v)) {
            error(t.line, "missing .end after the hole values of the .data section");
            return;
        }
        if (v.text == DataEnd)
            return;
        float real = 0.0f;
        if (wholeReal(v.text, real)) {
            int extra = 1;
            int firstLine = v.line;
            bool more = false;
            while ((more = next(v)) && wholeReal(v.text, real))
                ++extra;
            error(firstLine,
                  plural(extra, "hole value", "hole values") + " more than holecount= " + std::to_string(holeCount_) +
                      " declares (" + std::to_string(wanted) + " values)");
            if (!more || v.text != DataEnd) {
                error(firstLine, "missing .end after the hole values");
                if (more)
                    putBack(v);
            }
            return;
        }
        error(v.line, "expected .end after the hole values, found " + quoted(v.text));
    }

    void addHole(const Hole& h, int line)
    {
        std::string what = "hole " + std::to_string(out_.holes.size() + 1) + " " + describeHole(h);
        if (!(h.radius > 0.0f))
            error(line, what + " has a radius that is not positive: it shapes nothing and catches nothing");
        else if (h.depth == 0.0f)
            warning(line, what + " has depth 0: it shapes nothing");
        out_.holes.push_back(h);
        out_.holeLines.push_back(line);
    }

    void skipPastEnd()
    {
        Token v;
        while (next(v) && v.text != DataEnd) { }
    }

    void finish()
    {
        if (!holeCountHasData_)
            error(holeCountLine_, "holecount= is not followed by its .data section");
        if (holeCountLine_ == 0)
            warning(0, "no holecount= and .data: the board is flat");
        if (!sawTexture_)
            warning(0, "no texturefile=: the board keeps the previous level's texture");
        if (!sawFog_)
            warning(0, "no fogcolor=: the level keeps the previous level's fog colour");
        if (!sawMarble_)
            warning(0, "no marblecolor=: the marble keeps the previous level's colour");
    }
};

} // namespace

MapLint lintMapText(const std::string& text)
{
    return Linter(text).run();
}

std::string holeName(const MapLint& lint, size_t index)
{
    return "hole " + std::to_string(index + 1) + " " + describeHole(lint.holes[index]);
}

namespace {

std::string startPoint()
{
    return "the start point (" + exactFloatText(StartX) + ", " + exactFloatText(StartY) + ")";
}

} // namespace

void lintStartPoint(MapLint& lint)
{
    // A board of its own, so the check works even where the game's loader gave up on the file.
    auto board = std::make_unique<Board>();
    board->setHoles(lint.holes);
    float verdict = board->holeAt(StartX, StartY);
    int nearestLine = 0;
    float nearest = 1e30f;
    size_t nearestIndex = 0;
    for (size_t i = 0; i < lint.holes.size(); ++i) {
        const Hole& h = lint.holes[i];
        if (!(h.depth > 0.0f) || !(h.radius > 0.0f))
            continue;
        float d = std::hypot(StartX - h.x, StartY - h.y);
        if (verdict > 0.0f && d <= CaptureRadii * h.radius) {
            lint.findings.push_back(
                {lint.holeLines[i], true,
                 startPoint() + " is inside " + holeName(lint, i) + ": the marble is caught before it moves"});
            return;
        }
        if (d < nearest) {
            nearest = d;
            nearestLine = lint.holeLines[i];
            nearestIndex = i;
        }
    }
    if (verdict > 0.0f)
        lint.findings.push_back({0, true, startPoint() + " is inside a hole"});
    else if (verdict < 0.0f)
        lint.findings.push_back({nearestLine, false,
                                 startPoint() + " is near " + holeName(lint, nearestIndex) +
                                     " (its centre is closer than " + exactFloatText(NearDistance) + ")"});
}

bool hasErrors(const MapLint& lint)
{
    for (const LintFinding& f : lint.findings)
        if (f.error)
            return true;
    return false;
}
