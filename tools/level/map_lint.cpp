// The level checker's text pass over a map file: tokens with their lines, key values in the loader's
// number syntax, the .data section against holecount=, and checks of the hole values and start point.
#include "map_lint.h"

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Token {
    std::string text;
    int line = 0;
};

std::vector<Token> tokenize(const std::string& text)
{
    std::vector<Token> tokens;
    int line = 1;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\n') {
            ++line;
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        tokens.push_back({text.substr(start, i - start), line});
    }
    return tokens;
}

bool isKey(const std::string& t)
{
    return t == "texturefile=" || t == "fogcolor=" || t == "marblecolor=" || t == "holecount=" || t == ".data";
}

bool isDigitIn(char c, int base)
{
    if (base == 16)
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    if (base == 8)
        return c >= '0' && c <= '7';
    return c >= '0' && c <= '9';
}

// An integer token in the loader's syntax: optional sign, "0x"/"0X" hexadecimal, a leading "0" octal,
// else decimal, at most 15 characters, the whole token a number.
bool parseInteger(const std::string& t, bool allowMinus, long long& value, std::string& why)
{
    if (t.size() > 15) {
        why = "longer than 15 characters";
        return false;
    }
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    if (negative && !allowMinus) {
        why = "negative";
        return false;
    }
    int base = 10;
    if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < t.size() && t[i] == '0') {
        base = 8;
    }
    if (i == t.size()) {
        why = "has no digits";
        return false;
    }
    unsigned long long v = 0;
    for (size_t k = i; k < t.size(); ++k) {
        if (!isDigitIn(t[k], base)) {
            why = base == 8 && t[k] >= '8' && t[k] <= '9' ? "a leading 0 makes it octal, and it has digit 8 or 9"
                                                          : "is not an integer";
            return false;
        }
        int digit = std::isdigit(static_cast<unsigned char>(t[k])) ? t[k] - '0'
                                                                   : std::tolower(static_cast<unsigned char>(t[k])) - 'a' + 10;
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    value = negative ? -static_cast<long long>(v) : static_cast<long long>(v);
    return true;
}

// A real in the loader's syntax: optional sign, digits with at most one point (at least one digit),
// an optional exponent, at most 19 characters, the whole token a number.
bool parseReal(const std::string& t, double& value, std::string& why)
{
    if (t.size() > 19) {
        why = "longer than 19 characters";
        return false;
    }
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    int digits = 0;
    bool point = false;
    while (i < t.size() && (std::isdigit(static_cast<unsigned char>(t[i])) || (t[i] == '.' && !point))) {
        if (t[i] == '.')
            point = true;
        else
            ++digits;
        ++i;
    }
    if (digits == 0) {
        why = "is not a number";
        return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        int expDigits = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) {
            why = "has an exponent without digits";
            return false;
        }
    }
    if (i != t.size()) {
        why = "is not a number";
        return false;
    }
    value = std::strtod(t.c_str(), nullptr);
    return true;
}

std::string quoted(const std::string& t)
{
    return "\"" + t + "\"";
}

std::string describeHole(const Hole& h)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "(x %g, y %g, radius %g, depth %g)", static_cast<double>(h.x),
                  static_cast<double>(h.y), static_cast<double>(h.radius), static_cast<double>(h.depth));
    return buffer;
}

class Linter {
public:
    explicit Linter(const std::string& text) : tokens_(tokenize(text)) {}

    MapLint run()
    {
        if (tokens_.empty()) {
            error(0, "the file is empty: it has no keys at all");
            return out_;
        }
        while (pos_ < tokens_.size())
            handle(tokens_[pos_++]);
        finish();
        return out_;
    }

private:
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    MapLint out_;
    bool sawTexture_ = false, sawFog_ = false, sawMarble_ = false;
    int holeCountLine_ = 0;       // line of the latest holecount=, 0 before any
    long long holeCount_ = 0;
    bool holeCountHasData_ = true; // the latest holecount= was followed by its .data

    void error(int line, const std::string& text) { out_.findings.push_back({line, true, text}); }
    void warning(int line, const std::string& text) { out_.findings.push_back({line, false, text}); }

    // The value token after a key, or null when the key has none (end of file, or another key follows:
    // then that key is left to be handled in its turn).
    const Token* value(const Token& key)
    {
        if (pos_ >= tokens_.size()) {
            error(key.line, key.text + " has no value: the file ends after the key");
            return nullptr;
        }
        if (isKey(tokens_[pos_].text) || tokens_[pos_].text == ".end") {
            error(key.line, key.text + " has no value: the next item is " + quoted(tokens_[pos_].text));
            return nullptr;
        }
        return &tokens_[pos_++];
    }

    void handle(const Token& t)
    {
        if (t.text == "texturefile=") {
            sawTexture_ = true;
            if (const Token* v = value(t)) {
                if (v->text.size() > 249)
                    error(v->line, "texturefile= name is longer than 249 characters");
                out_.textureBases.push_back(v->text);
                out_.textureLines.push_back(v->line);
            }
        } else if (t.text == "fogcolor=" || t.text == "marblecolor=") {
            (t.text == "fogcolor=" ? sawFog_ : sawMarble_) = true;
            if (const Token* v = value(t))
                colour(t, *v);
        } else if (t.text == "holecount=") {
            if (!holeCountHasData_)
                error(holeCountLine_, "holecount= is not followed by its .data section");
            holeCountLine_ = t.line;
            holeCountHasData_ = false;
            holeCount_ = 0;
            if (const Token* v = value(t)) {
                long long n = 0;
                std::string why;
                if (!parseInteger(v->text, true, n, why))
                    error(v->line, "holecount= value " + quoted(v->text) + " " + why);
                else if (n < 0)
                    error(v->line, "holecount= value " + v->text + " is negative");
                else if (n > 0x7fffffffLL)
                    error(v->line, "holecount= value " + v->text + " does not fit a 32-bit count");
                else
                    holeCount_ = n;
            }
        } else if (t.text == ".data") {
            data(t);
        } else if (t.text == ".end") {
            error(t.line, "unknown token \".end\": there is no .data section open here");
        } else {
            std::string hint;
            for (const char* key : {"texturefile=", "fogcolor=", "marblecolor=", "holecount="}) {
                std::string k = key;
                if (t.text.size() > k.size() && t.text.compare(0, k.size(), k) == 0)
                    hint = " (a key and its value must be separated by whitespace)";
            }
            error(t.line, "unknown token " + quoted(t.text) + hint);
        }
    }

    void colour(const Token& key, const Token& v)
    {
        long long n = 0;
        std::string why;
        if (!parseInteger(v.text, false, n, why)) {
            error(v.line, key.text + " value " + quoted(v.text) + " " + why);
            return;
        }
        if (n > 0xffffffffLL)
            error(v.line, key.text + " value " + v.text + " is beyond 32 bits");
        else if (n > 0xffffff)
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
        out_.holes.clear();
        out_.holeLines.clear();
        long long wanted = holeCount_ * 4;
        long long got = 0;
        Hole hole;
        int holeLine = 0;
        while (got < wanted) {
            if (pos_ >= tokens_.size()) {
                error(t.line, "the file ends inside the .data section: " + std::to_string(got) + " of " +
                                  std::to_string(wanted) + " hole values, and no .end");
                return;
            }
            const Token& v = tokens_[pos_];
            if (v.text == ".end" || isKey(v.text)) {
                error(v.line, "too few hole values: holecount= " + std::to_string(holeCount_) + " needs " +
                                  std::to_string(wanted) + ", the .data section at line " + std::to_string(t.line) +
                                  " gives " + std::to_string(got));
                if (v.text == ".end")
                    ++pos_;
                return;
            }
            ++pos_;
            double real = 0.0;
            std::string why;
            if (!parseReal(v.text, real, why)) {
                error(v.line, "hole value " + quoted(v.text) + " " + why);
                real = 0.0;
            } else if (!std::isfinite(real) || std::fabs(real) > FLT_MAX) {
                error(v.line, "hole value " + v.text + " is beyond the range of a float");
            }
            int field = static_cast<int>(got % 4);
            if (field == 0)
                holeLine = v.line;
            float f = static_cast<float>(std::fmax(-FLT_MAX, std::fmin(FLT_MAX, real)));
            (field == 0 ? hole.x : field == 1 ? hole.y : field == 2 ? hole.radius : hole.depth) = f;
            ++got;
            if (field == 3) {
                addHole(hole, holeLine);
                hole = Hole{};
            }
        }
        if (pos_ >= tokens_.size()) {
            error(t.line, "missing .end after the hole values of the .data section");
            return;
        }
        const Token& end = tokens_[pos_];
        if (end.text == ".end") {
            ++pos_;
            return;
        }
        double real = 0.0;
        std::string why;
        if (parseReal(end.text, real, why)) {
            int extra = 0;
            while (pos_ < tokens_.size() && parseReal(tokens_[pos_].text, real, why)) {
                ++extra;
                ++pos_;
            }
            error(end.line, std::to_string(extra) + " hole value(s) more than holecount= " +
                                std::to_string(holeCount_) + " declares (" + std::to_string(wanted) + " values)");
            if (pos_ < tokens_.size() && tokens_[pos_].text == ".end")
                ++pos_;
            else
                error(end.line, "missing .end after the hole values");
            return;
        }
        error(end.line, "expected .end after the hole values, found " + quoted(end.text));
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
        while (pos_ < tokens_.size() && tokens_[pos_].text != ".end")
            ++pos_;
        if (pos_ < tokens_.size())
            ++pos_;
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

void lintStartPoint(MapLint& lint)
{
    const float startX = 0.0f, startY = -5800.0f;
    // A board of its own, so the check works even where the game's loader gave up on the file.
    auto board = std::make_unique<Board>();
    board->setHoles(lint.holes);
    float verdict = board->holeAt(startX, startY);
    int nearestLine = 0;
    float nearest = 1e30f;
    size_t nearestIndex = 0;
    for (size_t i = 0; i < lint.holes.size(); ++i) {
        const Hole& h = lint.holes[i];
        if (!(h.depth > 0.0f) || !(h.radius > 0.0f))
            continue;
        float d = std::hypot(startX - h.x, startY - h.y);
        if (verdict > 0.0f && d <= 1.5f * h.radius) {
            lint.findings.push_back({lint.holeLines[i], true,
                                     "the start point (0, -5800) is inside hole " + std::to_string(i + 1) + " " +
                                         describeHole(h) + ": the marble is caught before it moves"});
            return;
        }
        if (d < nearest) {
            nearest = d;
            nearestLine = lint.holeLines[i];
            nearestIndex = i;
        }
    }
    if (verdict > 0.0f)
        lint.findings.push_back({0, true, "the start point (0, -5800) is inside a hole"});
    else if (verdict < 0.0f)
        lint.findings.push_back({nearestLine, false,
                                 "the start point (0, -5800) is near hole " + std::to_string(nearestIndex + 1) + " " +
                                     describeHole(lint.holes[nearestIndex]) +
                                     " (its centre is closer than 250)"});
}

bool hasErrors(const MapLint& lint)
{
    for (const LintFinding& f : lint.findings)
        if (f.error)
            return true;
    return false;
}
